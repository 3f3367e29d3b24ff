// TComplianceFrm ("Compliance"): the rules of the chosen delivery format checked against the
// analysis, one row per rule and one per listed failure; double-clicking a failure that knows
// its picture jumps there in the Pictures window.
#pragma once

#include <QDialog>
#include <functional>

#include "analysis/analysis_context.h"
#include "compliance/compliance_check.h"

class QComboBox;
class QFrame;
class QLabel;
class QTableWidget;

namespace tessivo::view {

class TResultNotice;

class TComplianceFrm : public QDialog {
  Q_OBJECT
 public:
  TComplianceFrm(const AnalysisContext& context, QWidget* parent);

  void SetJump(std::function<void(uint32_t picture)> jump) { jump_ = std::move(jump); }
  void SetReanalyse(std::function<void()> reanalyse);
  // Checks the records as they are now against the chosen profile.
  void Check();

  const ComplianceReport& report() const { return report_; }
  QComboBox* profileBox() const { return ComboBox1; }
  QTableWidget* ruleTable() const { return Rules; }
  QLabel* verdict() const { return Verdict; }
  QFrame* notice() const;

  // The picture a row's failure is at, kNoPicture for a rule row or one without a picture.
  static uint32_t PictureOfRow(const QTableWidget& table, int row);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void RowDoubleClicked(int row);

  const AnalysisContext& context_;
  std::function<void(uint32_t)> jump_;
  ComplianceReport report_;

  QComboBox* ComboBox1;
  QLabel* Verdict;
  TResultNotice* Notice;
  QTableWidget* Rules;
};

}  // namespace tessivo::view
