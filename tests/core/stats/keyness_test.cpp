// Keyness against hand-worked comparisons (expected decimals computed
// independently of this code).
#include <gtest/gtest.h>

#include "stats/figures.h"
#include "stats/keyness.h"

namespace lexvane::stats {
namespace {

std::string ll(const KeynessCounts& k) {
  return FormatFigure(KeywordLogLikelihood(k));
}

TEST(KeynessTest, AWordFourTimesAsFrequentInTheStudyCorpus) {
  // 100 in 10 000 words against 50 in 20 000: E1 = 50, E2 = 100.
  const KeynessCounts k{100, 50, 10000, 20000};
  EXPECT_EQ(KeyDirection(k), Direction::Positive);
  EXPECT_EQ(ll(k), "69.3147");
  EXPECT_EQ(FormatFigure(LogRatio(k)), "2.0000");
  EXPECT_EQ(FormatFigure(PercentDiff(k)), "300.0000");
  EXPECT_EQ(FormatFigure(PerMillion(k.a, k.c)), "10000.0000");
  EXPECT_EQ(FormatFigure(PerMillion(k.b, k.d)), "2500.0000");
}

TEST(KeynessTest, AWordTheReferenceLacksHasInfinitePercentDiffAndAHalfInItsLogRatio) {
  const KeynessCounts k{7, 0, 1000, 5000};
  EXPECT_EQ(KeyDirection(k), Direction::Positive);
  EXPECT_EQ(ll(k), "25.0846");                     // 14 ln 6: the zero term adds nothing
  EXPECT_EQ(FormatFigure(LogRatio(k)), "6.1293");  // log2((7/1000) / (0.5/5000))
  EXPECT_EQ(FormatFigure(PercentDiff(k)), "inf");
}

TEST(KeynessTest, AWordTheStudyCorpusLacksIsANegativeKeyword) {
  const KeynessCounts k{0, 30, 1000, 2000};
  EXPECT_EQ(KeyDirection(k), Direction::Negative);
  EXPECT_EQ(ll(k), "24.3279");
  EXPECT_EQ(FormatFigure(LogRatio(k)), "-4.9069");
  EXPECT_EQ(FormatFigure(PercentDiff(k)), "-100.0000");
}

TEST(KeynessTest, EqualRelativeFrequenciesAreNeitherDirection) {
  const KeynessCounts k{5, 5, 1000, 1000};
  EXPECT_EQ(KeyDirection(k), Direction::Neither);
  EXPECT_EQ(ll(k), "0.0000");
  EXPECT_EQ(FormatFigure(LogRatio(k)), "0.0000");
  // Compared exactly, not in floating point: 1/3 against 2/6.
  EXPECT_EQ(KeyDirection({1, 2, 3, 6}), Direction::Neither);
  // Sizes beyond 32 bits.
  EXPECT_EQ(KeyDirection({3'000'000'001, 1, 6'000'000'000, 2}), Direction::Positive);
}

TEST(KeynessTest, SignificanceLevelsByTheirP) {
  EXPECT_EQ(SignificanceLevelOf("0.01")->critical, 6.63);
  EXPECT_EQ(SignificanceLevelOf("0.0001")->critical, 15.13);
  EXPECT_FALSE(SignificanceLevelOf("0.02").has_value());
}

}  // namespace
}  // namespace lexvane::stats
