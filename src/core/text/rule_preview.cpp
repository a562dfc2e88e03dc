#include "text/rule_preview.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "text/block_scanner.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"

namespace lexvane::text {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string fileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

DecodedSample decodeBytes(std::string_view bytes, std::size_t maxCharacters, bool dos) {
  DecodedSample sample;
  const std::size_t size = std::min(bytes.size(), maxCharacters);
  std::string ansi(bytes.substr(0, size));
  if (dos) dosToAnsiInPlace(ansi.data(), ansi.size());
  sample.text = ansiToUtf16(ansi);
  sample.unitOfByte.resize(size + 1);
  for (std::size_t i = 0; i <= size; ++i) sample.unitOfByte[i] = i;
  return sample;
}

// The end of the run of word characters from `at`: invalid UTF-8 bytes are
// word characters.
std::size_t wordEnd(std::string_view text, std::size_t at, const CharacterSets& sets) {
  if (!IsUtf8(sets.encoding)) {
    while (at < text.size() && !sets.separator(text[at])) ++at;
    return at;
  }
  while (at < text.size()) {
    const Utf8Char c = nextUtf8Char(text, at);
    if (c.valid && sets.separatorChar(c.codePoint)) break;
    at += c.length;
  }
  return at;
}

}  // namespace

FileStart ReadFileStart(const std::string& path, std::size_t maxBytes) {
  FileStart start;
  int error = 0;
  // Only a regular file is read: a FIFO or a device could keep a read
  // waiting for ever.
  const Descriptor fd(OpenCorpusFile(path, FileAccess::Seek, error));
  if (fd.get() < 0) {
    start.note = error == kNotSeekable ? fileName(path) + ": not a regular file"
                                       : fileName(path) + ": " + std::strerror(error);
    return start;
  }
  start.bytes.resize(maxBytes);
  std::size_t got = 0;
  while (got < maxBytes) {
    const ssize_t n = ::read(fd.get(), start.bytes.data() + got, maxBytes - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      start.note = fileName(path) + ": " + std::strerror(errno);
      start.bytes.clear();
      return start;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  start.bytes.resize(got);
  struct stat info;
  start.wholeFile = got < maxBytes || (::fstat(fd.get(), &info) == 0 &&
                                       static_cast<std::size_t>(info.st_size) <= got);
  start.ok = true;
  return start;
}

DecodedSample DecodeWindows1252(std::string_view bytes, std::size_t maxCharacters) {
  return decodeBytes(bytes, maxCharacters, false);
}

DecodedSample DecodeDos(std::string_view bytes, std::size_t maxCharacters) {
  return decodeBytes(bytes, maxCharacters, true);
}

DecodedSample DecodeUtf8(std::string_view bytes, std::size_t maxCharacters) {
  DecodedSample sample;
  std::size_t i = 0;
  for (std::size_t count = 0; i < bytes.size() && count < maxCharacters; ++count) {
    const Utf8Char c = nextUtf8Char(bytes, i);
    // The start of a character whose rest was not read shows nothing.
    if (!c.valid && cutByEnd(bytes.substr(i))) break;
    const std::size_t unit = sample.text.size();
    sample.unitOfByte.insert(sample.unitOfByte.end(), c.length, unit);
    appendUtf16(sample.text, c.codePoint);
    i += c.length;
  }
  sample.unitOfByte.push_back(sample.text.size());
  return sample;
}

SampleDecoder DecoderFor(const CharacterSets& sets) {
  if (IsUtf8(sets.encoding)) return &DecodeUtf8;
  return sets.oemToAnsi ? &DecodeDos : &DecodeWindows1252;
}

std::vector<PreviewWord> CutPreview(std::string_view sample, bool wholeFile,
                                    const CharacterSets& sets, bool crlf) {
  // The very code of a scan cuts the sample.
  struct Collect {
    std::vector<PreviewWord> words;
    bool Word(const ScanWord& scanned) {
      PreviewWord word;
      word.begin = static_cast<std::size_t>(scanned.offset);
      word.simpleEnd = scanned.simpleEnd;
      word.enhancedEnd = scanned.enhancedEnd;
      words.push_back(word);
      return true;
    }
  };
  ScanOptions options;
  options.crlf = crlf;
  const ScanSetup setup(sets, options);
  BlockScanner<Collect> scanner(setup);
  Collect collect;
  scanner.ScanBytes(collect, sample);
  std::vector<PreviewWord> words = std::move(collect.words);

  // Where each word and its gap end; a word cut to 255 characters ends where
  // its run of word characters does.
  std::string text(sample);
  if (sets.oemToAnsi) dosToAnsiInPlace(text.data(), text.size());
  for (std::size_t i = 0; i < words.size(); ++i) {
    PreviewWord& word = words[i];
    word.end = wordEnd(text, word.begin, sets);
    word.gapEnd = i + 1 < words.size() ? words[i + 1].begin : text.size();
  }
  // The scanner took the sample's end for the file's end.
  if (!wholeFile && !words.empty() && words.back().gapEnd == text.size()) {
    PreviewWord& last = words.back();
    last.open = true;
    last.simpleEnd = last.enhancedEnd = false;
  }
  return words;
}

}  // namespace lexvane::text
