// The text scanner against the word frequency tokenizer: for any separators,
// options and bytes both deliver the same words with the same simple
// sentence ends, each word is the file's bytes at its offset, and a file read
// in two ranges gives the words of the whole; in 8-bit and UTF-8 text.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "frequency/word_tokenizer.h"
#include "fuzz_support.h"
#include "text/encoding.h"
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
  bool simpleEnd;
  bool operator==(const Token&) const = default;
};

std::vector<Token> tokenize(const std::string& path, const text::CharacterSets& sets, bool crlf,
                            std::int64_t begin, std::int64_t end) {
  lexvane::frequency::WordTokenizer tokenizer(sets, crlf, false);
  std::string error;
  Check(tokenizer.Open(path, error), "the tokenizer opens the file");
  std::vector<Token> tokens;
  tokenizer.Scan(begin, end, [&](std::string_view word, bool simpleEnd) {
    tokens.push_back({std::string(word), simpleEnd});
    return true;
  });
  return tokens;
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
  std::vector<std::int64_t> offsets;
  text::ScannedWord word;
  while (scanner.ReadWord(word, crlf)) {
    scanned.push_back({std::string(word.word), word.simpleEnd});
    offsets.push_back(word.offset);
    Check(!word.word.empty() && text::characterCount(word.word, encoding) <= 255,
          "a word has 1 to 255 characters");
    Check(word.offset >= 0 && static_cast<std::size_t>(word.offset) < bytes.size(),
          "an offset lies in the file");
    if (!oem)
      Check(bytes.compare(static_cast<std::size_t>(word.offset), word.word.size(), word.word) == 0,
            "a word is the file's bytes at its offset");
  }
  scanner.CloseFile();
  for (std::size_t i = 1; i < offsets.size(); ++i)
    Check(offsets[i] > offsets[i - 1], "offsets grow");

  const text::CharacterSets& sets = scanner.Sets();
  const std::vector<Token> whole = tokenize(path, sets, crlf, 0, -1);
  Check(whole == scanned, "tokenizer and scanner agree");
  if (!bytes.empty()) {
    const auto cut = static_cast<std::int64_t>(data[0] % (bytes.size() + 1));
    std::vector<Token> parts = tokenize(path, sets, crlf, 0, cut);
    const std::vector<Token> rest = tokenize(path, sets, crlf, cut, -1);
    parts.insert(parts.end(), rest.begin(), rest.end());
    Check(parts == whole, "two ranges give the words of the whole");
  }
  return 0;
}
