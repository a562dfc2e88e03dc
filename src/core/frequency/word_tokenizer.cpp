#include "frequency/word_tokenizer.h"

#include <unistd.h>

#include <cerrno>

#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"
#include "text/scan_rules.h"

namespace lexvane::frequency {

WordTokenizer::WordTokenizer(const text::CharacterSets& sets, bool crlf, bool lowerCase)
    : oem_(sets.oemToAnsi) {
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
  return refill();
}

bool WordTokenizer::refill() {
  blockStart_ += static_cast<std::int64_t>(length_);
  pos_ = 0;
  readSinceOpen_ = true;
  const std::int64_t got = text::ReadSome(fd_, block_.get(), kBlockSize);
  if (got < 0) throw text::Error(text::FileErrorMessage(path_, errno));
  length_ = static_cast<std::size_t>(got);
  if (length_ > 0 && oem_) text::dosToAnsiInPlace(block_.get(), length_);
  return length_ > 0;
}

}  // namespace lexvane::frequency
