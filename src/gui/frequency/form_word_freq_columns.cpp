#include "gui/frequency/form_word_freq_columns.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/named_control.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 112;

}  // namespace

TFormWordFreqColumns::TFormWordFreqColumns(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormWordFreqColumns"));
  setWindowTitle(QStringLiteral("Word Frequency Columns"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  CheckBoxRange = Named(
      new QCheckBox(QStringLiteral("&Range: the number of files in which the word occurs"), this),
      "CheckBoxRange");
  CheckBoxDP =
      Named(new QCheckBox(QStringLiteral("&DP: how unevenly the word spreads over the files "
                                         "(Gries's deviation of proportions, 0 even to 1 clumped)"),
                          this),
            "CheckBoxDP");
  LabelNote = Named(new QLabel(QStringLiteral("Lists built from now on count the chosen columns; "
                                              "a list counted without them is counted again."),
                               this),
                    "LabelNote", QStringLiteral("Note"));
  LabelNote->setWordWrap(true);

  ButtonOK = Named(new QPushButton(QStringLiteral("OK"), this), "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "ButtonCancel");
  ButtonHelp = Named(new QPushButton(QStringLiteral("Help"), this), "ButtonHelp");
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* choices = new QVBoxLayout;
  choices->addWidget(CheckBoxRange);
  choices->addWidget(CheckBoxDP);
  choices->addSpacing(6);
  choices->addWidget(LabelNote);
  choices->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(choices, 1);
  layout->addLayout(buttons);
  resize(440, sizeHint().height());
}

bool TFormWordFreqColumns::Range() const {
  return CheckBoxRange->isChecked();
}

bool TFormWordFreqColumns::DP() const {
  return CheckBoxDP->isChecked();
}

bool TFormWordFreqColumns::Choose() {
  const bool range = Range(), dp = DP();
  if (exec() == QDialog::Accepted) return true;
  CheckBoxRange->setChecked(range);
  CheckBoxDP->setChecked(dp);
  return false;
}

}  // namespace lexvane::gui
