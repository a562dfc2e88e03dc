// Association measures on a collocate table: the counts each row brings to
// its 2x2 table (hits, node rows, R1, C1, O11), the figures against values
// worked out by hand, the minimums that set rows aside and bring them back,
// the sort by a measure, and the copied line.
#include "frequency/colloc_association.h"

#include <gtest/gtest.h>

#include "core/frequency/fakes.h"
#include "frequency/frequency_copy.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "tools/root_collator.h"

namespace lexvane::frequency {
namespace {

using stats::Measure;
using testing::Host;

class CollocAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two node groups; the three words either side are counted (S = 6).
    add("the old", "house", "on the hill");
    add("a quiet", "House", "by the sea and the harbour");
    add("the", "house", "the house");
    add("at", "home", "the old");
    add("at", "home", "with the the");
    table = std::make_unique<CollocTable>(positions(), positions());
    auto operation = host.operation();
    table->BuildCollocTable(text::kDefaultWordSeparators, left, keywords, right, {"*"},
                            RootCollator(), operation);
    corpus::CorpusSettings source;
    source.Files.Add("/corpus/a.txt", RootCollator());
    table->SetSourceCorpus(source, 1000);
    for (auto [word, n] : std::initializer_list<std::pair<const char*, int>>{{"the", 60},
                                                                             {"old", 5},
                                                                             {"at", 8},
                                                                             {"house", 10},
                                                                             {"hill", 2},
                                                                             {"on", 12},
                                                                             {"a", 40},
                                                                             {"quiet", 1},
                                                                             {"by", 3},
                                                                             {"with", 9}})
      counts.Add(word, n);
  }
  void add(const char* l, const char* k, const char* r) {
    left.Add(l);
    keywords.Add(k);
    right.Add(r);
  }
  static PositionFlags positions() {
    PositionFlags p{};
    p[0] = p[1] = p[2] = true;
    return p;
  }
  const TCollocFreqInfo& row(std::string_view node, std::string_view collocate) {
    for (std::int32_t i = 0; i < table->Count(); ++i)
      if (table->Info(i).Node == node && table->Info(i).Collocate == collocate)
        return table->Info(i);
    ADD_FAILURE() << node << " " << collocate;
    return table->Info(0);
  }
  std::int32_t rowNumber(std::string_view node, std::string_view collocate) {
    for (std::int32_t i = 0; i < table->Count(); ++i)
      if (table->Info(i).Node == node && table->Info(i).Collocate == collocate) return i + 1;
    return 0;
  }
  // The cell of a row in the column headed `heading`.
  std::string cell(std::string_view node, std::string_view collocate, std::string_view heading) {
    for (int c = kCollocColumns; c < table->ColumnCount(); ++c)
      if (table->CellText(c, 0) == heading) return table->CellText(c, rowNumber(node, collocate));
    ADD_FAILURE() << "no column " << heading;
    return {};
  }
  bool apply(const AssociationOptions& options) {
    return table->ApplyAssociation(options, counts, host.progress);
  }

  text::TQStringList left, keywords, right;
  std::unique_ptr<CollocTable> table;
  WordCounts counts;
  Host host;
};

TEST_F(CollocAssociationTest, TheBuildCountsHitsAndTheRowsOfEachNodeGroup) {
  // 'the' stands five times in the three 'house' rows, in each of them.
  EXPECT_EQ(row("house", "the").Total, 5);
  EXPECT_EQ(row("house", "the").Hits, 3);
  EXPECT_EQ(row("house", "the").NodeRows, 3);
  // Twice in the second 'home' row, once in the first.
  EXPECT_EQ(row("home", "the").Total, 3);
  EXPECT_EQ(row("home", "the").Hits, 2);
  EXPECT_EQ(row("home", "the").NodeRows, 2);
  EXPECT_EQ(table->ChosenPositions(), 6);
  EXPECT_EQ(table->ColumnCount(), kCollocColumns);
}

