// Clusters of a concordance of "the" over the prose of the n-gram tests:
// those that start with the keyword are the bigrams and trigrams of the
// corpus that start with "the", those that end with it the ones that end
// with "the" (the contexts reach to the sentence's ends); counted by hand
// and with a separate script. And the words of cut contexts.
#include "ngrams/cluster_build.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "concordance/concordance_builder.h"
#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "ngrams/ngram_statistics.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::ngrams {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using frequency::testing::Host;
using Row = std::tuple<std::string, std::int64_t, std::int64_t>;

std::vector<Row> rowsOf(const NGramList& list) {
  std::vector<Row> rows;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    rows.emplace_back(std::string(list.Text(i)), list.Frequency(i), list.Range(i));
  return rows;
}

class ClusterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addFile("1_harbour.txt",
            "The boats came in at dawn. The boats were heavy with fish, and the men on the quay "
            "were glad of it. At the end of the day the boats went out again!\r\n"
            "Nobody on the quay knew where the old man had gone.");
    addFile("2_market.txt",
            "At the end of the market the fish were sold. The men on the quay counted their "
            "coins; the boats rocked in the harbour. Was the old man at the end of the quay? "
            "Nobody knew.");
    addFile("3_lamp.txt",
            "The lamp was lit at dusk. The lamp was lit again at the end of the night, and the "
            "boats came home.");
    search::SearchQuery query;
    query.Masks[0] = {"the"};
    auto operation = host.operation();
    table = concordance::BuildConcordance(query, settings, operation);
    ASSERT_EQ(table->RowCount(), 24);
  }
  void addFile(const std::string& name, const std::string& content) {
    writeBytes(folder / name, content);
    settings.Files.Add(folder / name, RootCollator());
    settings.TotalBytes += static_cast<std::int64_t>(content.size());
  }
  NGramList clusters(ClusterSide side, std::int64_t minFrequency, bool lowerCase = true) {
    NGramOptions options;
    options.minLength = 2;
    options.maxLength = 3;
    options.minFrequency = minFrequency;
    NGramList list(ListKind::Clusters);
    auto operation = host.operation();
    BuildClusters(*table, options, side, lowerCase, list, RootCollator(), operation);
    return list;
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
  std::unique_ptr<concordance::ConcordanceTable> table;
};

TEST_F(ClusterTest, KeywordOnTheLeftStartsEachCluster) {
  const NGramList list = clusters(ClusterSide::Left, 1);
  EXPECT_EQ(host.progress.title, "Extracting clusters");
  const std::vector<Row> expected = {
      {"the boats", 5, 3},      {"the end", 4, 3},        {"the end of", 4, 3},
      {"the quay", 4, 2},       {"the boats came", 2, 2}, {"the lamp", 2, 1},
      {"the lamp was", 2, 1},   {"the men", 2, 2},        {"the men on", 2, 2},
      {"the old", 2, 2},        {"the old man", 2, 2},    {"the boats rocked", 1, 1},
      {"the boats went", 1, 1}, {"the boats were", 1, 1}, {"the day", 1, 1},
      {"the day the", 1, 1},    {"the fish", 1, 1},       {"the fish were", 1, 1},
      {"the harbour", 1, 1},    {"the market", 1, 1},     {"the market the", 1, 1},
      {"the night", 1, 1},      {"the night and", 1, 1},  {"the quay counted", 1, 1},
      {"the quay knew", 1, 1},  {"the quay were", 1, 1}};
  EXPECT_EQ(rowsOf(list), expected);
  EXPECT_EQ(list.Kind(), ListKind::Clusters);
  EXPECT_EQ(list.CellText(1, 0), "Cluster");
  EXPECT_TRUE(list.ListComplete());
}

TEST_F(ClusterTest, KeywordOnTheRightEndsEachCluster) {
  const std::vector<Row> expected = {{"at the", 4, 3}, {"end of the", 4, 3}, {"of the", 4, 3},
                                     {"on the", 3, 2}, {"and the", 2, 2},    {"men on the", 2, 2}};
  EXPECT_EQ(rowsOf(clusters(ClusterSide::Right, 2)), expected);
}

