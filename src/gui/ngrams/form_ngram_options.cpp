#include "gui/ngrams/form_ngram_options.h"

#include <limits>

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/common/ngram_help.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, const QString& accessibleName, int low, int high,
               int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setAccessibleName(accessibleName);
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

TFormNGramOptions::TFormNGramOptions(HelpDesk& help, Kind kind, QWidget* parent)
    : QDialog(parent), kind_(kind) {
  const bool clusters = kind == Kind::Clusters;
  const int helpContext = clusters ? kClusterOptionsHelpContext : kNGramOptionsHelpContext;
  setObjectName(clusters ? QStringLiteral("FormClusterOptions")
                         : QStringLiteral("FormNGramOptions"));
  setWindowTitle(clusters ? QStringLiteral("Clusters") : QStringLiteral("N-gram List"));
  SetModalBesideHelp(this);
  SetHelpContext(this, helpContext);

  auto* lengths = new QGroupBox(QStringLiteral("Words in a sequence"), this);
  lengths->setObjectName(QStringLiteral("GroupBoxLength"));
  SpinMinLength = spin(lengths, "SpinMinLength", QStringLiteral("Fewest words"),
                       ngrams::kShortestLength, ngrams::kLongestLength, 2);
  SpinMaxLength = spin(lengths, "SpinMaxLength", QStringLiteral("Most words"),
                       ngrams::kShortestLength, ngrams::kLongestLength, clusters ? 4 : 3);
  auto* lengthRow = new QHBoxLayout(lengths);
  lengthRow->addWidget(new QLabel(QStringLiteral("From"), lengths));
  lengthRow->addWidget(SpinMinLength);
  lengthRow->addWidget(new QLabel(QStringLiteral("to"), lengths));
  lengthRow->addWidget(SpinMaxLength);
  lengthRow->addStretch();
  // The two ends stay in order whichever one moves.
  connect(SpinMinLength, &QSpinBox::valueChanged, this, [this](int v) {
    if (SpinMaxLength->value() < v) SpinMaxLength->setValue(v);
  });
  connect(SpinMaxLength, &QSpinBox::valueChanged, this, [this](int v) {
    if (SpinMinLength->value() > v) SpinMinLength->setValue(v);
  });

  constexpr int kMost = std::numeric_limits<int>::max();
  SpinMinFrequency =
      spin(this, "SpinMinFrequency", QStringLiteral("Minimum frequency"), 1, kMost, 1);
  SpinMinRange = spin(this, "SpinMinRange", QStringLiteral("Minimum range"), 1, kMost, 1);
  auto* filters = new QFormLayout;
  filters->addRow(QStringLiteral("Minimum frequency:"), SpinMinFrequency);
  filters->addRow(QStringLiteral("Minimum range (files):"), SpinMinRange);

  auto* options = new QVBoxLayout;
  options->addWidget(lengths);
  options->addLayout(filters);
  if (clusters) {
    RadioGroupSide = new QGroupBox(QStringLiteral("Keyword"), this);
    RadioGroupSide->setObjectName(QStringLiteral("RadioGroupSide"));
    RadioGroupSide->setAccessibleName(QStringLiteral("Keyword"));
    RadioLeft =
        new QRadioButton(QStringLiteral("on the left (clusters start with it)"), RadioGroupSide);
    RadioLeft->setObjectName(QStringLiteral("RadioLeft"));
    RadioRight =
        new QRadioButton(QStringLiteral("on the right (clusters end with it)"), RadioGroupSide);
    RadioRight->setObjectName(QStringLiteral("RadioRight"));
    for (QRadioButton* r : {RadioLeft, RadioRight}) r->setAccessibleName(r->text());
    RadioLeft->setChecked(true);
    auto* sides = new QVBoxLayout(RadioGroupSide);
    sides->addWidget(RadioLeft);
    sides->addWidget(RadioRight);
    options->addWidget(RadioGroupSide);
  } else {
    CheckBoxCrossSentences = new QCheckBox(QStringLiteral("Across sentence ends"), this);
    CheckBoxCrossSentences->setObjectName(QStringLiteral("CheckBoxCrossSentences"));
    CheckBoxCrossSentences->setAccessibleName(CheckBoxCrossSentences->text());
    options->addWidget(CheckBoxCrossSentences);
  }
  options->addStretch();

  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonHelp = new QPushButton(QStringLiteral("Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  for (QPushButton* b : {ButtonOK, ButtonCancel, ButtonHelp}) b->setAccessibleName(b->text());
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this,
          [&help, helpContext] { help.Show(helpContext); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addLayout(buttons);
}

ngrams::NGramOptions TFormNGramOptions::Options() const {
  ngrams::NGramOptions options;
  options.minLength = SpinMinLength->value();
  options.maxLength = SpinMaxLength->value();
  options.minFrequency = SpinMinFrequency->value();
  options.minRange = SpinMinRange->value();
  options.crossSentences = CheckBoxCrossSentences != nullptr && CheckBoxCrossSentences->isChecked();
  return options;
}

ngrams::ClusterSide TFormNGramOptions::Side() const {
  return RadioRight != nullptr && RadioRight->isChecked() ? ngrams::ClusterSide::Right
                                                          : ngrams::ClusterSide::Left;
}

void TFormNGramOptions::SetOptions(const ngrams::NGramOptions& options) {
  SpinMaxLength->setValue(ngrams::kLongestLength);
  SpinMinLength->setValue(options.minLength);
  SpinMaxLength->setValue(options.maxLength);
  SpinMinFrequency->setValue(static_cast<int>(options.minFrequency));
  SpinMinRange->setValue(static_cast<int>(options.minRange));
  if (CheckBoxCrossSentences != nullptr) CheckBoxCrossSentences->setChecked(options.crossSentences);
}

void TFormNGramOptions::SetSide(ngrams::ClusterSide side) {
  if (RadioLeft == nullptr) return;
  (side == ngrams::ClusterSide::Right ? RadioRight : RadioLeft)->setChecked(true);
}

}  // namespace lexvane::gui
