// The analysis run of the main window: choosing a file, starting, stepping, pausing and parking
// the reading thread, and the result files.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "analysis/result_file.h"
#include "analysis/stream_report.h"
#include "mpeg/qt/freadthread.h"
#include "view/graph_widget.h"
#include "view/mainunit.h"
#include "view/settings_registry.h"

namespace tessivo::view {

namespace {

const QColor kPausedColour(0, 128, 0);

// The folder of a file, its separator kept.
QString FolderOf(const QString& fileName) {
  const qsizetype cut =
      std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
  return fileName.left(cut + 1);
}

}  // namespace

void TMainFrm::Button1Click() {
  SetFileOperation(true);
  OpenChosenFile();
  SetFileOperation(false);
}

void TMainFrm::OpenChosenFile() {
  const QString lastPath = RegReadString(SettingsKey, QStringLiteral("LastPath"));
  if (!lastPath.isEmpty()) OpenDialog1->setDirectory(lastPath);
  const QStringList filters = OpenDialog1->nameFilters();
  const int fileTypes = RegReadInteger(SettingsKey, QStringLiteral("FileTypes"), 1);
  if (fileTypes >= 1 && fileTypes <= filters.size()) {
    OpenDialog1->selectNameFilter(filters[fileTypes - 1]);
  }
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  OpenNamedFile(OpenDialog1->selectedFiles().front(),
                static_cast<int>(filters.indexOf(OpenDialog1->selectedNameFilter())) + 1);
}

void TMainFrm::OpenNamedFile(const QString& fileName, int filterIndex) {
  if (fileName.toLower().contains(QStringLiteral(".avi"))) {
    const auto answer = QMessageBox::warning(
        this, QStringLiteral("Tessivo"),
        QStringLiteral("Parsing AVI files is just your risk! Wish you continue?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
  }
  openFileName_ = fileName;
  openFilterIndex_ = filterIndex;
  StartAnalysis();
  EnableResultButtons();
}

void TMainFrm::Timer1Timer() {
  Timer1->stop();
  // The command-line file waits until a load the user began has finished.
  if (fileOperation_) {
    Timer1->start();
    return;
  }
  SetFileOperation(true);
  StartAnalysis();
  SetFileOperation(false);
  EnableResultButtons();
}

void TMainFrm::StopReading() {
  if (!reader_) {
    reader_ = std::make_unique<FileReading>(this, [this] { RunStep(); });
    reader_->start(QThread::LowestPriority);
  } else {
    reader_->Suspend();
  }
}

void TMainFrm::StartAnalysis() {
  StopReading();
  // Steps requested before now are void, and none may run while the new run is half reset.
  starting_ = true;
  scrollTracking_ = false;
  Sc1->setMaximum(0);
  scrollTracking_ = true;
  lastScrollPosition_ = 0;
  Pb->setValue(0);
  RegWriteString(SettingsKey, QStringLiteral("LastPath"), FolderOf(openFileName_));
  RegWriteInteger(SettingsKey, QStringLiteral("FileTypes"), openFilterIndex_);
  Edit1->setText(openFileName_);
  model_->GoToStart();

  analysedFile_ = Edit1->text();
  const Status opened = context_->StartAnalysis(analysedFile_.toStdString());
  if (!opened.ok()) ShowMessage(opened.message);
  analysedDemuxed_ = context_->reader().demuxMode();
  starting_ = false;
  reader_->SetEndReached(context_->endReached());
  if (!opened.ok()) return;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (context_->endReached()) ShowStepResult(StepResult::kEnded);
  Panel4->setPalette(palette());
  reader_->Resume();
  graph_->DrawGrid();
  graph_->DrawCurves();
  graph_->ShowCanvas();
  QApplication::restoreOverrideCursor();
  ShowStreamReport();
  RefreshPictureWindows();
}

void TMainFrm::RunStep() {
  if (starting_) return;
  ReadNextSecond(false);
}

void TMainFrm::ReadNextSecond(bool reset) {
  if (!reset && context_->endReached()) return;
  ShowStepResult(context_->ReadNextSecond(reset));
}

void TMainFrm::ShowStepResult(StepResult result) {
  switch (result) {
    case StepResult::kFirstSecond:
      break;
    case StepResult::kNextSecond:
      Sc1->setMaximum(static_cast<int>(context_->secondsRead() - 1));
      WriteFigureLabels();
      break;
    case StepResult::kEnded:
      reader_->SetEndReached(true);
      WriteFigureLabels();
      ShowStreamReport();
      // A short stream would otherwise show only its first second until the next redraw.
      graph_->RepaintGraph();
      graph_->ShowCanvas();
      RefreshPictureWindows();
      break;
  }
}

void TMainFrm::WriteFigureLabels() {
  const SequenceSummary& summary = context_->stores().summary;
  Pbitr->setText(QString::number(summary.peakBitrate));
  ABitr->setText(QString::number(summary.averageBitrate));
  Pq->setText(QString::asprintf("%.2f", summary.peakQuant));
  Aq->setText(QString::asprintf("%.2f", summary.averageQuant));
}

void TMainFrm::ShowStreamReport() {
  const std::vector<std::string> lines =
      tessivo::ShowStreamReport(context_->stores(), context_->runNotes());
  QStringList text;
  for (const std::string& line : lines) text << QString::fromStdString(line);
  Memo1->setPlainText(text.join(QLatin1Char('\n')));
}

void TMainFrm::Panel4Click() {
  if (!reader_ || starting_ || context_->endReached()) return;
  if (reader_->suspended()) {
    reader_->Resume();
    Panel4->setPalette(palette());
    return;
  }
  reader_->Suspend();
  QPalette paused = Panel4->palette();
  paused.setColor(QPalette::Window, kPausedColour);
  Panel4->setPalette(paused);
  Panel4->repaint();
  ShowStreamReport();
}

void TMainFrm::Timer3Timer() {
  if (rescalePending_) {
    rescalePending_ = false;
    RecomputeLayout();
  }
  if (context_->endReached() && reader_ && !reader_->suspended()) reader_->Suspend();
}

void TMainFrm::EnableResultButtons() {
  SpeedButton3->setEnabled(true);
  SpeedButton6->setEnabled(true);
  resultButtonsEnabled_ = true;
  UpdateFileButtons();
}

void TMainFrm::SetFileOperation(bool underWay) {
  fileOperation_ = underWay;
  UpdateFileButtons();
}

void TMainFrm::UpdateFileButtons() {
  Button1->setEnabled(!fileOperation_);
  SpeedButton2->setEnabled(!fileOperation_);
  SpeedButton1->setEnabled(!fileOperation_ && resultButtonsEnabled_);
  SpeedButton5->setEnabled(!fileOperation_ && resultButtonsEnabled_);
}

void TMainFrm::SpeedButton1Click() {
  if (SVRd->exec() != QDialog::Accepted || SVRd->selectedFiles().isEmpty()) return;
  const Status status = SaveResultFile(*context_, SVRd->selectedFiles().front().toStdString());
  if (!status.ok()) ShowMessage(status.message);
}

void TMainFrm::SpeedButton2Click() {
  SetFileOperation(true);
  LoadChosenResult();
  SetFileOperation(false);
}

void TMainFrm::LoadChosenResult() {
  if (LVRd->exec() != QDialog::Accepted || LVRd->selectedFiles().isEmpty()) return;
  LoadResultNamed(LVRd->selectedFiles().front());
}

void TMainFrm::LoadResultNamed(const QString& fileName) {
  // No step of a run may write into the loaded records.
  if (reader_) reader_->Suspend();
  const Status status = LoadResultFile(*context_, fileName.toStdString());
  if (reader_) reader_->SetEndReached(context_->endReached());
  Panel4->setPalette(palette());
  if (!status.ok()) {
    ShowMessage(status.message);
    return;
  }
  model_->GoToStart();
  // The scroll bar follows the loaded seconds as it follows a run's.
  scrollTracking_ = false;
  Sc1->setMaximum(static_cast<int>(std::max(context_->secondsRead(), 1u) - 1));
  Sc1->setValue(0);
  lastScrollPosition_ = 0;
  scrollTracking_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  graph_->DrawGrid();
  graph_->DrawCurves();
  graph_->ShowCanvas();
  QApplication::restoreOverrideCursor();
  ShowStreamReport();
  WriteFigureLabels();
  analysedFile_ = QString::fromUtf8(context_->stores().summary.fileName);
  // The file does not tell how the stream was read; the copy checks the named file itself.
  analysedDemuxed_ = false;
  Edit1->setText(analysedFile_);
  EnableResultButtons();
  RefreshPictureWindows();
}

void TMainFrm::RefreshProgress() {
  const FileReader& reader = context_->reader();
  if (reader.fileLength() == 0) return;
  const uint64_t percent = reader.bytesRead() * 100 / reader.fileLength();
  Pb->setValue(static_cast<int>(std::min<uint64_t>(percent, 100)));
}

}  // namespace tessivo::view
