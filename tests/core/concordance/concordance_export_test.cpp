// The concordance and its statistics as exported tables: the rows in the
// table's current order, with what finds each hit again.
#include "concordance/concordance_export.h"

#include <gtest/gtest.h>

#include "concordance/concordance_sort.h"
#include "core/concordance/table_fixture.h"
#include "table_export/delimited_writer.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using testing::addRow;

std::string tsvOf(const table_export::Table& table) {
  std::string all;
  text::SilentProgressIndicator progress;
  table_export::WriteDelimited(
      table, table_export::Format::Tsv, false, [&all](std::string_view b) { all += b; }, progress);
  return all;
}

TEST(ConcordanceExportTest, RowsHoldContextsFileAndTheHitsPlaceInTheirCurrentOrder) {
  ConcordanceTable table;
  table.TextEncoding = text::Encoding::Windows1252;
  table.CorpusFiles = {"/home/ana/corpus/M\xC3\xA4rchen.txt", "/home/ana/corpus/news.txt"};
  addRow(table, "Der K\xF6nig sagte: \"Du", "walks", "with me, \tslowly.\"", "M\xC3\xA4rchen.txt",
         4, 0);
  addRow(table, "They", "walked", "home, tired\\happy.", "news.txt", 0, 1);
  // The fixture names rows by their offset: 0 and 1.
  const std::string tsv = tsvOf(ConcordanceExportTable(table));
  EXPECT_EQ(
      tsv,
      "Left context\tKeyword\tRight context\tFile\tFull path\tByte offset\tSentence number\r\n"
      "Der König sagte: \"Du\twalks\twith me, \\tslowly.\"\tMärchen.txt\t"
      "/home/ana/corpus/Märchen.txt\t0\t4\r\n"
      "They\twalked\thome, tired\\\\happy.\tnews.txt\t/home/ana/corpus/news.txt\t1\t0\r\n");

  // Sorted by the keyword, the rows follow the new order.
  text::SilentProgressIndicator progress;
  ASSERT_TRUE(
      SortConcordance(table, SortOptions{}, testing::defaultSets(), RootCollator(), progress));
  const std::string sorted = tsvOf(ConcordanceExportTable(table));
  EXPECT_LT(sorted.find("\r\nThey\twalked"), sorted.find("\r\nDer K"));
}

TEST(ConcordanceExportTest, AnEmptyConcordanceExportsItsHeadingRow) {
  ConcordanceTable table;
  EXPECT_EQ(
      tsvOf(ConcordanceExportTable(table)),
      "Left context\tKeyword\tRight context\tFile\tFull path\tByte offset\tSentence number\r\n");
}

TEST(StatisticsExportTest, OneRowOfFiguresAsNumbersAndWhetherTheBuildCompleted) {
  Statistics s = MakeStatistics(12, 3456, 612345, 30210, "Sentences found:", 1500, false);
  EXPECT_EQ(tsvOf(StatisticsExportTable(s)),
            "Files\tTotal size (kB)\tTotal words\tTotal sentences\tSentences found\tCompleted\r\n"
            "12\t3456\t612345\t30210\t1500\tno\r\n");
  s = MakeStatistics(1, 1, 8, 2, "Types found:", 5, true);
  EXPECT_TRUE(tsvOf(StatisticsExportTable(s))
                  .ends_with("\tTypes found\tCompleted\r\n1\t1\t8\t2\t5\tyes\r\n"));
}

}  // namespace
}  // namespace lexvane::concordance
