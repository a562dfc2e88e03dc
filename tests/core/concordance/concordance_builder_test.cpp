// Concordance building, run in both scan modes: every case must come out
// alike in the reference scan and the fast scan.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "core/concordance/scripted_host.h"
#include "core/corpus/temp_folder.h"
#include "search/word_mask.h"
#include "text/error.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::ScriptedHost;

search::SearchQuery simpleQuery(std::vector<std::string> masks, std::string max = "10000") {
  search::SearchQuery query;
  query.Masks[0] = std::move(masks);
  query.MaxListSize = std::move(max);
  return query;
}

search::SearchQuery advancedQuery(std::vector<std::vector<std::string>> columns, int middle = 1) {
  search::SearchQuery query;
  query.Kind = search::QueryKind::Advanced;
  for (std::size_t c = 0; c < columns.size(); ++c) query.Masks[c] = columns[c];
  query.ColumnCount = static_cast<int>(columns.size());
  query.MiddleColumn = middle;
  return query;
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

class BuildTest : public ::testing::TestWithParam<ScanMode> {
 protected:
  std::string file(const std::string& name, const std::string& text) {
    const std::string path = folder_ / name;
    writeBytes(path, text);
    settings_.Files.Add(path, RootCollator());
    settings_.TotalBytes += static_cast<std::int64_t>(text.size());
    return path;
  }
  std::unique_ptr<ConcordanceTable> build(const search::SearchQuery& query) {
    BuildOptions options;
    options.Mode = GetParam();
    options.Threads = 2;
    return BuildConcordance(query, settings_, host_.host, options);
  }
  static std::vector<std::string> keywords(const ConcordanceTable& table) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < table.RowCount(); ++i) out.push_back(table.Keywords().Get(i));
    return out;
  }
  static std::vector<std::int64_t> sentences(const ConcordanceTable& table) {
    std::vector<std::int64_t> out;
    for (std::int32_t i = 0; i < table.RowCount(); ++i) out.push_back(table.Info(i).SentenceNo);
    return out;
  }

  TempFolder folder_;
  corpus::CorpusSettings settings_;
  ScriptedHost host_;
};

TEST_P(BuildTest, EveryMatchingWordIsARowInCorpusOrder) {
  file("a.txt", "We walk, walked and walks. Then rest.");
  const auto table = build(simpleQuery({"walk*", "walk"}));  // walk matches both: one row
  ASSERT_EQ(table->RowCount(), 3);
  EXPECT_EQ(keywords(*table), (std::vector<std::string>{"walk", "walked", "walks"}));
  EXPECT_EQ(table->Info(0).Offset, 3);
  EXPECT_EQ(table->Info(1).Offset, 9);
  EXPECT_EQ(table->Info(2).Offset, 20);
  EXPECT_EQ(sentences(*table), (std::vector<std::int64_t>{0, 0, 0}));
  EXPECT_EQ(table->LeftContexts().Get(1), "We walk,");
  EXPECT_EQ(table->RightContexts().Get(1), "and walks.");
  EXPECT_EQ(table->FileNames().Get(0), "a.txt");
  EXPECT_EQ(table->TotalWords, 7);
  EXPECT_EQ(table->TotalSentences, 2);
  EXPECT_EQ(table->FileCount, 1);
  EXPECT_EQ(table->TotalSizeKB, 1);
  EXPECT_TRUE(table->SearchComplete);
  EXPECT_FALSE(table->TableSorted);
  EXPECT_EQ(host_.search.label, "Words found:");
  EXPECT_EQ(host_.progress.titles, std::vector<std::string>{"Retrieving sentences"});
  EXPECT_EQ(host_.search.files, (std::vector<std::string>{"a.txt", ""}));
}

