// WordTokenizer: the word frequency list's own fast reader of one corpus file.
// It delivers exactly the tokens and SimpleEnd flags that the text scanner's
// ReadWord delivers for the same file and sets (a token is a run of
// non-separators; SimpleEnd says the gap behind it held a sentence separator,
// a line break while crlf is on, or the end of the file; a run longer than
// 255 characters is cut to its first 255 and the rest skipped), but reads
// large blocks and hands each token to an inlined callback instead of copying
// it out per call.
//
// A file may be read in byte ranges by several tokenizers: a range owns the
// tokens that start inside it, and reads on past its end only to finish the
// gap of its last token. One instance per thread.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/character_sets.h"
#include "text/utf8_classes.h"

namespace lexvane::frequency {

class WordTokenizer {
 public:
  static constexpr std::size_t kBlockSize = 1 << 20;
  static constexpr std::size_t kMaxWord = 255;
  // The longest token in bytes: 255 characters of up to four bytes.
  static constexpr std::size_t kMaxWordBytes = kMaxWord * 4;

  // How a range ended.
  enum class End { Done, Stopped };

  WordTokenizer(const text::CharacterSets& sets, bool crlf, bool lowerCase);
  ~WordTokenizer();
  WordTokenizer(const WordTokenizer&) = delete;
  WordTokenizer& operator=(const WordTokenizer&) = delete;

  // Opens the file read-only. On failure returns false with `error` =
  // path + ": " + the system's description.
  bool Open(const std::string& path, std::string& error);
  void Close();

  // Reads the tokens that start in [begin, end) (end < 0: to the end of the
  // file). onToken(std::string_view token, bool simpleEnd) returns false to
  // stop after that token. Tokens are lower-cased when the tokenizer was made
  // with lowerCase. Throws text::Error on a read error.
  template <class OnToken>
  End Scan(std::int64_t begin, std::int64_t end, OnToken&& onToken);
  // Whether a token longer than 255 characters was cut since Open.
  bool CutWords() const { return cut_; }

 private:
  // Character classes: a separator, and one that ends a sentence in a gap.
  static constexpr std::uint8_t kSeparator = 1;
  static constexpr std::uint8_t kEndsSentence = 2;

  bool seek(std::int64_t offset);
  // The steps of Scan, each false at the end of the file. Moves to the
  // first token that starts at or after `begin`.
  [[gnu::always_inline]] bool enterRange(std::int64_t begin);
  // Reads the token at the position into `word` (`size` characters).
  [[gnu::always_inline]] bool readToken(char* word, std::size_t& size);
  // Reads the gap behind a token; `simpleEnd`: it ends a sentence.
  [[gnu::always_inline]] bool readGap(bool& simpleEnd);
  // Refills the block; false at the end of the file.
  bool refill();

  // The same steps on UTF-8 text, character by character where a byte from
  // 0x80 on stands.
  template <class OnToken>
  End scanUtf8(std::int64_t begin, std::int64_t end, OnToken&& onToken);
  bool enterRangeUtf8(std::int64_t begin);
  bool readTokenUtf8(char* word, std::size_t& size);
  bool readGapUtf8(bool& simpleEnd);
  text::ClassedChar current() const {
    return wide_.At(reinterpret_cast<const unsigned char*>(block_.get()), length_, pos_, bytes_);
  }
  // Past the current character; false at the end of the file.
  bool advance(std::size_t length) {
    pos_ += length;
    return pos_ < length_ || refill();
  }

