// Word-class tags written in front of a word in angle brackets (<NN>house).
// Tags are found only inside words, so a tagged corpus needs word separators
// without '<' and '>'. Lengths count the characters of the text's encoding.
#pragma once

#include <string>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::text {

// The tag of a tagged word ("NN" of "<NN>house"); empty when the word carries
// none.
std::string ExtractTag(std::string_view word);
// The word without its tag. A word ending in its first '>' loses that
// character only.
std::string StripTag(std::string_view word, Encoding encoding = Encoding::Windows1252);
// StripTag of every blank-separated token of a line; blanks stay where they
// were. The result holds at most 255 characters (the first ones).
std::string StripTags(std::string_view text, Encoding encoding = Encoding::Windows1252);

}  // namespace lexvane::text
