// The controls of the main window: the side panel Panel1 with its file, tool, readout, scale and
// tab sections, the scroll strip, the timers and the dialogs.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/qt/gauge.h"
#include "view/about.h"
#include "view/mainunit.h"
#include "view/settingsfrm.h"

namespace tessivo::view {

namespace {

constexpr int kScPHeight = 21;
constexpr int kValueLabelWidth = 50;
const QColor kGray(128, 128, 128);

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLabel* ValueLabel(const char* name, QColor text, QColor background, const QString& hint,
                   QWidget* parent) {
  auto* label = Named(new QLabel(parent), name);
  label->setFixedWidth(kValueLabelWidth);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  label->setPalette(palette);
  // A time code has to fit the fixed 50 pixels.
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed")});
  font.setPixelSize(11);
  font.setBold(true);
  label->setFont(font);
  label->setToolTip(hint);
  return label;
}

QToolButton* ToolButton(const char* name, const QString& caption, const QString& hint,
                        QWidget* parent) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(caption);
  button->setToolTip(hint);
  button->setEnabled(false);
  button->setAutoRaise(false);
  QFont font;
  font.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans Condensed")});
  font.setPixelSize(10);
  button->setFont(font);
  return button;
}

}  // namespace

void TMainFrm::CreateControls() {
  Panel1 = Named(new QFrame(this), "Panel1");
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setAutoFillBackground(true);
  auto* side = new QVBoxLayout(Panel1);
  side->setContentsMargins(3, 3, 3, 3);
  side->setSpacing(3);
  side->addWidget(CreateFilePanel());
  side->addWidget(CreateToolPanel());
  side->addWidget(CreateReadoutPanel());
  side->addWidget(CreateScalePanel());
  side->addWidget(CreatePageControl(), 1);
  Panel2 = Named(new QLabel(Panel1), "Panel2");
  Panel2->setFrameShape(QFrame::Panel);
  Panel2->setFrameShadow(QFrame::Sunken);
  Panel2->setAlignment(Qt::AlignCenter);
  Panel2->setToolTip(QStringLiteral("Double click on this!"));
  Panel2->setFixedHeight(18);
  side->addWidget(Panel2);

  ScP = Named(new QFrame(this), "ScP");
  ScP->setFixedHeight(kScPHeight);
  Button4 = Named(new QPushButton(QStringLiteral("|<"), ScP), "Button4");
  Button4->setToolTip(QStringLiteral("Go to the start of stream"));
  Button4->setGeometry(2, 3, 24, kScPHeight - 5);
  Button5 = Named(new QPushButton(QStringLiteral(">|"), ScP), "Button5");
  Button5->setToolTip(QStringLiteral("Got to the end of stream"));
  Button5->setGeometry(0, 3, 24, kScPHeight - 5);
  for (QPushButton* button : {Button4, Button5}) button->setFocusPolicy(Qt::NoFocus);
  Sc1 = Named(new QScrollBar(Qt::Horizontal, ScP), "Sc1");
  Sc1->setRange(0, 0);
  Sc1->setPageStep(1);
  connect(Sc1, &QScrollBar::valueChanged, this, &TMainFrm::Sc1Change);
  connect(Button4, &QPushButton::clicked, this, &TMainFrm::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TMainFrm::Button5Click);

  Timer1 = Named(new QTimer(this), "Timer1");
  Timer1->setInterval(800);
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TMainFrm::Timer1Timer);
  Timer2 = Named(new QTimer(this), "Timer2");
  Timer2->setInterval(5000);
  connect(Timer2, &QTimer::timeout, this, &TMainFrm::Timer2Timer);
  Timer3 = Named(new QTimer(this), "Timer3");
  Timer3->setInterval(1000);
  connect(Timer3, &QTimer::timeout, this, &TMainFrm::Timer3Timer);
}

