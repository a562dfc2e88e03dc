// The association measures against 2x2 tables worked out by hand (the
// expected decimals were computed independently of this code).
#include <cmath>

#include <gtest/gtest.h>

#include "stats/association.h"
#include "stats/figures.h"

namespace lexvane::stats {
namespace {

std::string figure(Measure m, const CollocationCounts& c) {
  return FormatFigure(MeasureValue(m, c));
}

TEST(AssociationTest, AStrongCollocateOfATwentyHitNodeInTenThousandWords) {
  // 20 hits, 3 words either side: R1 = 120; the collocate occurs 50 times
  // in the corpus and 10 times in the windows.
  const CollocationCounts c{10, 120, 50, 10000, 20};
  EXPECT_EQ(FormatFigure(ExpectedO11(c)), "0.6000");
  EXPECT_EQ(figure(Measure::MI, c), "4.0589");
  EXPECT_EQ(figure(Measure::MI3, c), "10.7027");
  EXPECT_EQ(figure(Measure::TScore, c), "2.9725");
  EXPECT_EQ(figure(Measure::ZScore, c), "12.1353");
  EXPECT_EQ(figure(Measure::LogLikelihood, c), "40.1518");
  EXPECT_EQ(figure(Measure::LogDice, c), "12.1926");
  EXPECT_EQ(figure(Measure::Dice, c), "0.2857");
}

TEST(AssociationTest, ACollocateRarerThanChanceHasNegativeScoresAndLogLikelihood) {
  const CollocationCounts c{1, 120, 500, 10000, 20};
  EXPECT_EQ(FormatFigure(ExpectedO11(c)), "6.0000");
  EXPECT_EQ(figure(Measure::MI, c), "-2.5850");
  EXPECT_EQ(figure(Measure::MI3, c), "-2.5850");
  EXPECT_EQ(figure(Measure::TScore, c), "-5.0000");
  EXPECT_EQ(figure(Measure::ZScore, c), "-2.0412");
  EXPECT_EQ(figure(Measure::LogLikelihood, c), "-6.6857");
  EXPECT_EQ(figure(Measure::LogDice, c), "5.9776");
  EXPECT_EQ(figure(Measure::Dice, c), "0.0038");
}

TEST(AssociationTest, AnEmptyCellAddsNothingToTheLogLikelihood) {
  // Every occurrence of the collocate is in the windows: O21 = 0.
  const CollocationCounts c{5, 60, 5, 1000, 10};
  EXPECT_EQ(figure(Measure::LogLikelihood, c), "28.5378");
  EXPECT_EQ(figure(Measure::MI3, c), "8.7027");
  EXPECT_EQ(figure(Measure::ZScore, c), "8.5810");
  EXPECT_EQ(figure(Measure::LogDice, c), "13.4150");
}

TEST(AssociationTest, ACollocateTheCorpusNeverCountedIsInfinitelyAssociatedButHasNoTable) {
  // C1 = 0 (the word is cut differently in the contexts): E11 = 0.
  const CollocationCounts c{3, 30, 0, 1000, 10};
  EXPECT_EQ(figure(Measure::MI, c), "inf");
  EXPECT_EQ(figure(Measure::MI3, c), "inf");
  EXPECT_EQ(figure(Measure::ZScore, c), "inf");
  EXPECT_EQ(figure(Measure::TScore, c), "1.7321");
  // O21 = C1 - O11 < 0: no contingency table.
  EXPECT_EQ(figure(Measure::LogLikelihood, c), "n/a");
  EXPECT_EQ(figure(Measure::Dice, c), "0.6000");
}

TEST(AssociationTest, NoWordsAtAllGiveNoFigures) {
  const CollocationCounts c{1, 3, 1, 0, 1};
  EXPECT_TRUE(std::isnan(ExpectedO11(c)));
  EXPECT_EQ(figure(Measure::MI, c), "n/a");
  EXPECT_EQ(figure(Measure::LogLikelihood, c), "n/a");
}

TEST(AssociationTest, MeasuresAreNamedOnTheCommandLineAndInHeadings) {
  for (Measure m : kAllMeasures) EXPECT_EQ(MeasureNamed(MeasureName(m)), m);
  EXPECT_FALSE(MeasureNamed("LL").has_value());
  EXPECT_FALSE(MeasureNamed("").has_value());
  EXPECT_EQ(MeasureHeading(Measure::TScore), "t-score");
  EXPECT_EQ(MeasureHeading(Measure::LogDice), "logDice");
}

TEST(FiguresTest, FixedDecimalsAndWordsForWhatIsNoNumber) {
  EXPECT_EQ(FormatFigure(2.0), "2.0000");
  EXPECT_EQ(FormatFigure(-0.00001), "0.0000");
  EXPECT_EQ(FormatFigure(-0.00005001), "-0.0001");
  EXPECT_EQ(FormatFigure(1234567.891239), "1234567.8912");
  EXPECT_EQ(FormatFigure(INFINITY), "inf");
  EXPECT_EQ(FormatFigure(-INFINITY), "-inf");
  EXPECT_EQ(FormatFigure(NAN), "n/a");
  EXPECT_EQ(FormatFigure(1.5, 2), "1.50");
}

TEST(FiguresTest, DescendingKeysPutInfinityFirstAndNoNumberLast) {
  const double order[] = {INFINITY, 1e300, 12.5, 1.0, 0.0, -0.25, -3.0, -1e300, -INFINITY, NAN};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_LT(DescendingFigureKey(order[i]), DescendingFigureKey(order[i + 1])) << i;
  EXPECT_EQ(DescendingFigureKey(0.0), DescendingFigureKey(-0.0));
  EXPECT_EQ(DescendingFigureKey(7.25), DescendingFigureKey(7.25));
}

}  // namespace
}  // namespace lexvane::stats