TEST_F(ClusterTest, CaseKeptWhenTheCorpusKeepsIt) {
  const std::vector<Row> rows = rowsOf(clusters(ClusterSide::Left, 2, false));
  // "the boats" splits in two and no longer comes first.
  EXPECT_EQ(rows.front(), (Row{"the end", 4, 3}));
  EXPECT_NE(std::find(rows.begin(), rows.end(), Row{"The boats", 2, 1}), rows.end());
  EXPECT_NE(std::find(rows.begin(), rows.end(), Row{"the boats", 3, 3}), rows.end());
}

TEST_F(ClusterTest, StatisticsAreThoseOfTheConcordance) {
  const NGramList list = clusters(ClusterSide::Left, 4);
  const concordance::Statistics statistics = NGramStatistics(list);
  EXPECT_EQ(statistics.Captions[4], "Clusters found:");
  EXPECT_EQ(statistics.Values[0], "3");
  EXPECT_EQ(statistics.Values[2], "102");
  EXPECT_EQ(statistics.Values[4], "4");
  EXPECT_FALSE(statistics.NotComplete);
}

TEST_F(ClusterTest, CancelKeepsTheRowsReadSoFar) {
  for (int i = 0; i < 300; ++i) {
    table->LeftContexts().Add("and then");
    table->Keywords().Add("the");
    table->RightContexts().Add("sea rose");
    table->Keywords().PutObject(table->RowCount() - 1, new concordance::TOneWordInfo(0, 0, 0));
  }
  host.progress.cancelAtGauge = 1;
  const NGramList list = clusters(ClusterSide::Left, 1);
  EXPECT_FALSE(list.ListComplete());
  bool found = false;
  for (const Row& row : rowsOf(list)) {
    if (std::get<0>(row) != "the sea") continue;
    found = true;
    EXPECT_EQ(std::get<1>(row), 99 - 24);
  }
  EXPECT_TRUE(found);
}

TEST(ContextWordsTest, WordsCutByTheSetsAndEdgesOfCutContextsLeftOut) {
  const text::CharacterSets sets =
      text::CharacterSets::Derive(text::kDefaultWordSeparators, ".?!", text::Encoding::Windows1252);
  EXPECT_EQ(ContextWords("Der alte Mann, 3 Hunde.", sets, true, false, false),
            (std::vector<std::string>{"der", "alte", "mann", "hunde"}));
  EXPECT_EQ(ContextWords("ouse by the sea", sets, false, true, false),
            (std::vector<std::string>{"by", "the", "sea"}));
  // A context that begins (or ends) with a separator cut no word there.
  EXPECT_EQ(ContextWords(", by the sea.", sets, false, true, true),
            (std::vector<std::string>{"by", "the", "sea"}));
  EXPECT_EQ(ContextWords("by the se", sets, false, false, true),
            (std::vector<std::string>{"by", "the"}));
  EXPECT_EQ(ContextWords("sea", sets, false, true, true), std::vector<std::string>{});
  EXPECT_EQ(ContextWords("\xC9t\xC9", sets, true, false, false),
            std::vector<std::string>{"\xE9t\xE9"});
}

TEST(ContextWordsTest, Utf8CharactersAreSeparatorsByCharacter) {
  const text::CharacterSets sets =
      text::CharacterSets::Derive(text::kDefaultUtf8WordSeparators, ".?!", text::Encoding::Utf8);
  EXPECT_EQ(ContextWords("\u00ABCaf\u00C9\u00BB \u2014 \u0416\u0438\u0437\u043D\u044C", sets, true,
                         false, false),
            (std::vector<std::string>{"caf\u00E9", "\u0436\u0438\u0437\u043D\u044C"}));
}

}  // namespace
}  // namespace lexvane::ngrams
