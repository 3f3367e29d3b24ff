// TMainFrm: the main window. Its own client area is the graph; the side panel Panel1 holds the
// file and run controls, the readouts, the scales and the tab views.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "analysis/analysis_context.h"
#include "graph/graph_model.h"
#include "view/tab_views.h"

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolButton;
class QFrame;
class QMenu;
class QMimeData;
class QContextMenuEvent;

namespace tessivo {
class FileReading;
}

namespace tessivo::view {

class TCGauge;
class GraphWidget;
class TSFrm;
class TABoutFrm;
class TGopFrm;
class TSecondsFrm;
class TExportFrm;
class TPForm;
class TModifFrm;
class TPWindow2;
class TPicturesFrm;
class TComplianceFrm;

using tessivo::ViewState;

class TMainFrm : public QWidget, public AnalysisObserver {
  Q_OBJECT

 public:
  // arguments: the command line after the program name.
  explicit TMainFrm(const QStringList& arguments, QWidget* parent = nullptr);
  ~TMainFrm() override;

  // False when the stores could not be obtained; "Not enough memory!" has been shown.
  bool storesObtained() const { return context_ != nullptr; }

  // The graph's view state; only while storesObtained().
  const ViewState& view() const { return model_->state(); }
  int scrollSpeed() const { return scrollSpeed_; }
  bool checkPackStartHdr() const { return checkPackStartHdr_; }
  uint32_t maxFramesAllocate() const { return maxFramesAllocate_; }
  const AnalysisContext* context() const { return context_.get(); }
  const FileReading* readingThread() const { return reader_.get(); }

  // AnalysisObserver: the engine's hooks into the window.
  void UpdateProgress(uint32_t percent) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetPictureCounter(uint32_t count) override;
  void PumpOneMessage() override;

