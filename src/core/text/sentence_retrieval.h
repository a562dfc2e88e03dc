// Cuts the left context, keyword and right context of a hit out of a 1024-byte
// window of its file (from offset - 300), with the character sets the caller
// gives (those its scan used) and the same enhanced and simple sentence rules
// as the scanner. Each text is cleaned (control characters to blanks, blanks
// trimmed and collapsed) and holds at most 255 characters.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "text/character_sets.h"

namespace lexvane::text {

// The window of a hit: at most this many bytes of its file, from this many
// bytes before the hit (or from the file's start).
inline constexpr std::int64_t kSentenceWindowSize = 1024;
inline constexpr std::int64_t kSentenceWindowLead = 300;

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
// `window` (room for kSentenceWindowSize bytes): returns the number of bytes
// read (0 at or beyond the end of the file) and sets `windowStart` to the
// window's file offset. Throws Error, naming `path`, when the read fails.
std::size_t ReadSentenceWindow(int fd, const std::string& path, std::int64_t offset, char* window,
                               std::int64_t& windowStart);

// The same on a window of raw file bytes already read (starting at file
// offset `windowStart`, converted here when sets.oemToAnsi). For callers
// that read many windows of one file themselves.
void CutSentence(const char* window, std::size_t size, std::int64_t windowStart,
                 std::int64_t offset, bool crlf, bool enhanced, const CharacterSets& sets,
                 Sentence& sentence);

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
};

}  // namespace lexvane::text
