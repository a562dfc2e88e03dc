#include "gui/frequency/form_association.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 100;
constexpr int kMostCount = 2147483647;

// The check box captions: the column heading and what it stands for.
const char* const kMeasureCaptions[stats::kMeasureCount] = {
    "MI (mutual information)", "MI3",     "t-score", "z-score",
    "LL (log-likelihood)",     "logDice", "Dice"};

const char* const kMeasureNames[stats::kMeasureCount] = {
    "CheckBoxMI", "CheckBoxMI3",     "CheckBoxTScore", "CheckBoxZScore",
    "CheckBoxLL", "CheckBoxLogDice", "CheckBoxDice"};

QSpinBox* countField(const char* name, const char* accessible, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QLatin1String(name));
  spin->setAccessibleName(QLatin1String(accessible));
  spin->setRange(0, kMostCount);
  return spin;
}

}  // namespace

TFormAssociation::TFormAssociation(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormAssociation"));
  setWindowTitle(QStringLiteral("Association measures"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  GroupMeasures = new QGroupBox(QStringLiteral("Measures"), this);
  GroupMeasures->setObjectName(QStringLiteral("GroupMeasures"));
  GroupMeasures->setAccessibleName(QStringLiteral("Measures"));
  auto* measures = new QVBoxLayout(GroupMeasures);
  for (int i = 0; i < stats::kMeasureCount; ++i) {
    const stats::Measure m = stats::kAllMeasures[i];
    auto* box = new QCheckBox(QLatin1String(kMeasureCaptions[i]), GroupMeasures);
    box->setObjectName(QLatin1String(kMeasureNames[stats::MeasureIndex(m)]));
    box->setAccessibleName(box->text());
    measures->addWidget(box);
    CheckBoxMeasures[i] = box;
  }
  CheckBoxMeasures[stats::MeasureIndex(stats::Measure::MI)]->setChecked(true);
  CheckBoxMeasures[stats::MeasureIndex(stats::Measure::LogLikelihood)]->setChecked(true);
  CheckBoxMeasures[stats::MeasureIndex(stats::Measure::LogDice)]->setChecked(true);

  auto* window = new QGroupBox(QStringLiteral("Window size (R1)"), this);
  window->setObjectName(QStringLiteral("GroupWindow"));
  window->setAccessibleName(window->title());
  RadioWindowAdjusted =
      new QRadioButton(QStringLiteral("Node rows times the chosen positions"), window);
  RadioWindowAdjusted->setObjectName(QStringLiteral("RadioWindowAdjusted"));
  RadioOncePerHit = new QRadioButton(QStringLiteral("Count each hit once"), window);
  RadioOncePerHit->setObjectName(QStringLiteral("RadioOncePerHit"));
  for (QRadioButton* r : {RadioWindowAdjusted, RadioOncePerHit}) r->setAccessibleName(r->text());
  RadioWindowAdjusted->setChecked(true);
  auto* windowLayout = new QVBoxLayout(window);
  windowLayout->addWidget(RadioWindowAdjusted);
  windowLayout->addWidget(RadioOncePerHit);

  SpinMinO11 = countField("SpinMinO11", "Minimum O11", this);
  SpinMinC1 = countField("SpinMinC1", "Minimum C1", this);
  ComboSortBy = new QComboBox(this);
  ComboSortBy->setObjectName(QStringLiteral("ComboSortBy"));
  ComboSortBy->setAccessibleName(QStringLiteral("Sort by"));
  ComboSortBy->addItem(QStringLiteral("(keep the order)"), -1);
  for (int i = 0; i < stats::kMeasureCount; ++i)
    ComboSortBy->addItem(QLatin1String(kMeasureCaptions[i]), i);
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Minimum O11:"), SpinMinO11);
  fields->addRow(QStringLiteral("Minimum C1:"), SpinMinC1);
  fields->addRow(QStringLiteral("Sort by:"), ComboSortBy);

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
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* left = new QVBoxLayout;
  left->addWidget(window);
  left->addLayout(fields);
  left->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(GroupMeasures);
  layout->addLayout(left);
  layout->addLayout(buttons);
}

frequency::AssociationOptions TFormAssociation::Options() const {
  frequency::AssociationOptions options;
  for (int i = 0; i < stats::kMeasureCount; ++i)
    if (CheckBoxMeasures[i]->isChecked()) options.Measures.push_back(stats::kAllMeasures[i]);
  options.OncePerHit = RadioOncePerHit->isChecked();
  options.MinO11 = SpinMinO11->value();
  options.MinC1 = SpinMinC1->value();
  const int sort = ComboSortBy->currentData().toInt();
  if (sort >= 0) options.SortBy = stats::kAllMeasures[sort];
  return options;
}

void TFormAssociation::SetOptions(const frequency::AssociationOptions& options) {
  for (int i = 0; i < stats::kMeasureCount; ++i) CheckBoxMeasures[i]->setChecked(false);
  for (stats::Measure m : options.Measures)
    CheckBoxMeasures[stats::MeasureIndex(m)]->setChecked(true);
  (options.OncePerHit ? RadioOncePerHit : RadioWindowAdjusted)->setChecked(true);
  SpinMinO11->setValue(static_cast<int>(std::min<std::int64_t>(options.MinO11, kMostCount)));
  SpinMinC1->setValue(static_cast<int>(std::min<std::int64_t>(options.MinC1, kMostCount)));
  ComboSortBy->setCurrentIndex(options.SortBy ? stats::MeasureIndex(*options.SortBy) + 1 : 0);
}

}  // namespace lexvane::gui
