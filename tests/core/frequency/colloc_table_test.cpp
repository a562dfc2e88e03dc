#include "frequency/colloc_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "core/frequency/fakes.h"
#include "frequency/colloc_query.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using testing::Host;

struct ConcordanceRows {
  text::TQStringList left, keywords, right;
  void add(std::string_view l, std::string_view k, std::string_view r) {
    left.Add(l);
    keywords.Add(k);
    right.Add(r);
  }
  void clear() {
    left.Clear();
    keywords.Clear();
    right.Clear();
  }
};

PositionFlags positions(std::initializer_list<int> selected) {
  PositionFlags flags{};
  for (int p : selected) flags[p - 1] = true;
  return flags;
}

struct Counts {
  std::string collocate, node;
  std::vector<std::pair<int, int>> left, right;  // (position, count), non-zero only
  int total;
  bool operator==(const Counts&) const = default;
};

std::vector<Counts> countsOf(const CollocTable& table) {
  std::vector<Counts> rows;
  for (std::int32_t i = 0; i < table.Count(); ++i) {
    const TCollocFreqInfo& info = table.Info(i);
    Counts c{info.Collocate, info.Node, {}, {}, info.Total};
    for (int p = 1; p <= kPositions; ++p) {
      if (info.Left(p)) c.left.push_back({p, info.Left(p)});
      if (info.Right(p)) c.right.push_back({p, info.Right(p)});
    }
    rows.push_back(c);
  }
  return rows;
}

class CollocTableTest : public ::testing::Test {
 protected:
  void build(CollocTable& table, const std::vector<std::string>& masks = {"*"},
             std::string_view separators = text::kDefaultWordSeparators) {
    auto operation = host.operation();
    table.BuildCollocTable(separators, rows.left, rows.keywords, rows.right, masks, RootCollator(),
                           operation);
  }
  ConcordanceRows rows;
  Host host;
  PositionFlags defaults = positions({1, 2, 3});
};

TEST_F(CollocTableTest, CountsTheNeighboursOfOneNodeAtEachPosition) {
  rows.add("in the", "House", "of the lords");
  rows.add("the", "house", "the");
  CollocTable table(defaults, defaults);
  build(table);
  EXPECT_EQ(countsOf(table), (std::vector<Counts>{
                                 {"in", "house", {{2, 1}}, {}, 1},
                                 {"lords", "house", {}, {{3, 1}}, 1},
                                 {"of", "house", {}, {{1, 1}}, 1},
                                 {"the", "house", {{1, 2}}, {{1, 1}, {2, 1}}, 4},
                             }));
  EXPECT_EQ(table.CollocList().Get(3), "house the");
  EXPECT_EQ(host.progress.title, "Extracting and sorting words");

  // Grid texts: counts in their columns, zero as an empty cell.
  EXPECT_EQ(table.CellText(0, 4), "4.");
  EXPECT_EQ(table.CellText(kCollocateColumn, 4), "the");
  EXPECT_EQ(table.CellText(LeftColumn(1), 4), "2");
  EXPECT_EQ(table.CellText(LeftColumn(2), 4), "");
  EXPECT_EQ(table.CellText(RightColumn(2), 4), "1");
  EXPECT_EQ(table.CellText(kNodeColumn, 4), "house");
  EXPECT_EQ(table.CellText(kTotalColumn, 4), "4");
  EXPECT_EQ(table.CellText(2, 0), "9.");
  EXPECT_EQ(table.CellText(10, 0), "1.");
  EXPECT_EQ(table.CellText(12, 0), "1.");
  EXPECT_EQ(table.CellText(kTotalColumn, 0), "Total");
  EXPECT_EQ(table.CellText(1, 5), "");
  EXPECT_EQ(table.ColumnWidth(LeftColumn(3)), 35);
  EXPECT_EQ(table.ColumnWidth(LeftColumn(4)), 4);
  EXPECT_EQ(table.ColumnWidth(RightColumn(9)), 4);
  EXPECT_EQ(CollocTable::ColumnAlignment(kNodeColumn), CollocTable::Alignment::Centre);
}

TEST_F(CollocTableTest, MasksMatchExactlyAndUnselectedPositionsStillTakeAWord) {
  rows.add("The end", "house", "of the lords");
  CollocTable onlyThe(defaults, defaults);
  build(onlyThe, {"the"});
  EXPECT_EQ(countsOf(onlyThe), (std::vector<Counts>{{"the", "house", {}, {{2, 1}}, 1}}));

  CollocTable right2(positions({}), positions({2}));
  build(right2);
  EXPECT_EQ(countsOf(right2), (std::vector<Counts>{{"the", "house", {}, {{2, 1}}, 1}}));
}

