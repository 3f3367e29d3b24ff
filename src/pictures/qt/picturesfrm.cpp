#include "pictures/qt/picturesfrm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstring>

#include "base/qt/result_notice.h"
#include "pictures/qt/picture_plot.h"
#include "tables/picture_table.h"
#include "tables/qt/fexport.h"
#include "tables/qt/pdialog.h"
#include "tables/qt/table_grid.h"
#include "tables/qt/table_icons.h"

namespace tessivo::view {

namespace {

QToolButton* ToolButton(const char* name, const QString& hint, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFixedSize(25, 25);
  return button;
}

}  // namespace

TPicturesFrm::TPicturesFrm(const AnalysisContext& context, uint32_t kiloBase, TExportFrm& exportFrm,
                           TPForm& pForm, QWidget* parent)
    : QDialog(parent), context_(context), exportFrm_(exportFrm), pForm_(pForm) {
  setObjectName(QStringLiteral("PicturesFrm"));
  setWindowTitle(QStringLiteral("Pictures"));

  auto* top = new QWidget(this);
  ZoomOut = ToolButton("ZoomOut", QStringLiteral("Fewer pixels per picture"), top);
  ZoomOut->setText(QStringLiteral("-"));
  ZoomIn = ToolButton("ZoomIn", QStringLiteral("More pixels per picture"), top);
  ZoomIn->setText(QStringLiteral("+"));
  ZoomLabel = new QLabel(top);
  ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
  ZoomLabel->setMinimumWidth(70);
  Readout = new QLabel(top);
  Readout->setObjectName(QStringLiteral("Readout"));
  Readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* topRow = new QHBoxLayout(top);
  topRow->setContentsMargins(2, 2, 2, 2);
  topRow->addWidget(ZoomOut);
  topRow->addWidget(ZoomIn);
  topRow->addWidget(ZoomLabel);
  topRow->addWidget(Readout, 1);

  Notice = new TResultNotice(this);

  auto* plotPart = new QWidget(this);
  Plot = new TPicturePlot(kiloBase, plotPart);
  PlotScroll = new QScrollBar(Qt::Horizontal, plotPart);
  PlotScroll->setObjectName(QStringLiteral("PlotScroll"));
  auto* plotColumn = new QVBoxLayout(plotPart);
  plotColumn->setContentsMargins(0, 0, 0, 0);
  plotColumn->setSpacing(0);
  plotColumn->addWidget(Plot, 1);
  plotColumn->addWidget(PlotScroll);

  auto* tablePart = new QWidget(this);
  auto* buttons = new QFrame(tablePart);
  buttons->setObjectName(QStringLiteral("Panel1"));
  buttons->setFrameShape(QFrame::StyledPanel);
  SpeedButton1 = ToolButton("SpeedButton1", QStringLiteral("Print"), buttons);
  SpeedButton1->setIcon(PrintIcon());
  SpeedButton2 = ToolButton("SpeedButton2", QStringLiteral("Export"), buttons);
  SpeedButton2->setIcon(ExportIcon());
  auto* buttonRow = new QHBoxLayout(buttons);
  buttonRow->setContentsMargins(2, 2, 2, 2);
  buttonRow->setSpacing(2);
  buttonRow->addWidget(SpeedButton1);
  buttonRow->addWidget(SpeedButton2);
  buttonRow->addStretch();
  Grid = new TTableGrid(tablePart);
  Grid->setObjectName(QStringLiteral("PictureGrid"));
  Grid->setFont(QFont(QStringLiteral("Tahoma"), 8));
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* tableColumn = new QVBoxLayout(tablePart);
  tableColumn->setContentsMargins(0, 0, 0, 0);
  tableColumn->setSpacing(0);
  tableColumn->addWidget(buttons);
  tableColumn->addWidget(Grid, 1);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(plotPart);
  splitter->addWidget(tablePart);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(Notice);
  layout->addWidget(splitter, 1);

  connect(ZoomOut, &QToolButton::clicked, this, [this] { Plot->Zoom(false); });
  connect(ZoomIn, &QToolButton::clicked, this, [this] { Plot->Zoom(true); });
  connect(Plot, &TPicturePlot::crossHairMoved, this, &TPicturesFrm::CrossHairMoved);
  connect(Plot, &TPicturePlot::viewMoved, this, &TPicturesFrm::ViewMoved);
  connect(PlotScroll, &QScrollBar::valueChanged, this, &TPicturesFrm::ScrollChange);
  connect(Grid, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { GridRowChanged(row); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { pForm_.ShowFor(*Grid); });
  connect(SpeedButton2, &QToolButton::clicked, this, [this] { exportFrm_.ShowFor(*Grid); });
  resize(760, 560);
}

void TPicturesFrm::SetReanalyse(std::function<void()> reanalyse) {
  Notice->SetReanalyse(std::move(reanalyse));
}

QFrame* TPicturesFrm::notice() const {
  return Notice;
}

void TPicturesFrm::showEvent(QShowEvent* event) {
  if (!loaded_) Reload();
  QDialog::showEvent(event);
}

void TPicturesFrm::Reload() {
  const RecordStores& stores = context_.stores();
  vbv_ = SimulateVbv(stores);
  Plot->Load(stores, &vbv_);
  Grid->Fill(BuildPictureTable(stores, &vbv_));
  loaded_ = true;
  const bool missingFacts = context_.dataLoaded() && !stores.pictureFactsAvailable;
  const QString stream =
      QString::fromUtf8(stores.summary.fileName,
                        static_cast<qsizetype>(strnlen(stores.summary.fileName, kFileNameSize)));
  Notice->ShowFor(missingFacts,
                  QStringLiteral("A result file keeps no per-picture facts: the buffer fill and "
                                 "its curve need a run over the stream it names, %1.")
                      .arg(stream));
  UpdateReadout(Plot->crossHair());
}

void TPicturesFrm::Invalidate() {
  if (isVisible()) {
    Reload();
  } else {
    loaded_ = false;
  }
}

void TPicturesFrm::ShowSecond(uint64_t second) {
  if (!loaded_) Reload();
  const PictureRange range = PicturesOfSecond(context_.stores(), second);
  if (range.empty()) return;
  Plot->SetBand(range);
  if (!Plot->crossHair() || !range.contains(*Plot->crossHair())) {
    Plot->SetCrossHair(range.first);
    CrossHairMoved(range.first);
  }
}

void TPicturesFrm::ShowPicture(uint32_t picture) {
  if (!isVisible()) show();
  raise();
  if (!loaded_) Reload();
  if (picture >= Plot->model().pictureCount()) return;
  Plot->SetBand(PicturesOfSecond(context_.stores(), SecondOfPicture(context_.stores(), picture)));
  Plot->SetCrossHair(picture);
  CrossHairMoved(picture);
}

void TPicturesFrm::CrossHairMoved(uint32_t picture) {
  UpdateReadout(picture);
  if (syncing_) return;
  syncing_ = true;
  Grid->setCurrentCell(static_cast<int>(picture), 0);
  syncing_ = false;
}

void TPicturesFrm::GridRowChanged(int row) {
  if (syncing_ || row < 0) return;
  syncing_ = true;
  Plot->SetCrossHair(static_cast<uint32_t>(row));
  syncing_ = false;
  UpdateReadout(static_cast<uint32_t>(row));
}

void TPicturesFrm::ViewMoved() {
  const PicturePlotModel& model = Plot->model();
  scrolling_ = true;
  PlotScroll->setRange(0, static_cast<int>(model.LastFirstPicture()));
  PlotScroll->setPageStep(static_cast<int>(std::max<uint32_t>(1, model.Capacity())));
  PlotScroll->setValue(static_cast<int>(model.firstPicture()));
  scrolling_ = false;
  ZoomLabel->setText(QStringLiteral("%1 px/picture").arg(model.pixelsPerPicture()));
  ZoomIn->setEnabled(model.zoomLevel() + 1 < PicturePlotModel::kZoomLevelCount);
  ZoomOut->setEnabled(model.zoomLevel() > 0);
}

void TPicturesFrm::ScrollChange(int value) {
  if (scrolling_) return;
  Plot->ScrollTo(static_cast<uint32_t>(value));
}

// The cross-hair's picture as its table row reads, with the size also in kbit as plotted.
void TPicturesFrm::UpdateReadout(std::optional<uint32_t> picture) {
  const Table& table = Grid->table();
  const size_t row = picture ? *picture + Table::kFixedRows : 0;
  if (!picture || row >= table.rowCount()) {
    Readout->clear();
    return;
  }
  const auto cell = [&](size_t column) {
    return QString::fromStdString(table.cell(row, column).text);
  };
  const QString buffer = cell(kPictureBufferColumn);
  Readout->setText(
      QStringLiteral("Picture %1 %2  %3 bytes (%4 kbit)  qmin %5 qmax %6 qavg %7  GOP %8  %9  "
                     "Buffer %10")
          .arg(cell(kPictureNumberColumn), cell(kPictureTypeColumn), cell(kPictureSizeColumn),
               QString::number(Plot->model().KbitOf(*picture), 'f', 1), cell(kPictureQminColumn),
               cell(kPictureQmaxColumn), cell(kPictureQavgColumn),
               cell(kPictureGopColumn).isEmpty() ? QStringLiteral("-") : cell(kPictureGopColumn),
               cell(kPictureTimeCodeColumn))
          .arg(buffer.isEmpty() ? QStringLiteral("-") : buffer + QStringLiteral(" %")));
}

}  // namespace tessivo::view
