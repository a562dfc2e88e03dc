// The n-gram list's own commands: the typed length range, grid texts, clear,
// sort with Cancel, copy lines and statistics.
#include "ngrams/ngram_list.h"

#include <gtest/gtest.h>

#include "core/frequency/fakes.h"
#include "ngrams/ngram_copy.h"
#include "ngrams/ngram_export.h"
#include "ngrams/ngram_statistics.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::ngrams {
namespace {

using frequency::testing::Host;

class StringSink : public frequency::CopySink {
 public:
  void Write(std::string_view bytes) override { text += bytes; }
  std::string text;
};

class NGramListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ListSource source;
    source.corpusFiles = {"/c/a.txt", "/c/b.txt"};
    source.totalSizeKB = 7;
    list.Start(source, NGramOptions{}, RootCollator());
    list.SetTotals(1234, 56);
    list.Append("of the", 2, 9, 2);
    list.Append("in the house", 3, 4, 1);
    list.Append("at the", 2, 4, 2);
    list.Append("\xE9t\xE9 dernier", 2, 1, 1);
    list.Order(NGramSort::ByFrequency);
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (std::int32_t i = 0; i < list.Count(); ++i) result.emplace_back(list.Text(i));
    return result;
  }

  NGramList list;
  Host host;
};

TEST(ParseLengthRangeTest, OneLengthOrARangeWithinTwoToFive) {
  int low = 0, high = 0;
  EXPECT_TRUE(ParseLengthRange("3", low, high));
  EXPECT_EQ(low, 3);
  EXPECT_EQ(high, 3);
  EXPECT_TRUE(ParseLengthRange(" 2 - 5 ", low, high));
  EXPECT_EQ(low, 2);
  EXPECT_EQ(high, 5);
  for (const char* bad : {"", "1", "6", "2-6", "4-2", "2-", "-3", "x", "2-3-4", "2.5"}) {
    EXPECT_FALSE(ParseLengthRange(bad, low, high)) << bad;
    EXPECT_EQ(low, 2);
    EXPECT_EQ(high, 5);
  }
}

TEST_F(NGramListTest, FrequencyOrderPutsEqualFrequenciesAlphabetically) {
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"of the", "at the", "in the house", "\xE9t\xE9 dernier"}));
  EXPECT_EQ(list.CellText(0, 0), "");
  EXPECT_EQ(list.CellText(1, 0), "N-gram");
  EXPECT_EQ(list.CellText(2, 0), "F");
  EXPECT_EQ(list.CellText(3, 0), "Range");
  EXPECT_EQ(list.CellText(0, 3), "3.");
  EXPECT_EQ(list.CellText(1, 3), "in the house");
  EXPECT_EQ(list.CellText(2, 3), "4");
  EXPECT_EQ(list.CellText(3, 1), "2");
  EXPECT_EQ(list.CellText(1, 5), "");
  EXPECT_EQ(list.RowCount(), 5);
}

TEST_F(NGramListTest, SortAlphabeticallyAndCancelledSortKeepsTheOrder) {
  list.Sort(NGramSort::Alphabetical, host.progress);
  EXPECT_EQ(host.progress.title, "Sorting alphabetically");
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"at the", "\xE9t\xE9 dernier", "in the house", "of the"}));
  // A cancel at the first gauge step (100 rows) keeps the order and mode.
  for (int i = 0; i < 300; ++i) list.Append("w" + std::to_string(i) + " x", 2, 50, 9);
  host.progress.cancelAtGauge = 1;
  list.Sort(NGramSort::ByRange, host.progress);
  EXPECT_EQ(list.SortMode(), NGramSort::Alphabetical);
  EXPECT_EQ(list.Text(0), "at the");
  EXPECT_EQ(list.Text(4), "w0 x");
}

TEST_F(NGramListTest, ClearDeletesTheSelectedRowsOnly) {
  list.ClearRows(2, 3);
  EXPECT_EQ(texts(), (std::vector<std::string>{"of the", "\xE9t\xE9 dernier"}));
  list.ClearRows(3, 9);  // beyond the list
  EXPECT_EQ(list.Count(), 2);
  list.ClearRows(2, 9);  // the bottom cut to the last row
  EXPECT_EQ(texts(), std::vector<std::string>{"of the"});
  list.ClearRows(1, 1);
  list.ClearRows(1, 1);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(NGramListTest, CopyWritesTheNGramFrequencyAndRange) {
  frequency::CopyOptions options;
  options.Delimiter = ";x";
  EXPECT_EQ(NGramLine(list, 0, options), "of the;9;2\r\n");
  options.SaveWordListOnly = true;
  EXPECT_EQ(NGramLine(list, 2, options), "in the house\r\n");
  options.SaveWordListOnly = false;
  options.Delimiter = "|";
  StringSink sink;
  auto operation = host.operation();
  CopyNGrams(list, 1, 2, options, frequency::CopyDestination::Clipboard, sink, operation);
  EXPECT_EQ(sink.text, "at the|4|2\r\nin the house|4|1\r\n");
  EXPECT_EQ(host.progress.title, "Copying...");
}

TEST_F(NGramListTest, ExportedTableHoldsTheRowsInTheirOrder) {
  const table_export::FunctionTable table = NGramExportTable(list);
  ASSERT_EQ(table.Columns().size(), 3u);
  EXPECT_EQ(table.Columns()[0].Heading, "N-gram");
  EXPECT_EQ(table.Columns()[2].Heading, "Range");
  EXPECT_EQ(table.RowCount(), 4);
  table_export::RowCells cells;
  table.Row(3, cells);
  ASSERT_EQ(cells.Size(), 3u);
  EXPECT_EQ(cells[0].Kind, table_export::CellKind::Text);
  EXPECT_EQ(cells[0].Chars, "\xE9t\xE9 dernier");
  EXPECT_EQ(cells[1].Integer, 1);
  NGramList clusters(ListKind::Clusters);
  EXPECT_EQ(NGramExportTable(clusters).Columns()[0].Heading, "Cluster");
  EXPECT_EQ(NGramExportTable(clusters).RowCount(), 0);
}

TEST_F(NGramListTest, StatisticsShowTheCorpusAndTheRowsLeft) {
  list.ClearRows(1, 1);
  list.SetComplete(false);
  const concordance::Statistics statistics = NGramStatistics(list);
  EXPECT_EQ(statistics.Captions[0], "Files:");
  EXPECT_EQ(statistics.Values[0], "2");
  EXPECT_EQ(statistics.Values[1], "7 kB");
  EXPECT_EQ(statistics.Values[2], "1 234");
  EXPECT_EQ(statistics.Values[3], "56");
  EXPECT_EQ(statistics.Captions[4], "N-grams found:");
  EXPECT_EQ(statistics.Values[4], "3");
  EXPECT_TRUE(statistics.NotComplete);
}

}  // namespace
}  // namespace lexvane::ngrams
