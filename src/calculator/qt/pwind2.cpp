#include "calculator/qt/pwind2.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "base/qt/gauge.h"
#include "calculator/bitrate_result.h"
#include "calculator/calculator_tables.h"
#include "calculator/rate_fields.h"
#include "calculator/video_length.h"

namespace tessivo::view {

namespace {

constexpr int kRateGaugeMaximum = 25000;

QSpinBox* SpinEdit(const char* name, int minimum, int maximum, int step, int value,
                   QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(minimum, maximum);
  spin->setSingleStep(step);
  spin->setValue(value);
  spin->setAlignment(Qt::AlignRight);
  return spin;
}

QLabel* Named(QLabel* label, const char* name) {
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

// A gauge of the range minimum to maximum: empty below it, full above it.
void ShowOnGauge(TCGauge* gauge, int64_t value, int minimum, int maximum) {
  const int64_t clamped = std::clamp<int64_t>(value, minimum, maximum);
  gauge->setValue(static_cast<int>((clamped - minimum) * 100 / (maximum - minimum)));
}

TCGauge* Gauge(const char* name, QColor colour, const char* hint, QWidget* parent) {
  auto* gauge = new TCGauge(colour, parent);
  gauge->setObjectName(QString::fromLatin1(name));
  if (hint) gauge->setToolTip(QString::fromLatin1(hint));
  gauge->setFixedWidth(22);
  return gauge;
}

// A slider with its "Low" and "High" ends in a titled group.
QGroupBox* SliderGroup(const QString& title, QSlider* slider, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(new QLabel(QStringLiteral("Low"), group));
  layout->addWidget(slider, 1);
  layout->addWidget(new QLabel(QStringLiteral("High"), group));
  return group;
}

}  // namespace

TPWindow2::TPWindow2(uint32_t kiloBase, QWidget* parent) : QDialog(parent), kiloBase_(kiloBase) {
  setObjectName(QStringLiteral("PWindow2"));
  setWindowTitle(QStringLiteral("Bitrate Calculation"));
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->addTab(CreateBitrateTab(), QStringLiteral("BITRATE"));
  PageControl1->addTab(CreateVideoLengthTab(), QStringLiteral("VIDEO LENGTH"));
  PageControl1->setCurrentIndex(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(PageControl1);
  FormCreate();
}

QWidget* TPWindow2::CreateBitrateTab() {
  auto* tab = new QWidget;
  constexpr int kNoLimit = std::numeric_limits<int>::max();
  const RateFields initial;
  Bps = SpinEdit("Bps", -kNoLimit, kNoLimit, 400, static_cast<int>(initial.bps), tab);
  KBps = SpinEdit("KBps", -kNoLimit, kNoLimit, 1, static_cast<int>(initial.kbps), tab);
  MBps = SpinEdit("MBps", -kNoLimit, kNoLimit, 1, static_cast<int>(initial.mbps), tab);
  auto* rates = new QGridLayout;
  const std::pair<QSpinBox*, const char*> rateRows[] = {
      {Bps, "bps"}, {KBps, "Kbps"}, {MBps, "Mpps"}};
  for (int row = 0; row < 3; ++row) {
    rates->addWidget(rateRows[row].first, row, 0);
    rates->addWidget(new QLabel(QString::fromLatin1(rateRows[row].second), tab), row, 1);
  }

  auto* audio = new QGroupBox(QStringLiteral("Additional audiostream bitrate"), tab);
  Abitrate = SpinEdit("Abitrate", 0, 1024, 32, static_cast<int>(kInitialAudioKbps), audio);
  auto* audioLayout = new QHBoxLayout(audio);
  audioLayout->addWidget(Abitrate, 1);
  audioLayout->addWidget(new QLabel(QStringLiteral("Kbps"), audio));

  bytes = Named(new QLabel(tab), "bytes");
  kbytes = Named(new QLabel(tab), "kbytes");
  mbytes = Named(new QLabel(tab), "mbytes");
  auto* amounts = new QGridLayout;
  const std::pair<QLabel*, const char*> amountRows[] = {
      {bytes, "Byte/sec"}, {kbytes, "KByte/sec"}, {mbytes, "MByte/sec"}};
  for (int row = 0; row < 3; ++row) {
    amountRows[row].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amountRows[row].first->setMinimumWidth(80);
    amounts->addWidget(amountRows[row].first, row, 0);
    amounts->addWidget(new QLabel(QString::fromLatin1(amountRows[row].second), tab), row, 1);
  }

  auto* compliance = new QGroupBox(QStringLiteral("Compliance"), tab);
  Label1 = Named(new QLabel(compliance), "Label1");
  Label1->setAlignment(Qt::AlignCenter);
  auto* complianceLayout = new QVBoxLayout(compliance);
  complianceLayout->addWidget(Label1);

  auto* media = new QGroupBox(QStringLiteral("Media"), tab);
  auto* mediaLayout = new QGridLayout(media);
  QLabel** times[kCustomMedium] = {&cd74, &cd80, &dram, &drom39, &drom};
  const char* names[kCustomMedium] = {"cd74", "cd80", "dram", "drom39", "drom"};
  for (int row = 0; row < kCustomMedium; ++row) {
    const MediaRow& medium = kBitrateMediaRows[row];
    mediaLayout->addWidget(new QLabel(QString::fromLatin1(medium.text), media), row, 0);
    mediaLayout->addWidget(new QLabel(QString::fromLatin1(medium.fileSystem), media), row, 1);
    QLabel*& time = *times[medium.medium];
    time = Named(new QLabel(media), names[medium.medium]);
    time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    time->setMinimumWidth(70);
    mediaLayout->addWidget(time, row, 2);
  }

  auto* left = new QVBoxLayout;
  left->addLayout(rates);
  left->addWidget(audio);
  left->addLayout(amounts);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(compliance);
  right->addWidget(media);
  right->addStretch();
  auto* layout = new QHBoxLayout(tab);
  layout->addLayout(left);
  layout->addLayout(right, 1);

  connect(Bps, &QSpinBox::valueChanged, this, &TPWindow2::BpsChange);
  connect(KBps, &QSpinBox::valueChanged, this, &TPWindow2::KBpsChange);
  connect(MBps, &QSpinBox::valueChanged, this, &TPWindow2::MBpsChange);
  connect(Abitrate, &QSpinBox::valueChanged, this, &TPWindow2::calcresult);
  return tab;
}

QWidget* TPWindow2::CreateVideoLengthTab() {
  auto* tab = new QWidget;
  const VideoLengthInputs initial;
  VLCB = SpinEdit("VLCB", 1, 1000, 1, initial.minutes, tab);
  Akbps = SpinEdit("Akbps", 0, 4096, 32, initial.audioKbps, tab);
  SubTit = SpinEdit("SubTit", 0, 32, 1, initial.subtitles, tab);
  AddV = new QLineEdit(QString::number(initial.extraMegabytes), tab);
  AddV->setObjectName(QStringLiteral("AddV"));
  AddV->setAlignment(Qt::AlignRight);
  resCB = new QComboBox(tab);
  resCB->setObjectName(QStringLiteral("resCB"));
  for (const Resolution& resolution : kResolutions) {
    resCB->addItem(QString::fromLatin1(resolution.text));
  }
  auto* inputs = new QGridLayout;
  const std::tuple<const char*, QWidget*, const char*> inputRows[] = {
      {"Video length:", VLCB, "minutes"},
      {"Audio bitrate:", Akbps, "Kbps"},
      {"Num of subtitles:", SubTit, "Channel(s)"},
      {"Additional data:", AddV, "MByte"},
  };
  int row = 0;
  for (const auto& [label, field, unit] : inputRows) {
    inputs->addWidget(new QLabel(QString::fromLatin1(label), tab), row, 0);
    inputs->addWidget(field, row, 1);
    inputs->addWidget(new QLabel(QString::fromLatin1(unit), tab), row, 2);
    ++row;
  }
  inputs->addWidget(new QLabel(QStringLiteral("Res:"), tab), row, 0);
  inputs->addWidget(resCB, row, 1, 1, 2);

  auto* mediaType = new QGroupBox(QStringLiteral("Media type"), tab);
  MediaCB = new QComboBox(mediaType);
  MediaCB->setObjectName(QStringLiteral("MediaCB"));
  for (const char* text : kMediaTexts) MediaCB->addItem(QString::fromLatin1(text));
  NumDiscs = SpinEdit("NumDiscs", 1, 100, 1, initial.discs, mediaType);
  Csp = SpinEdit("Csp", 1, 20000, 1, initial.customMegabytes, mediaType);
  auto* mediaLayout = new QGridLayout(mediaType);
  mediaLayout->addWidget(MediaCB, 0, 0, 1, 3);
  mediaLayout->addWidget(new QLabel(QStringLiteral("Number of discs:"), mediaType), 1, 0);
  mediaLayout->addWidget(NumDiscs, 1, 1);
  mediaLayout->addWidget(new QLabel(QStringLiteral("pcs"), mediaType), 1, 2);
  mediaLayout->addWidget(new QLabel(QStringLiteral("Custom size:"), mediaType), 2, 0);
  mediaLayout->addWidget(Csp, 2, 1);
  mediaLayout->addWidget(new QLabel(QStringLiteral("MByte"), mediaType), 2, 2);

  TB1 = new QSlider(Qt::Horizontal, tab);
  TB1->setObjectName(QStringLiteral("TB1"));
  TB1->setRange(0, 100);
  TB1->setValue(initial.complexity);
  TB2 = new QSlider(Qt::Horizontal, tab);
  TB2->setObjectName(QStringLiteral("TB2"));
  TB2->setRange(0, 40);
  TB2->setValue(initial.quality);

  CGb = Gauge("CGb", QColor(0, 0, 128), nullptr, tab);
  Cg3 = Gauge("Cg3", Qt::red, kQualityGauges[2].hint, tab);
  Cg2 = Gauge("Cg2", Qt::yellow, kQualityGauges[1].hint, tab);
  Cg1 = Gauge("Cg1", Qt::green, kQualityGauges[0].hint, tab);
  // The stacked gauges share the height in proportion to their ranges: one scale of 0 to 100.
  auto* quality = new QVBoxLayout;
  quality->setSpacing(0);
  quality->addWidget(Cg3, 45);
  quality->addWidget(Cg2, 25);
  quality->addWidget(Cg1, 30);
  auto* gauges = new QGridLayout;
  gauges->addWidget(new QLabel(QStringLiteral("B"), tab), 0, 0, Qt::AlignHCenter);
  gauges->addWidget(new QLabel(QStringLiteral("Q"), tab), 0, 1, Qt::AlignHCenter);
  gauges->addWidget(CGb, 1, 0);
  gauges->addLayout(quality, 1, 1);
  gauges->setRowStretch(1, 1);

  Panel6 = Named(new QLabel(tab), "Panel6");
  Panel6->setToolTip(QStringLiteral("Suggested bitrate (Kbps)"));
  Panel6->setAlignment(Qt::AlignCenter);
  Panel6->setAutoFillBackground(true);
  QPalette black = Panel6->palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  Panel6->setPalette(black);
  QFont large = Panel6->font();
  large.setBold(true);
  large.setPointSize(large.pointSize() + 4);
  Panel6->setFont(large);
  Panel6->setMinimumHeight(32);

  auto* left = new QVBoxLayout;
  left->addLayout(inputs);
  left->addWidget(mediaType);
  left->addWidget(SliderGroup(QStringLiteral("Average picture complexity"), TB1, tab));
  left->addWidget(SliderGroup(QStringLiteral("Encoder's quality"), TB2, tab));
  left->addWidget(Panel6);
  auto* layout = new QHBoxLayout(tab);
  layout->addLayout(left, 1);
  layout->addLayout(gauges);

  for (QSpinBox* spin : {VLCB, Akbps, NumDiscs, SubTit}) {
    connect(spin, &QSpinBox::valueChanged, this, &TPWindow2::ShowCGauges);
  }
  connect(Csp, &QSpinBox::valueChanged, this, &TPWindow2::ShowCGauges);
  connect(resCB, &QComboBox::currentIndexChanged, this, &TPWindow2::ShowCGauges);
  connect(MediaCB, &QComboBox::currentIndexChanged, this, &TPWindow2::ShowCGauges);
  connect(TB1, &QSlider::valueChanged, this, &TPWindow2::ShowCGauges);
  connect(TB2, &QSlider::valueChanged, this, &TPWindow2::ShowCGauges);
  connect(AddV, &QLineEdit::textChanged, this, &TPWindow2::AddVChange);
  return tab;
}

void TPWindow2::FormCreate() {
  const VideoLengthInputs initial;
  resCB->setCurrentIndex(initial.resolution);
  MediaCB->setCurrentIndex(initial.medium);
  ShowCGauges();
  calcresult();
}

void TPWindow2::BpsChange() {
  if (!bpsFlag_) return;
  kbpsFlag_ = mbpsFlag_ = false;
  const RateFields rates = tessivo::BpsChange(Bps->value(), kiloBase_);
  KBps->setValue(static_cast<int>(rates.kbps));
  MBps->setValue(static_cast<int>(rates.mbps));
  kbpsFlag_ = mbpsFlag_ = true;
  calcresult();
}

void TPWindow2::KBpsChange() {
  if (!kbpsFlag_) return;
  bpsFlag_ = mbpsFlag_ = false;
  const RateFields rates = tessivo::KBpsChange(KBps->value(), kiloBase_);
  Bps->setValue(static_cast<int>(rates.bps));
  MBps->setValue(static_cast<int>(rates.mbps));
  bpsFlag_ = mbpsFlag_ = true;
  calcresult();
}

void TPWindow2::MBpsChange() {
  if (!mbpsFlag_) return;
  bpsFlag_ = kbpsFlag_ = false;
  const RateFields rates = tessivo::MBpsChange(MBps->value(), kiloBase_);
  Bps->setValue(static_cast<int>(rates.bps));
  KBps->setValue(static_cast<int>(rates.kbps));
  bpsFlag_ = kbpsFlag_ = true;
  calcresult();
}

void TPWindow2::calcresult() {
  const BitrateResult result = tessivo::calcresult(Bps->value(), Abitrate->value(), kiloBase_);
  bytes->setText(QString::fromStdString(result.bytes));
  kbytes->setText(QString::fromStdString(result.kbytes));
  mbytes->setText(QString::fromStdString(result.mbytes));
  Label1->setText(QString::fromStdString(result.compliance));
  QLabel* const times[kCustomMedium] = {cd74, cd80, dram, drom39, drom};
  for (int medium = 0; medium < kCustomMedium; ++medium) {
    times[medium]->setText(QString::fromStdString(result.playingTimes[medium]));
  }
}

void TPWindow2::ShowCGauges() {
  VideoLengthInputs inputs;
  inputs.minutes = VLCB->value();
  inputs.audioKbps = Akbps->value();
  inputs.subtitles = SubTit->value();
  inputs.extraMegabytes = tessivo::AddVChange(AddV->text().toStdString()).megabytes;
  inputs.resolution = resCB->currentIndex();
  inputs.medium = MediaCB->currentIndex();
  inputs.discs = NumDiscs->value();
  inputs.customMegabytes = Csp->value();
  inputs.complexity = TB1->value();
  inputs.quality = TB2->value();
  const VideoLengthResult result = tessivo::ComputeVideoLength(inputs, kiloBase_);
  ShowOnGauge(CGb, result.videoKbps, 0, kRateGaugeMaximum);
  if (result.quality) {
    TCGauge* const quality[3] = {Cg1, Cg2, Cg3};
    for (int i = 0; i < 3; ++i) {
      ShowOnGauge(quality[i], *result.quality, kQualityGauges[i].minimum,
                  kQualityGauges[i].maximum);
    }
  }
  Panel6->setText(QString::fromStdString(result.suggested));
}

void TPWindow2::AddVChange() {
  if (AddV->text() == QLatin1String("0")) return;
  if (tessivo::AddVChange(AddV->text().toStdString()).replaced) {
    AddV->setText(QStringLiteral("0"));
    return;
  }
  ShowCGauges();
}

}  // namespace tessivo::view
