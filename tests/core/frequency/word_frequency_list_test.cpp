#include "frequency/word_frequency_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <thread>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "core/frequency/fakes.h"
#include "frequency/token_count.h"
#include "frequency/word_frequency_statistics.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;
using testing::distinctWords;
using testing::Host;

struct Row {
  std::string word, wordClass;
  std::int64_t frequency;
  bool operator==(const Row&) const = default;
};

std::vector<Row> rowsOf(const WordFrequencyList& list) {
  std::vector<Row> rows;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    rows.push_back({list.Info(i).Word, list.Info(i).WordClass, list.Info(i).Frequency});
  return rows;
}

std::vector<std::string> wordsOf(const WordFrequencyList& list) {
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < list.Count(); ++i) words.push_back(list.Info(i).Word);
  return words;
}

class WordFrequencyTest : public ::testing::Test {
 protected:
  // Builds the list of one file holding `text`.
  void build(const std::string& text) {
    writeBytes(folder / "a.txt", text);
    settings.Files.Clear();
    settings.Files.Add(folder / "a.txt", RootCollator());
    settings.TotalBytes = static_cast<std::int64_t>(text.size());
    auto operation = host.operation();
    list.Build(settings, operation);
  }

  TempFolder folder;
  corpus::CorpusSettings settings;
  Host host;
  WordFrequencyList list{RootCollator()};
};

TEST_F(WordFrequencyTest, IgnoreCapitalFoldsCaseAndItsAbsenceKeepsTypesApart) {
  build("The the. THE cat");
  EXPECT_EQ(rowsOf(list), (std::vector<Row>{{"cat", "", 1}, {"the", "", 3}}));
  EXPECT_EQ(list.TotalWords(), 4);
  EXPECT_EQ(list.TotalSentences(), 2);  // the full stop and the end of the file
  EXPECT_EQ(host.search.label, "Types:");

  settings.IgnoreCapital = false;
  build("The the. THE cat");
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"cat", "the", "The", "THE"}));
}

TEST_F(WordFrequencyTest, TaggedTokensTakeTheClassOfTheFirstOccurrence) {
  settings.TaggedText = true;
  settings.WordSeparators = " .,;";
  build("<NN>House <VB>house <NN> <>house ab <Jj>Fast");
  EXPECT_EQ(rowsOf(list), (std::vector<Row>{{"<>house", "", 1},
                                            {"<nn>", "", 1},
                                            {"ab", "", 1},
                                            {"fast", "Jj", 1},
                                            {"house", "NN", 2}}));
}

TEST_F(WordFrequencyTest, EmptyTokenCountsItsSentenceEndButNotAWord) {
  CorpusCounts counts;
  TokenRules rules;
  CountToken(counts, "", true, rules);
  CountToken(counts, "word", false, rules);
  EXPECT_EQ(counts.words, 1);
  EXPECT_EQ(counts.sentences, 1);
  EXPECT_EQ(counts.counter.Types(), 1u);
}

TEST_F(WordFrequencyTest, IndicatorUpdatesEveryThousandWordsAndAtTheEndOfEachFile) {
  std::string text;
  for (int i = 0; i < 1500; ++i) text += distinctWords(1, i % 7);
  build(text);
  EXPECT_EQ(host.search.wordUpdates, (std::vector<std::int64_t>{1000, 1500}));
  EXPECT_EQ(host.search.files, (std::vector<std::string>{"a.txt", ""}));
  EXPECT_TRUE(list.ListComplete());
}

TEST_F(WordFrequencyTest, CancelKeepsWhatWasCountedAndMarksTheListIncomplete) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += distinctWords(1, i % 13);
  host.search.cancelAfterUpdates = 2;
  build(text);
  EXPECT_FALSE(list.ListComplete());
  EXPECT_EQ(list.TotalWords(), 2000);
  std::int64_t sum = 0;
  for (const Row& row : rowsOf(list)) sum += row.frequency;
  EXPECT_EQ(sum, 2000);
  EXPECT_EQ(WordFrequencyStatistics(list).CopyText(),
            "Files:\t1\r\nTotal size:\t25 kB\r\nTotal words:\t2 000\r\nTotal sentences:\t0\r\n"
            "Types found:\t13\r\nSearch was not completed.\r\n");
}