  std::array<std::uint8_t, 256> class_{};
  std::array<char, 256> fold_{};
  bool oem_ = false;
  int fd_ = -1;
  std::string path_;
  std::unique_ptr<char[]> block_;  // kBlockSize bytes
  std::size_t length_ = 0;
  std::size_t pos_ = 0;
  std::int64_t blockStart_ = 0;
  bool readSinceOpen_ = false;
  bool cut_ = false;
  // UTF-8 text: the classes of its characters, whether tokens are
  // lower-cased, and the bytes of a character begun at the end of a block.
  bool utf8_ = false;
  bool lowerCase_ = false;
  bool crlf_ = false;
  text::ByteClassTable bytes_{};
  text::Utf8Classes wide_;
  char carry_[4] = {0, 0, 0, 0};
  std::size_t carryLength_ = 0;
};

template <class OnToken>
WordTokenizer::End WordTokenizer::Scan(std::int64_t begin, std::int64_t end, OnToken&& onToken) {
  if (utf8_) return scanUtf8(begin, end, onToken);
  if (!enterRange(begin)) return End::Done;
  char word[kMaxWord + 2];
  for (;;) {
    if (end >= 0 && blockStart_ + static_cast<std::int64_t>(pos_) >= end) return End::Done;
    std::size_t size = 0;
    bool simpleEnd = true;  // the end of the file ends the sentence
    const bool more = readToken(word, size) && readGap(simpleEnd);
    if (!onToken(std::string_view(word, size), simpleEnd)) return End::Stopped;
    if (!more) return End::Done;
  }
}

inline bool WordTokenizer::enterRange(std::int64_t begin) {
  if (!seek(begin > 0 ? begin - 1 : 0)) return false;
  if (begin > 0) {
    // A token running across `begin` belongs to the range before.
    bool inWord = !(class_[static_cast<std::uint8_t>(block_[pos_])] & kSeparator);
    if (++pos_ >= length_ && !refill()) return false;
    if (inWord) {
      while (!(class_[static_cast<std::uint8_t>(block_[pos_])] & kSeparator))
        if (++pos_ >= length_ && !refill()) return false;
    }
  }
  // Leading gap: skipped; it ends no token of this range.
  while (class_[static_cast<std::uint8_t>(block_[pos_])] & kSeparator)
    if (++pos_ >= length_ && !refill()) return false;
  return true;
}

inline bool WordTokenizer::readToken(char* word, std::size_t& size) {
  for (;;) {
    // Copy and fold up to the next separator, never beyond 256 characters.
    const char* p = block_.get() + pos_;
    const char* stop = block_.get() + length_;
    const char* limit = stop - p > static_cast<std::ptrdiff_t>(kMaxWord + 1 - size)
                            ? p + (kMaxWord + 1 - size)
                            : stop;
    const char* q = p;
    while (q < limit) {
      const std::uint8_t c = static_cast<std::uint8_t>(*q);
      if (class_[c] & kSeparator) break;
      word[size++] = fold_[c];
      ++q;
    }
    if (size > kMaxWord) {
      // Cut to 255 characters; the rest of the run is skipped.
      size = kMaxWord;
      cut_ = true;
      while (q < stop && !(class_[static_cast<std::uint8_t>(*q)] & kSeparator)) ++q;
    }
    pos_ += static_cast<std::size_t>(q - p);
    if (q < stop) return true;
    if (!refill()) return false;
  }
}

inline bool WordTokenizer::readGap(bool& simpleEnd) {
  simpleEnd = false;
  for (;;) {
    const std::uint8_t c = class_[static_cast<std::uint8_t>(block_[pos_])];
    if (!(c & kSeparator)) return true;
    if (c & kEndsSentence) simpleEnd = true;
    if (++pos_ >= length_ && !refill()) {
      simpleEnd = true;
      return false;
    }
  }
}

template <class OnToken>
WordTokenizer::End WordTokenizer::scanUtf8(std::int64_t begin, std::int64_t end,
                                           OnToken&& onToken) {
  if (!enterRangeUtf8(begin)) return End::Done;
  char word[kMaxWordBytes + 8];
  for (;;) {
    if (end >= 0 && blockStart_ + static_cast<std::int64_t>(pos_) >= end) return End::Done;
    std::size_t size = 0;
    bool simpleEnd = true;  // the end of the file ends the sentence
    const bool more = readTokenUtf8(word, size) && readGapUtf8(simpleEnd);
    if (!onToken(std::string_view(word, size), simpleEnd)) return End::Stopped;
    if (!more) return End::Done;
  }
}

}  // namespace lexvane::frequency
