#include "text/text_scanner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"

namespace lexvane::text {

TextScanner::TextScanner(const CharacterSets& sets)
    : buffer_(std::make_unique<char[]>(kBlockSize + kPadding)) {
  buffer_[0] = '\0';
  UseSets(sets);
}

TextScanner::~TextScanner() {
  CloseFile();
}

void TextScanner::Configure(std::string_view wordSeparators, std::string_view sentenceSeparators,
                            bool oemToAnsi) {
  UseSets(CharacterSets::Derive(wordSeparators, sentenceSeparators, oemToAnsi));
}

void TextScanner::UseSets(const CharacterSets& sets) {
  sets_ = sets;
  classes_ = ClassifyBytes(sets_);
  utf8_ = IsUtf8(sets_.encoding);
  wide_ = utf8_ ? Utf8Classes(sets_) : Utf8Classes();
}

bool TextScanner::OpenFile(const std::string& path, UserInterface& ui, FileAccess access) {
  CloseFile();
  path_ = path;
  int error = 0;
  fd_ = OpenCorpusFile(path, access, error);
  if (fd_ < 0) {
    ui.Ask("Error", OpenErrorMessage(path, error), Buttons::Ok, Icon::Error);
    return false;
  }
  try {
    refill();
    if (utf8_) {
      // The byte-order mark is no character of the text.
      if (startsWithByteOrderMark(
              std::string_view(buffer_.get(), static_cast<std::size_t>(bufferLength_))))
        advance(3);
      while (bufferLength_ > 0) {
        const ClassedChar c = current();
        if ((c.bits & kSeparatorByte) == 0 || !advance(c.length)) break;
      }
    } else {
      while (bufferLength_ > 0 &&
             (classes_[static_cast<unsigned char>(buffer_[position_])] & kSeparatorByte) != 0) {
        if (++position_ >= bufferLength_) refill();
      }
    }
  } catch (...) {
    CloseFile();
    throw;
  }
  return true;
}

void TextScanner::CloseFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  bufferStart_ = bufferLength_ = position_ = 0;
  carryLength_ = 0;
  buffer_[0] = '\0';
}

void TextScanner::refill() {
  bufferStart_ += bufferLength_;
  const std::size_t carried = carryLength_;
  std::memcpy(buffer_.get(), carry_, carried);
  carryLength_ = 0;
  const std::int64_t read = ReadSome(fd_, buffer_.get() + carried, kBlockSize - carried);
  if (read < 0) {
    const int error = errno;
    bufferLength_ = 0;
    throw Error(FileErrorMessage(path_, error));
  }
  std::int64_t got = read + static_cast<std::int64_t>(carried);
  if (read > 0 && sets_.oemToAnsi) dosToAnsiInPlace(buffer_.get(), static_cast<std::size_t>(got));
  if (utf8_ && read > 0) {
    // A character begun at the block's end is read whole with the next
    // block (at the end of the file its bytes are invalid ones).
    const std::size_t tail = IncompleteTail(reinterpret_cast<const unsigned char*>(buffer_.get()),
                                            static_cast<std::size_t>(got));
    if (tail > 0 && static_cast<std::int64_t>(tail) < got) {
      got -= static_cast<std::int64_t>(tail);
      std::memcpy(carry_, buffer_.get() + got, tail);
      carryLength_ = tail;
    }
  }
  // A control character behind the data stops the word loop without a bound
  // check.
  buffer_[got] = '\0';
  bufferLength_ = got;
  position_ = 0;
}

bool TextScanner::ReadWord(ScannedWord& out, bool crlf) {
  if (bufferLength_ == 0) return false;
  if (utf8_) return readWordUtf8(out, crlf);
  const unsigned char* const data = reinterpret_cast<const unsigned char*>(buffer_.get());
  const unsigned char* const from = data + position_;
  const unsigned char* p = from;
  // Fast path: a short word inside the block followed by a single blank. The
  // sentinel behind the data stops the loop.
  while ((classes_[*p] & kSeparatorByte) == 0) ++p;
  const std::size_t length = static_cast<std::size_t>(p - from);
  if (length > kShortWord || p >= data + bufferLength_) return readWordGeneral(out, crlf);
  out.offset = bufferStart_ + position_;
  // One fixed-size move; the padding behind the block allows the overread.
  std::memcpy(word_, from, kShortWord);
  position_ += static_cast<std::int64_t>(length);
  out.word = std::string_view(word_, length);
  out.cut = false;
  // One blank between two words of the block (p[1] is at most the sentinel).
  if (p[0] == ' ' && (classes_[p[1]] & kSeparatorByte) == 0) {
    const unsigned c1 = length >= 2 ? static_cast<unsigned char>(word_[length - 2]) : 0;
    const unsigned c2 = length >= 1 ? static_cast<unsigned char>(word_[length - 1]) : 0;
    GapSentenceEnds gap(0, c1, c2);
    gap.GapBlank(classes_);
    out.simpleEnd = gap.Simple();
    out.enhancedEnd = gap.Enhanced();
    position_ += 1;
    return true;
  }
  return readGap(out, length, false, crlf);
}

