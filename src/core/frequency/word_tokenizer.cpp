#include "frequency/word_tokenizer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_rules.h"

namespace lexvane::frequency {

WordTokenizer::WordTokenizer(const text::CharacterSets& sets, bool crlf, bool lowerCase)
    : oem_(sets.oemToAnsi),
      utf8_(text::IsUtf8(sets.encoding)),
      lowerCase_(lowerCase),
      crlf_(crlf),
      bytes_(text::ClassifyBytes(sets)) {
  if (utf8_) wide_ = text::Utf8Classes(sets);
  const text::ByteClassTable classes = text::ClassifyBytes(sets);
  for (int i = 0; i < 256; ++i) {
    std::uint8_t cls = 0;
    if (classes[i] & text::kSeparatorByte) {
      cls = kSeparator;
      if (text::EndsSimpleSentence(classes[i], crlf)) cls |= kEndsSentence;
    }
    class_[i] = cls;
    fold_[i] = lowerCase ? text::lowerChar(static_cast<char>(i)) : static_cast<char>(i);
  }
  block_ = std::make_unique_for_overwrite<char[]>(kBlockSize);
}

WordTokenizer::~WordTokenizer() {
  Close();
}

bool WordTokenizer::Open(const std::string& path, std::string& error) {
  Close();
  int failure = 0;
  fd_ = text::OpenCorpusFile(path, text::FileAccess::OnePass, failure);
  if (fd_ < 0) {
    error = text::OpenErrorMessage(path, failure);
    return false;
  }
  path_ = path;
  readSinceOpen_ = false;
  cut_ = false;
  carryLength_ = 0;
  length_ = pos_ = 0;
  blockStart_ = 0;
  return true;
}

void WordTokenizer::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool WordTokenizer::seek(std::int64_t offset) {
  // A file just opened stands at its start already; not seeking there lets
  // pipes (a shell's <(...)) be read too.
  bool atStart = offset == 0 && !readSinceOpen_;
  if (!atStart && ::lseek(fd_, offset, SEEK_SET) < 0)
    throw text::Error(text::FileErrorMessage(path_, errno));
  blockStart_ = offset;
  length_ = pos_ = 0;
  carryLength_ = 0;
  return refill();
}

bool WordTokenizer::refill() {
  blockStart_ += static_cast<std::int64_t>(length_);
  pos_ = 0;
  readSinceOpen_ = true;
  const std::size_t carried = carryLength_;
  std::memcpy(block_.get(), carry_, carried);
  carryLength_ = 0;
  const std::int64_t got = text::ReadSome(fd_, block_.get() + carried, kBlockSize - carried);
  if (got < 0) throw text::Error(text::FileErrorMessage(path_, errno));
  length_ = static_cast<std::size_t>(got) + carried;
  if (got > 0 && oem_) text::dosToAnsiInPlace(block_.get(), length_);
  if (utf8_ && got > 0) {
    // A character begun at the block's end is read whole with the next.
    const std::size_t tail =
        text::IncompleteTail(reinterpret_cast<const unsigned char*>(block_.get()), length_);
    if (tail > 0 && tail < length_) {
      length_ -= tail;
      std::memcpy(carry_, block_.get() + length_, tail);
      carryLength_ = tail;
    }
  }
  return length_ > 0;
}

bool WordTokenizer::enterRangeUtf8(std::int64_t begin) {
  // The bytes before `begin` tell where the first character at or after it
  // starts and whether a word runs across it.
  const std::int64_t back = begin > 0 ? std::min<std::int64_t>(begin, 4) : 0;
  if (!seek(begin - back)) return false;
  if (back == 0) {
    if (length_ >= 3 && std::memcmp(block_.get(), text::kByteOrderMark, 3) == 0 && !advance(3))
      return false;
  } else {
    // So few bytes that the file ends here: a character cut by its end is
    // no longer held back for the next read, it is the file's last bytes.
    if (length_ <= static_cast<std::size_t>(back) && carryLength_ > 0) {
      length_ += carryLength_;
      carryLength_ = 0;
    }
    if (length_ <= static_cast<std::size_t>(back)) return false;
    std::size_t previous = 0;
    const std::size_t start = text::RangeStart(reinterpret_cast<const unsigned char*>(block_.get()),
                                               length_, static_cast<std::size_t>(back), previous);
    pos_ = previous;
    // The byte-order mark at the file's start is no character of a word.
    const bool mark = begin - back + static_cast<std::int64_t>(previous) == 0 && length_ >= 3 &&
                      std::memcmp(block_.get(), text::kByteOrderMark, 3) == 0;
    const bool inWord = !mark && !(current().bits & text::kSeparatorByte);
    pos_ = start;
    if (pos_ >= length_ && !refill()) return false;
    // A word running across `begin` belongs to the range before.
    if (inWord) {
      for (;;) {
        const text::ClassedChar c = current();
        if (c.bits & text::kSeparatorByte) break;
        if (!advance(c.length)) return false;
      }
    }
  }
  // Leading gap: skipped; it ends no token of this range.
  for (;;) {
    const text::ClassedChar c = current();
    if (!(c.bits & text::kSeparatorByte)) return true;
    if (!advance(c.length)) return false;
  }
}

bool WordTokenizer::readTokenUtf8(char* word, std::size_t& size) {
  std::size_t characters = 0;
  for (;;) {
    // ASCII by the table, up to a separator or a byte from 0x80 on.
    const char* const start = block_.get();
    const char* p = start + pos_;
    const char* const stop = start + length_;
    while (p < stop) {
      const auto b = static_cast<unsigned char>(*p);
      if (b >= 0x80) break;
      if (class_[b] & kSeparator) {
        pos_ = static_cast<std::size_t>(p - start);
        return true;
      }
      if (characters < kMaxWord) {
        word[size++] = fold_[b];
        ++characters;
      } else {
        cut_ = true;
      }
      ++p;
    }
    pos_ = static_cast<std::size_t>(p - start);
    if (p >= stop) {
      if (!refill()) return false;
      continue;
    }
    const text::ClassedChar c = current();
    if (c.bits & text::kSeparatorByte) return true;
    if (characters < kMaxWord) {
      if (lowerCase_ && c.length > 1) {
        size += text::EncodeCodePoint(wide_.Lower(c.ch), word + size);
      } else {
        // As it stands (an invalid byte stays itself).
        std::memcpy(word + size, p, c.length);
        size += c.length;
      }
      ++characters;
    } else {
      cut_ = true;
    }
    if (!advance(c.length)) return false;
  }
}

bool WordTokenizer::readGapUtf8(bool& simpleEnd) {
  simpleEnd = false;
  for (;;) {
    const auto b = static_cast<unsigned char>(block_[pos_]);
    if (b < 0x80) {
      const std::uint8_t cls = class_[b];
      if (!(cls & kSeparator)) return true;
      if (cls & kEndsSentence) simpleEnd = true;
      if (++pos_ >= length_ && !refill()) {
        simpleEnd = true;
        return false;
      }
      continue;
    }
    const text::ClassedChar c = current();
    if (!(c.bits & text::kSeparatorByte)) return true;
    if (text::EndsSimpleSentence(c.bits, crlf_)) simpleEnd = true;
    if (!advance(c.length)) {
      simpleEnd = true;
      return false;
    }
  }
}

}  // namespace lexvane::frequency
