#include "gui/ngrams/form_sort_ngrams.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "gui/base/choice_dialog.h"
#include "gui/common/ngram_help.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

TFormSortNGrams::TFormSortNGrams(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSortNGrams"));
  setWindowTitle(QStringLiteral("Sort"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kSortNGramsHelpContext);

  const ChoiceDialogParts parts = BuildChoiceDialog(
      this, QStringLiteral("Sort"), {"by frequency", "alphabetically", "by range"}, Items,
      [&help] { help.Show(kSortNGramsHelpContext); });
  RadioGroup1 = parts.group;
  group_ = parts.choice;
  Button1 = parts.ok;
  Button2 = parts.cancel;
  ButtonHelp = parts.help;
}

ngrams::NGramSort TFormSortNGrams::Order() const {
  return static_cast<ngrams::NGramSort>(group_->checkedId());
}

void TFormSortNGrams::SetOrder(ngrams::NGramSort order) {
  Items[static_cast<int>(order)]->setChecked(true);
}

}  // namespace lexvane::gui
