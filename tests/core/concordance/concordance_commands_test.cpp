// The concordance window's commands on hand-made tables: sort, clear,
// delete duplicates, paste and statistics.
#include <gtest/gtest.h>

#include "concordance/concordance_edit.h"
#include "concordance/concordance_sort.h"
#include "concordance/concordance_statistics.h"
#include "core/concordance/scripted_host.h"
#include "core/concordance/table_fixture.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using testing::addRow;
using testing::defaultSets;
using testing::rowNames;
using testing::ScriptedHost;
using Names = std::vector<std::int64_t>;

std::string key(bool right, int word, bool retro = false,
                const std::string& l = "the quick brown fox") {
  SortOptions options;
  options.RightPart = right;
  options.WordNumber = word;
  options.Retrograde = retro;
  return SortKey("jumps", l, "over the lazy dog.", options, defaultSets());
}

TEST(SortKey, BothSidesWordNumbersAndRetrograde) {
  EXPECT_EQ(key(false, 1), "jumps fox nworb kciuq eht");
  EXPECT_EQ(key(false, 2), "jumps brown kciuq eht");
  EXPECT_EQ(key(true, 1), "jumps over the lazy dog.");
  EXPECT_EQ(key(true, 2), "jumps the lazy dog.");
  EXPECT_EQ(key(true, 1, true), "spmuj over the lazy dog.");
  EXPECT_EQ(key(false, 1, false, "Then he said,"), "jumps said eh neht");
  EXPECT_EQ(key(false, 1, false, ""), "jumps ");
  EXPECT_EQ(key(true, 9), "jumps ");
}

TEST(SortKey, HelpersAndTheLengthCut) {
  const text::CharacterSets& sets = defaultSets();
  EXPECT_EQ(SkipWords("  ab, cd ef", 0, sets), "ab, cd ef");
  EXPECT_EQ(SkipWords("  ab, cd ef", 1, sets), "cd ef");
  EXPECT_EQ(SkipWords("ab", 3, sets), "");
  EXPECT_EQ(FirstToken(" ab"), "");
  EXPECT_EQ(FirstToken(",dias eh"), ",dias");
  EXPECT_EQ(StripSeparators("a,b.c", sets), "abc");
  SortOptions options;
  options.RightPart = true;
  EXPECT_EQ(SortKey("KEY", "", std::string(300, 'R'), options, sets),
            "key " + std::string(251, 'r'));
}

class SortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addRow(table_, "same", "b", "x");  // 0
    addRow(table_, "z", "a", "x");     // 1
    addRow(table_, "same", "b", "x");  // 2: the key of row 0
    addRow(table_, "SAME", "B", "x");  // 3: differs in case only from 0 and 2
  }
  ConcordanceTable table_;
  ScriptedHost host_;
};

TEST_F(SortTest, EqualKeysComeOutReversedAndASecondSortReversesThemAgain) {
  ASSERT_TRUE(SortConcordance(table_, {}, defaultSets(), RootCollator(), host_.progress));
  EXPECT_EQ(rowNames(table_), (Names{1, 3, 2, 0}));
  EXPECT_TRUE(table_.TableSorted);
  EXPECT_EQ(table_.Keywords().Get(1), "B");
  EXPECT_EQ(table_.LeftContexts().Get(1), "SAME");
  ASSERT_TRUE(SortConcordance(table_, {}, defaultSets(), RootCollator(), host_.progress));
  EXPECT_EQ(rowNames(table_), (Names{1, 0, 2, 3}));
  EXPECT_TRUE(host_.progress.gauges.empty());  // fewer than 100 rows
  EXPECT_EQ(host_.progress.titles.back(), "Sorting");
}

TEST_F(SortTest, CancelInEitherPhaseLeavesTheTableAsItWas) {
  for (int i = 4; i < 250; ++i)
    addRow(table_, "l", std::string(1, static_cast<char>('z' - i % 26)), "r");
  const Names before = rowNames(table_);
  host_.progress.cancelAtUpdate = 1;  // key phase, row 100
  EXPECT_FALSE(SortConcordance(table_, {}, defaultSets(), RootCollator(), host_.progress));
  EXPECT_EQ(rowNames(table_), before);
  EXPECT_FALSE(table_.TableSorted);
  host_.progress.cancelAtUpdate = 3;  // copy phase, row 100
  EXPECT_FALSE(SortConcordance(table_, {}, defaultSets(), RootCollator(), host_.progress));
  EXPECT_EQ(host_.progress.gauges, (std::vector<int>{20, 40, 70}));
  EXPECT_EQ(rowNames(table_), before);
  EXPECT_EQ(table_.LeftContexts().GetCount(), 250);
  EXPECT_FALSE(table_.TableSorted);
}

