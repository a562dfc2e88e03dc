#include "text/text_scanner.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"

namespace lexvane::text {

namespace {

std::string systemMessage(int error) {
  return std::strerror(error);
}

}  // namespace

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
  for (int c = 0; c < 256; ++c) {
    std::uint8_t bits = 0;
    if (sets_.isSeparator[c]) bits |= kSeparator;
    if (sets_.inSentenceSet[c]) bits |= kSentence;
    if (sets_.inPlain[c]) bits |= kPlain;
    if (sets_.inClosing[c]) bits |= kClosing;
    if (c == '\r' || c == '\n') bits |= kLineBreak;
    classes_[c] = bits;
  }
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
    while (bufferLength_ > 0 &&
           (classes_[static_cast<unsigned char>(buffer_[position_])] & kSeparator) != 0) {
      if (++position_ >= bufferLength_) refill();
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
  buffer_[0] = '\0';
}

void TextScanner::refill() {
  bufferStart_ += bufferLength_;
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.get(), kBlockSize);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    const int error = errno;
    bufferLength_ = 0;
    throw Error(path_ + ": " + systemMessage(error));
  }
  if (got > 0 && sets_.oemToAnsi) dosToAnsiInPlace(buffer_.get(), static_cast<std::size_t>(got));
  // A control character behind the data stops the word loop without a bound
  // check.
  buffer_[got] = '\0';
  bufferLength_ = got;
  position_ = 0;
}

bool TextScanner::ReadWord(ScannedWord& out, bool crlf) {
  if (bufferLength_ == 0) return false;
  const unsigned char* const data = reinterpret_cast<const unsigned char*>(buffer_.get());
  const unsigned char* const from = data + position_;
  const unsigned char* p = from;
  // Fast path: a short word inside the block followed by a single blank. The
  // sentinel behind the data stops the loop.
  while ((classes_[*p] & kSeparator) == 0) ++p;
  const std::size_t length = static_cast<std::size_t>(p - from);
  if (length > kShortWord || p >= data + bufferLength_) return readWordGeneral(out, crlf);
  out.offset = bufferStart_ + position_;
  // One fixed-size move; the padding behind the block allows the overread.
  std::memcpy(word_, from, kShortWord);
  position_ += static_cast<std::int64_t>(length);
  out.word = std::string_view(word_, length);
  out.cut = false;
  // One blank between two words of the block (p[1] is at most the sentinel).
  if (p[0] == ' ' && (classes_[p[1]] & kSeparator) == 0) {
    const unsigned c1 = length >= 2 ? static_cast<unsigned char>(word_[length - 2]) : 0;
    const unsigned c2 = length >= 1 ? static_cast<unsigned char>(word_[length - 1]) : 0;
    out.simpleEnd = (classes_[' '] & kSentence) != 0;
    out.enhancedEnd = enhancedBlank(c1, c2);
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
  unsigned c0 = cut ? tail_[0] : length >= 3 ? static_cast<unsigned char>(word_[length - 3]) : 0;
  unsigned c1 = cut ? tail_[1] : length >= 2 ? static_cast<unsigned char>(word_[length - 2]) : 0;
  unsigned c2 = cut ? tail_[2] : length >= 1 ? static_cast<unsigned char>(word_[length - 1]) : 0;
  bool simpleEnd = false;
  bool enhancedEnd = false;
  for (;;) {
    const unsigned ch = data[position_];
    const std::uint8_t bits = classes_[ch];
    if ((bits & kSeparator) == 0) break;
    if (bits & kSentence) simpleEnd = true;
    c0 = c1;
    c1 = c2;
    c2 = ch;
    if (crlf && (bits & kLineBreak)) simpleEnd = enhancedEnd = true;
    if (ch == ' ' && enhancedBlank(c0, c1)) enhancedEnd = true;
    if (++position_ >= bufferLength_) {
      refill();
      if (bufferLength_ == 0) {
        simpleEnd = enhancedEnd = true;
        break;
      }
    }
  }
  out.simpleEnd = simpleEnd;
  out.enhancedEnd = enhancedEnd;
  return true;
}

TextScanner::WordEnd TextScanner::readLongWord(std::size_t& length, bool& cut) {
  const unsigned char* const data = reinterpret_cast<const unsigned char*>(buffer_.get());
  length = 0;
  cut = false;
  for (;;) {
    const unsigned char* const from = data + position_;
    const unsigned char* p = from;
    while ((classes_[*p] & kSeparator) == 0) ++p;
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

}  // namespace lexvane::text
