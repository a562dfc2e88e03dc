// Word-class tags written in front of a word in angle brackets (<NN>house).
// Tags are found only inside words, so a tagged corpus needs word separators
// without '<' and '>'.
#pragma once

#include <string>
#include <string_view>

namespace lexvane::text {

// The tag of a tagged word ("NN" of "<NN>house"); empty when the word carries
// none.
std::string ExtractTag(std::string_view word);
// The word without its tag. A word ending in its first '>' loses that
// character only.
std::string StripTag(std::string_view word);
// StripTag of every blank-separated token of a line; blanks stay where they
// were. The result holds at most 255 characters.
std::string StripTags(std::string_view text);

}  // namespace lexvane::text
