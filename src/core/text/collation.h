// The one string comparison of the program ("the locale's comparison"): an
// ICU collator of one locale over the decoded text. Where the collator says
// equal, the bytes decide, so two different strings never compare equal.
//
// A `Collator` is resolved once where the program starts (from LC_ALL,
// LC_COLLATE or LANG) and handed to every operation that sorts or compares;
// nothing reads a collator on the side. Its methods are const and
// thread-safe: several scanning or sorting threads may call one collator at
// once, and collators of different locales live side by side.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "text/encoding.h"

struct UCollator;

namespace lexvane::text {

class Collator {
 public:
  // The collator of an ICU locale name ("" or "root" for the root locale);
  // an unknown locale falls back to the root order. Throws text::Error when
  // ICU cannot open even the root collation.
  explicit Collator(const std::string& locale);
  // The collator of the user's environment (EnvironmentCollationLocale()).
  static Collator FromEnvironment();

  Collator(Collator&&) noexcept;
  Collator& operator=(Collator&&) noexcept;
  Collator(const Collator&) = delete;
  Collator& operator=(const Collator&) = delete;
  ~Collator();

 public:  // queries
  // The locale name the collator was asked for ("" for the root locale).
  const std::string& Locale() const { return locale_; }

  // Tertiary strength (case significant): quick lists and every sort.
  // Returns <0, 0 or >0.
  int Compare(std::string_view a, std::string_view b) const;
  // Secondary strength (case ignored): the corpus file list and lemma lists.
  int CompareIgnoreCase(std::string_view a, std::string_view b) const;
  // A binary key whose byte order (memcmp, shorter first on a common prefix)
  // equals the order of Compare, tie-break included. For ordering many
  // strings at once without comparing them through the collator.
  std::string Key(std::string_view s) const;

  // The same over text of the given encoding: UTF-8 text is decoded as UTF-8
  // (an invalid byte as U+FFFD) for the collator, and the bytes still break
  // ties. The forms without an encoding are those of 8-bit text.
  int Compare(std::string_view a, std::string_view b, Encoding encoding) const;
  int CompareIgnoreCase(std::string_view a, std::string_view b, Encoding encoding) const;
  std::string Key(std::string_view s, Encoding encoding) const;

 private:
  struct Closer {
    void operator()(UCollator* collator) const;
  };
  using Handle = std::unique_ptr<UCollator, Closer>;

  std::string locale_;
  // Opened once, then used only through const ICU calls (ucol_strcoll,
  // ucol_getSortKey), which ICU allows from several threads on one collator.
  Handle tertiary_;
  Handle secondary_;
};

// The ICU locale name taken from the first non-empty of LC_ALL, LC_COLLATE
// and LANG, without its ".codeset" and "@modifier"; "" for C, POSIX or none.
std::string EnvironmentCollationLocale();

}  // namespace lexvane::text
