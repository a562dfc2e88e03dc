#include "search/word_mask.h"

#include <gtest/gtest.h>

namespace lexvane::search {
namespace {

TEST(MatchMask, PlainMaskMatchesOnlyTheEqualWord) {
  EXPECT_TRUE(MatchMask("walk", "walk"));
  EXPECT_FALSE(MatchMask("walks", "walk"));
  EXPECT_FALSE(MatchMask("walk", "Walk"));  // by character code, no case folding
}

TEST(MatchMask, TrailingStarIsAPrefixMatch) {
  EXPECT_TRUE(MatchMask("walk", "walk*"));
  EXPECT_TRUE(MatchMask("walks", "walk*"));
  EXPECT_TRUE(MatchMask("walked", "walk*"));
  EXPECT_FALSE(MatchMask("sidewalk", "walk*"));
}

TEST(MatchMask, StarsOnBothSidesFindAContainedPiece) {
  EXPECT_TRUE(MatchMask("walk", "*walk*"));
  EXPECT_TRUE(MatchMask("sidewalks", "*walk*"));
  EXPECT_FALSE(MatchMask("wakl", "*walk*"));
}

TEST(MatchMask, PiecesAreTakenAtTheirFirstOccurrenceWithoutGoingBack) {
  EXPECT_TRUE(MatchMask("sing", "*ing"));
  EXPECT_TRUE(MatchMask("ring", "*ing"));
  EXPECT_FALSE(MatchMask("ringing", "*ing"));
  EXPECT_TRUE(MatchMask("ab", "a*b"));
  EXPECT_TRUE(MatchMask("axb", "a*b"));
  EXPECT_FALSE(MatchMask("abab", "a*b"));
  EXPECT_FALSE(MatchMask("axbyb", "a*b"));
}

TEST(MatchMask, QuestionMarkStandsForExactlyOneCharacter) {
  EXPECT_TRUE(MatchMask("x", "?"));
  EXPECT_FALSE(MatchMask("", "?"));
  EXPECT_FALSE(MatchMask("xy", "?"));
  EXPECT_TRUE(MatchMask("xy", "??"));
  EXPECT_TRUE(MatchMask("walk", "w?lk"));
  EXPECT_TRUE(MatchMask("welk", "w?lk"));
  EXPECT_FALSE(MatchMask("wlk", "w?lk"));
  EXPECT_FALSE(MatchMask("waalk", "w?lk"));
  EXPECT_TRUE(MatchMask("cakewalk", "*w?lk"));
  EXPECT_FALSE(MatchMask("cakewalks", "*w?lk"));
  EXPECT_TRUE(MatchMask("walking", "w?lk*"));
  EXPECT_FALSE(MatchMask("awalk", "w?lk*"));
}

TEST(MatchMask, DoubleStarsMatchOnlyThemselves) {
  EXPECT_TRUE(MatchMask("anything", "*"));
  EXPECT_TRUE(MatchMask("", "*"));
  EXPECT_TRUE(MatchMask("**", "**"));
  EXPECT_FALSE(MatchMask("x", "**"));
  EXPECT_FALSE(MatchMask("", "**"));
  EXPECT_TRUE(MatchMask("a**b", "a**b"));
  EXPECT_FALSE(MatchMask("ab", "a**b"));
  EXPECT_FALSE(MatchMask("axyb", "a**b"));
  EXPECT_FALSE(MatchMask("abc", "***"));
}

TEST(MatchMask, EmptyWordOrMask) {
  EXPECT_TRUE(MatchMask("", ""));
  EXPECT_FALSE(MatchMask("a", ""));
  EXPECT_FALSE(MatchMask("", "a*"));
}

TEST(FindWithJokers, ReturnsTheFirstOneBasedPosition) {
  EXPECT_EQ(FindWithJokers("", "abc"), 1u);
  EXPECT_EQ(FindWithJokers("", ""), 1u);
  EXPECT_EQ(FindWithJokers("abcd", "abc"), 0u);
  EXPECT_EQ(FindWithJokers("b?", "abcbd"), 2u);
  EXPECT_EQ(FindWithJokers("?d", "abcbd"), 4u);
  EXPECT_EQ(FindWithJokers("x?", "abcbd"), 0u);
  EXPECT_EQ(FindWithJokers("???", "abc"), 1u);
}

}  // namespace
}  // namespace lexvane::search
