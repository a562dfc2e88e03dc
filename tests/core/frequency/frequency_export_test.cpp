// The word frequency list and the collocate table as exported tables: the
// columns the windows show, the rows in their current order, the figures as
// numbers that read exactly as the grid's texts.
#include "frequency/frequency_export.h"

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "table_export/cell_text.h"
#include "table_export/delimited_writer.h"
#include "text/collation.h"
#include "text/text_utils.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::Host;

// The records of a table as CSV, CR LF dropped, one string per record.
std::vector<std::string> csvRecords(const table_export::Table& table) {
  std::string all;
  text::SilentProgressIndicator progress;
  table_export::WriteDelimited(
      table, table_export::Format::Csv, false, [&all](std::string_view b) { all += b; }, progress);
  std::vector<std::string> records;
  for (std::size_t start = 0; start < all.size();) {
    const std::size_t end = all.find("\r\n", start);
    records.push_back(all.substr(start, end - start));
    start = end + 2;
  }
  return records;
}

class FrequencyExportTest : public ::testing::Test {
 protected:
  void build(const std::string& windows1252) {
    writeBytes(folder / "märchen.txt", windows1252);
    settings.Files.Clear();
    settings.Files.Add(folder / "märchen.txt", RootCollator());
    auto operation = host.operation();
    list.Build(settings, operation);
  }
  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
  WordFrequencyList list{RootCollator()};
};

TEST_F(FrequencyExportTest, WordListRowsFollowTheWindowsOrderAndColumns) {
  build(
      "Es war einmal ein K\xF6nig, der hatte eine Tochter. Die Tochter des K\xF6nigs war "
      "sch\xF6n, und der K\xF6nig war stolz auf sie. \"Wer mich heiratet\", sagte sie, "
      "\"mu\xDF ein R\xE4tsel l\xF6sen.\"");
  std::vector<std::string> records = csvRecords(WordFrequencyExportTable(list));
  ASSERT_EQ(records.size(), static_cast<std::size_t>(list.Count()) + 1);
  EXPECT_EQ(records[0], "Word,Word Class,F,F %");
  // Alphabetical: the row of "könig" as the grid shows it, lower-cased words
  // in UTF-8, the percentage without the grid's padding.
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const std::string word = text::decodeToUtf8(list.Info(i).Word, list.TextEncoding());
    EXPECT_EQ(records[i + 1], word + ",," + list.CellText(3, i + 1) + "," +
                                  text::TrimSpaces(list.CellText(4, i + 1)))
        << i;
  }
  EXPECT_NE(std::find(records.begin(), records.end(), "könig,,2,6.452"), records.end());

  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  records = csvRecords(WordFrequencyExportTable(list));
  EXPECT_EQ(records[0], "Word,Word Class,F,F %,CF,CF %");
  EXPECT_EQ(records[1], "war,,3,9.677,3,9.68");
  EXPECT_EQ(records.back().substr(records.back().rfind(',')), ",100.00");
  for (std::int32_t i = 0; i < list.Count(); ++i)
    EXPECT_TRUE(records[i + 1].ends_with(list.CellText(5, i + 1) + "," +
                                         text::TrimSpaces(list.CellText(6, i + 1))))
        << i;
}

TEST_F(FrequencyExportTest, ClearedRowsAreNotExportedAndPercentagesKeepTheBuildsTotal) {
  build("a b b c c c d d d d");
  list.ClearRows(2, 3);  // b and c
  const std::vector<std::string> records = csvRecords(WordFrequencyExportTable(list));
  EXPECT_EQ(records,
            (std::vector<std::string>{"Word,Word Class,F,F %", "a,,1,10.000", "d,,4,40.000"}));
}

TEST_F(FrequencyExportTest, TaggedListsExportTheWordClass) {
  settings.TaggedText = true;
  // Tags are held apart from the words only when < and > do not separate.
  std::string separators = text::kDefaultWordSeparators;
  std::erase_if(separators, [](char c) { return c == '<' || c == '>'; });
  settings.WordSeparators = separators;
  build("<NN>house <VB>house <DT>the <NN>dog");
  const std::vector<std::string> records = csvRecords(WordFrequencyExportTable(list));
  EXPECT_EQ(records, (std::vector<std::string>{"Word,Word Class,F,F %", "dog,NN,1,25.000",
                                               "house,NN,2,50.000", "the,DT,1,25.000"}));
}

TEST(CollocateExportTest, SelectedPositionsOnlyWithUniqueHeadingsAndZerosAsNumbers) {
  text::TQStringList left, keywords, right;
  left.Add("the old house of");
  keywords.Add("Stone");
  right.Add("stood by the river");
  left.Add("a house of");
  keywords.Add("stone");
  right.Add("by a river");
  PositionFlags leftUsed{}, rightUsed{};
  leftUsed[0] = leftUsed[2] = true;  // L1, L3
  rightUsed[1] = true;               // R2
  CollocTable table(leftUsed, rightUsed);
  Host host;
  auto operation = host.operation();
  table.BuildCollocTable(text::kDefaultWordSeparators, left, keywords, right, {"*"}, RootCollator(),
                         operation);
  table.Sort(kTotalColumn, host.progress);
  const std::vector<std::string> records = csvRecords(CollocateExportTable(table));
  ASSERT_EQ(records.size(), static_cast<std::size_t>(table.Count()) + 1);
  EXPECT_EQ(records[0], "Collocate,L3,L1,Node,R2,Total");
  for (std::int32_t i = 0; i < table.Count(); ++i) {
    const TCollocFreqInfo& info = table.Info(i);
    EXPECT_EQ(records[i + 1], info.Collocate + "," + std::to_string(info.Left(3)) + "," +
                                  std::to_string(info.Left(1)) + ",stone," +
                                  std::to_string(info.Right(2)) + "," + std::to_string(info.Total))
        << i;
  }
  // Equal totals: by node, then collocate. "a" stands at left 3 and right 2,
  // "of" at left 1 in both rows.
  EXPECT_EQ(records[1], "a,1,0,stone,1,2");
  EXPECT_NE(std::find(records.begin(), records.end(), "of,0,2,stone,0,2"), records.end());
}

}  // namespace
}  // namespace lexvane::frequency
