// The main window: start-up, the settings it keeps, its events and the engine's hooks into it.
#include "view/mainunit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "mpeg/kilo_base.h"
#include "mpeg/qt/freadthread.h"
#include "tables/qt/table_grid.h"
#include "view/about.h"
#include "view/graph_widget.h"
#include "view/settings_registry.h"
#include "view/settingsfrm.h"
#include "view/window_placement.h"

namespace tessivo::view {

namespace {

constexpr int kPanel1Width = 272;
constexpr int kMinimumGraphWidth = 60;
constexpr int kNoStoredPosition = 2000;
// Left and top are the frame's, as saved; width and height the client's.
const QRect kDesignGeometry(187, 130, 699, 421);

const QString kCaptions[] = {
    QStringLiteral("Tessivo 1.5.054"),
    QStringLiteral("MPEG-1/MPEG-2 video analyser"),
    QStringLiteral("Bitrate and quantiser per second"),
    QStringLiteral("Double click for more"),
};

const QColor kSilver(192, 192, 192);

}  // namespace

TMainFrm::TMainFrm(const QStringList& arguments, QWidget* parent)
    : QWidget(parent), arguments_(arguments) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("Tessivo"));
  setMouseTracking(true);
  setAcceptDrops(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kSilver);
  palette.setColor(QPalette::Button, kSilver);
  setPalette(palette);
  move(kDesignGeometry.topLeft());
  resize(kDesignGeometry.size());
  CreateControls();
  // The side panel never gets squeezed below what its controls need.
  setMinimumSize(kPanel1Width + kMinimumGraphWidth, Panel1->minimumSizeHint().height());
  InitAnalysisStorage();
  if (!context_) return;
  CreateDialogs();
  Timer2->start();
  Timer3->start();
  qApp->installEventFilter(this);
}

TMainFrm::~TMainFrm() {
  qApp->removeEventFilter(this);
  // The thread may be waiting for this window to run a step: stop it while the window lives.
  reader_.reset();
}

void TMainFrm::InitAnalysisStorage() {
  // "XAxis" holds the vertical scale and "YAxis" the horizontal one: the two names are swapped
  // against what they hold, and stay so, because the stored settings carry that meaning.
  ViewState view;
  view.verticalScale =
      static_cast<uint16_t>(RegReadInteger(SettingsKey, QStringLiteral("XAxis"), 15));
  view.horizontalScale =
      static_cast<uint16_t>(RegReadInteger(SettingsKey, QStringLiteral("YAxis"), 60));
  CSpinEdit1->setValue(view.verticalScale);
  CSpinEdit2->setValue(view.horizontalScale);
  view.verticalScale = static_cast<uint16_t>(CSpinEdit1->value());
  view.horizontalScale = static_cast<uint16_t>(CSpinEdit2->value());
  view.kiloBase = static_cast<int32_t>(
      KiloBaseOf(RegReadInteger(SettingsKey, QStringLiteral("CNumber"), 1024)));
  ScrSpeed->setValue(RegReadInteger(SettingsKey, QStringLiteral("ScrollSpeed"), 3));
  scrollSpeed_ = ScrSpeed->value();
  Sc1->setSingleStep(ScrSpeed->value());
  connect(CSpinEdit1, &QSpinBox::valueChanged, this, &TMainFrm::CSpinEdit1Change);
  connect(CSpinEdit2, &QSpinBox::valueChanged, this, &TMainFrm::CSpinEdit2Change);
  connect(ScrSpeed, &QSpinBox::valueChanged, this, &TMainFrm::ScrSpeedChange);
  connect(ComboBox1, &QComboBox::editTextChanged, this, &TMainFrm::ComboBox1Change);

  Panel2->setText(kCaptions[0]);
  captionIndex_ = 0;

  checkPackStartHdr_ = RegReadInteger(SettingsKey, QStringLiteral("CheckPackStartHdr"), 1) != 0;
  // A value the settings dialog cannot give would make every start fail or commit gigabytes.
  const int maxFrames =
      RegReadInteger(SettingsKey, QStringLiteral("MaxFramesAllocate"), kDefaultMaxFrames);
  maxFramesAllocate_ = maxFrames >= kSmallestMaxFrames && maxFrames <= kLargestMaxFrames
                           ? static_cast<uint32_t>(maxFrames)
                           : kDefaultMaxFrames;
  AnalysisSettings settings;
  settings.maxFramesAllocate = maxFramesAllocate_;
  settings.kiloBase = static_cast<uint32_t>(view.kiloBase);
  settings.checkPackStartHdr = checkPackStartHdr_;
  Status status;
  context_ = AnalysisContext::Create(settings, *this, &status);
  if (!context_) {
    ShowMessage(status.message);
    return;
  }
  model_ = std::make_unique<GraphModel>(context_->stores(), view);
  graph_ = new GraphWidget(*model_, *context_, this);
  graph_->lower();
  SpeedButton2->setEnabled(true);
  SpeedButton4->setEnabled(true);
  SpeedButton7->setEnabled(true);
}