TEST_F(CollocAssociationTest, WindowAdjustedFiguresMatchTheHandWorkedTables) {
  AssociationOptions options;
  options.Measures = {Measure::MI,     Measure::MI3,           Measure::TScore,
                      Measure::ZScore, Measure::LogLikelihood, Measure::LogDice,
                      Measure::Dice};
  ASSERT_TRUE(apply(options));
  ASSERT_EQ(table->ColumnCount(), kCollocColumns + 4 + 7);
  // house/the: O11 = 5, R1 = 3 x 6, C1 = 60, N = 1000.
  EXPECT_EQ(cell("house", "the", "R1"), "18");
  EXPECT_EQ(cell("house", "the", "C1"), "60");
  EXPECT_EQ(cell("house", "the", "O11"), "5");
  EXPECT_EQ(cell("house", "the", "E11"), "1.0800");
  EXPECT_EQ(cell("house", "the", "MI"), "2.2109");
  EXPECT_EQ(cell("house", "the", "MI3"), "6.8548");
  EXPECT_EQ(cell("house", "the", "t-score"), "1.7531");
  EXPECT_EQ(cell("house", "the", "z-score"), "3.7720");
  EXPECT_EQ(cell("house", "the", "LL"), "8.7560");
  EXPECT_EQ(cell("house", "the", "logDice"), "11.3446");
  EXPECT_EQ(cell("house", "the", "Dice"), "0.1587");
  // home/at: O11 = 2, R1 = 12, C1 = 8.
  EXPECT_EQ(cell("home", "at", "E11"), "0.0960");
  EXPECT_EQ(cell("home", "at", "LL"), "9.1648");
  EXPECT_EQ(cell("home", "old", "LL"), "4.0152");
  EXPECT_EQ(cell("house", "hill", "z-score"), "5.0807");
  // A collocate the corpus never counted ('sea' is left out of the counts):
  // E11 = 0, and C1 - O11 < 0 leaves no contingency table.
  EXPECT_EQ(cell("house", "sea", "C1"), "0");
  EXPECT_EQ(cell("house", "sea", "E11"), "0.0000");
  EXPECT_EQ(cell("house", "sea", "MI"), "inf");
  EXPECT_EQ(cell("house", "sea", "LL"), "n/a");
}

TEST_F(CollocAssociationTest, OncePerHitCountsTheRowsWithTheCollocate) {
  AssociationOptions options;
  options.Measures = {Measure::MI, Measure::LogLikelihood, Measure::Dice};
  options.OncePerHit = true;
  ASSERT_TRUE(apply(options));
  // home/the: in both rows, so O11 = 2 with R1 = 2 (a Total of 3 would
  // exceed R1 and leave a negative cell).
  EXPECT_EQ(cell("home", "the", "R1"), "2");
  EXPECT_EQ(cell("home", "the", "O11"), "2");
  EXPECT_EQ(cell("home", "the", "E11"), "0.1200");
  EXPECT_EQ(cell("home", "the", "MI"), "4.0589");
  EXPECT_EQ(cell("home", "the", "LL"), "11.3171");
  EXPECT_EQ(cell("home", "the", "Dice"), "0.0645");
  EXPECT_EQ(cell("home", "at", "LL"), "19.8571");
}

TEST_F(CollocAssociationTest, MinimumsSetRowsAsideAndALowerMinimumBringsThemBack) {
  const std::int32_t rows = table->Count();
  AssociationOptions options;
  options.Measures = {Measure::LogLikelihood};
  options.MinC1 = 9;
  ASSERT_TRUE(apply(options));
  // Kept: the (60), at (8 < 9: no), house (10), on (12), a (40), with (9).
  for (std::int32_t i = 0; i < table->Count(); ++i)
    EXPECT_GE(table->Info(i).Figures->C1, 9) << table->Info(i).Collocate;
  EXPECT_EQ(table->Count() + table->HiddenCount(), rows);
  EXPECT_GT(table->HiddenCount(), 0);
  options.MinC1 = 0;
  options.MinO11 = 2;
  ASSERT_TRUE(apply(options));
  EXPECT_EQ(table->Count() + table->HiddenCount(), rows);
  for (std::int32_t i = 0; i < table->Count(); ++i) EXPECT_GE(table->Info(i).Total, 2);
  EXPECT_NE(rowNumber("home", "at"), 0);  // back, with C1 = 8
  options.MinO11 = 0;
  ASSERT_TRUE(apply(options));
  EXPECT_EQ(table->Count(), rows);
  EXPECT_EQ(table->HiddenCount(), 0);
}

TEST_F(CollocAssociationTest, SortingByAMeasureIsDescendingWithTiesByNodeThenCollocate) {
  AssociationOptions options;
  options.Measures = {Measure::Dice};
  options.SortBy = Measure::LogDice;  // not among the columns: it joins them
  ASSERT_TRUE(apply(options));
  const int column = MeasureColumn(*table->Association(), Measure::LogDice);
  ASSERT_NE(column, 0);
  EXPECT_EQ(table->CellText(column, 0), "logDice");
  for (std::int32_t i = 1; i < table->Count(); ++i) {
    const double before = table->Info(i - 1).Figures->Values[stats::MeasureIndex(Measure::LogDice)];
    const double here = table->Info(i).Figures->Values[stats::MeasureIndex(Measure::LogDice)];
    EXPECT_GE(before, here);
    if (before == here) {
      const std::string a = table->Info(i - 1).Node + " " + table->Info(i - 1).Collocate;
      const std::string b = table->Info(i).Node + " " + table->Info(i).Collocate;
      EXPECT_LT(RootCollator().Compare(a, b), 0) << a << " / " << b;
    }
  }
  // Sorting by another association column later works as the others do.
  table->Sort(kCollocColumns + 1, host.progress);  // C1
  EXPECT_EQ(table->Info(0).Collocate, "the");
}

