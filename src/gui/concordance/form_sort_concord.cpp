#include "gui/concordance/form_sort_concord.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/base/named_control.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 7;

}  // namespace

TFormSortConcord::TFormSortConcord(HelpDesk& help, QWidget* parent) : QDialog(parent), help_(help) {
  Named(this, "FormSortConcord", QStringLiteral("Sort criteria"));
  setWindowTitle(QStringLiteral("Sort criteria"));
  SetModalBesideHelp(this);

  auto* primary = Named(new QGroupBox(QStringLiteral("Primary key"), this), "GroupBox2",
                        QStringLiteral("Primary key"));
  CheckBoxReverseSort = Named(new QCheckBox(QStringLiteral("Retrograde sort"), primary),
                              "CheckBoxReverseSort", QStringLiteral("Retrograde sort"));
  auto* primaryLayout = new QVBoxLayout(primary);
  primaryLayout->addWidget(CheckBoxReverseSort);

  auto* secondary = Named(new QGroupBox(QStringLiteral("Secondary key"), this), "GroupBox1",
                          QStringLiteral("Secondary key"));
  RadioButtonLeftPart = Named(new QRadioButton(QStringLiteral("left part of sentence"), secondary),
                              "RadioButtonLeftPart", QStringLiteral("left part of sentence"));
  RadioButtonRightPart =
      Named(new QRadioButton(QStringLiteral("right part of sentence"), secondary),
            "RadioButtonRightPart", QStringLiteral("right part of sentence"));
  RadioButtonLeftPart->setChecked(true);
  auto* wordLabel = Named(new QLabel(QStringLiteral("Sort according word number:"), secondary),
                          "LabelWord", QStringLiteral("Sort according word number:"));
  SpinEditWord =
      Named(new QSpinBox(secondary), "SpinEditWord", QStringLiteral("Sort according word number"));
  SpinEditWord->setRange(1, 10);
  SpinEditWord->setValue(1);
  wordLabel->setBuddy(SpinEditWord);
  auto* wordRow = new QHBoxLayout;
  wordRow->addWidget(wordLabel);
  wordRow->addWidget(SpinEditWord);
  auto* secondaryLayout = new QVBoxLayout(secondary);
  secondaryLayout->addWidget(RadioButtonLeftPart);
  secondaryLayout->addWidget(RadioButtonRightPart);
  secondaryLayout->addLayout(wordRow);

  Button1 = Named(new QPushButton(QStringLiteral("OK"), this), "Button1", QStringLiteral("OK"));
  Button1->setDefault(true);
  Button2 =
      Named(new QPushButton(QStringLiteral("Cancel"), this), "Button2", QStringLiteral("Cancel"));
  ButtonHelp =
      Named(new QPushButton(QStringLiteral("&Help"), this), "ButtonHelp", QStringLiteral("Help"));
  for (QPushButton* b : {Button2, ButtonHelp}) b->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormSortConcord::ButtonHelpClick);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* groups = new QVBoxLayout;
  groups->addWidget(primary);
  groups->addWidget(secondary);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(groups, 1);
  layout->addLayout(buttons);
}

concordance::SortOptions TFormSortConcord::Options() const {
  concordance::SortOptions options;
  options.Retrograde = CheckBoxReverseSort->isChecked();
  options.RightPart = RadioButtonRightPart->isChecked();
  options.WordNumber = SpinEditWord->value();
  return options;
}

void TFormSortConcord::ButtonHelpClick() {
  help_.Show(kHelpContext);
}

}  // namespace lexvane::gui