TEST_P(BuildTest, AdvancedOrderAndDistance) {
  file("a.txt", "the house. house the. the big house. The old big house.");
  auto query = advancedQuery({{"the"}, {"house"}});
  EXPECT_EQ(sentences(*build(query)), (std::vector<std::int64_t>{0}));
  query.MaxGap[0] = 1;
  EXPECT_EQ(sentences(*build(query)), (std::vector<std::int64_t>{0, 2}));
  query.MaxGap[0] = -1;
  EXPECT_EQ(sentences(*build(query)), (std::vector<std::int64_t>{0, 2, 3}));
  query.MaxGap[0] = 0;
  query.InOrder[0] = false;
  const auto table = build(query);
  EXPECT_EQ(sentences(*table), (std::vector<std::int64_t>{0, 1}));
  EXPECT_EQ(keywords(*table), (std::vector<std::string>{"the", "the"}));
  query.MiddleColumn = 2;
  EXPECT_EQ(keywords(*build(query)), (std::vector<std::string>{"house", "house"}));
}

TEST_P(BuildTest, OneWordCannotServeTwoColumns) {
  file("a.txt", "the. the then. then.");
  const auto table = build(advancedQuery({{"the*"}, {"th*"}}));
  EXPECT_EQ(sentences(*table), (std::vector<std::int64_t>{1}));
}

TEST_P(BuildTest, OneColumnQueryIsKeyedOnTheLastMatchAmongTheFirstThirty) {
  std::string many;
  for (int i = 0; i < 35; ++i)
    many += std::string("w") + char('a' + i / 26) + char('a' + i % 26) + ' ';
  file("a.txt", "a walk, a walks. no. " + many + "end.");
  const auto table = build(advancedQuery({{"w*"}}));
  EXPECT_EQ(keywords(*table), (std::vector<std::string>{"walks", "wbd"}));
  EXPECT_EQ(sentences(*table), (std::vector<std::int64_t>{0, 2}));
}

TEST_P(BuildTest, AnAdvancedHitNeverSpansTwoFiles) {
  file("a.txt", "the");
  file("b.txt", "house.");
  EXPECT_EQ(build(advancedQuery({{"the"}, {"house"}}))->RowCount(), 0);
}

TEST_P(BuildTest, FullTableStopsTheScanButKeepsTheSearchComplete) {
  file("a.txt", "a " + repeat("walk ", 500));
  file("b.txt", "walk walk.");
  const auto table = build(simpleQuery({"walk"}, "5"));  // raised to 100
  EXPECT_EQ(table->MaxListSize, 100);
  EXPECT_EQ(table->RowCount(), 100);
  EXPECT_EQ(table->TotalWords, 101);
  EXPECT_EQ(table->TotalSentences, 0);
  EXPECT_TRUE(table->SearchComplete);
  EXPECT_EQ(table->LeftContexts().GetCount(), 100);
  EXPECT_EQ(host_.search.files, (std::vector<std::string>{"a.txt", ""}));
}

TEST_P(BuildTest, CancelDuringTheScanIsSeenAtTheThousandWordUpdate) {
  file("a.txt", repeat("a b c walk. ", 1000));
  file("b.txt", "walk.");
  host_.search.cancelAtWords = 2000;
  const auto table = build(simpleQuery({"walk"}));
  EXPECT_EQ(table->TotalWords, 2000);
  EXPECT_EQ(table->TotalSentences, 500);
  EXPECT_EQ(table->RowCount(), 500);
  EXPECT_EQ(table->RightContexts().GetCount(), 500);
  EXPECT_FALSE(table->SearchComplete);
  EXPECT_EQ(host_.search.updates, (std::vector<std::int64_t>{1000, 2000, 2000}));
  EXPECT_EQ(host_.search.files, (std::vector<std::string>{"a.txt", ""}));
}