TEST_F(CollocTableTest, SeparatorsAreTakenAsEnteredWithoutABlank) {
  rows.add("", "house", "of,the lords");
  CollocTable table(defaults, defaults);
  build(table, {"*"}, ",");
  EXPECT_EQ(countsOf(table), (std::vector<Counts>{{"of", "house", {}, {{1, 1}}, 1},
                                                  {"the lords", "house", {}, {{2, 1}}, 1}}));

  rows.clear();
  rows.add("12, --", "house", "3 . !");
  CollocTable none(defaults, defaults);
  build(none);
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(CollocTableTest, NodeInTwoSeparateGroupsGivesTwoBlocks) {
  rows.add("", "house", "big");
  rows.add("", "home", "big");
  rows.add("", "House", "big");
  CollocTable table(defaults, defaults);
  build(table);
  EXPECT_EQ(countsOf(table), (std::vector<Counts>{{"big", "house", {}, {{1, 1}}, 1},
                                                  {"big", "home", {}, {{1, 1}}, 1},
                                                  {"big", "house", {}, {{1, 1}}, 1}}));
}

TEST_F(CollocTableTest, CancelFlushesTheGroupInHand) {
  for (int i = 0; i < 250; ++i) rows.add("", i < 150 ? "a" : "b", "x y");
  host.progress.cancelAtGauge = 2;  // seen at row 200
  CollocTable table(defaults, defaults);
  build(table);
  EXPECT_EQ(countsOf(table), (std::vector<Counts>{{"x", "a", {}, {{1, 150}}, 150},
                                                  {"y", "a", {}, {{2, 150}}, 150},
                                                  {"x", "b", {}, {{1, 49}}, 49},
                                                  {"y", "b", {}, {{2, 49}}, 49}}));
}

TEST_F(CollocTableTest, ListTooLargeIsReportedAndKeepsTheRowsFlushedBefore) {
  rows.add("", "a", "x y");
  rows.add("", "b", "x y");
  CollocTable table(defaults, defaults);
  table.SetRowLimit(3);
  build(table);
  ASSERT_EQ(host.ui.messages.size(), 1u);
  EXPECT_EQ(host.ui.messages[0].caption, "Error");
  EXPECT_EQ(host.ui.messages[0].text, "List is too large. Not all the words were inserted.");
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Info(2).Total, 1);
}

TEST_F(CollocTableTest, SortsByAnyColumnWithEqualKeysReversed) {
  rows.add("b a", "n1", "c");
  rows.add("a a", "n2", "b");
  rows.add("", "n2", "a");
  CollocTable table(defaults, defaults);
  build(table);
  // Built: n1 {a L1, b L2, c R1}, n2 {a L1 L2 R1, b R1}.
  auto order = [&table] {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < table.Count(); ++i)
      out.push_back(table.Info(i).Collocate + "/" + table.Info(i).Node);
    return out;
  };
  table.Sort(kCollocateColumn, host.progress);
  EXPECT_EQ(order(), (std::vector<std::string>{"a/n1", "a/n2", "b/n1", "b/n2", "c/n1"}));
  EXPECT_EQ(table.CollocList().Get(0), "a n1");
  table.Sort(LeftColumn(1), host.progress);
  EXPECT_EQ(order(), (std::vector<std::string>{"a/n1", "a/n2", "b/n1", "c/n1", "b/n2"}));
  EXPECT_EQ(table.CollocList().Get(0), "002147483646n1 a");
  table.Sort(kTotalColumn, host.progress);
  EXPECT_EQ(order(), (std::vector<std::string>{"a/n2", "a/n1", "b/n1", "c/n1", "b/n2"}));
  table.Sort(kNodeColumn, host.progress);
  EXPECT_EQ(order(), (std::vector<std::string>{"a/n1", "b/n1", "c/n1", "a/n2", "b/n2"}));
  EXPECT_EQ(host.progress.title, "Sorting...");

  table.ClearRows(2, 3);
  EXPECT_EQ(order(), (std::vector<std::string>{"a/n1", "a/n2", "b/n2"}));
  EXPECT_EQ(table.Info(1).Total, 3);
}

struct RowObject : text::ListObject {
  explicit RowObject(std::string k) : key(std::move(k)) {}
  std::string key;
};