TEST_F(WordFrequencyTest, MissingFileIsReportedAndSkipped) {
  writeBytes(folder / "b.txt", "one two");
  settings.Files.Add(folder / "a-missing.txt", RootCollator());
  settings.Files.Add(folder / "b.txt", RootCollator());
  auto operation = host.operation();
  list.Build(settings, operation);
  ASSERT_EQ(host.ui.messages.size(), 1u);
  EXPECT_EQ(host.ui.messages[0].caption, "Error");
  EXPECT_EQ(host.ui.messages[0].text.rfind(folder / "a-missing.txt" + ": ", 0), 0u);
  EXPECT_EQ(list.TotalWords(), 2);
  EXPECT_EQ(list.FileCount(), 2);
}

// A pipe (as a shell's <(...) gives) cannot seek but reads like a file.
TEST_F(WordFrequencyTest, APipeIsReadLikeAFile) {
  const std::string fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::signal(SIGPIPE, SIG_IGN);
  std::thread writer([&fifo] { writeBytes(fifo, "one two. one"); });
  settings.Files.Add(fifo, RootCollator());
  auto operation = host.operation();
  EXPECT_NO_THROW(list.Build(settings, operation));
  // Should the build not have read the pipe, a reader of our own lets the
  // writer finish.
  int unblock = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  writer.join();
  if (unblock >= 0) ::close(unblock);
  EXPECT_TRUE(host.ui.messages.empty());
  EXPECT_EQ(rowsOf(list), (std::vector<Row>{{"one", "", 2}, {"two", "", 1}}));
  EXPECT_EQ(list.TotalSentences(), 2);
}

TEST_F(WordFrequencyTest, CapacityGrowsByAFactorOfOnePointThree) {
  EXPECT_EQ(WordListCapacityFor(0), 32768);
  EXPECT_EQ(WordListCapacityFor(32768), 32768);
  EXPECT_EQ(WordListCapacityFor(32769), 42598);
  EXPECT_EQ(WordListCapacityFor(42599), 55377);
}

TEST_F(WordFrequencyTest, PercentagesAreFixedPointAndPadded) {
  EXPECT_EQ(FormatPercent(1, 8, 3, 5), "12.500");
  EXPECT_EQ(FormatPercent(11, 11, 2, 4), "100.00");
  EXPECT_EQ(FormatPercent(1, 3, 3, 5), "33.333");
  EXPECT_EQ(FormatPercent(1, 2000, 3, 5), "0.050");
  EXPECT_EQ(FormatPercent(1, 300, 3, 7), "  0.333");
}

TEST_F(WordFrequencyTest, SortByFrequencyComputesCumulativeFiguresAndSevenColumns) {
  build("a a a b b b b b c c c");
  EXPECT_EQ(list.ColumnCount(), 5);
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(host.progress.title, "Sorting by frequency");
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(list.Info(0).CumFrequency, 5);
  EXPECT_EQ(list.Info(1).CumFrequency, 8);
  EXPECT_EQ(list.Info(2).CumFrequency, 11);
  EXPECT_EQ(list.ColumnCount(), 7);
  EXPECT_EQ(list.WordList().Get(0), "002147483642b");
  EXPECT_EQ(list.CellText(6, 3), "100.00");
  EXPECT_EQ(list.CellText(4, 1), "45.455");
  EXPECT_EQ(list.CellText(0, 2), "2.");
  EXPECT_EQ(list.CellText(4, 0), "F %");
  EXPECT_EQ(list.CellText(1, 4), "");

  list.SortWordList(kSortAlphabetical, SortCaption(kSortAlphabetical), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list.Info(0).CumFrequency, 0);
  EXPECT_EQ(list.ColumnCount(), 5);
}

