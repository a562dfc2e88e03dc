// Text typed by the user outside the corpus, in the encoding of the user's
// terminal (the locale's character set): masks, separators and delimiters
// given on the command line. TerminalText turns such text into corpus text
// (Windows-1252 for 8-bit corpora, DOS ones too, since they are matched after
// conversion to Windows-1252; UTF-8 for UTF-8 corpora). For the command line.
#pragma once

#include <string>
#include <string_view>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::text {

// The character set of the user's locale as the C library names it
// ("UTF-8", "ANSI_X3.4-1968", "ISO-8859-15", ...), read from the
// environment (LC_ALL, LC_CTYPE, LANG) without changing the program's own
// locale. Empty when the environment names no installed locale.
std::string LocaleCodeset();

// A character the corpus's encoding cannot hold. The message names it.
class UnrepresentableCharacter : public Error {
 public:
  explicit UnrepresentableCharacter(const std::string& message) : Error(message) {}
};

class TerminalText {
 public:
  // For text in `codeset`. Plain ASCII (the C and POSIX locales), an empty
  // name and a character set that ICU does not know leave bytes as they are,
  // so that scripts that pass corpus bytes keep working.
  explicit TerminalText(std::string_view codeset);

  // Whether ToCorpus returns its argument unchanged.
  bool PassesBytes() const { return passesBytes_; }

  // The Windows-1252 bytes of `typed`. A byte sequence that is not text of
  // the terminal's character set stands for itself (a corpus byte given
  // directly). Throws UnrepresentableCharacter for a character that
  // Windows-1252 lacks.
  std::string ToCorpus(std::string_view typed) const;
  // The text of `typed` in a corpus of `encoding`: UTF-8 text, else as
  // ToCorpus. For UTF-8 a character of any script is kept; a byte sequence
  // that is not text of the terminal's character set still stands for
  // itself (an invalid byte is a word character of UTF-8 corpus text).
  std::string ToCorpus(std::string_view typed, Encoding encoding) const;

 private:
  std::string codeset_;
  bool passesBytes_ = true;
};

}  // namespace lexvane::text
