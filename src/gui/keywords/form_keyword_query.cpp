#include "gui/keywords/form_keyword_query.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/base/text_codec.h"
#include "gui/common/file_choosers.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "stats/keyness.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 101;

QString chooseReference(const FileChoosers& choosers, QWidget* parent) {
  if (choosers.Reference) return choosers.Reference(parent);
  return QFileDialog::getOpenFileName(
      parent, QStringLiteral("Reference corpus"), QString(),
      QStringLiteral("Reference corpora (*.ctl *.CTL *.cfl *.CFL *.txt *.TXT *.tsv);;"
                     "List files (*.ctl *.CTL *.cfl *.CFL);;Text files (*.txt *.TXT *.tsv);;"
                     "All files (*)"));
}

}  // namespace

TFormKeywordQuery::TFormKeywordQuery(HelpDesk& help, const FileChoosers& choosers, QWidget* parent)
    : QDialog(parent), choosers_(choosers) {
  setObjectName(QStringLiteral("FormKeywordQuery"));
  setWindowTitle(QStringLiteral("Keyword list"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  EditReference = new QLineEdit(this);
  EditReference->setObjectName(QStringLiteral("EditReference"));
  EditReference->setAccessibleName(QStringLiteral("Reference corpus"));
  EditReference->setMinimumWidth(280);
  ButtonBrowse = new QPushButton(QStringLiteral("Browse..."), this);
  ButtonBrowse->setObjectName(QStringLiteral("ButtonBrowse"));
  ButtonBrowse->setAccessibleName(QStringLiteral("Browse for the reference corpus"));
  connect(ButtonBrowse, &QPushButton::clicked, this, &TFormKeywordQuery::ButtonBrowseClick);
  auto* reference = new QHBoxLayout;
  reference->addWidget(EditReference);
  reference->addWidget(ButtonBrowse);

  auto* kinds = new QGroupBox(QStringLiteral("Keywords"), this);
  kinds->setObjectName(QStringLiteral("GroupKeywords"));
  kinds->setAccessibleName(kinds->title());
  RadioPositive = new QRadioButton(QStringLiteral("Positive (more frequent here)"), kinds);
  RadioPositive->setObjectName(QStringLiteral("RadioPositive"));
  RadioNegative = new QRadioButton(QStringLiteral("Negative (less frequent here)"), kinds);
  RadioNegative->setObjectName(QStringLiteral("RadioNegative"));
  RadioBoth = new QRadioButton(QStringLiteral("Both"), kinds);
  RadioBoth->setObjectName(QStringLiteral("RadioBoth"));
  auto* kindsLayout = new QVBoxLayout(kinds);
  for (QRadioButton* r : {RadioPositive, RadioNegative, RadioBoth}) {
    r->setAccessibleName(r->text());
    kindsLayout->addWidget(r);
  }
  RadioPositive->setChecked(true);

  ComboSignificance = new QComboBox(this);
  ComboSignificance->setObjectName(QStringLiteral("ComboSignificance"));
  ComboSignificance->setAccessibleName(QStringLiteral("Significance"));
  for (const stats::SignificanceLevel& level : stats::kSignificanceLevels)
    ComboSignificance->addItem(
        QStringLiteral("p < %1 (LL \u2265 %2)")
            .arg(QLatin1String(level.p.data(), static_cast<int>(level.p.size())))
            .arg(level.critical, 0, 'f', 2),
        level.critical);
  ComboSignificance->addItem(QStringLiteral("No limit"), -1.0);
  SpinMinFrequency = new QSpinBox(this);
  SpinMinFrequency->setObjectName(QStringLiteral("SpinMinFrequency"));
  SpinMinFrequency->setAccessibleName(QStringLiteral("Minimum frequency"));
  SpinMinFrequency->setRange(0, 2147483647);
  SpinMinFrequency->setValue(1);
  ComboSort = new QComboBox(this);
  ComboSort->setObjectName(QStringLiteral("ComboSort"));
  ComboSort->setAccessibleName(QStringLiteral("Sort by"));
  ComboSort->addItems({QStringLiteral("Log-likelihood"), QStringLiteral("Log Ratio (its size)"),
                       QStringLiteral("Word")});
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Reference corpus:"), reference);
  fields->addRow(QStringLiteral("Significance:"), ComboSignificance);
  fields->addRow(QStringLiteral("Minimum frequency:"), SpinMinFrequency);
  fields->addRow(QStringLiteral("Sort by:"), ComboSort);

  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonOK->setEnabled(false);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonHelp = new QPushButton(QStringLiteral("Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  for (QPushButton* b : {ButtonOK, ButtonCancel, ButtonHelp}) b->setAccessibleName(b->text());
  // No reference, no list.
  connect(EditReference, &QLineEdit::textChanged, this,
          [this](const QString& text) { ButtonOK->setEnabled(!text.trimmed().isEmpty()); });
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(kinds);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(buttons);
}

void TFormKeywordQuery::ButtonBrowseClick() {
  const QString path = chooseReference(choosers_, this);
  if (!path.isEmpty()) EditReference->setText(path);
}

keywords::KeywordOptions TFormKeywordQuery::Options() const {
  keywords::KeywordOptions options;
  options.Positive = !RadioNegative->isChecked();
  options.Negative = !RadioPositive->isChecked();
  const double critical = ComboSignificance->currentData().toDouble();
  if (critical < 0)
    options.MinLogLikelihood.reset();
  else
    options.MinLogLikelihood = critical;
  options.MinFrequency = SpinMinFrequency->value();
  options.Sort = static_cast<keywords::KeywordSort>(ComboSort->currentIndex());
  return options;
}

std::string TFormKeywordQuery::ReferencePath() const {
  return ToPath(EditReference->text().trimmed());
}

}  // namespace lexvane::gui
