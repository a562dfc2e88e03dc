#include "text/tags.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

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

TEST(StripTags, Utf8TextKeeps255CharactersWhateverTheirBytes) {
  // A left context of 255 characters, most of two or three bytes: nothing
  // is cut, the words next to the keyword least of all.
  std::string context;
  while (characterCount(context, Encoding::Utf8) < 235) context += "f\xC3\xBCr 2,50 \xE2\x82\xAC ";
  context += "sie vorher";
  ASSERT_GT(context.size(), 255u);
  ASSERT_LE(characterCount(context, Encoding::Utf8), 255u);
  EXPECT_EQ(StripTags(context, Encoding::Utf8), context);
  // Longer text keeps its first 255 characters, never part of one.
  const std::string longer = context +
                             " \xC3\xBC"
                             "berfallen und noch mehr";
  const std::string stripped = StripTags(longer, Encoding::Utf8);
  EXPECT_EQ(characterCount(stripped, Encoding::Utf8), 255u);
  EXPECT_EQ(stripped, longer.substr(0, stripped.size()));
  EXPECT_EQ(decodeToUtf8(stripped, Encoding::Utf8), stripped);
  // Tags go in UTF-8 as in 8-bit text; a word of three characters keeps its
  // brackets, however many bytes they take.
  EXPECT_EQ(StripTags("<NN>Stra\xC3\x9F"
                      "e <ADJ>gr\xC3\xBCn",
                      Encoding::Utf8),
            "Stra\xC3\x9F"
            "e gr\xC3\xBCn");
  EXPECT_EQ(StripTag("<>\xE9"), "<>\xE9");
  EXPECT_EQ(StripTag("<>\xC3\xA9", Encoding::Utf8), "<>\xC3\xA9");
  EXPECT_EQ(StripTag("<a>\xC3\xA9", Encoding::Utf8), "\xC3\xA9");
}

}  // namespace
}  // namespace lexvane::text
