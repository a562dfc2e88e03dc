// SearchQuery says which words a concordance looks for: a simple query (one
// list of masks, every matching word a hit) or an advanced one (up to five
// mask lists, one hit per sentence that holds a word of every used column in
// the asked order and distances). Concordance building reads it; the search
// dialogs and the command line fill it through the dialog models of
// search_dialogs.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace lexvane::search {

enum class QueryKind { Simple, Advanced };

inline constexpr int kColumns = 5;
inline constexpr int kColumnPairs = kColumns - 1;
// The "Max. list size" field's text when a dialog is created.
inline constexpr std::string_view kDefaultMaxListSize = "10000";

struct SearchQuery {
  QueryKind Kind = QueryKind::Simple;
  // Simple: Masks[0] only. Advanced: one list per column. Duplicates allowed.
  std::array<std::vector<std::string>, kColumns> Masks;
  // Advanced only: the highest non-empty column (every lower one non-empty)
  // and the keyword's column, never above ColumnCount.
  int ColumnCount = 0;
  int MiddleColumn = 1;
  // Advanced only, per column pair k-(k+1): the word of column k must come
  // first; at most MaxGap words between them (negative: any distance).
  std::array<bool, kColumnPairs> InOrder{true, true, true, true};
  std::array<int, kColumnPairs> MaxGap{0, 0, 0, 0};
  // The "Max. list size" text; building converts it.
  std::string MaxListSize = std::string(kDefaultMaxListSize);

  const std::vector<std::string>& SimpleMasks() const { return Masks[0]; }
  // True when the query has no mask at all.
  bool Empty() const;
};

// A typed mask as the dialogs store it: lowered with the Windows-1252 table
// and cut to 255 characters (not trimmed: a mask of blanks is a mask).
std::string TypedMask(std::string_view typed);
// The same for a corpus of the given encoding: UTF-8 masks are lowered per
// character (Unicode's simple lower-case mapping) and cut to 255 characters.
std::string TypedMask(std::string_view typed, text::Encoding encoding);

// The text of a distance label: "x" for -1, the number otherwise.
std::string DistanceLabel(int distance);

// The message of an advanced query with an empty column below a used one.
inline constexpr std::string_view kColumnGapMessage =
    "There are empty column(s) between nonempty columns.";

// The whole-number conversion of typed fields ("Max. list size", the copy
// width): blanks in front allowed, an optional sign and decimal digits, or
// hexadecimal digits after "$", "0x" or "0X"; the value must fit 32 bits.
std::optional<std::int32_t> ParseIntegerField(std::string_view text);
// The same, throwing text::Error "'<text>' is not a valid integer value".
std::int32_t IntegerFieldValue(std::string_view text);

// True when some column k >= 2 is non-empty while column k - 1 is empty.
bool HasColumnGap(const SearchQuery& query);

}  // namespace lexvane::search
