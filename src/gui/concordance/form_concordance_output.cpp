// The concordance window's output commands: copy, statistics and the two
// source displays.
#include "gui/concordance/form_concordance.h"

namespace lexvane::gui {

void TFormConcordance::MenuCopyClick() {}

void TFormConcordance::MenuStatisticsClick() {}

void TFormConcordance::MenuDisplaySourceClick() {}

void TFormConcordance::MenuDisplaystrippedsourceClick() {}

}  // namespace lexvane::gui
