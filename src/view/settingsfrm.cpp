#include "view/settingsfrm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "view/settings_registry.h"

namespace tessivo::view {

TSFrm::TSFrm(bool checkPackStartHdr, uint32_t maxFrames, int kiloBase, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("SFrm"));
  setWindowTitle(QStringLiteral("Settings"));
  CheckBox1 = new QCheckBox(QStringLiteral("Parse packet headers"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  auto* GroupBox1 = new QGroupBox(QStringLiteral("Calculations on"), this);
  RadioButton1 = new QRadioButton(QStringLiteral("1024"), GroupBox1);
  RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
  RadioButton2 = new QRadioButton(QStringLiteral("1000"), GroupBox1);
  RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
  auto* groupLayout = new QHBoxLayout(GroupBox1);
  groupLayout->addWidget(RadioButton1);
  groupLayout->addWidget(RadioButton2);
  auto* Label1 = new QLabel(QStringLiteral("Max. frames:"), this);
  CSpinEdit1 = new QSpinBox(this);
  CSpinEdit1->setObjectName(QStringLiteral("CSpinEdit1"));
  CSpinEdit1->setRange(kSmallestMaxFrames, kLargestMaxFrames);
  CSpinEdit1->setSingleStep(1000);
  CSpinEdit1->setValue(3000);
  Label2 = new QLabel(QStringLiteral("0"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

  auto* frames = new QHBoxLayout;
  frames->addWidget(Label1);
  frames->addWidget(CSpinEdit1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CheckBox1);
  layout->addWidget(GroupBox1);
  layout->addLayout(frames);
  layout->addWidget(Label2);
  layout->addWidget(buttons);

  connect(CSpinEdit1, &QSpinBox::valueChanged, this, &TSFrm::CSpinEdit1Change);
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { settingsChanged_ = true; });
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { settingsChanged_ = true; });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { settingsChanged_ = true; });
  connect(buttons, &QDialogButtonBox::accepted, this, &TSFrm::BitBtn1Click);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // FormCreate: show the values in effect.
  CheckBox1->setChecked(checkPackStartHdr);
  CSpinEdit1->setValue(static_cast<int>(std::min<uint32_t>(maxFrames, 1000000)));
  CSpinEdit1Change();
  (kiloBase == 1024 ? RadioButton1 : RadioButton2)->setChecked(true);
  settingsChanged_ = false;
}

void TSFrm::CSpinEdit1Change() {
  const unsigned v = static_cast<unsigned>(CSpinEdit1->value());
  Label2->setText(QString::asprintf("NTSC: %u, PAL: %u minutes", (v / 30) / 60, (v / 25) / 60));
  settingsChanged_ = true;
}

void TSFrm::BitBtn1Click() {
  RegWriteInteger(SettingsKey, QStringLiteral("CheckPackStartHdr"), CheckBox1->isChecked() ? 1 : 0);
  RegWriteInteger(SettingsKey, QStringLiteral("MaxFramesAllocate"), CSpinEdit1->value());
  RegWriteInteger(SettingsKey, QStringLiteral("CNumber"), RadioButton1->isChecked() ? 1024 : 1000);
  if (settingsChanged_) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessivo"),
                    QStringLiteral("You have to restart this application to make the setting "
                                   "changes effective!"),
                    QMessageBox::Ok, this);
    box.exec();
  }
  accept();
}

}  // namespace tessivo::view