bool TextScanner::readWordGeneral(ScannedWord& out, bool crlf) {
  if (bufferLength_ == 0) return false;
  out.offset = bufferStart_ + position_;
  std::size_t length = 0;
  bool cut = false;
  const WordEnd end = readLongWord(length, cut);
  out.word = std::string_view(word_, length);
  out.cut = cut;
  if (end == WordEnd::EndOfFile) {
    out.enhancedEnd = out.simpleEnd = true;
    return true;
  }
  return readGap(out, length, cut, crlf);
}

bool TextScanner::readGap(ScannedWord& out, std::size_t length, bool cut, bool crlf) {
  const unsigned char* const data = reinterpret_cast<const unsigned char*>(buffer_.get());
  // The window of the last three characters consumed by this call spans the
  // end of the word (of the whole word, when it was cut) and the gap.
  GapSentenceEnds gap(cut           ? tail_[0]
                      : length >= 3 ? static_cast<unsigned char>(word_[length - 3])
                                    : 0,
                      cut           ? tail_[1]
                      : length >= 2 ? static_cast<unsigned char>(word_[length - 2])
                                    : 0,
                      cut           ? tail_[2]
                      : length >= 1 ? static_cast<unsigned char>(word_[length - 1])
                                    : 0);
  for (;;) {
    const unsigned ch = data[position_];
    const std::uint8_t bits = classes_[ch];
    if ((bits & kSeparatorByte) == 0) break;
    gap.GapByte(ch, bits, classes_, crlf);
    if (++position_ >= bufferLength_) {
      refill();
      if (bufferLength_ == 0) {
        gap.EndOfFile();
        break;
      }
    }
  }
  out.simpleEnd = gap.Simple();
  out.enhancedEnd = gap.Enhanced();
  return true;
}

TextScanner::WordEnd TextScanner::readLongWord(std::size_t& length, bool& cut) {
  const unsigned char* const data = reinterpret_cast<const unsigned char*>(buffer_.get());
  length = 0;
  cut = false;
  for (;;) {
    const unsigned char* const from = data + position_;
    const unsigned char* p = from;
    while ((classes_[*p] & kSeparatorByte) == 0) ++p;
    const std::size_t run = static_cast<std::size_t>(p - from);
    // Characters beyond the 255th are skipped; the last three consumed are
    // kept for the sentence rule of the gap.
    const std::size_t kept = std::min(run, kMaxTextLength - length);
    std::memcpy(word_ + length, from, kept);
    if (kept < run) cut = true;
    for (const unsigned char* r = run >= 3 ? p - 3 : from; r < p; ++r) {
      tail_[0] = tail_[1];
      tail_[1] = tail_[2];
      tail_[2] = *r;
    }
    length += kept;
    position_ += static_cast<std::int64_t>(run);
    if (position_ < bufferLength_) return WordEnd::Separator;
    refill();
    if (bufferLength_ == 0) return WordEnd::EndOfFile;
  }
}

bool TextScanner::readWordUtf8(ScannedWord& out, bool crlf) {
  out.offset = bufferStart_ + position_;
  CharSentenceEnds ends(classes_);
  std::size_t bytes = 0;
  std::size_t characters = 0;
  bool cut = false;
  bool more = true;
  for (;;) {
    const ClassedChar c = current();
    if (c.bits & kSeparatorByte) break;
    ends.WordChar(c.ch, c.bits);
    if (characters < kMaxTextLength) {
      std::memcpy(wideWord_ + bytes, buffer_.get() + position_, c.length);
      bytes += c.length;
      ++characters;
    } else {
      cut = true;
    }
    if (!advance(c.length)) {
      more = false;
      break;
    }
  }
  while (more) {
    const ClassedChar c = current();
    if ((c.bits & kSeparatorByte) == 0) break;
    ends.GapChar(c.ch, c.bits, crlf);
    more = advance(c.length);
  }
  if (!more) ends.EndOfFile();
  out.word = std::string_view(wideWord_, bytes);
  out.cut = cut;
  out.simpleEnd = ends.Simple();
  out.enhancedEnd = ends.Enhanced();
  return true;
}

}  // namespace lexvane::text
