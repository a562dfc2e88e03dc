#include "gui/frequency/form_sort_word_freq.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "gui/base/choice_dialog.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 24;

}  // namespace

TFormSortWordFreq::TFormSortWordFreq(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSortWordFreq"));
  setWindowTitle(QStringLiteral("Sort"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  const ChoiceDialogParts parts = BuildChoiceDialog(
      this, QStringLiteral("Sort"),
      {"alphabetically", "by frequency", "in retrograde order", "by word classes"}, Items,
      [&help] { help.Show(kHelpContext); });
  RadioGroup1 = parts.group;
  group_ = parts.choice;
  Button1 = parts.ok;
  Button2 = parts.cancel;
  ButtonHelp = parts.help;
}

int TFormSortWordFreq::ItemIndex() const {
  return group_->checkedId();
}

void TFormSortWordFreq::SetItemIndex(int index) {
  if (index >= 0 && index < 4) Items[index]->setChecked(true);
}

}  // namespace lexvane::gui
