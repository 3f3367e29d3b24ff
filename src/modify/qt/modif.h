// TModifFrm ("Modify Stream Parameter"): the sequence header values, user-data options and cut
// points of a modified copy of the analysed elementary stream, written by the engine's
// StreamCopy when OK is pressed.
#pragma once

#include <QDialog>

#include "analysis/analysis_context.h"
#include "modify/copy_progress.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace tessivo::view {

class TModifFrm : public QDialog, public AnalysisObserver, public CopyProgress {
  Q_OBJECT
 public:
  TModifFrm(const AnalysisContext& context, uint32_t kiloBase, QWidget* parent);

  // The file the analysis read or the loaded result names: the copy's source and the source of
  // its extension. It is checked against the records before anything is written.
  void setAnalysedFile(const QString& fileName) { analysedFile_ = fileName; }

  void UpdateProgress(uint32_t percent) override;
  void UpdateCopyProgress(uint32_t percent) override;
  bool CopyCancelled() override { return cancelRequested_; }

  // Cancel, Escape or closing the window during a copy stop it; the dialog closes once the
  // partial output is removed.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Edit1DblClick();
  void INsChange();
  void OUTsChange();
  void BitBtn1Click();
  void WriteCopy();
  uint32_t gopCount() const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  const AnalysisContext& context_;
  uint32_t kiloBase_;
  QString analysedFile_;
  bool copying_ = false;
  bool cancelRequested_ = false;

  QComboBox* AspRat;
  QLineEdit* Brate;
  QLineEdit* Edit1;
  QLineEdit* HRes;
  QLineEdit* VRes;
  QComboBox* FrameRate;
  QCheckBox* CPF;
  QCheckBox* CheckBox2;
  QCheckBox* RAUD;
  QCheckBox* ADEG;
  QLineEdit* Edit3;
  QScrollBar* INs;
  QScrollBar* OUTs;
  QLabel* Label9;
  QLabel* Label10;
  QCheckBox* PcutP;
  QProgressBar* PB;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QFileDialog* S1;
};

}  // namespace tessivo::view