TEST_P(BuildTest, CancelDuringRetrievalKeepsTheRowsDone) {
  file("a.txt", repeat("walk. ", 1000));
  host_.progress.cancelAtUpdate = 3;
  const auto table = build(simpleQuery({"walk"}));
  EXPECT_EQ(table->RowCount(), 300);
  EXPECT_EQ(table->LeftContexts().GetCount(), 300);
  EXPECT_EQ(table->FileNames().GetCount(), 300);
  EXPECT_EQ(table->Keywords().Get(299), "walk");
  EXPECT_EQ(host_.progress.gauges, (std::vector<int>{10, 20, 30}));
  EXPECT_TRUE(table->SearchComplete);  // only the search indicator's Cancel clears it
}

// Cancel pressed the moment the retrieval window shows (as from another
// thread): the press is seen at the 100th hit, or never when fewer remain.
class PressedAtOnce : public testing::ScriptedProgress {
 public:
  void Start(std::string_view title) override {
    testing::ScriptedProgress::Start(title);
    cancelled = true;
  }
};

TEST_P(BuildTest, CancelDuringRetrievalIsSeenAtTheHundredHitSteps) {
  file("a.txt", repeat("walk. ", 250));
  PressedAtOnce progress;
  text::OperationHost host{host_.ui, host_.search, progress};
  BuildOptions options;
  options.Mode = GetParam();
  EXPECT_EQ(BuildConcordance(simpleQuery({"walk"}), settings_, host, options)->RowCount(), 100);
  EXPECT_EQ(
      BuildConcordance(simpleQuery({"walk"}), settings_, host, options)->RightContexts().GetCount(),
      100);
  EXPECT_EQ(BuildConcordance(simpleQuery({"walk"}, "200"), settings_, host, options)->RowCount(),
            100);
  EXPECT_EQ(BuildConcordance(simpleQuery({"walk"}, "150"), settings_, host, options)->RowCount(),
            100);
}

TEST_P(BuildTest, CancelInTheLastHundredHitsIsNeverSeen) {
  file("a.txt", repeat("walk. ", 50));
  PressedAtOnce progress;
  text::OperationHost host{host_.ui, host_.search, progress};
  BuildOptions options;
  options.Mode = GetParam();
  const auto table = BuildConcordance(simpleQuery({"walk"}), settings_, host, options);
  EXPECT_EQ(table->RowCount(), 50);
  EXPECT_EQ(table->FileNames().GetCount(), 50);
  EXPECT_TRUE(table->SearchComplete);
}

TEST_P(BuildTest, AFileThatCannotBeOpenedIsReportedAndSkipped) {
  const std::string missing = folder_ / "missing.txt";
  settings_.Files.Add(missing, RootCollator());
  file("z.txt", "walk.");
  const auto table = build(simpleQuery({"walk"}));
  EXPECT_EQ(table->RowCount(), 1);
  EXPECT_EQ(table->Info(0).FileIndex, 1);
  EXPECT_EQ(table->FileCount, 2);
  ASSERT_EQ(host_.ui.messages.size(), 1u);
  EXPECT_EQ(host_.ui.messages[0], "Error: " + missing + ": No such file or directory");
}

TEST_P(BuildTest, TaggedWordsAreMatchedAndShownWithoutTags) {
  settings_.TaggedText = true;
  settings_.WordSeparators = " _,;:/-+=^\"()[]{}*@&%$#\\|~`'0123456789.?!";
  file("t.txt", "<DT>The <NN>house <VBD>stood .");
  const auto table = build(simpleQuery({"house"}));
  ASSERT_EQ(table->RowCount(), 1);
  EXPECT_EQ(table->Keywords().Get(0), "house");
  EXPECT_EQ(table->LeftContexts().Get(0), "The");
  EXPECT_EQ(table->RightContexts().Get(0), "stood .");
  EXPECT_TRUE(table->TaggedText);
}

TEST_P(BuildTest, InvalidListSizeFailsBeforeScanning) {
  file("a.txt", "walk.");
  try {
    build(simpleQuery({"walk"}, "ten"));
    FAIL() << "no error";
  } catch (const text::Error& e) {
    EXPECT_STREQ(e.what(), "'ten' is not a valid integer value");
  }
  EXPECT_TRUE(host_.search.files.empty());
}