QWidget* TMainFrm::CreateFilePanel() {
  Panel3 = Named(new QFrame(Panel1), "Panel3");
  Panel3->setMouseTracking(true);
  auto* grid = new QGridLayout(Panel3);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(3);
  Edit1 = Named(new QLineEdit(Panel3), "Edit1");
  Button1 = Named(new QPushButton(QStringLiteral("..."), Panel3), "Button1");
  Button1->setToolTip(QStringLiteral("Load file"));
  Button1->setFixedWidth(28);
  connect(Button1, &QPushButton::clicked, this, &TMainFrm::Button1Click);
  Panel4 = Named(new QLabel(QStringLiteral("Reading"), Panel3), "Panel4");
  Panel4->setToolTip(QStringLiteral("Click on this to pause/restart the current file reading!"));
  Panel4->setFrameShape(QFrame::Panel);
  Panel4->setFrameShadow(QFrame::Sunken);
  Panel4->setAlignment(Qt::AlignCenter);
  Panel4->setAutoFillBackground(true);
  Panel4->setMouseTracking(true);
  Panel4->setFixedWidth(64);
  auto* framesLabel = new QLabel(QStringLiteral("Frames:"), Panel3);
  Panel8 = Named(new QLabel(QStringLiteral("0"), Panel3), "Panel8");
  Panel8->setFrameShape(QFrame::Panel);
  Panel8->setFrameShadow(QFrame::Sunken);
  Panel8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Panel8->setFixedWidth(56);
  Pb = Named(new QProgressBar(Panel3), "Pb");
  Pb->setRange(0, 100);
  Pb->setValue(0);
  Pb->setTextVisible(false);
  Pb->setFixedHeight(14);
  grid->addWidget(Edit1, 0, 0, 1, 3);
  grid->addWidget(Button1, 0, 3);
  grid->addWidget(Panel4, 1, 0);
  grid->addWidget(framesLabel, 1, 1, Qt::AlignRight);
  grid->addWidget(Panel8, 1, 2, 1, 2);
  grid->addWidget(Pb, 2, 0, 1, 4);
  return Panel3;
}

QWidget* TMainFrm::CreateToolPanel() {
  Panel5 = Named(new QFrame(Panel1), "Panel5");
  Panel5->setMouseTracking(true);
  auto* row = new QHBoxLayout(Panel5);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  Panel5->setStyleSheet(QStringLiteral("QToolButton { padding: 0px 1px; }"));
  SpeedButton2 = ToolButton("SpeedButton2", {}, QStringLiteral("Open result file"), Panel5);
  SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  SpeedButton1 = ToolButton("SpeedButton1", {}, QStringLiteral("Save result file"), Panel5);
  SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  SpeedButton3 =
      ToolButton("SpeedButton3", QStringLiteral("GOPs"), QStringLiteral("GOP structure"), Panel5);
  SpeedButton6 = ToolButton("SpeedButton6", QStringLiteral("Seconds"),
                            QStringLiteral("GOP structure"), Panel5);
  SpeedButton5 =
      ToolButton("SpeedButton5", QStringLiteral("Modify"), QStringLiteral("Modify stream"), Panel5);
  SpeedButton4 = ToolButton("SpeedButton4", QStringLiteral("Bps calc"),
                            QStringLiteral("Bitrate calculator"), Panel5);
  SpeedButton7 = ToolButton("SpeedButton7", QStringLiteral("Settings"), {}, Panel5);
  for (QToolButton* button : {SpeedButton2, SpeedButton1, SpeedButton3, SpeedButton6, SpeedButton5,
                              SpeedButton4, SpeedButton7}) {
    button->setFixedHeight(22);
    button->setFocusPolicy(Qt::NoFocus);
    if (button->text().isEmpty()) {
      button->setFixedWidth(24);
      row->addWidget(button);
    } else {
      button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
      row->addWidget(button);
    }
  }
  connect(SpeedButton1, &QToolButton::clicked, this, &TMainFrm::SpeedButton1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TMainFrm::SpeedButton2Click);
  connect(SpeedButton7, &QToolButton::clicked, this, &TMainFrm::SpeedButton7Click);
  return Panel5;
}

