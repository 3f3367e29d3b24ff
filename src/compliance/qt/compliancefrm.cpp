#include "compliance/qt/compliancefrm.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/qt/result_notice.h"
#include "buffer/vbv_model.h"
#include "compliance/compliance_text.h"

namespace tessivo::view {

namespace {

constexpr int kPictureRole = Qt::UserRole;
const QColor kPassColour(0, 128, 0);
const QColor kFailColour(192, 0, 0);

QTableWidgetItem* Item(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

TComplianceFrm::TComplianceFrm(const AnalysisContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("ComplianceFrm"));
  setWindowTitle(QStringLiteral("Compliance"));

  auto* top = new QWidget(this);
  ComboBox1 = new QComboBox(top);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  for (const ComplianceProfile& profile : ComplianceProfiles()) {
    ComboBox1->addItem(QString::fromLatin1(profile.name), QString::fromLatin1(profile.id));
  }
  Verdict = new QLabel(top);
  Verdict->setObjectName(QStringLiteral("Verdict"));
  auto* topRow = new QHBoxLayout(top);
  topRow->setContentsMargins(4, 4, 4, 4);
  topRow->addWidget(new QLabel(QStringLiteral("Profile:"), top));
  topRow->addWidget(ComboBox1);
  topRow->addWidget(Verdict, 1);

  Notice = new TResultNotice(this);

  Rules = new QTableWidget(0, 3, this);
  Rules->setObjectName(QStringLiteral("Rules"));
  Rules->setHorizontalHeaderLabels(
      {QStringLiteral("Rule"), QStringLiteral("Result"), QStringLiteral("Where")});
  Rules->verticalHeader()->hide();
  Rules->setSelectionBehavior(QAbstractItemView::SelectRows);
  Rules->setSelectionMode(QAbstractItemView::SingleSelection);
  Rules->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Rules->horizontalHeader()->setStretchLastSection(true);
  Rules->setWordWrap(false);
  Rules->verticalHeader()->setDefaultSectionSize(Rules->fontMetrics().height() + 4);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(Notice);
  layout->addWidget(Rules, 1);

  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { Check(); });
  connect(Rules, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { RowDoubleClicked(row); });
  resize(640, 480);
}

void TComplianceFrm::SetReanalyse(std::function<void()> reanalyse) {
  Notice->SetReanalyse(std::move(reanalyse));
}

QFrame* TComplianceFrm::notice() const {
  return Notice;
}

void TComplianceFrm::showEvent(QShowEvent* event) {
  Check();
  QDialog::showEvent(event);
}

void TComplianceFrm::Check() {
  const int index = ComboBox1->currentIndex();
  if (index < 0) return;
  const ComplianceProfile& profile = ComplianceProfiles()[static_cast<size_t>(index)];
  const RecordStores& stores = context_.stores();
  const VbvResult vbv = SimulateVbv(stores);
  report_ = CheckCompliance(profile,
                            {stores, context_.secondsRead(), context_.settings().kiloBase, &vbv});

  Rules->setRowCount(0);
  for (const RuleResult& rule : report_.rules) {
    const int row = Rules->rowCount();
    Rules->insertRow(row);
    Rules->setItem(row, 0, Item(QString::fromLatin1(rule.rule->name)));
    auto* outcome = Item(QString::fromLatin1(OutcomeText(rule.outcome)));
    if (rule.outcome == RuleOutcome::kPass) outcome->setForeground(kPassColour);
    if (rule.outcome == RuleOutcome::kFail) outcome->setForeground(kFailColour);
    Rules->setItem(row, 1, outcome);
    QString where = QString::fromStdString(rule.note);
    if (rule.failureCount > rule.failures.size()) {
      where = QStringLiteral("%1 failures, the first %2 listed")
                  .arg(rule.failureCount)
                  .arg(rule.failures.size());
    }
    Rules->setItem(row, 2, Item(where));
    for (const RuleFailure& failure : rule.failures) {
      const int failureRow = Rules->rowCount();
      Rules->insertRow(failureRow);
      Rules->setItem(failureRow, 0, Item(QString()));
      auto* failed = Item(QStringLiteral("fail"));
      failed->setForeground(kFailColour);
      Rules->setItem(failureRow, 1, failed);
      auto* place = Item(QString::fromStdString(FailureText(failure)));
      place->setData(kPictureRole, failure.picture);
      if (failure.picture != kNoPicture) {
        place->setToolTip(QStringLiteral("Double-click to show the picture"));
      }
      Rules->setItem(failureRow, 2, place);
    }
  }
  Rules->resizeColumnsToContents();
  Verdict->setText(QString::fromStdString(ReportVerdict(report_)));
  const bool missingFacts = context_.dataLoaded() && !stores.pictureFactsAvailable;
  Notice->ShowFor(missingFacts,
                  QStringLiteral("A result file keeps no per-picture facts: the rules that need "
                                 "them are not checked until the stream is analysed again."));
}

uint32_t TComplianceFrm::PictureOfRow(const QTableWidget& table, int row) {
  const QTableWidgetItem* place = table.item(row, 2);
  if (place == nullptr) return kNoPicture;
  const QVariant picture = place->data(kPictureRole);
  return picture.isValid() ? picture.toUInt() : kNoPicture;
}

void TComplianceFrm::RowDoubleClicked(int row) {
  const uint32_t picture = PictureOfRow(*Rules, row);
  if (picture != kNoPicture && jump_) jump_(picture);
}

}  // namespace tessivo::view
