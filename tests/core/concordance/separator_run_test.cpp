// Long runs of separators (blanks, zero bytes, digits): the fast scan reads
// each byte about once however the runs lie across its units, and still
// gives exactly the reference scan's table.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/hit_sink.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/temp_folder.h"
#include "text/character_sets.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

search::SearchQuery simpleQuery(const std::string& mask) {
  search::SearchQuery query;
  query.Masks[0] = {mask};
  return query;
}

// Every range of `unit` bytes of the file scanned on its own, as the fast
// scan's threads do: the bytes read in all.
std::int64_t bytesReadByRanges(const std::string& path, std::int64_t size, std::int64_t unit,
                               bool enhanced) {
  const text::CharacterSets sets = text::CharacterSets::Derive(
      text::kDefaultWordSeparators, text::kDefaultSentenceSeparators, false);
  const search::SearchQuery query = simpleQuery("walk");
  const QueryMatcher matcher(query);
  BuildOptions options;
  options.BlockBytes = 4096;
  const HitScan scan(sets, false, enhanced, query, matcher, 10000, options);
  const int fd = ::open(path.c_str(), O_RDONLY);
  std::int64_t total = 0;
  for (std::int64_t from = 0; from < size; from += unit) {
    text::BlockScanner<HitSink> scanner(scan.Setup());
    HitSink sink(scan, [](UnitResult&&, bool) { return true; });
    sink.Run(scanner, fd, from, std::min(from + unit, size));
    total += scanner.BytesRead();
  }
  ::close(fd);
  return total;
}

TEST(SeparatorRuns, ARangeInsideARunReadsOnlyItsOwnBytes) {
  TempFolder folder;
  const std::int64_t run = 2 << 20;
  const std::int64_t unit = 64 << 10;
  // A run before the first word, and a run behind a word whose sentence
  // ends at once (so the range holding it need not read the run to its end).
  for (const std::string& text : {std::string(run, '\0') + " A long walk.",
                                  "It ends. " + std::string(run, ' ') + "A long walk."}) {
    const std::string path = folder / "run.txt";
    writeBytes(path, text);
    const auto size = static_cast<std::int64_t>(text.size());
    for (const bool enhanced : {false, true}) {
      // Before, each of the 32 ranges read on to the run's end: 32 MB.
      EXPECT_LE(bytesReadByRanges(path, size, unit, enhanced), size + (size / unit + 1) * 8192)
          << "enhanced " << enhanced;
    }
  }
}

// One word longer than many units, and lines ended by carriage returns
// alone: each range stops at its end but the one that owns the word, which
// reads on to its end: every byte is read at most twice, however many
// ranges the word spans.
TEST(SeparatorRuns, ARangeInsideALongWordReadsOnlyItsOwnBytes) {
  TempFolder folder;
  const std::int64_t run = 2 << 20;
  const std::int64_t unit = 64 << 10;
  std::string lines;
  while (lines.size() < static_cast<std::size_t>(run)) lines += "A short line.\r";
  for (const std::string& text : {"It starts. " + std::string(run, 'w') + " and ends.", lines}) {
    const std::string path = folder / "word.txt";
    writeBytes(path, text);
    const auto size = static_cast<std::int64_t>(text.size());
    for (const bool enhanced : {false, true})
      EXPECT_LE(bytesReadByRanges(path, size, unit, enhanced), 2 * size + (size / unit + 1) * 8192)
          << "enhanced " << enhanced;
  }
}

std::string describe(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                     ScanMode mode, std::int64_t unit, std::int64_t block) {
  testing::ScriptedHost host;
  BuildOptions options;
  options.Mode = mode;
  options.Threads = 3;
  options.UnitBytes = unit;
  options.BlockBytes = block;
  const auto table = BuildConcordance(query, settings, host.host, options);
  std::ostringstream out;
  out << table->TotalWords << ' ' << table->TotalSentences << ' ' << table->RowCount() << '\n';
  for (std::int32_t i = 0; i < table->RowCount(); ++i)
    out << table->Info(i).FileIndex << ' ' << table->Info(i).SentenceNo << ' '
        << table->Info(i).Offset << " [" << table->LeftContexts().Get(i) << "]["
        << table->Keywords().Get(i) << "][" << table->RightContexts().Get(i) << "]\n";
  for (const auto& m : host.ui.messages) out << " {" << m << '}';
  return out.str();
}

TEST(SeparatorRuns, TheFastScanMatchesTheReferenceAroundLongRuns) {
  TempFolder folder;
  corpus::CorpusSettings settings;
  const std::vector<std::string> texts = {
      std::string(300000, '\0') + " A long walk.",
      "We walk" + std::string(200000, ' ') + ". walk on" + std::string(100000, '7') + "walk",
      "walk." + std::string(150000, ' ') + "\r\n" + std::string(150000, '\t') + " walks home",
      "A walk" + std::string(250000, ' '),
      std::string(120000, '3') + "walk " + std::string(120000, '-') + "! x"};
  for (std::size_t f = 0; f < texts.size(); ++f) {
    const std::string path = folder / ("f" + std::to_string(f) + ".txt");
    writeBytes(path, texts[f]);
    settings.Files.Add(path, RootCollator());
  }
  int cases = 0;
  for (const bool enhanced : {false, true})
    for (const bool crlf : {false, true}) {
      settings.EnhSentDetect = enhanced;
      settings.CRLFAsSeparator = crlf;
      for (const std::string mask : {"walk*", "*"}) {
        const search::SearchQuery query = simpleQuery(mask);
        const std::string expected = describe(query, settings, ScanMode::Reference, 0, 0);
        for (const auto& [unit, block] :
             std::vector<std::pair<int, int>>{{0, 0}, {4096, 4096}, {10000, 999}, {65536, 512}}) {
          ASSERT_EQ(describe(query, settings, ScanMode::Fast, unit, block), expected)
              << "enhanced " << enhanced << " crlf " << crlf << " mask " << mask << " unit " << unit
              << " block " << block;
          ++cases;
        }
      }
    }
  EXPECT_EQ(cases, 2 * 2 * 2 * 4);
}

}  // namespace
}  // namespace lexvane::concordance
