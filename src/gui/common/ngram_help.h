// The help contexts of the n-gram and cluster windows and their dialogs
// (topics resources/help/context_<n>.html).
#pragma once

namespace lexvane::gui {

inline constexpr int kNGramWindowHelpContext = 120;
inline constexpr int kNGramOptionsHelpContext = 121;
inline constexpr int kClusterWindowHelpContext = 122;
inline constexpr int kClusterOptionsHelpContext = 123;
inline constexpr int kSortNGramsHelpContext = 124;

}  // namespace lexvane::gui
