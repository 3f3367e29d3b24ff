#include "tables/qt/fexport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tables/export_formats.h"
#include "tables/qt/error_messages.h"

namespace tessivo::view {

namespace {

// The radio button and save-dialog filter of each export format, in the formats' order.
struct FormatChoice {
  const char* caption;
  const char* filter;
};
constexpr FormatChoice kChoices[kExportFormatCount] = {
    {"Tagged textfile", "Text files (*.txt)"},
    {"Excel sheet", "Excle files (*.xls)"},
    {"Word document", "Word files (*.doc)"},
    {"HTML file", "HTML files (*.htm)"},
};

}  // namespace

TExportFrm::TExportFrm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ExportFrm"));
  setWindowTitle(QStringLiteral("Exporting"));
  auto* GroupBox1 = new QGroupBox(QStringLiteral("Format"), this);
  auto* formats = new QVBoxLayout(GroupBox1);
  QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
  for (int format = 0; format < kExportFormatCount; ++format) {
    auto* radio = new QRadioButton(QString::fromLatin1(kChoices[format].caption), GroupBox1);
    radio->setObjectName(QStringLiteral("RadioButton%1").arg(format + 1));
    formats->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, format] { RadioButtonClick(format); });
    *radios[format] = radio;
  }
  RadioButton1->setChecked(true);

  auto* Label1 = new QLabel(QStringLiteral("Filename:"), this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMinimumWidth(220);
  Button1 = new QPushButton(QStringLiteral("..."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setFixedWidth(28);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));

  auto* name = new QHBoxLayout;
  name->addWidget(Label1);
  name->addWidget(Edit1, 1);
  name->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addLayout(name);
  layout->addWidget(buttons);

  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);

  connect(Button1, &QPushButton::clicked, this, &TExportFrm::Button1Click);
  connect(buttons, &QDialogButtonBox::accepted, this, &TExportFrm::BitBtn1Click);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int TExportFrm::ShowFor(const TTableGrid& grid) {
  CurrentGrid = &grid;
  return exec();
}

void TExportFrm::RadioButtonClick(int format) {
  formatIndex_ = format;
  defaultExtension_ = QString::fromLatin1(kExportFormats[format].extension);
}

void TExportFrm::Button1Click() {
  SaveDialog1->setDefaultSuffix(defaultExtension_.mid(1));
  SaveDialog1->setNameFilter(QString::fromLatin1(kChoices[formatIndex_].filter));
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  Edit1->setText(SaveDialog1->selectedFiles().front());
}

void TExportFrm::BitBtn1Click() {
  if (!Edit1->text().isEmpty() && CurrentGrid) {
    PartialFileWatcher unwatched;
    ShowFailure(this, kExportFormats[formatIndex_].write(CurrentGrid->table(),
                                                         Edit1->text().toStdString(), unwatched));
  }
  accept();
}

}  // namespace tessivo::view
