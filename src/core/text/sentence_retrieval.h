// Cuts the left context, keyword and right context of a hit out of a 1024-byte
// window of its file (from offset - 300), with the character sets the caller
// gives (those its scan used) and the same enhanced and simple sentence rules
// as the scanner. Each text is cleaned (control characters to blanks, blanks
// trimmed and collapsed) and holds at most 255 characters.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/character_sets.h"
#include "text/utf8_classes.h"

namespace lexvane::text {

// The window of a hit: at most this many bytes of its file, from this many
// bytes before the hit (or from the file's start).
inline constexpr std::int64_t kSentenceWindowSize = 1024;
inline constexpr std::int64_t kSentenceWindowLead = 300;
// UTF-8 text counts the window in characters: enough bytes are read for
// characters of up to four bytes, and three more in front, where a character
// begun before the bytes read may end.
inline constexpr std::int64_t kUtf8WindowLead = kSentenceWindowLead * 4 + 3;
inline constexpr std::int64_t kUtf8WindowBytes =
    kUtf8WindowLead + (kSentenceWindowSize - kSentenceWindowLead) * 4;

struct Sentence {
  std::string left;
  std::string keyword;
  std::string right;
};

// Reads the window (DOS-converted when sets.oemToAnsi) and fills `sentence`.
// An offset at or beyond the end of the file reads nothing and leaves
// `sentence` as it was. Throws Error when the file cannot be opened or read.
void RetrieveSentence(const std::string& path, std::int64_t offset, bool crlf, bool enhanced,
                      const CharacterSets& sets, Sentence& sentence);

// Reads the window of the hit at `offset` from the open file `fd` into
// `window` (room for kSentenceWindowSize bytes, kUtf8WindowBytes for UTF-8
// text): returns the number of bytes read (0 at or beyond the end of the
// file) and sets `windowStart` to the window's file offset. Throws Error,
// naming `path`, when the read fails.
std::size_t ReadSentenceWindow(int fd, const std::string& path, std::int64_t offset, char* window,
                               std::int64_t& windowStart,
                               Encoding encoding = Encoding::Windows1252);

// The same on a window of raw file bytes already read (starting at file
// offset `windowStart`, converted here when sets.oemToAnsi; for UTF-8 text
// as ReadSentenceWindow reads it). For callers that read many windows of
// one file themselves.
void CutSentence(const char* window, std::size_t size, std::int64_t windowStart,
                 std::int64_t offset, bool crlf, bool enhanced, const CharacterSets& sets,
                 Sentence& sentence);

// One character of a UTF-8 window: where its bytes stand, and its mapped
// value and class (control characters made blanks and line breaks).
struct WindowCell {
  std::uint32_t start;
  std::uint8_t length;
  std::uint8_t bits;
  char32_t value;
};

// CutSentence for one set of separators and one crlf setting, with the
// character mapping and the classes of the mapped characters prepared once:
// for callers that cut many windows.
class SentenceCutter {
 public:
  SentenceCutter(const CharacterSets& sets, bool crlf);
  // As CutSentence with the cutter's sets and crlf.
  void Cut(const char* window, std::size_t size, std::int64_t windowStart, std::int64_t offset,
           bool enhanced, Sentence& sentence) const;
  bool Crlf() const { return crlf_; }

 private:
  // Each byte as the window shows it: DOS text converted, control
  // characters made blanks (line breaks carriage returns while crlf is on).
  std::array<char, 256> map_{};
  // The classes of the mapped characters, by the raw byte, and of the zero
  // read beyond the window's edges.
  std::array<std::uint8_t, 256> classes_{};
  std::uint8_t outside_ = 0;
  bool crlf_;
  // UTF-8 text: the classes of its characters, and the characters of the
  // window being cut.
  std::shared_ptr<const Utf8Classes> wide_;
  mutable std::vector<WindowCell> cells_;
  void cutUtf8(const char* window, std::size_t size, std::int64_t windowStart, std::int64_t offset,
               bool enhanced, Sentence& sentence) const;
};

}  // namespace lexvane::text
