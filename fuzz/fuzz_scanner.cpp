// The text scanner against the block scanner: for any separators, options
// and bytes both deliver the same words with the same offsets, sentence ends
// and cuts, by the byte way and the character way, each word is the file's
// bytes at its offset, and a file read in two ranges gives the words of the
// whole; in 8-bit and UTF-8 text.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include <unistd.h>

#include "fuzz_support.h"
#include "text/block_scanner.h"
#include "text/encoding.h"
#include "text/open_file.h"
#include "text/text_scanner.h"
#include "text/user_interface.h"

using lexvane::fuzz::Check;
namespace text = lexvane::text;

namespace {

class SilentUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
};

struct Token {
  std::string word;
  std::int64_t offset;
  bool simpleEnd;
  bool enhancedEnd;
  bool cut;
  bool operator==(const Token&) const = default;
};

struct Collect {
  std::vector<Token> tokens;
  bool Word(const text::ScanWord& w) {
    tokens.push_back({std::string(w.text), w.offset, w.simpleEnd, w.enhancedEnd, w.cut});
    return true;
  }
};

std::vector<Token> blockScan(const std::string& path, const text::ScanSetup& setup,
                             std::int64_t begin, std::int64_t end) {
  int error = 0;
  const int fd = text::OpenCorpusFile(path, text::FileAccess::Seek, error);
  Check(fd >= 0, "the block scanner opens the file");
  text::BlockScanner<Collect> scanner(setup);
  Collect out;
  scanner.ScanFile(out, fd, begin, end);
  ::close(fd);
  return out.tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string wordSeparators = input.ConsumeRandomLengthString(12);
  const std::string sentenceSeparators = input.ConsumeRandomLengthString(5);
  const bool crlf = input.ConsumeBool();
  const auto encoding = static_cast<text::Encoding>(input.ConsumeIntegralInRange(0, 2));
  const bool oem = encoding == text::Encoding::Dos850;
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const std::string path = lexvane::fuzz::WriteScratch("scan.txt", bytes);

  text::TextScanner scanner(
      text::CharacterSets::Derive(wordSeparators, sentenceSeparators, encoding));
  SilentUi ui;
  Check(scanner.OpenFile(path, ui), "the scanner opens the file");
  std::vector<Token> scanned;
  text::ScannedWord word;
  while (scanner.ReadWord(word, crlf)) {
    scanned.push_back(
        {std::string(word.word), word.offset, word.simpleEnd, word.enhancedEnd, word.cut});
    Check(!word.word.empty() && text::characterCount(word.word, encoding) <= 255,
          "a word has 1 to 255 characters");
    Check(word.offset >= 0 && static_cast<std::size_t>(word.offset) < bytes.size(),
          "an offset lies in the file");
    if (!oem)
      Check(bytes.compare(static_cast<std::size_t>(word.offset), word.word.size(), word.word) == 0,
            "a word is the file's bytes at its offset");
  }
  scanner.CloseFile();
  for (std::size_t i = 1; i < scanned.size(); ++i)
    Check(scanned[i].offset > scanned[i - 1].offset, "offsets grow");

  const text::CharacterSets& sets = scanner.Sets();
  for (const bool byCharacters : {false, true}) {
    text::ScanOptions options;
    options.crlf = crlf;
    options.byCharacters = byCharacters;
    options.blockBytes = 64 + (bytes.empty() ? 0 : data[size - 1] % 200);
    const text::ScanSetup setup(sets, options);
    const std::vector<Token> whole = blockScan(path, setup, 0, -1);
    Check(whole == scanned, "block scanner and text scanner agree");
    if (!bytes.empty()) {
      const auto cut = static_cast<std::int64_t>(data[0] % (bytes.size() + 1));
      std::vector<Token> parts = blockScan(path, setup, 0, cut);
      const std::vector<Token> rest = blockScan(path, setup, cut, -1);
      parts.insert(parts.end(), rest.begin(), rest.end());
      Check(parts == whole, "two ranges give the words of the whole");
    }
  }
  return 0;
}