// The key "002147483646" + word is cut to 255 characters: words of equal
// frequency that agree in their first 243 characters have equal keys.
TEST_F(WordFrequencyTest, FrequencyKeysOfLongWordsCountOnlyWhatTheEntryKeeps) {
  const std::string a = std::string(250, 'w') + "a", b = std::string(250, 'w') + "b";
  build(b + " " + a + " x x");
  ASSERT_EQ(wordsOf(list), (std::vector<std::string>{a, b, "x"}));
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"x", b, a}));
  EXPECT_EQ(list.WordList().Get(1).size(), 255u);
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"x", a, b}));
}

TEST_F(WordFrequencyTest, ClassSortReversesRowsOfEqualClass) {
  build("d b a c");
  list.SortWordList(kSortByWordClass, SortCaption(kSortByWordClass), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"d", "c", "b", "a"}));
  list.SortWordList(kSortByWordClass, SortCaption(kSortByWordClass), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"a", "b", "c", "d"}));

  settings.TaggedText = true;
  settings.WordSeparators = " ";
  build("<B>x <A>y <B>z <A>w");
  list.SortWordList(kSortByWordClass, SortCaption(kSortByWordClass), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"y", "w", "z", "x"}));
}

TEST_F(WordFrequencyTest, RetrogradeSortGroupsEqualEndings) {
  build("walking talked sing walked");
  list.SortWordList(kSortRetrograde, SortCaption(kSortRetrograde), host.progress);
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"talked", "walked", "walking", "sing"}));
  EXPECT_EQ(list.WordList().Get(0), "deklat");
}

TEST_F(WordFrequencyTest, SortGaugeMovesEveryHundredEntriesAndCancelKeepsTheOrder) {
  build(distinctWords(250));
  std::vector<std::string> before = wordsOf(list);
  list.SortWordList(kSortRetrograde, SortCaption(kSortRetrograde), host.progress);
  EXPECT_EQ(host.progress.gauges, (std::vector<int>{40, 80}));

  list.SortWordList(kSortAlphabetical, SortCaption(kSortAlphabetical), host.progress);
  host.progress.cancelAtGauge = 1;
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  EXPECT_EQ(wordsOf(list), before);
  // The mode follows the cancelled sort; cumulative figures run over the kept order.
  EXPECT_EQ(list.SortMode(), kSortByFrequency);
  EXPECT_EQ(list.Info(249).CumFrequency, 250);
}

TEST_F(WordFrequencyTest, ClearRemovesARowRangeAndKeepsTotalsAndCumulativeFigures) {
  build("a a a b b b b b c c c d");
  list.SortWordList(kSortByFrequency, SortCaption(kSortByFrequency), host.progress);
  std::string percentOfA = list.CellText(4, 2);
  list.ClearRows(3, 9);  // c and d; the bottom is cut to the last row
  EXPECT_EQ(wordsOf(list), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.TotalWords(), 12);
  EXPECT_EQ(list.CellText(4, 2), percentOfA);
  EXPECT_EQ(list.Info(1).CumFrequency, 8);
  list.ClearRows(5, 5);  // beyond the list
  EXPECT_EQ(list.Count(), 2);

  build(distinctWords(100));
  list.ClearRows(11, 80);  // a large range in the middle
  ASSERT_EQ(list.Count(), 30);
  EXPECT_EQ(list.Info(9).Word, "aaaj");
  EXPECT_EQ(list.Info(10).Word, "aadc");

  WordFrequencyList empty{RootCollator()};
  empty.ClearRows(1, 1);
  EXPECT_EQ(empty.Count(), 0);
}

TEST_F(WordFrequencyTest, EmptyCorpusGivesAnEmptyList) {
  auto operation = host.operation();
  list.Build(settings, operation);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_TRUE(list.ListComplete());
}

}  // namespace
}  // namespace lexvane::frequency
