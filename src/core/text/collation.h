// The one string comparison of the program ("the locale's comparison"): an
// ICU collator for the locale of LC_ALL, LC_COLLATE or LANG (C and POSIX mean
// the root locale) over the decoded text. Where the collator says equal, the
// bytes decide, so two different strings never compare equal.
// Thread-safe: may be called from several scanning threads at once.
#pragma once

#include <string>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::text {

// Tertiary strength (case significant): quick lists and every sort.
// Returns <0, 0 or >0.
int compareText(std::string_view a, std::string_view b);

// Secondary strength (case ignored): the corpus file list and lemma lists.
int compareTextIgnoreCase(std::string_view a, std::string_view b);

// A binary key whose byte order (memcmp, shorter first on a common prefix)
// equals the order of compareText, tie-break included. For ordering many
// strings at once without comparing them through the collator.
std::string collationKey(std::string_view s);

// The same over text of the given encoding: UTF-8 text is decoded as UTF-8
// (an invalid byte as U+FFFD) for the collator, and the bytes still break
// ties. The forms without an encoding are those of 8-bit text.
int compareText(std::string_view a, std::string_view b, Encoding encoding);
int compareTextIgnoreCase(std::string_view a, std::string_view b, Encoding encoding);
std::string collationKey(std::string_view s, Encoding encoding);

// Replaces the collator, for tests ("" or "root" for the root locale). Must
// not run while another thread compares.
void setCollationLocale(const std::string& locale);

// The ICU locale name taken from the first non-empty of LC_ALL, LC_COLLATE
// and LANG, without its ".codeset" and "@modifier"; "" for C, POSIX or none.
std::string environmentCollationLocale();

}  // namespace lexvane::text
