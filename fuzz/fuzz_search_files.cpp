// Word search files (".cws", both dialogs) and lemma lists (".cll"): any bytes
// load without harm; what is loaded, saved and loaded again is the same query.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"
#include "search/lemma_list.h"
#include "search/search_dialogs.h"
#include "text/error.h"

using lexvane::fuzz::Check;
using lexvane::fuzz::WriteScratch;
namespace search = lexvane::search;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string start = input.ConsumeRandomLengthString(300);
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const std::string file = WriteScratch("in.cws", bytes);

  search::SimpleSearchModel simple;
  simple.LoadFrom(file);
  for (const std::string& mask : simple.Masks) Check(mask.size() <= 255, "a mask is cut");
  search::AdvancedSearchModel advanced;
  advanced.LoadFrom(file);
  Check(advanced.MiddleRadio >= 1 && advanced.MiddleRadio <= search::kColumns,
        "the middle column is a column");

  const std::string out = (lexvane::fuzz::ScratchFolder() / "out.cws").string();
  std::filesystem::remove(out);
  try {
    advanced.SaveTo(out);
  } catch (const lexvane::text::Error&) {
    return 0;  // an invalid "Max. list size" is refused on saving
  }
  search::AdvancedSearchModel back;
  back.LoadFrom(out);
  Check(back.Masks == advanced.Masks, "the masks survive a round trip");
  Check(back.InOrder == advanced.InOrder && back.Distances == advanced.Distances &&
            back.MiddleRadio == advanced.MiddleRadio,
        "the constraints survive a round trip");

  const search::LemmaList lemmas =
      search::LoadLemmaList(WriteScratch("in.cll", bytes), start, lexvane::fuzz::RootCollator());
  Check(lemmas.Selected >= -1 && lemmas.Selected < static_cast<int>(lemmas.Lines.size()),
        "the preselected line exists");
  for (const std::string& line : lemmas.Lines) {
    Check(!line.empty(), "no empty lemma line");
    for (const std::string& form : search::LemmaForms(line))
      Check(!form.empty() && form.size() <= 255, "forms are non-empty and cut");
  }
  return 0;
}
