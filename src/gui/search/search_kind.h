// SearchKind: which of the two search dialogs a word search runs, the simple
// one (TFormSearch) or the advanced one (TFormSearchAdv).
#pragma once

namespace lexvane::gui {

enum class SearchKind { Simple, Advanced };

}  // namespace lexvane::gui
