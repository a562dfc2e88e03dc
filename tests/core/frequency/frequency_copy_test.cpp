#include "frequency/frequency_copy.h"

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::distinctWords;
using testing::Host;

struct StringSink : CopySink {
  std::vector<std::string> writes;
  void Write(std::string_view bytes) override { writes.emplace_back(bytes); }
  std::string all() const {
    std::string s;
    for (const std::string& w : writes) s += w;
    return s;
  }
};

class FrequencyCopyTest : public ::testing::Test {
 protected:
  void build(const std::string& text) {
    writeBytes(folder / "a.txt", text);
    settings.Files.Clear();
    settings.Files.Add(folder / "a.txt", RootCollator());
    auto operation = host.operation();
    list.Build(settings, operation);
  }
  void copy(std::int32_t first, std::int32_t last, CopyDestination destination) {
    auto operation = host.operation();
    CopyWordFrequencies(list, first, last, options, destination, sink, operation);
  }
  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
  WordFrequencyList list{RootCollator()};
  CopyOptions options;
  StringSink sink;
};

TEST_F(FrequencyCopyTest, WordFrequencyLinesFollowTheOptionsAndTheSortMode) {
  build("the the the the the " + distinctWords(35));
  std::int32_t the = list.Count() - 1;
  ASSERT_EQ(list.Info(the).Word, "the");
  EXPECT_EQ(WordFrequencyLine(list, the, options), "the|5|12.500\r\n");
  options.Delimiter = ";x";
  EXPECT_EQ(WordFrequencyLine(list, the, options), "the;5;12.500\r\n");
  options.Delimiter = "|";

  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(WordFrequencyLine(list, 0, options), "the|5|12.500|5|12.50\r\n");
  options.SaveWordListOnly = true;
  EXPECT_EQ(WordFrequencyLine(list, 0, options), "the|5|12.50\r\n");
  list.SortWordList(kSortAlphabetical, SortCaption(kSortAlphabetical), host.progress);
  EXPECT_EQ(WordFrequencyLine(list, 0, options), "aaaa\r\n");

  copy(2, 2, CopyDestination::Clipboard);
  EXPECT_EQ(sink.writes, (std::vector<std::string>{"aaac\r\n"}));
  EXPECT_EQ(host.progress.title, "Copying...");
}

TEST_F(FrequencyCopyTest, LongLinesAreCutTo255CharactersKeepingTheLineEnd) {
  settings.WordSeparators = " ";
  build(std::string(250, 'x'));
  std::string line = WordFrequencyLine(list, 0, options);
  EXPECT_EQ(line.size(), 255u);
  EXPECT_EQ(line.substr(0, 253), std::string(250, 'x') + "|1|");
  EXPECT_EQ(line.substr(253), "\r\n");
}

TEST_F(FrequencyCopyTest, ClipboardOverflowKeepsTheLinesThatFitAndWarns) {
  build(distinctWords(70000));
  copy(0, list.Count() - 1, CopyDestination::Clipboard);
  ASSERT_EQ(host.ui.messages.size(), 1u);
  EXPECT_EQ(host.ui.messages[0].caption, "Warning");
  EXPECT_EQ(host.ui.messages[0].text, "Data too large - only a part copied to the Clipboard.");
  ASSERT_EQ(sink.writes.size(), 1u);
  // Lines of 14 bytes: exactly 4680 of them fill the 65520 bytes.
  EXPECT_EQ(sink.writes[0].size(), 65520u);
  EXPECT_EQ(sink.writes[0].substr(0, 14), "aaaa|1|0.001\r\n");

  host.ui.messages.clear();
  sink.writes.clear();
  copy(0, list.Count() - 1, CopyDestination::File);
  EXPECT_TRUE(host.ui.messages.empty());
  EXPECT_EQ(sink.writes.size(), 70000u);
  EXPECT_EQ(sink.all().size(), 70000u * 14);
}

TEST_F(FrequencyCopyTest, CancelDeliversTheLinesBuiltSoFar) {
  build(distinctWords(250));
  host.progress.cancelAtGauge = 1;
  copy(0, list.Count() - 1, CopyDestination::Clipboard);
  EXPECT_EQ(sink.all().size(), 99u * 14);
  EXPECT_EQ(host.progress.gauges, (std::vector<int>{40}));
  EXPECT_TRUE(host.ui.messages.empty());
}

TEST_F(FrequencyCopyTest, EmptyTableCopiesNothing) {
  copy(0, 0, CopyDestination::Clipboard);
  EXPECT_TRUE(sink.writes.empty());
}

TEST_F(FrequencyCopyTest, CollocateLinesListOnlyTheSelectedPositions) {
  text::TQStringList left, keywords, right;
  for (int i = 0; i < 3; ++i) {
    left.Add("of big");
    keywords.Add("house");
    right.Add("");
  }
  left.Add("");
  keywords.Add("house");
  right.Add("of");
  PositionFlags leftUsed{}, rightUsed{};
  leftUsed[0] = leftUsed[1] = true;
  rightUsed[0] = true;
  CollocTable table(leftUsed, rightUsed);
  auto operation = host.operation();
  table.BuildCollocTable(text::kDefaultWordSeparators, left, keywords, right, {"of"},
                         RootCollator(), operation);
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(CollocateLine(table, 0, options), "of|3| |house|1|4\r\n");
  options.ZeroToSpace = false;
  EXPECT_EQ(CollocateLine(table, 0, options), "of|3|0|house|1|4\r\n");
  CopyCollocates(table, 0, 0, options, CopyDestination::File, sink, operation);
  EXPECT_EQ(sink.all(), "of|3|0|house|1|4\r\n");
}

}  // namespace
}  // namespace lexvane::frequency