TEST(DeleteDuplicates, KeepsTheHighestRowOfEachSentenceAcrossTheTable) {
  ConcordanceTable table;
  for (int i = 1; i <= 10; ++i)
    addRow(table, "l", "k", "r", "a.txt", (i == 1 || i == 4 || i == 9) ? 100 : i);
  addRow(table, "l", "k", "r", "a.txt", 100, 1);  // same sentence number, other file
  ScriptedHost host;
  EXPECT_EQ(DeleteDuplicateSentences(table, host.host), 2);
  EXPECT_EQ(rowNames(table), (Names{0, 1, 2, 4, 5, 6, 7, 9, 10}));
  EXPECT_EQ(table.FileNames().GetCount(), 9);
  EXPECT_EQ(host.ui.messages,
            std::vector<std::string>{"Information: 2 duplicate sentences were found and deleted."});
  EXPECT_EQ(DeleteDuplicateSentences(table, host.host), 0);
  EXPECT_EQ(host.ui.messages.back(), "Information: 0 duplicate sentences were found and deleted.");
  EXPECT_EQ(host.progress.titles.back(), "Deleting duplicate sentences");
}

TEST(DeleteDuplicates, CancelKeepsWhatWasDeletedAndLeavesTheRestUnchecked) {
  ConcordanceTable table;
  // 100 rows in pairs of one sentence: every odd row duplicates the one above.
  for (int i = 0; i < 100; ++i) addRow(table, "l", "k", "r", "a.txt", i / 2);
  ScriptedHost host;
  host.progress.cancelAtUpdate = 1;  // the 500th comparison
  const std::int32_t deleted = DeleteDuplicateSentences(table, host.host);
  // Pass p compares 99 - 2p rows and deletes one duplicate on its first
  // comparison; passes 0 to 4 make 475 comparisons, so the 500th falls in
  // pass 5, after its deletion.
  EXPECT_EQ(deleted, 6);
  EXPECT_EQ(table.RowCount(), 94);
  EXPECT_EQ(host.ui.messages.back(), "Information: 6 duplicate sentences were found and deleted.");
}

TEST(ClearRows, RemovesTheGridRowsOfTheSelection) {
  ConcordanceTable table;
  for (int i = 0; i < 10; ++i) addRow(table, "l", "k", "r");
  EXPECT_EQ(ClearRows(table, 5, 7), 5);
  EXPECT_EQ(rowNames(table), (Names{0, 1, 2, 3, 7, 8, 9}));
  EXPECT_EQ(ClearRows(table, 6, 99), 5);  // bottom cut to the rows; selection to the last
  EXPECT_EQ(table.RightContexts().GetCount(), 5);
  EXPECT_EQ(ClearRows(table, 9, 9), 9);  // beyond the rows: nothing happens
  EXPECT_EQ(table.RowCount(), 5);
  EXPECT_EQ(ClearRows(table, 1, 5), 0);
  EXPECT_EQ(table.RowCount(), 0);
}

TEST(Paste, StoresACleanedContextInColumnOneOrThreeOnly) {
  ConcordanceTable table;
  addRow(table, "left", "k", "right");
  EXPECT_TRUE(PasteContext(table, 1, 1, "  two\r\nlines  " + std::string(300, 'x')));
  EXPECT_EQ(table.LeftContexts().Get(0), "two lines " + std::string(241, 'x'));
  EXPECT_TRUE(PasteContext(table, 1, 3, " \r\n \t"));
  EXPECT_EQ(table.RightContexts().Get(0), "");
  EXPECT_FALSE(PasteContext(table, 1, 2, "new"));
  EXPECT_FALSE(PasteContext(table, 2, 1, "new"));
  EXPECT_EQ(table.Keywords().Get(0), "k");
}

TEST(Statistics, CopiedTextWithTabsAndTheNote) {
  ConcordanceTable table;
  table.FileCount = 12;
  table.TotalSizeKB = 3456;
  table.TotalWords = 612345;
  table.TotalSentences = 1234567890;
  for (int i = 0; i < 3; ++i) addRow(table, "l", "k", "r");
  EXPECT_EQ(ConcordanceStatistics(table).CopyText(),
            "Files:\t12\r\nTotal size:\t3 456 kB\r\nTotal words:\t612 345\r\n"
            "Total sentences:\t1234 567 890\r\nSentences found:\t3\r\n");
  table.SearchComplete = false;
  ClearRows(table, 1, 1);  // the rows now; the build's figures stay
  const Statistics stats = ConcordanceStatistics(table);
  EXPECT_EQ(stats.Values[4], "2");
  EXPECT_TRUE(stats.NotComplete);
  EXPECT_TRUE(stats.CopyText().ends_with(
      "Total sentences:\t1234 567 890\r\nSentences found:\t2\r\nSearch was not completed.\r\n"));
}

}  // namespace
}  // namespace lexvane::concordance

namespace lexvane::concordance {
namespace {

TEST(ClearRows, ALongRangeLeavesTheSameRows) {
  ConcordanceTable table;
  for (int i = 0; i < 100; ++i) testing::addRow(table, "l" + std::to_string(i), "k", "r");
  EXPECT_EQ(ClearRows(table, 3, 90), 3);
  EXPECT_EQ(testing::rowNames(table),
            (std::vector<std::int64_t>{0, 1, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99}));
  EXPECT_EQ(table.LeftContexts().Get(2), "l90");
  EXPECT_EQ(table.FileNames().GetCount(), 12);
}

}  // namespace
}  // namespace lexvane::concordance