INSTANTIATE_TEST_SUITE_P(BothModes, BuildTest,
                         ::testing::Values(ScanMode::Reference, ScanMode::Fast),
                         [](const auto& info) {
                           return info.param == ScanMode::Reference ? "Reference" : "Fast";
                         });

TEST(HitSlots, TheLastFittingChoiceWins) {
  auto query = advancedQuery({{"a"}, {"b"}}, 2);
  query.MaxGap[0] = -1;
  HitSlots slots(query);
  slots.RecordSlot(1, 1, 10);
  slots.RecordSlot(2, 2, 20);
  slots.RecordSlot(2, 3, 30);
  std::int64_t offset = 0;
  ASSERT_TRUE(slots.FindCombination(offset));
  EXPECT_EQ(offset, 30);
}

TEST(HitSlots, AfterAFitTheRestOfColumnFiveIsSkipped) {
  auto query = advancedQuery({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}}, 5);
  query.MaxGap = {-1, -1, -1, -1};
  HitSlots slots(query);
  for (int c = 1; c <= 4; ++c) slots.RecordSlot(c, c, c * 10);
  slots.RecordSlot(5, 5, 50);
  slots.RecordSlot(5, 6, 60);
  std::int64_t offset = 0;
  ASSERT_TRUE(slots.FindCombination(offset));
  EXPECT_EQ(offset, 50);
}

TEST(HitSlots, ThirtyFirstMatchOfAColumnIsDropped) {
  auto query = advancedQuery({{"a"}, {"b"}});
  query.MaxGap[0] = -1;
  HitSlots slots(query);
  for (int i = 1; i <= 31; ++i) slots.RecordSlot(1, i, i);
  slots.RecordSlot(2, 31, 31);
  std::int64_t offset = 0;
  ASSERT_TRUE(slots.FindCombination(offset));
  EXPECT_EQ(offset, 30);  // the 31st word of column 1 was never recorded
  EXPECT_FALSE(slots.CombinationFits({1, 1, 0, 0, 0}));
  EXPECT_TRUE(slots.CombinationFits({1, 2, 0, 0, 0}));
  EXPECT_FALSE(slots.CombinationFits({2, 1, 0, 0, 0}));
  EXPECT_FALSE(slots.CombinationFits({0, 1, 0, 0, 0}));
}

TEST(HitSlots, TheLargestDistanceLetsAnyDistanceFit) {
  // A search file or the command line may give the largest int.
  auto query = advancedQuery({{"a"}, {"b"}}, 2);
  query.MaxGap[0] = 2147483647;
  HitSlots slots(query);
  slots.RecordSlot(1, 1, 10);
  slots.RecordSlot(2, 50, 500);
  EXPECT_TRUE(slots.CombinationFits({1, 50, 0, 0, 0}));
  std::int64_t offset = 0;
  ASSERT_TRUE(slots.FindCombination(offset));
  EXPECT_EQ(offset, 500);
}

TEST(Caption, MasksUpToFiftyCharactersThenDots) {
  EXPECT_EQ(ConcordanceCaption(simpleQuery({"walk", "walks", "walked"})),
            "Concordance: walk, walks, walked");
  std::vector<std::string> letters;
  for (char c = 'a'; c <= 'z'; ++c) letters.emplace_back(1, c);
  // "a, b, ..." reaches 52 characters with the 18th letter.
  EXPECT_EQ(ConcordanceCaption(simpleQuery(letters)),
            "Concordance: a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r...");
  // UTF-8 masks count their characters: as many Greek letters as Latin ones.
  std::vector<std::string> greek;
  std::string expected = "Concordance: ";
  for (char32_t c = U'\u03B1'; c < U'\u03B1' + 26; ++c) {
    greek.emplace_back();
    text::appendCodePoint(greek.back(), c);
    if (greek.size() <= 18) expected += (greek.size() > 1 ? ", " : "") + greek.back();
  }
  EXPECT_EQ(ConcordanceCaption(simpleQuery(greek), text::Encoding::Utf8), expected + "...");
}