  // The one place the window shows a failure the engine reports.
  void ShowMessage(const std::string& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The controls and the dialogs (side_panel.cpp).
  void CreateControls();
  QWidget* CreateFilePanel();
  QWidget* CreateToolPanel();
  QWidget* CreateReadoutPanel();
  QWidget* CreateScalePanel();
  QWidget* CreatePageControl();
  void CreateDialogs();

  // Start-up, window events and closing (mainunit.cpp).
  void InitAnalysisStorage();
  void FormShow();
  void FormClose();
  void FormResize();
  void Timer2Timer();
  void Panel2DblClick();
  void SpeedButton7Click();

  // The table, patcher and calculator windows (tool_windows.cpp).
  void CreateToolWindows();
  void SpeedButton3Click();
  void SpeedButton6Click();
  void SpeedButton5Click();
  void SpeedButton4Click();

  // The Pictures and Compliance windows (picture_windows.cpp).
  void CreatePictureWindows();
  void OpenPicturesWindow();
  void OpenComplianceWindow();
  void FollowTrackedSecond(uint64_t second);
  void RefreshPictureWindows();
  void ReanalyseNamedStream();
  bool PictureKey(QWidget* focused, int key, Qt::KeyboardModifiers modifiers);

  // The analysis run (analysis_run.cpp).
  void Button1Click();
  void OpenChosenFile();
  // Opens fileName as "..." does once a file is chosen, the AVI warning included; filterIndex
  // is the file type stored with it.
  void OpenNamedFile(const QString& fileName, int filterIndex);
  void Timer1Timer();
  void StartAnalysis();
  void ReadNextSecond(bool reset);
  void RunStep();
  void ShowStepResult(StepResult result);
  void WriteFigureLabels();
  void ShowStreamReport();
  void Panel4Click();
  void Timer3Timer();
  void EnableResultButtons();
  void SetFileOperation(bool underWay);
  void UpdateFileButtons();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void LoadChosenResult();
  void LoadResultNamed(const QString& fileName);
  // A file dropped on the window: a result file is loaded, any other file analysed.
  bool AcceptsDrop(const QMimeData* data) const;
  // Drag and drop events of the window and its controls; true when taken.
  bool HandleDragEvent(QEvent* event);
  void DropFile(const QString& fileName);

  // The graph's context menu (graph_context_menu.cpp builds it).
  void SaveGraphImageClick();
  void StopReading();
  void RefreshProgress();

  // The graph (graph.cpp); its arithmetic is the model's, its drawing the graph widget's.
  void RecomputeLayout();
  void RedrawView();
  void UpdateReadouts();

  // Navigation (navigation.cpp).
  void TrackPosition(int64_t x, int64_t y);
  bool FormKeyDown(int key);
  void FormMouseWheel(QWheelEvent* event);
  void Sc1Change();
  void Button4Click();
  void Button5Click();
  void ScrSpeedChange();
  void CSpinEdit1Change();
  void CSpinEdit2Change();
  void ComboBox1Change();
  void FormDblClick();
  void SetScrollPosition(int position);
  void SetPointerShape(bool hand);

  QStringList arguments_;
  std::unique_ptr<AnalysisContext> context_;
  std::unique_ptr<FileReading> reader_;
  std::unique_ptr<GraphModel> model_;
  GraphWidget* graph_ = nullptr;
  TabRowTable tabRows_;

  // Settings in effect since start-up.
  bool checkPackStartHdr_ = true;
  uint32_t maxFramesAllocate_ = kDefaultMaxFrames;

  // Navigation state.
  int scrollSpeed_ = 3;
  uint16_t lastScrollPosition_ = 0;
  bool scrollTracking_ = true;
  bool wheelIdle_ = true;
  bool rescalePending_ = false;

  // Run state beyond the engine's.
  bool starting_ = false;
  // An open or a load lets other events run (the stream-type search, the file dialogs); while
  // one is under way no other open, load, save or modify may start.
  bool fileOperation_ = false;
  bool resultButtonsEnabled_ = false;
  bool shownOnce_ = false;
  int captionIndex_ = 0;
  QString openFileName_;
  int openFilterIndex_ = 1;
  // The stream the records describe: the one analysed, or the one a loaded result names.
  QString analysedFile_;
  bool analysedDemuxed_ = false;

  // Controls, named as in the form design.
  QFrame* Panel1 = nullptr;
  QFrame* Panel3 = nullptr;
  QFrame* Panel5 = nullptr;
  QFrame* Panel7 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;
  QLabel* Panel4 = nullptr;
  QLabel* Panel8 = nullptr;
  QProgressBar* Pb = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QLabel* Bitrate = nullptr;
  QLabel* Pbitr = nullptr;
  QLabel* ABitr = nullptr;
  QLabel* QLevel = nullptr;
  QLabel* Pq = nullptr;
  QLabel* Aq = nullptr;
  QLabel* VertPos = nullptr;
  QLabel* GopPos = nullptr;
  TCGauge* CGp = nullptr;
  TCGauge* CGq = nullptr;
  QSpinBox* CSpinEdit1 = nullptr;
  QSpinBox* CSpinEdit2 = nullptr;
  QSpinBox* ScrSpeed = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* Panel2 = nullptr;
  QFrame* ScP = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QScrollBar* Sc1 = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;
  QTimer* Timer3 = nullptr;
  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* SVRd = nullptr;
  QFileDialog* LVRd = nullptr;
  QFileDialog* GraphImageDialog = nullptr;
  TSFrm* SFrm = nullptr;
  TABoutFrm* ABoutFrm = nullptr;
  TExportFrm* ExportFrm = nullptr;
  TPForm* PForm = nullptr;
  TGopFrm* GopFrm = nullptr;
  TSecondsFrm* SecondsFrm = nullptr;
  TModifFrm* ModifFrm = nullptr;
  TPWindow2* PWindow2 = nullptr;
  TPicturesFrm* PicturesFrm = nullptr;
  TComplianceFrm* ComplianceFrm = nullptr;
  QMenu* GraphMenu = nullptr;
};

}  // namespace tessivo::view
