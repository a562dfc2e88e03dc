#include "gui/keywords/form_sort_keywords.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "gui/base/choice_dialog.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 101;

}  // namespace

TFormSortKeywords::TFormSortKeywords(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSortKeywords"));
  setWindowTitle(QStringLiteral("Sort"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  // In the order of keywords::KeywordSort.
  const ChoiceDialogParts parts =
      BuildChoiceDialog(this, QStringLiteral("Sort"),
                        {"by log-likelihood", "by the size of the Log Ratio", "alphabetically"},
                        Items, [&help] { help.Show(kHelpContext); });
  RadioGroup1 = parts.group;
  group_ = parts.choice;
  Button1 = parts.ok;
  Button2 = parts.cancel;
  ButtonHelp = parts.help;
}

keywords::KeywordSort TFormSortKeywords::Sort() const {
  return static_cast<keywords::KeywordSort>(group_->checkedId());
}

void TFormSortKeywords::SetSort(keywords::KeywordSort sort) {
  Items[static_cast<int>(sort)]->setChecked(true);
}

}  // namespace lexvane::gui
