// TPicturesFrm ("Pictures"): the per-picture plot with its zoom, scroll bar and cross-hair
// readout over the table of pictures, which prints and exports as the other tables do. It
// follows the second the main window points at. A loaded result keeps no per-picture facts:
// the window says so and offers to analyse the stream the result names.
#pragma once

#include <QDialog>
#include <functional>

#include "analysis/analysis_context.h"
#include "buffer/vbv_model.h"

class QFrame;
class QLabel;
class QScrollBar;
class QToolButton;

namespace tessivo::view {

class TExportFrm;
class TPForm;
class TPicturePlot;
class TResultNotice;
class TTableGrid;

class TPicturesFrm : public QDialog {
  Q_OBJECT
 public:
  TPicturesFrm(const AnalysisContext& context, uint32_t kiloBase, TExportFrm& exportFrm,
               TPForm& pForm, QWidget* parent);

  // Called by "Re-analyse"; the window only offers it while one is set.
  void SetReanalyse(std::function<void()> reanalyse);
  // Takes the records as they are now: buffer model, plot and table.
  void Reload();
  // The records changed: reloaded now when shown, else at the next showing.
  void Invalidate();
  // The pictures of a second of the per-second records, brought into view and marked.
  void ShowSecond(uint64_t second);
  // Opens on the picture with the cross-hair on it and its row selected.
  void ShowPicture(uint32_t picture);

  TPicturePlot* plot() const { return Plot; }
  TTableGrid* grid() const { return Grid; }
  QLabel* readout() const { return Readout; }
  QFrame* notice() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CrossHairMoved(uint32_t picture);
  void GridRowChanged(int row);
  void ViewMoved();
  void ScrollChange(int value);
  void UpdateReadout(std::optional<uint32_t> picture);

  const AnalysisContext& context_;
  TExportFrm& exportFrm_;
  TPForm& pForm_;
  VbvResult vbv_;
  bool loaded_ = false;
  // Set while the cross-hair and the table's row follow each other, and while the scroll bar
  // follows the plot.
  bool syncing_ = false;
  bool scrolling_ = false;

  QToolButton* ZoomOut;
  QToolButton* ZoomIn;
  QLabel* ZoomLabel;
  QLabel* Readout;
  TResultNotice* Notice;
  TPicturePlot* Plot;
  QScrollBar* PlotScroll;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  TTableGrid* Grid;
};

}  // namespace tessivo::view
