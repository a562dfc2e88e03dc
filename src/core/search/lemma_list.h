// Lemma lists (".cll"): one lexeme per line, the lemma and its word forms
// separated by semicolons. The "Lexeme List" dialog shows the lines sorted
// case-insensitively, preselects the first lemma at or after the text typed
// in the search dialog, and copies the picked line's forms into a mask list.
// Forms are used as masks as they stand (not lowered).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/collation.h"

namespace lexvane::search {

struct LemmaList {
  // The non-empty lines, cleaned (control characters to blanks, blanks
  // trimmed and collapsed), in case-insensitive locale order.
  std::vector<std::string> Lines;
  // The preselected line, or -1 when no lemma is at or after StartText.
  int Selected = -1;
};

// Orders (with `collator`, case ignored) and selects already read lines
// (FormShow without the file).
LemmaList MakeLemmaList(const std::vector<std::string>& rawLines, std::string_view startText,
                        const text::Collator& collator);
// Reads the file anew; its lines end at CR LF, LF or CR. Throws text::Error
// "Cannot open file <path>" when it is missing, no regular file (a folder, a
// pipe) or cannot be read.
LemmaList LoadLemmaList(const std::string& path, std::string_view startText,
                        const text::Collator& collator);

// The lemma of a line: the text before its first semicolon, blanks trimmed.
std::string LemmaOf(std::string_view line);
// "Copy to list": the line cut at every semicolon, each part trimmed of
// blanks, the non-empty parts in line order (the lemma first), each cut to
// 255 characters.
std::vector<std::string> LemmaForms(std::string_view line);

}  // namespace lexvane::search
