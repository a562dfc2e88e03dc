#include "text/tags.h"

#include <gtest/gtest.h>

namespace lexvane::text {
namespace {

TEST(ExtractTag, TagBetweenTheBracketsInFrontOfTheWord) {
  EXPECT_EQ(ExtractTag("<NN>house"), "NN");
  EXPECT_EQ(ExtractTag("<>x"), "");
  EXPECT_EQ(ExtractTag("x<NN>house"), "<NN");  // from the second character on
  EXPECT_EQ(ExtractTag("a>b<"), "");
}

TEST(ExtractTag, NoTagWithoutBothBracketsOrWithTheGreaterThanLast) {
  EXPECT_EQ(ExtractTag("house"), "");
  EXPECT_EQ(ExtractTag("NN>house"), "");  // no less-than
  EXPECT_EQ(ExtractTag("<NN>"), "");      // first greater-than is last
  EXPECT_EQ(ExtractTag("<>"), "");        // fewer than three characters
  EXPECT_EQ(ExtractTag(">a<"), "");       // greater-than first
  EXPECT_EQ(ExtractTag(""), "");
}

TEST(StripTag, RemovesTheLeadingTag) {
  EXPECT_EQ(StripTag("<NN>house"), "house");
  EXPECT_EQ(StripTag("<A>b"), "b");
  EXPECT_EQ(StripTag("x<NN>house"), "house");
  EXPECT_EQ(StripTag("<a>b>c"), "b>c");
}

TEST(StripTag, AWordEndingInItsFirstGreaterThanLosesOnlyThatCharacter) {
  EXPECT_EQ(StripTag("<NN>"), "<NN");
  EXPECT_EQ(StripTag("a>"), "a");
  EXPECT_EQ(StripTag(">"), ">");
}

TEST(StripTag, ShortOrUntaggedWordsStay) {
  EXPECT_EQ(StripTag("<a>"), "<a");       // the first rule wins
  EXPECT_EQ(StripTag("<>b"), "<>b");      // not more than three characters
  EXPECT_EQ(StripTag("ab>cd"), "ab>cd");  // no less-than
  EXPECT_EQ(StripTag("house"), "house");
  EXPECT_EQ(StripTag(""), "");
}

TEST(StripTags, EveryBlankSeparatedTokenLosesItsTag) {
  EXPECT_EQ(StripTags("<DT>the <NN>house <VBZ>stands"), "the house stands");
  EXPECT_EQ(StripTags("<NN>house"), "house");
  EXPECT_EQ(StripTags(""), "");
  EXPECT_EQ(StripTags("  <A>x  <B>y "), "  x  y ");  // blanks stay where they were
  EXPECT_EQ(StripTags("word> <NN>"), "word <NN");
}

TEST(StripTags, ResultIsCutTo255Characters) {
  std::string line;
  while (line.size() < 300) line += "abcd ";
  EXPECT_EQ(StripTags(line), line.substr(0, 255));
}

}  // namespace
}  // namespace lexvane::text
