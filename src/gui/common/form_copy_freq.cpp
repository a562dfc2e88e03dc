#include "gui/common/form_copy_freq.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 23;
// F1 on the Help button opens the concordance copy options' topic.
constexpr int kHelpButtonContext = 6;

QCheckBox* checkBox(const char* name, const char* caption, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(box->text());
  box->setChecked(checked);
  return box;
}

}  // namespace

TFormCopyFreq::TFormCopyFreq(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormCopyFreq"));
  setWindowTitle(QStringLiteral("Copy Options"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  CheckBoxToFile = checkBox("CheckBoxToFile", "Save to a file (instead of Clipboard)", false, this);
  CheckBoxSelectedOnly = checkBox("CheckBoxSelectedOnly", "Copy selected rows only", false, this);
  CheckBoxZeroToSpace =
      checkBox("CheckBoxZeroToSpace", "Store zero (0) as space marker (  )", true, this);
  SaveWordListOnly = checkBox("SaveWordListOnly", "Save the Word List only", false, this);
  Label1 = new QLabel(QStringLiteral("Delimiter:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  EditDelimiter = new QLineEdit(QStringLiteral("|"), this);
  EditDelimiter->setObjectName(QStringLiteral("EditDelimiter"));
  EditDelimiter->setAccessibleName(QStringLiteral("Delimiter:"));
  EditDelimiter->setMaxLength(1);
  EditDelimiter->setMaximumWidth(40);
  Label1->setBuddy(EditDelimiter);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  ButtonHelp = new QPushButton(QStringLiteral("&Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  SetHelpContext(ButtonHelp, kHelpButtonContext);
  for (QPushButton* b : {Button1, Button2, ButtonHelp}) b->setAccessibleName(b->text());
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* options = new QVBoxLayout;
  for (QCheckBox* b : {CheckBoxToFile, CheckBoxSelectedOnly, CheckBoxZeroToSpace, SaveWordListOnly})
    options->addWidget(b);
  auto* delimiter = new QHBoxLayout;
  delimiter->addWidget(Label1);
  delimiter->addWidget(EditDelimiter);
  delimiter->addStretch();
  options->addLayout(delimiter);
  options->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addLayout(buttons);
}

void TFormCopyFreq::ShowOptionsOf(Table table) {
  CheckBoxZeroToSpace->setVisible(table == Table::Colloc);
  SaveWordListOnly->setVisible(table == Table::WordFreq);
  adjustSize();
}

bool TFormCopyFreq::Execute(Table table) {
  ShowOptionsOf(table);
  return exec() == QDialog::Accepted;
}

frequency::CopyOptions TFormCopyFreq::Options(const TextCodec& codec) const {
  frequency::CopyOptions options;
  options.ToFile = CheckBoxToFile->isChecked();
  options.SelectedOnly = CheckBoxSelectedOnly->isChecked();
  options.ZeroToSpace = CheckBoxZeroToSpace->isChecked();
  options.SaveWordListOnly = SaveWordListOnly->isChecked();
  options.Delimiter = codec.Encode(EditDelimiter->text());
  return options;
}

}  // namespace lexvane::gui