TEST_F(CollocAssociationTest, ACancelledComputationLeavesTheTableAsItWas) {
  std::vector<std::string> before;
  for (std::int32_t i = 0; i < table->Count(); ++i)
    before.push_back(table->Info(i).Node + table->Info(i).Collocate);
  AssociationOptions options;
  options.Measures = {Measure::MI};
  options.MinO11 = 3;
  host.progress.cancelAtGauge = 0;
  EXPECT_FALSE(apply(options));
  EXPECT_EQ(table->ColumnCount(), kCollocColumns);
  ASSERT_EQ(table->Count(), static_cast<std::int32_t>(before.size()));
  for (std::int32_t i = 0; i < table->Count(); ++i) {
    EXPECT_EQ(table->Info(i).Node + table->Info(i).Collocate, before[i]);
    EXPECT_EQ(table->Info(i).Figures, nullptr);
  }
}

TEST_F(CollocAssociationTest, ACancelHalfWayKeepsTheFiguresOfTheLastMeasures) {
  // 160 rows of one node, each with a collocate of its own.
  text::TQStringList l, k, r;
  for (int i = 0; i < 160; ++i) {
    l.Add("the harbour");
    k.Add("boats");
    r.Add("w" + std::string(1 + i % 7, static_cast<char>('a' + i % 26)) + std::to_string(i / 26));
  }
  // Only the blank separates: each right context is one word.
  CollocTable many(positions(), positions());
  auto operation = host.operation();
  many.BuildCollocTable(" ", l, k, r, {"*"}, RootCollator(), operation);
  many.SetSourceCorpus({}, 5000);
  ASSERT_GT(many.Count(), 100);
  AssociationOptions first;
  first.Measures = {Measure::MI};
  ASSERT_TRUE(many.ApplyAssociation(first, counts, host.progress));
  std::vector<double> before;
  for (std::int32_t i = 0; i < many.Count(); ++i)
    before.push_back(many.Info(i).Figures->Values[stats::MeasureIndex(Measure::MI)]);
  AssociationOptions second;
  second.Measures = {Measure::MI};
  second.OncePerHit = true;
  second.MinO11 = 2;
  host.progress.cancelAtGauge = 1;  // after the first hundred rows
  EXPECT_FALSE(many.ApplyAssociation(second, counts, host.progress));
  ASSERT_EQ(many.Count(), static_cast<std::int32_t>(before.size()));
  EXPECT_EQ(many.HiddenCount(), 0);
  EXPECT_FALSE(many.Association()->OncePerHit);
  for (std::int32_t i = 0; i < many.Count(); ++i)
    EXPECT_EQ(many.Info(i).Figures->Values[stats::MeasureIndex(Measure::MI)], before[i]) << i;
}

TEST_F(CollocAssociationTest, TheCopiedLineGoesOnWithTheFiguresAfterTheTotal) {
  CopyOptions copy;
  const std::int32_t at = rowNumber("house", "the") - 1;
  const std::string plain = CollocateLine(*table, at, copy);
  EXPECT_EQ(plain, "the| |1|1|house|1|2| |5\r\n");
  AssociationOptions options;
  options.Measures = {Measure::LogLikelihood, Measure::MI};
  ASSERT_TRUE(apply(options));
  EXPECT_EQ(CollocateLine(*table, rowNumber("house", "the") - 1, copy),
            "the| |1|1|house|1|2| |5|18|60|5|1.0800|8.7560|2.2109\r\n");
}

TEST(CollocateCorpusTest, TheConcordancesCorpusWithCapitalsKept) {
  concordance::ConcordanceTable concordance;
  concordance.CorpusFiles = {"/c/b.txt", "/c/a.txt"};
  concordance.ScanSets = text::CharacterSets::Derive(",.", "!", text::Encoding::Utf8);
  concordance.TextEncoding = text::Encoding::Utf8;
  concordance.TaggedText = true;
  concordance.CRLFAsSeparator = true;
  const corpus::CorpusSettings corpus = CollocateCorpusOf(concordance, RootCollator());
  EXPECT_EQ(corpus.Files.Count(), 2u);
  EXPECT_FALSE(corpus.IgnoreCapital);
  EXPECT_TRUE(corpus.TaggedText);
  EXPECT_TRUE(corpus.CRLFAsSeparator);
  EXPECT_EQ(corpus.TextEncoding, text::Encoding::Utf8);
  // The derived sets come out the same when derived again.
  const text::CharacterSets again = corpus::ScannerSets(corpus);
  EXPECT_EQ(again.wordSeparatorSet, concordance.ScanSets.wordSeparatorSet);
  EXPECT_EQ(again.sentenceSeparatorSet, concordance.ScanSets.sentenceSeparatorSet);
}

}  // namespace
}  // namespace lexvane::frequency
