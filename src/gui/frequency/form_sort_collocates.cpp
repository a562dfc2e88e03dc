#include "gui/frequency/form_sort_collocates.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "frequency/colloc_table.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 22;

QRadioButton* radio(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(button->text());
  return button;
}

QSpinBox* positionField(const char* name, const QString& accessibleName, QWidget* parent) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setAccessibleName(accessibleName);
  field->setRange(1, frequency::kPositions);
  field->setValue(1);
  return field;
}

}  // namespace

TFormSortCollocates::TFormSortCollocates(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSortCollocates"));
  setWindowTitle(QStringLiteral("Sort"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  Label1 = new QLabel(QStringLiteral("Sort according to:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  RadioButtonLeftWord = radio("RadioButtonLeftWord", "Column with collocates", this);
  RadioButtonLeftWord->setChecked(true);
  RadioButtonLeftCol = radio("RadioButtonLeftCol", "Left frequency column number:", this);
  SpinEdit1 = positionField("SpinEdit1", RadioButtonLeftCol->text(), this);
  RadioButtonMiddleCol = radio("RadioButtonMiddleCol", "Column with nodes", this);
  RadioButtonRightCol = radio("RadioButtonRightCol", "Right frequency column number:", this);
  SpinEdit2 = positionField("SpinEdit2", RadioButtonRightCol->text(), this);
  RadioButtonTotals = radio("RadioButtonTotals", "Column with totals", this);
  connect(SpinEdit1, &QSpinBox::valueChanged, RadioButtonLeftCol,
          [this] { RadioButtonLeftCol->setChecked(true); });
  connect(SpinEdit2, &QSpinBox::valueChanged, RadioButtonRightCol,
          [this] { RadioButtonRightCol->setChecked(true); });

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

  auto* choices = new QGridLayout;
  choices->addWidget(Label1, 0, 0, 1, 2);
  choices->addWidget(RadioButtonLeftWord, 1, 0, 1, 2);
  choices->addWidget(RadioButtonLeftCol, 2, 0);
  choices->addWidget(SpinEdit1, 2, 1);
  choices->addWidget(RadioButtonMiddleCol, 3, 0, 1, 2);
  choices->addWidget(RadioButtonRightCol, 4, 0);
  choices->addWidget(SpinEdit2, 4, 1);
  choices->addWidget(RadioButtonTotals, 5, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(choices);
  layout->addLayout(buttons);
}

int TFormSortCollocates::Column() const {
  if (RadioButtonLeftCol->isChecked()) return frequency::LeftColumn(SpinEdit1->value());
  if (RadioButtonMiddleCol->isChecked()) return frequency::kNodeColumn;
  if (RadioButtonRightCol->isChecked()) return frequency::RightColumn(SpinEdit2->value());
  if (RadioButtonTotals->isChecked()) return frequency::kTotalColumn;
  return frequency::kCollocateColumn;
}

}  // namespace lexvane::gui
