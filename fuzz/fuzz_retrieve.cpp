// Sentence retrieval: for any window, separators, offset and rules the three
// texts are clean (no control character, no blank at either end, no two
// blanks in a row) and at most 255 characters, and reading the window from a
// file gives what cutting it in memory gives.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"
#include "text/sentence_retrieval.h"
#include "text/text_scanner.h"

using lexvane::fuzz::Check;
namespace text = lexvane::text;

namespace {

void checkClean(const std::string& part) {
  Check(part.size() <= 255, "a text has at most 255 characters");
  if (part.empty()) return;
  Check(part.front() != ' ' && part.back() != ' ', "no blank at either end");
  Check(part.find("  ") == std::string::npos, "no two blanks in a row");
  for (const char c : part) Check(static_cast<unsigned char>(c) >= 32, "no control character");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string wordSeparators = input.ConsumeRandomLengthString(10);
  const std::string sentenceSeparators = input.ConsumeRandomLengthString(4);
  const bool oem = input.ConsumeBool();
  const bool crlf = input.ConsumeBool();
  const bool enhanced = input.ConsumeBool();
  const std::int64_t offset = input.ConsumeIntegralInRange<std::int64_t>(0, 1500);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  // The sets retrieval cuts with, as the scan configures them.
  text::TextScanner scanner;
  scanner.Configure(wordSeparators, sentenceSeparators, oem);
  const std::string path = lexvane::fuzz::WriteScratch("retrieve.txt", bytes);
  text::Sentence fromFile;
  text::RetrieveSentence(path, offset, crlf, enhanced, scanner.Sets(), fromFile);
  checkClean(fromFile.left);
  checkClean(fromFile.keyword);
  checkClean(fromFile.right);

  const std::int64_t start = offset < 300 ? 0 : offset - 300;
  text::Sentence inMemory;
  if (static_cast<std::size_t>(start) < bytes.size()) {
    const std::size_t length = std::min<std::size_t>(1024, bytes.size() - start);
    text::CutSentence(bytes.data() + start, length, start, offset, crlf, enhanced, scanner.Sets(),
                      inMemory);
  }
  Check(inMemory.left == fromFile.left && inMemory.keyword == fromFile.keyword &&
            inMemory.right == fromFile.right,
        "the file and the window give the same sentence");
  return 0;
}
