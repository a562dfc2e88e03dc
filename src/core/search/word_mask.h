// Word masks: '*' stands for a run of characters (each piece between stars
// taken at its first occurrence, without going back), '?' for exactly one
// character; everything else for itself, compared by character code. Callers
// lower both sides first to be blind to case. In UTF-8 text a character is
// a code point (an invalid byte is one by itself), so '?' stands for all the
// bytes of one.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::search {

bool MatchMask(std::string_view word, std::string_view mask,
               text::Encoding encoding = text::Encoding::Windows1252);

// 1-based position of the first place where pattern matches in text, '?'
// matching any one character; 0 when none. An empty pattern gives 1.
std::size_t FindWithJokers(std::string_view pattern, std::string_view text);

}  // namespace lexvane::search
