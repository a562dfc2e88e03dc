// The reference concordance scan (word by word through the text scanner)
// against the fast scan (units on threads, replayed in corpus order): for any
// separators, options, query and files, the same table and the same counts.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdio>

#include <sstream>

#include "concordance/concordance_builder.h"
#include "fuzz_support.h"

using lexvane::fuzz::Check;
namespace concordance = lexvane::concordance;
namespace search = lexvane::search;
namespace text = lexvane::text;

namespace {

class Host : public text::UserInterface,
             public text::SearchIndicator,
             public text::ProgressIndicator {
 public:
  text::Answer Ask(std::string_view caption, std::string_view message, text::Buttons,
                   text::Icon) override {
    log << "{" << caption << ": " << message << "}";
    return text::Answer::Ok;
  }
  void Start(std::string_view) override {}
  void SetFile(std::string_view name) override { log << " '" << name << "'"; }
  void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) override {
    log << ' ' << words << '/' << sentences << '/' << found;
  }
  void SetGauge(int) override {}
  bool Cancelled() const override { return false; }
  void Finish() override {}
  std::ostringstream log;
};

std::string describe(const search::SearchQuery& query,
                     const lexvane::corpus::CorpusSettings& settings,
                     const concordance::BuildOptions& options) {
  Host host;
  text::OperationHost operation{host, host, host};
  const auto table = concordance::BuildConcordance(query, settings, operation, options);
  std::ostringstream out;
  out << table->TotalWords << ' ' << table->TotalSentences << ' ' << table->SearchComplete << ' '
      << table->RowCount() << '\n';
  for (std::int32_t i = 0; i < table->RowCount(); ++i) {
    const concordance::TOneWordInfo& info = table->Info(i);
    out << info.FileIndex << ' ' << info.SentenceNo << ' ' << info.Offset << " ["
        << table->LeftContexts().Get(i) << '|' << table->Keywords().Get(i) << '|'
        << table->RightContexts().Get(i) << "]\n";
  }
  out << host.log.str();
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  lexvane::corpus::CorpusSettings settings;
  settings.WordSeparators = input.ConsumeRandomLengthString(10);
  settings.SentenceSeparators = input.ConsumeRandomLengthString(4);
  settings.EnhSentDetect = input.ConsumeBool();
  settings.CRLFAsSeparator = input.ConsumeBool();
  settings.TextEncoding = static_cast<text::Encoding>(input.ConsumeIntegralInRange(0, 2));

  search::SearchQuery query;
  query.MaxListSize = std::to_string(input.ConsumeIntegralInRange(1, 60));
  query.Kind = input.ConsumeBool() ? search::QueryKind::Advanced : search::QueryKind::Simple;
  query.ColumnCount =
      query.Kind == search::QueryKind::Simple ? 1 : input.ConsumeIntegralInRange(1, 5);
  for (int c = 0; c < query.ColumnCount; ++c) {
    std::string mask = input.ConsumeRandomLengthString(6);
    if (mask.empty()) mask = "*";
    query.Masks[c].push_back(mask);
  }
  query.MiddleColumn = input.ConsumeIntegralInRange(1, query.ColumnCount);
  for (int k = 0; k < search::kColumnPairs; ++k) {
    query.InOrder[k] = input.ConsumeBool();
    query.MaxGap[k] = input.ConsumeIntegralInRange(-1, 6);
  }

  concordance::BuildOptions fast;
  fast.Mode = concordance::ScanMode::Fast;
  fast.Threads = input.ConsumeIntegralInRange(1, 3);
  fast.UnitBytes = input.ConsumeIntegralInRange(0, 300);
  fast.BlockBytes = input.ConsumeIntegralInRange(0, 130);
  fast.NoBulkSkip = input.ConsumeBool();

  const int files = input.ConsumeIntegralInRange(1, 3);
  for (int f = 0; f < files; ++f) {
    const std::string bytes =
        f + 1 == files ? input.ConsumeRemainingBytesAsString() : input.ConsumeRandomLengthString();
    settings.Files.Add(lexvane::fuzz::WriteScratch("c" + std::to_string(f), bytes),
                       lexvane::fuzz::RootCollator());
  }

  concordance::BuildOptions reference;
  reference.Mode = concordance::ScanMode::Reference;
  const std::string expected = describe(query, settings, reference);
  const std::string actual = describe(query, settings, fast);
  if (actual != expected) {
    std::fprintf(stderr, "reference:\n%s\nfast:\n%s\n", expected.c_str(), actual.c_str());
  }
  Check(actual == expected, "the fast scan gives the reference table");
  return 0;
}