TEST(ConcordanceBuild, AUtf8TablesWordSeparatorsKeep255Characters) {
  TempFolder folder;
  writeBytes(folder / "a.txt", "\xCE\xB1 \xCE\xB2.");
  corpus::CorpusSettings settings;
  settings.TextEncoding = text::Encoding::Utf8;
  settings.Files.Add(folder / "a.txt", RootCollator());
  // 43 ASCII separators and 212 Greek capitals: 255 characters, 467 bytes.
  settings.WordSeparators = text::kDefaultWordSeparators;
  for (char32_t c = 0x391;
       text::characterCount(settings.WordSeparators, text::Encoding::Utf8) < 255; ++c)
    text::appendCodePoint(settings.WordSeparators, c < 0x3A2 ? c : c + 0x100);
  testing::ScriptedHost host;
  const auto table = BuildConcordance(simpleQuery({"*"}), settings, host.host);
  EXPECT_EQ(table->WordSeparators, settings.WordSeparators);
}

}  // namespace
}  // namespace lexvane::concordance

namespace lexvane::concordance {
namespace {

// The exhaustive search: every choice in order, the last fit kept, the rest
// of column 5 skipped after a fit.
bool exhaustiveCombination(const HitSlots& slots, const search::SearchQuery& query,
                           std::int64_t& offset) {
  std::array<int, 5> choices;
  for (int c = 0; c < 5; ++c) choices[c] = c < query.ColumnCount ? slots.Count(c + 1) : 1;
  const auto position = [&](int c, int i) {
    return c < query.ColumnCount ? slots.Position(c + 1, i) : std::int64_t{0};
  };
  bool found = false;
  std::array<int, 5> i{};
  for (i[0] = 0; i[0] < choices[0]; ++i[0])
    for (i[1] = 0; i[1] < choices[1]; ++i[1])
      for (i[2] = 0; i[2] < choices[2]; ++i[2])
        for (i[3] = 0; i[3] < choices[3]; ++i[3])
          for (i[4] = 0; i[4] < choices[4]; ++i[4]) {
            if (!slots.CombinationFits({position(0, i[0]), position(1, i[1]), position(2, i[2]),
                                        position(3, i[3]), position(4, i[4])}))
              continue;
            found = true;
            offset = slots.Offset(query.MiddleColumn, i[query.MiddleColumn - 1]);
            break;
          }
  return found;
}

TEST(HitSlots, PrunedSearchFindsTheChoiceOfTheExhaustiveSearch) {
  std::mt19937 random(42);
  for (int round = 0; round < 3000; ++round) {
    search::SearchQuery query;
    query.Kind = search::QueryKind::Advanced;
    query.ColumnCount = 1 + static_cast<int>(random() % 5);
    query.MiddleColumn = 1 + static_cast<int>(random() % query.ColumnCount);
    for (int k = 0; k < 4; ++k) {
      query.InOrder[k] = random() % 2;
      query.MaxGap[k] = static_cast<int>(random() % 5) - 1;
    }
    HitSlots slots(query);
    const int words = 2 + static_cast<int>(random() % 9);
    for (int c = 1; c <= query.ColumnCount; ++c) {
      const int n = 1 + static_cast<int>(random() % 4);
      for (int s = 0; s < n; ++s) {
        const std::int64_t position = 1 + static_cast<std::int64_t>(random() % words);
        slots.RecordSlot(c, position, position * 10 + c);
      }
    }
    std::int64_t expected = -1, actual = -1;
    const bool fits = exhaustiveCombination(slots, query, expected);
    ASSERT_EQ(slots.FindCombination(actual), fits) << round;
    ASSERT_EQ(actual, expected) << round;
  }
}

}  // namespace
}  // namespace lexvane::concordance