void TMainFrm::FormShow() {
  if (!arguments_.isEmpty()) {
    openFileName_ = arguments_.front();
    Timer1->start();
  }
  const int left = RegReadInteger(SettingsKey, QStringLiteral("wleft"), kNoStoredPosition);
  if (left == kNoStoredPosition) return;
  const int top = RegReadInteger(SettingsKey, QStringLiteral("wtop"), kNoStoredPosition);
  const int width = RegReadInteger(SettingsKey, QStringLiteral("wwidth"), kNoStoredPosition);
  const int height = RegReadInteger(SettingsKey, QStringLiteral("wheight"), kNoStoredPosition);
  const QRect stored(left, top, width, height);
  const QScreen* target = QGuiApplication::screenAt(stored.topLeft());
  if (!target) target = QGuiApplication::primaryScreen();
  const QRect placed = target ? KeepOnScreen(stored, target->availableGeometry()) : stored;
  move(placed.topLeft());
  resize(placed.size());
}

void TMainFrm::FormClose() {
  const auto low16 = [](int value) { return static_cast<int>(static_cast<int16_t>(value)); };
  RegWriteInteger(SettingsKey, QStringLiteral("XAxis"), view().verticalScale);
  RegWriteInteger(SettingsKey, QStringLiteral("YAxis"), view().horizontalScale);
  RegWriteInteger(SettingsKey, QStringLiteral("ScrollSpeed"), low16(scrollSpeed_));
  RegWriteInteger(SettingsKey, QStringLiteral("wtop"), low16(y()));
  RegWriteInteger(SettingsKey, QStringLiteral("wleft"), low16(x()));
  RegWriteInteger(SettingsKey, QStringLiteral("wheight"), low16(height()));
  RegWriteInteger(SettingsKey, QStringLiteral("wwidth"), low16(width()));
}

void TMainFrm::FormResize() {
  Panel1->setGeometry(width() - kPanel1Width, 0, kPanel1Width, height());
  graph_->Resize(QSize(std::max(0, width() - Panel1->width()), height()));
  RecomputeLayout();
  ScP->setGeometry(0, height() - ScP->height() - 1, width() - kPanel1Width, ScP->height());
  Button4->move(2, Button4->y());
  Sc1->setGeometry(Button4->width() + 1, 2,
                   ScP->width() - (Button4->width() + Button5->width() + 2), ScP->height() - 4);
  Button4->resize(Button4->width(), ScP->height() - 5);
  Button5->setGeometry(Sc1->width() + Button4->width() + 1, Button5->y(), Button5->width(),
                       ScP->height() - 5);
}

void TMainFrm::Timer2Timer() {
  captionIndex_ = (captionIndex_ + 1) % 4;
  Panel2->setText(kCaptions[captionIndex_]);
}

void TMainFrm::Panel2DblClick() {
  ABoutFrm->exec();
}

void TMainFrm::SpeedButton7Click() {
  SFrm->exec();
}

void TMainFrm::resizeEvent(QResizeEvent*) {
  if (context_) FormResize();
}

void TMainFrm::showEvent(QShowEvent*) {
  if (shownOnce_ || !context_) return;
  shownOnce_ = true;
  FormShow();
}

void TMainFrm::closeEvent(QCloseEvent* event) {
  if (context_) FormClose();
  event->accept();
}

void TMainFrm::mouseMoveEvent(QMouseEvent* event) {
  if (!context_ || !context_->dataLoaded() || !wheelIdle_) return;
  if (event->modifiers() & Qt::ShiftModifier) return;
  const QPoint position = event->position().toPoint();
  TrackPosition(position.x(), position.y());
}

void TMainFrm::mouseDoubleClickEvent(QMouseEvent*) {
  if (context_) FormDblClick();
}

void TMainFrm::wheelEvent(QWheelEvent* event) {
  if (context_) FormMouseWheel(event);
}

bool TMainFrm::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !context_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      // The controls that take text drops would otherwise take a file's name as text.
      if (widget->window() != this) return false;
      return HandleDragEvent(event);
    case QEvent::KeyPress:
      // Key preview: the window sees arrow keys before its focused control.
      if (widget->window() != this) return false;
      if (PictureKey(widget, static_cast<QKeyEvent*>(event)->key(),
                     static_cast<QKeyEvent*>(event)->modifiers())) {
        return true;
      }
      return FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    case QEvent::MouseMove:
      if (widget == Memo1->viewport() || widget == Panel3 || widget == Panel7 || widget == Panel4 ||
          widget == Panel5 || widget == PageControl1 || widget == PageControl1->tabBar()) {
        SetPointerShape(false);
      }
      return false;
    case QEvent::MouseButtonPress:
      if (widget == Panel4 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Panel4Click();
        return true;
      }
      return false;
    case QEvent::MouseButtonDblClick:
      if (widget == Panel2) {
        Panel2DblClick();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TMainFrm::UpdateProgress(uint32_t percent) {
  Pb->setValue(static_cast<int>(percent));
}

void TMainFrm::SetStatusCaption(const std::string& caption) {
  Panel4->setText(QString::fromStdString(caption));
}

void TMainFrm::SetPictureCounter(uint32_t count) {
  Panel8->setText(QString::number(count));
}

void TMainFrm::PumpOneMessage() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TMainFrm::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessivo"), QString::fromStdString(text),
                  QMessageBox::Ok, this);
  box.exec();
}

}  // namespace tessivo::view