TEST_F(CollocTableTest, SortsEqualOneByOneInsertionOfTheirKeys) {
  std::mt19937 random(99);
  const std::vector<std::string> words = {"a",   "A",     "the", "The", "of", "b c", "\xE9t\xE9",
                                          "ete", "Zebra", "z",   "in",  "ab", "a b", "house"};
  auto pick = [&] { return words[random() % words.size()]; };
  for (int i = 0; i < 400; ++i) {
    std::string left, right;
    for (int k = 0; k < 5; ++k) left += pick() + " ";
    for (int k = 0; k < 5; ++k) right += " " + pick();
    rows.add(left, i % 7 < 3 ? "House" : (i % 7 < 5 ? "Home" : "hall"), right);
  }
  CollocTable table(positions({1, 2, 3, 4, 5}), positions({1, 2, 3, 4, 5}));
  build(table);
  ASSERT_GT(table.Count(), 50);
  auto keyOf = [](const TCollocFreqInfo& info, int column) {
    if (column == kCollocateColumn) return info.Collocate + " " + info.Node;
    if (column == kNodeColumn) return info.Node + " " + info.Collocate;
    std::int32_t count = column == kTotalColumn ? info.Total
                         : column < kNodeColumn ? info.Left(kNodeColumn - column)
                                                : info.Right(column - kNodeColumn);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%012lld", 2147483647LL - count);
    return prefix + info.Node + " " + info.Collocate;
  };
  for (int column : {kTotalColumn, LeftColumn(1), kCollocateColumn, RightColumn(2), kNodeColumn,
                     LeftColumn(1), kTotalColumn}) {
    text::TQStringList reference(RootCollator());
    reference.SetDuplicates(text::Duplicates::Accept);
    reference.SetSorted(true);
    for (std::int32_t i = 0; i < table.Count(); ++i) {
      const TCollocFreqInfo& info = table.Info(i);
      reference.AddObject(keyOf(info, column), new RowObject(info.Node + "/" + info.Collocate +
                                                             "/" + std::to_string(info.Total)));
    }
    table.Sort(column, host.progress);
    ASSERT_EQ(table.Count(), reference.GetCount());
    for (std::int32_t i = 0; i < table.Count(); ++i) {
      const TCollocFreqInfo& info = table.Info(i);
      ASSERT_EQ(info.Node + "/" + info.Collocate + "/" + std::to_string(info.Total),
                static_cast<RowObject*>(reference.GetObject(i))->key)
          << "column " << column << " row " << i;
      ASSERT_EQ(table.CollocList().Get(i), reference.Get(i));
    }
  }
}

// Sort keys longer than 255 characters are cut like any entry text, so rows
// whose keys agree up to there count as equal (and change places).
TEST_F(CollocTableTest, SortKeysCountOnlyWhatTheEntryKeeps) {
  const std::string a = std::string(251, 'q') + "a", b = std::string(251, 'q') + "b";
  rows.add("", "House", b);
  rows.add("", "house", a);
  CollocTable table(defaults, defaults);
  build(table);
  auto collocates = [&table] {
    std::vector<std::string> c;
    for (std::int32_t i = 0; i < table.Count(); ++i) c.push_back(table.Info(i).Collocate);
    return c;
  };
  ASSERT_EQ(collocates(), (std::vector<std::string>{a, b}));
  table.Sort(RightColumn(1), host.progress);  // 12 digits + "house q...": equal
  EXPECT_EQ(collocates(), (std::vector<std::string>{b, a}));
  table.Sort(kNodeColumn, host.progress);  // "house q...": equal
  EXPECT_EQ(collocates(), (std::vector<std::string>{a, b}));
  table.Sort(kNodeColumn, host.progress);
  EXPECT_EQ(collocates(), (std::vector<std::string>{b, a}));
  table.Sort(kCollocateColumn, host.progress);  // differ at character 252
  EXPECT_EQ(collocates(), (std::vector<std::string>{a, b}));
}

TEST_F(CollocTableTest, QueryDialogAddsLoweredMasksAndConfirmsOnASecondOk) {
  CollocQuery query;
  EXPECT_TRUE(query.LeftChecked(1) && query.LeftChecked(3) && !query.LeftChecked(4));
  EXPECT_TRUE(query.CheckBoxes[6] && query.CheckBoxes[9] && !query.CheckBoxes[5]);
  EXPECT_EQ(query.ButtonOKClick(), CollocQuery::Outcome::StaysOpen);
  EXPECT_EQ(query.ListBox1, (std::vector<std::string>{"*"}));
  query.Edit1 = "The*";
  EXPECT_EQ(query.ButtonOKClick(), CollocQuery::Outcome::StaysOpen);
  query.SetRightChecked(9, true);
  query.SetLeftChecked(1, false);
  EXPECT_EQ(query.ButtonOKClick(), CollocQuery::Outcome::Ok);
  EXPECT_EQ(query.ListBox1, (std::vector<std::string>{"*", "the*"}));
  EXPECT_TRUE(query.RightUsed()[8]);
  EXPECT_FALSE(query.LeftUsed()[0]);

  query.DeleteMasks({0, 1});
  EXPECT_EQ(query.ButtonOKClick(), CollocQuery::Outcome::Cancel);
  query.ButtonClearAllClick();
  EXPECT_TRUE(query.Edit1.empty());
  EXPECT_FALSE(query.RightChecked(9));
}

}  // namespace
}  // namespace lexvane::frequency
