#include "modify/qt/modif.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "modify/copy_source.h"
#include "modify/cut_points.h"
#include "modify/header_patch.h"
#include "modify/output_name.h"
#include "modify/stream_copy.h"

namespace tessivo::view {

namespace {

const char* const kFrameRateItems[kFrameRateItemCount] = {
    "0", "23.99", "24.00", "25.00", "29.99", "30.00", "50.00", "59.99", "60.00"};

QComboBox* ItemList(const char* name, const char* const* items, int count, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  for (int i = 0; i < count; ++i) list->addItem(QString::fromLatin1(items[i]));
  return list;
}

QLineEdit* Edit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QCheckBox* CheckBox(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QLabel* CutLabelWidget(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00.00")) +
                         12);
  return label;
}

void ShowCutLabel(QLabel* label, const CutLabel& cut) {
  label->setText(QString::fromStdString(cut.text));
  QPalette colours = label->palette();
  colours.setColor(QPalette::Window,
                   QColor(cut.background.red, cut.background.green, cut.background.blue));
  colours.setColor(QPalette::WindowText, QColor(kCutLabelTextColour.red, kCutLabelTextColour.green,
                                                kCutLabelTextColour.blue));
  label->setPalette(colours);
}

QScrollBar* CutScrollBar(const char* name, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setMinimumWidth(140);
  return bar;
}

}  // namespace

TModifFrm::TModifFrm(const AnalysisContext& context, uint32_t kiloBase, QWidget* parent)
    : QDialog(parent), context_(context), kiloBase_(kiloBase) {
  setObjectName(QStringLiteral("ModifFrm"));
  setWindowTitle(QStringLiteral("Modify Stream Parameter"));

  auto* header = new QGroupBox(this);
  AspRat = ItemList("AspRat", kAspectRatioNames, kAspectRatioItemCount, header);
  FrameRate = ItemList("FrameRate", kFrameRateItems, kFrameRateItemCount, header);
  Brate = Edit("Brate", header);
  Edit1 = Edit("Edit1", header);
  Edit1->setReadOnly(true);
  Edit1->setFrame(false);
  Edit1->setToolTip(QStringLiteral("Doubleclick to get"));
  QPalette red = Edit1->palette();
  red.setColor(QPalette::Text, Qt::red);
  Edit1->setPalette(red);
  Edit1->installEventFilter(this);
  HRes = Edit("HRes", header);
  VRes = Edit("VRes", header);
  for (QLineEdit* size : {HRes, VRes}) size->setMaximumWidth(60);
  CPF = CheckBox("CPF", "Constrained Parameter Flag", header);

  auto* resolution = new QHBoxLayout;
  resolution->addWidget(HRes);
  resolution->addWidget(new QLabel(QStringLiteral("X"), header));
  resolution->addWidget(VRes);
  resolution->addStretch();
  auto* bitrate = new QHBoxLayout;
  bitrate->addWidget(Brate);
  bitrate->addWidget(new QLabel(QStringLiteral("bps"), header));
  auto* values = new QGridLayout(header);
  values->addWidget(new QLabel(QStringLiteral("Resolution:"), header), 0, 0);
  values->addLayout(resolution, 0, 1);
  values->addWidget(new QLabel(QStringLiteral("Aspect Ratio:"), header), 1, 0);
  values->addWidget(AspRat, 1, 1);
  values->addWidget(new QLabel(QStringLiteral("Frame Rate:"), header), 2, 0);
  values->addWidget(FrameRate, 2, 1);
  values->addWidget(new QLabel(QStringLiteral("Nominal Peak Bitrate:"), header), 3, 0);
  values->addLayout(bitrate, 3, 1);
  values->addWidget(Edit1, 4, 1);
  values->addWidget(CPF, 5, 0, 1, 2);

  CheckBox2 = CheckBox("CheckBox2", "Add Sequence End Code", this);
  CheckBox2->setChecked(true);
  RAUD = CheckBox("RAUD", "Remove all user data", this);
  ADEG = CheckBox("ADEG", "Add seq header to each GOP", this);
  auto* userData = new QGroupBox(QStringLiteral("Add this user data"), this);
  Edit3 = Edit("Edit3", userData);
  auto* userDataLayout = new QVBoxLayout(userData);
  userDataLayout->addWidget(Edit3);
  auto* options = new QVBoxLayout;
  options->addWidget(CheckBox2);
  options->addWidget(RAUD);
  options->addWidget(ADEG);
  options->addWidget(userData);
  options->addStretch();

  auto* inPoint = new QGroupBox(QStringLiteral("IN point"), this);
  INs = CutScrollBar("INs", inPoint);
  Label9 = CutLabelWidget("Label9", inPoint);
  auto* inLayout = new QHBoxLayout(inPoint);
  inLayout->addWidget(INs, 1);
  inLayout->addWidget(Label9);
  auto* outPoint = new QGroupBox(QStringLiteral("OUT point"), this);
  OUTs = CutScrollBar("OUTs", outPoint);
  Label10 = CutLabelWidget("Label10", outPoint);
  auto* outLayout = new QHBoxLayout(outPoint);
  outLayout->addWidget(OUTs, 1);
  outLayout->addWidget(Label10);
  PcutP = CheckBox("PcutP", "Perform cut", this);

  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setRange(0, 100);
  PB->setValue(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  BitBtn1 = buttons->button(QDialogButtonBox::Ok);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = buttons->button(QDialogButtonBox::Cancel);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

  auto* top = new QHBoxLayout;
  top->addWidget(header);
  top->addLayout(options);
  auto* cut = new QHBoxLayout;
  cut->addWidget(inPoint, 1);
  cut->addWidget(outPoint, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(PB, 1);
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(cut);
  layout->addWidget(PcutP);
  layout->addLayout(bottom);

  S1 = new QFileDialog(this);
  S1->setObjectName(QStringLiteral("S1"));
  S1->setOption(QFileDialog::DontUseNativeDialog);
  S1->setAcceptMode(QFileDialog::AcceptSave);

  connect(INs, &QScrollBar::valueChanged, this, &TModifFrm::INsChange);
  connect(OUTs, &QScrollBar::valueChanged, this, &TModifFrm::OUTsChange);
  connect(buttons, &QDialogButtonBox::accepted, this, &TModifFrm::BitBtn1Click);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

uint32_t TModifFrm::gopCount() const {
  const RecordStores& stores = context_.stores();
  return stores.recordedGopCount();
}

void TModifFrm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TModifFrm::FormShow() {
  const SequenceSummary& summary = context_.stores().summary;
  const ModifyValues values = ValuesOf(summary);
  AspRat->setCurrentIndex(values.aspectRatioCode < 0 ? -1 : values.aspectRatioCode - 1);
  FrameRate->setCurrentIndex(values.frameRateCode);
  Brate->setText(QString::number(values.bitRate));
  HRes->setText(QString::number(values.horizontalSize));
  VRes->setText(QString::number(values.verticalSize));
  CPF->setChecked(values.constrainedParameters);
  Edit1->setText(QString::number(MeasuredPeakBitrate(summary, kiloBase_)));

  // Without GOP records there is nothing to cut: the copy takes the whole stream.
  const int last = static_cast<int>(std::max<uint32_t>(gopCount(), 1) - 1);
  INs->setEnabled(gopCount() > 0);
  OUTs->setEnabled(gopCount() > 0);
  {
    const QSignalBlocker blockIn(INs);
    const QSignalBlocker blockOut(OUTs);
    INs->setRange(0, last);
    OUTs->setRange(0, last);
    INs->setValue(0);
    OUTs->setValue(last);
  }
  INsChange();
  OUTsChange();

  RAUD->setEnabled(summary.isMpeg2);
  Edit3->setEnabled(summary.isMpeg2);
}

bool TModifFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
    Edit1DblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TModifFrm::Edit1DblClick() {
  Brate->setText(Edit1->text());
}

void TModifFrm::INsChange() {
  if (OUTs->value() < INs->value()) {
    INs->setValue(
        ClampInPoint(static_cast<uint32_t>(INs->value()), static_cast<uint32_t>(OUTs->value())));
    return;
  }
  if (gopCount() == 0) {
    Label9->clear();
    return;
  }
  ShowCutLabel(Label9, InPointLabel(context_.stores().gops(), static_cast<uint32_t>(INs->value())));
}

void TModifFrm::OUTsChange() {
  if (INs->value() > OUTs->value()) {
    OUTs->setValue(
        ClampOutPoint(static_cast<uint32_t>(INs->value()), static_cast<uint32_t>(OUTs->value())));
    return;
  }
  if (gopCount() == 0) {
    Label10->clear();
    return;
  }
  const RecordStores& stores = context_.stores();
  ShowCutLabel(Label10,
               OutPointLabel(stores.gops(), gopCount(), static_cast<uint32_t>(OUTs->value()),
                             stores.summary.frameRateIndex));
}

void TModifFrm::UpdateProgress(uint32_t percent) {
  // The file is analysed again before it is copied: the same bar shows that reading.
  UpdateCopyProgress(percent);
}

void TModifFrm::UpdateCopyProgress(uint32_t percent) {
  if (PB->value() == static_cast<int>(percent)) return;
  PB->setValue(static_cast<int>(percent));
  // The copy runs on the window thread: show the bar now, and let a close request through.
  PB->repaint();
  QCoreApplication::processEvents();
}

void TModifFrm::reject() {
  if (copying_) {
    cancelRequested_ = true;
    return;
  }
  QDialog::reject();
}

void TModifFrm::BitBtn1Click() {
  WriteCopy();
  if (cancelRequested_) {
    cancelRequested_ = false;
    QDialog::reject();
    return;
  }
  accept();
}

void TModifFrm::WriteCopy() {
  if (S1->exec() != QDialog::Accepted || S1->selectedFiles().isEmpty()) return;
  const std::string output =
      OutputFileName(S1->selectedFiles().front().toStdString(), analysedFile_.toStdString());

  ModifyValues values;
  for (auto [edit, field] :
       {std::pair{Brate, &values.bitRate}, std::pair{HRes, &values.horizontalSize},
        std::pair{VRes, &values.verticalSize}}) {
    bool converted = false;
    *field = edit->text().toInt(&converted, 10);
    if (!converted) {
      QMessageBox::critical(this, QStringLiteral("Error"),
                            QStringLiteral("'%1' is not a valid integer value").arg(edit->text()));
      return;
    }
  }
  values.aspectRatioCode = AspRat->currentIndex() < 0 ? -1 : AspRat->currentIndex() + 1;
  values.frameRateCode = FrameRate->currentIndex();
  values.constrainedParameters = CPF->isChecked();
  const RecordStores& stores = context_.stores();
  const HeaderPatch patch = MakeHeaderPatch(values, stores.summary);

  CopyOptions options;
  options.removeUserData = RAUD->isChecked();
  options.userData = Edit3->text().toLatin1().toStdString();
  options.sequenceHeaderEachGop = ADEG->isChecked();
  options.performCut = PcutP->isChecked();
  options.inGop = static_cast<uint32_t>(INs->value());
  options.outGop = gopCount() > 0 ? static_cast<uint32_t>(OUTs->value()) : kLastGop;
  options.addSequenceEndCode = CheckBox2->isChecked();

  QApplication::setOverrideCursor(Qt::WaitCursor);
  copying_ = true;
  BitBtn1->setEnabled(false);
  const std::string input = analysedFile_.toStdString();
  const CopySource source(input, stores, context_.settings(), *this);
  const Status result = source.status().ok() && !cancelRequested_
                            ? StreamCopy(input, output, patch, options, source.stores(), *this)
                            : source.status();
  BitBtn1->setEnabled(true);
  copying_ = false;
  QApplication::restoreOverrideCursor();
  if (!result.ok() && !cancelRequested_) {
    QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(result.message));
  }
}

}  // namespace tessivo::view
