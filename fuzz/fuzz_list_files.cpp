// Text List and older File List reading: any bytes read without harm, every
// path read is non-empty and holds no line break, and what is read, written
// and read again is the same corpus (a lone carriage return, a zero byte,
// tabs or blanks at the ends of a value included); a save refused is one
// whose path the list cannot hold.
#include <fuzzer/FuzzedDataProvider.h>

#include "corpus/list_files.h"
#include "fuzz_support.h"
#include "text/error.h"

using lexvane::corpus::CorpusSettings;
using lexvane::fuzz::Check;
using lexvane::fuzz::WriteScratch;

namespace {

bool sameOptions(const CorpusSettings& a, const CorpusSettings& b) {
  return a.WordSeparators == b.WordSeparators && a.SentenceSeparators == b.SentenceSeparators &&
         a.TextEncoding == b.TextEncoding && a.EnhSentDetect == b.EnhSentDetect &&
         a.CRLFAsSeparator == b.CRLFAsSeparator && a.IgnoreCapital == b.IgnoreCapital &&
         a.TaggedText == b.TaggedText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool textList = input.ConsumeBool();
  const std::string companion = textList ? std::string() : input.ConsumeRandomLengthString(400);
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const std::string list = WriteScratch(textList ? "in.CTL" : "in.CFL", bytes);
  if (!textList) WriteScratch("in.INI", companion);

  CorpusSettings read;
  lexvane::corpus::ReadListFile(list, textList, read, lexvane::fuzz::RootCollator());
  for (const std::string& path : read.Files.Paths()) {
    Check(!path.empty(), "no empty path");
    if (!textList)
      Check(path.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
            "no line break or zero byte in a path");
  }
  const std::string out = (lexvane::fuzz::ScratchFolder() / (textList ? "out.CTL" : "out.CFL"));
  std::filesystem::remove(out);
  std::filesystem::remove(lexvane::fuzz::ScratchFolder() / "out.INI");
  try {
    lexvane::corpus::WriteListFile(out, textList, read);
  } catch (const lexvane::text::Error& e) {
    // Only a path longer than a list value can hold refuses the save.
    Check(std::string(e.what()).find(" characters") != std::string::npos, e.what());
    return 0;
  }
  CorpusSettings back;
  lexvane::corpus::ReadListFile(out, textList, back, lexvane::fuzz::RootCollator());
  Check(back.Files.Paths() == read.Files.Paths(), "the paths survive a round trip");
  Check(sameOptions(back, read), "the options survive a round trip");
  return 0;
}