QWidget* TMainFrm::CreateReadoutPanel() {
  auto* holder = new QWidget(Panel1);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(3);

  Panel7 = Named(new QFrame(holder), "Panel7");
  Panel7->setFrameShape(QFrame::Panel);
  Panel7->setFrameShadow(QFrame::Sunken);
  Panel7->setAutoFillBackground(true);
  Panel7->setMouseTracking(true);
  QPalette tooltip = Panel7->palette();
  tooltip.setColor(QPalette::Window, QApplication::palette().color(QPalette::ToolTipBase));
  Panel7->setPalette(tooltip);
  auto* grid = new QGridLayout(Panel7);
  grid->setContentsMargins(3, 2, 3, 2);
  grid->setHorizontalSpacing(3);
  grid->setVerticalSpacing(1);
  const QString heads[] = {QStringLiteral("Current"), QStringLiteral("Peak"),
                           QStringLiteral("Average")};
  for (int column = 0; column < 3; ++column) {
    grid->addWidget(new QLabel(heads[column], Panel7), 0, column + 1, Qt::AlignCenter);
  }
  const QString rowHeads[] = {QStringLiteral("Bitrate:"), QStringLiteral("Q. level:"),
                              QStringLiteral("Y axis:"), QStringLiteral("Time:")};
  for (int r = 0; r < 4; ++r) grid->addWidget(new QLabel(rowHeads[r], Panel7), r + 1, 0);
  const QColor yellow(255, 255, 0);
  const QColor lime(0, 255, 0);
  const QString bitrateHint = QStringLiteral("Bitrate in KBit");
  const QString quantHint = QStringLiteral("Quantisation Scale Level");
  Bitrate = ValueLabel("Bitrate", yellow, kGray, bitrateHint, Panel7);
  Pbitr = ValueLabel("Pbitr", yellow, kGray, bitrateHint, Panel7);
  ABitr = ValueLabel("ABitr", yellow, kGray, bitrateHint, Panel7);
  QLevel = ValueLabel("QLevel", lime, kGray, quantHint, Panel7);
  Pq = ValueLabel("Pq", lime, kGray, quantHint, Panel7);
  Aq = ValueLabel("Aq", lime, kGray, quantHint, Panel7);
  VertPos = ValueLabel("VertPos", QColor(255, 255, 255), kGray,
                       QStringLiteral("Y Axis Position in KBit or Quant Scale"), Panel7);
  GopPos = ValueLabel("GopPos", QColor(0, 255, 255), QColor(0, 0, 0),
                      QStringLiteral("X Axis Position in Seconds"), Panel7);
  GopPos->setAlignment(Qt::AlignCenter);
  grid->addWidget(Bitrate, 1, 1);
  grid->addWidget(Pbitr, 1, 2);
  grid->addWidget(ABitr, 1, 3);
  grid->addWidget(QLevel, 2, 1);
  grid->addWidget(Pq, 2, 2);
  grid->addWidget(Aq, 2, 3);
  grid->addWidget(VertPos, 3, 1);
  grid->addWidget(GopPos, 4, 1);
  row->addWidget(Panel7, 1);

  auto* Panel11 = Named(new QFrame(holder), "Panel11");
  auto* gauges = new QGridLayout(Panel11);
  gauges->setContentsMargins(0, 0, 0, 0);
  gauges->setHorizontalSpacing(4);
  gauges->setVerticalSpacing(0);
  CGp = Named(new TCGauge(QColor(255, 255, 0), Panel11), "CGp");
  CGq = Named(new TCGauge(QColor(0, 255, 0), Panel11), "CGq");
  for (TCGauge* gauge : {CGp, CGq}) gauge->setFixedSize(15, 80);
  gauges->addWidget(CGp, 0, 0);
  gauges->addWidget(CGq, 0, 1);
  auto* b = new QLabel(QStringLiteral("B"), Panel11);
  auto* q = new QLabel(QStringLiteral("Q"), Panel11);
  for (QLabel* caption : {b, q}) {
    QFont font = caption->font();
    font.setBold(true);
    caption->setFont(font);
  }
  gauges->addWidget(b, 1, 0, Qt::AlignHCenter);
  gauges->addWidget(q, 1, 1, Qt::AlignHCenter);
  row->addWidget(Panel11);
  return holder;
}

QWidget* TMainFrm::CreateScalePanel() {
  auto* holder = new QWidget(Panel1);
  auto* grid = new QGridLayout(holder);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(3);
  grid->setVerticalSpacing(2);
  CSpinEdit1 = Named(new QSpinBox(holder), "CSpinEdit1");
  CSpinEdit1->setRange(2, 255);
  CSpinEdit1->setValue(15);
  CSpinEdit1->setToolTip(QStringLiteral("Vertical scale"));
  CSpinEdit2 = Named(new QSpinBox(holder), "CSpinEdit2");
  CSpinEdit2->setRange(2, 7200);
  CSpinEdit2->setValue(60);
  CSpinEdit2->setToolTip(QStringLiteral("Horizontal scale (seconds)"));
  ScrSpeed = Named(new QSpinBox(holder), "ScrSpeed");
  ScrSpeed->setRange(1, 60);
  ScrSpeed->setValue(3);
  ScrSpeed->setToolTip(QStringLiteral("Stepping in seconds with wheel mouse"));
  ComboBox1 = Named(new QComboBox(holder), "ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->addItems(
      {QStringLiteral("Both"), QStringLiteral("Bitrate"), QStringLiteral("Quantization")});
  ComboBox1->setToolTip(QStringLiteral("View setting"));
  grid->addWidget(new QLabel(QStringLiteral("YScale"), holder), 0, 0);
  grid->addWidget(CSpinEdit1, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("XScale"), holder), 0, 2);
  grid->addWidget(CSpinEdit2, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Stepping:"), holder), 1, 0);
  grid->addWidget(ScrSpeed, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("View:"), holder), 1, 2);
  grid->addWidget(ComboBox1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return holder;
}

