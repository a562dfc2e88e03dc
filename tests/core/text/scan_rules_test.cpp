// The rules that cut text (text/scan_rules.h): the classes of bytes and the
// sentence ends of a gap, as every scan and retrieval applies them.
#include <string_view>

#include <gtest/gtest.h>

#include "text/scan_rules.h"

namespace lexvane::text {
namespace {

const CharacterSets& defaults() {
  static const CharacterSets sets =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  return sets;
}

TEST(ByteClasses, DefaultSetsGiveEachByteItsClasses) {
  const ByteClassTable classes = ClassifyBytes(defaults());
  EXPECT_EQ(classes['a'], 0);
  EXPECT_EQ(classes[0xE9], 0);  // accented letters belong to words
  EXPECT_EQ(classes['\t'], kSeparatorByte);
  EXPECT_EQ(classes['\r'], kSeparatorByte | kLineBreakByte);
  EXPECT_EQ(classes['\n'], kSeparatorByte | kLineBreakByte);
  EXPECT_EQ(classes[' '], kSeparatorByte | kPlainByte);
  EXPECT_EQ(classes['7'], kSeparatorByte | kPlainByte);
  EXPECT_EQ(classes['.'], kSeparatorByte | kSentenceByte | kClosingByte);
  EXPECT_EQ(classes['"'], kSeparatorByte | kClosingByte);
  for (int c = 0; c < 256; ++c)
    EXPECT_EQ(classes[c], ClassOf(defaults(), static_cast<unsigned char>(c))) << c;
}

TEST(ByteClasses, LineBreaksEndSentencesOnlyWithCrlf) {
  const ByteClassTable classes = ClassifyBytes(defaults());
  EXPECT_TRUE(EndsSimpleSentence(classes['!'], false));
  EXPECT_FALSE(EndsSimpleSentence(classes['\n'], false));
  EXPECT_TRUE(EndsSimpleSentence(classes['\n'], true));
  EXPECT_FALSE(BreaksLine(classes['\r'], false));
  EXPECT_TRUE(BreaksLine(classes['\r'], true));
  EXPECT_FALSE(BreaksLine(classes['.'], true));
}

// The flags of a gap fed to GapSentenceEnds behind a word.
struct Ends {
  bool simple;
  bool enhanced;
  bool operator==(const Ends&) const = default;
};
Ends gapEnds(std::string_view word, std::string_view gap, bool crlf, bool endOfFile = false) {
  const ByteClassTable classes = ClassifyBytes(defaults());
  GapSentenceEnds ends;
  for (const char c : word) ends.WordByte(static_cast<unsigned char>(c));
  for (const char c : gap) {
    const auto ch = static_cast<unsigned char>(c);
    ends.GapByte(ch, classes[ch], classes, crlf);
  }
  if (endOfFile) ends.EndOfFile();
  return {ends.Simple(), ends.Enhanced()};
}

TEST(GapSentenceEnds, FullStopsAndClosingMarks) {
  EXPECT_EQ(gapEnds("was", " ", false), (Ends{false, false}));
  EXPECT_EQ(gapEnds("May", ". \"", false), (Ends{true, true}));
  EXPECT_EQ(gapEnds("Stop", "!\" ", false), (Ends{true, true}));
  // A full stop behind a digit (a separator) is no enhanced end; nor is one
  // without a blank behind it, nor one standing alone.
  EXPECT_EQ(gapEnds("was", " 3. ", false), (Ends{true, false}));
  EXPECT_EQ(gapEnds("e", ".", false), (Ends{true, false}));
  EXPECT_EQ(gapEnds("it", " . ", false), (Ends{true, false}));
  // A one-letter word ends its sentence alike.
  EXPECT_EQ(gapEnds("a", ". ", false), (Ends{true, true}));
}

// The scanner's path of one blank between two words takes the same rule.
TEST(GapSentenceEnds, ABlankAloneEndsAsInAnyGap) {
  const ByteClassTable classes = ClassifyBytes(defaults());
  for (const std::string_view word : {"x", "May.", "it.\"", "3.", "a\x01."}) {
    GapSentenceEnds blank, general;
    for (const char c : word) {
      blank.WordByte(static_cast<unsigned char>(c));
      general.WordByte(static_cast<unsigned char>(c));
    }
    blank.GapBlank(classes);
    general.GapByte(' ', classes[' '], classes, true);
    EXPECT_EQ(blank.Simple(), general.Simple()) << word;
    EXPECT_EQ(blank.Enhanced(), general.Enhanced()) << word;
  }
}

TEST(GapSentenceEnds, LineBreaksAndTheEndOfTheFile) {
  EXPECT_EQ(gapEnds("said", ".\r\n", false), (Ends{true, false}));
  EXPECT_EQ(gapEnds("said", ".\r\n", true), (Ends{true, true}));
  EXPECT_EQ(gapEnds("Y", "\r\n", false), (Ends{false, false}));
  EXPECT_EQ(gapEnds("Y", "\r\n", true), (Ends{true, true}));
  EXPECT_EQ(gapEnds("End", "", false, true), (Ends{true, true}));
  EXPECT_EQ(gapEnds("End", ", ", false, true), (Ends{true, true}));
}

// Raw bytes hold control characters; a retrieval window holds them only as
// blanks and line breaks and reads zero beyond its edges: there a control
// character before the sentence separator stands for a word cut off.
TEST(EnhancedEndAtBlank, WhatCountsAsAWordCharacterBeforeTheSeparator) {
  const ByteClassTable classes = ClassifyBytes(defaults());
  auto endsAfter = [&](unsigned before, unsigned last, WordCharacter word) {
    return EnhancedEndAtBlank(before, classes[before], classes[last], word);
  };
  for (const WordCharacter word : {WordCharacter::NoControlNoPlain, WordCharacter::NoPlain}) {
    EXPECT_TRUE(endsAfter('d', '.', word));
    EXPECT_TRUE(endsAfter(0xE9, '?', word));
    EXPECT_FALSE(endsAfter('3', '.', word));
    EXPECT_FALSE(endsAfter(' ', '.', word));
    EXPECT_TRUE(endsAfter('.', '"', word));
    EXPECT_TRUE(endsAfter('!', '\'', word));
    EXPECT_FALSE(endsAfter('d', '"', word));
    EXPECT_FALSE(endsAfter('d', 'e', word));
  }
  EXPECT_FALSE(endsAfter(0, '.', WordCharacter::NoControlNoPlain));
  EXPECT_TRUE(endsAfter(0, '.', WordCharacter::NoPlain));
  EXPECT_FALSE(endsAfter('\t', '.', WordCharacter::NoControlNoPlain));
}

}  // namespace
}  // namespace lexvane::text