QWidget* TMainFrm::CreatePageControl() {
  PageControl1 = Named(new QTabWidget(Panel1), "PageControl1");
  PageControl1->setMouseTracking(true);
  QFont font;
  font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("DejaVu Sans Condensed")});
  font.setStretch(QFont::SemiCondensed);
  font.setPixelSize(10);
  PageControl1->tabBar()->setFont(font);
  PageControl1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 3px; }"));
  PageControl1->tabBar()->setUsesScrollButtons(false);
  PageControl1->tabBar()->setExpanding(false);
  PageControl1->tabBar()->setMouseTracking(true);
  const char* names[] = {"TB1", "TB2", "TB3", "TB4", "TB5"};
  const QString captions[] = {QStringLiteral("General"), QStringLiteral("Comp. Ratio"),
                              QStringLiteral("FrQ Min"), QStringLiteral("FrQ Max"),
                              QStringLiteral("FrQ Avg")};
  for (int i = 0; i < 5; ++i) {
    auto* sheet = Named(new QWidget(PageControl1), names[i]);
    PageControl1->addTab(sheet, captions[i]);
  }
  Memo1 = Named(new QPlainTextEdit(PageControl1->widget(0)), "Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->viewport()->setMouseTracking(true);
  auto* general = new QVBoxLayout(PageControl1->widget(0));
  general->setContentsMargins(0, 0, 0, 0);
  general->addWidget(Memo1);
  PageControl1->setCurrentIndex(0);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TMainFrm::UpdateReadouts);
  return PageControl1;
}

void TMainFrm::CreateDialogs() {
  OpenDialog1 = Named(new QFileDialog(this), "OpenDialog1");
  OpenDialog1->setWindowTitle(QStringLiteral("Load MPEG stream"));
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setDefaultSuffix(QStringLiteral("mpv"));
  OpenDialog1->setDirectory(QStringLiteral("."));
  OpenDialog1->setNameFilters(
      {QStringLiteral("Video Only MPEG streams (*.mpv *.m1v *.m2v *.vbs)"),
       QStringLiteral("Video/Audio streams (*.mpg *.vob *.dat *.ts *.m2ts *.mts *.m2t *.trp)"),
       QStringLiteral("AVI files (*.avi)"), QStringLiteral("All files (*)")});
  SVRd = Named(new QFileDialog(this), "SVRd");
  SVRd->setOption(QFileDialog::DontUseNativeDialog);
  SVRd->setAcceptMode(QFileDialog::AcceptSave);
  SVRd->setDefaultSuffix(QStringLiteral("tsr"));
  SVRd->setNameFilter(QStringLiteral("TS result datafile  (*.tsr)"));
  LVRd = Named(new QFileDialog(this), "LVRd");
  LVRd->setOption(QFileDialog::DontUseNativeDialog);
  LVRd->setAcceptMode(QFileDialog::AcceptOpen);
  LVRd->setFileMode(QFileDialog::ExistingFile);
  LVRd->setDefaultSuffix(QStringLiteral("tsr"));
  LVRd->setNameFilter(QStringLiteral("TS result datafile (*.tsr)"));
  GraphImageDialog = Named(new QFileDialog(this), "GraphImageDialog");
  GraphImageDialog->setWindowTitle(QStringLiteral("Save graph image"));
  GraphImageDialog->setOption(QFileDialog::DontUseNativeDialog);
  GraphImageDialog->setAcceptMode(QFileDialog::AcceptSave);
  GraphImageDialog->setDefaultSuffix(QStringLiteral("png"));
  GraphImageDialog->setNameFilters(
      {QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG image (*.svg)")});
  connect(GraphImageDialog, &QFileDialog::filterSelected, GraphImageDialog,
          [this](const QString& filter) {
            GraphImageDialog->setDefaultSuffix(filter.contains(QStringLiteral("svg"))
                                                   ? QStringLiteral("svg")
                                                   : QStringLiteral("png"));
          });
  SFrm = new TSFrm(checkPackStartHdr_, maxFramesAllocate_, view().kiloBase, this);
  ABoutFrm = new TABoutFrm(this);
  CreateToolWindows();
  CreatePictureWindows();
}

}  // namespace tessivo::view
