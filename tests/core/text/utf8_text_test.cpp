#include <gtest/gtest.h>

#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/utf8_detection.h"

namespace lexvane::text {
namespace {

constexpr Encoding kUtf8 = Encoding::Utf8;

TEST(Utf8Text, InvalidBytesAreOneCharacterEach) {
  // A stray continuation byte, an overlong form, a surrogate, a sequence cut
  // short by the next character and one cut by the end of the text.
  const std::string text = "a\x80\xC0\xAF\xED\xA0\x80\xE2\x82Z\xCE";
  EXPECT_EQ(characterCount(text, kUtf8), 11u);
  EXPECT_EQ(decodeToUtf8(text, kUtf8), "a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDZ\uFFFD");
  EXPECT_EQ(reverseCharacters("a\x80\xE2\x82Z", kUtf8),
            "Z\x82\xE2\x80"
            "a");
  EXPECT_EQ(lowered(text, kUtf8), "a\x80\xC0\xAF\xED\xA0\x80\xE2\x82z\xCE");
}

TEST(Utf8Text, CutsCountAndReverseWholeCharacters) {
  const std::string word = "Ωμέγα𝄞";  // 2-byte letters and a 4-byte symbol
  EXPECT_EQ(characterCount(word, kUtf8), 6u);
  EXPECT_EQ(keepFirst(word, 2, kUtf8), "Ωμ");
  EXPECT_EQ(keepLast(word, 2, kUtf8), "α𝄞");
  EXPECT_EQ(reverseCharacters(word, kUtf8), "𝄞αγέμΩ");
  // Unicode's simple mapping: one code point each, final sigma not guessed.
  EXPECT_EQ(lowered("ÜBER ΣΟΦΟΣ Москва İ", kUtf8), "über σοφοσ москва i");
  EXPECT_EQ(decodeToUtf16("𝄞", kUtf8), u"𝄞");
  // 8-bit text keeps its byte rules.
  EXPECT_EQ(keepFirst("\xDC\xDC\xDC", 2, Encoding::Windows1252), "\xDC\xDC");
  EXPECT_EQ(lowered("\xDC", Encoding::Dos850), "\xFC");
}

TEST(Utf8Text, SeparatorSetsHoldCharacters) {
  const CharacterSets sets = CharacterSets::Derive(",«»—…", ".…", kUtf8);
  EXPECT_TRUE(sets.separatorChar(U'«'));
  EXPECT_TRUE(sets.separatorChar(U' '));
  EXPECT_TRUE(sets.separatorChar(U'\x1F'));
  EXPECT_FALSE(sets.separatorChar(U'é'));
  EXPECT_TRUE(sets.sentenceChar(U'…'));
  EXPECT_FALSE(sets.plainChar(U'…'));
  EXPECT_TRUE(sets.plainChar(U'—'));
  EXPECT_TRUE(sets.closingChar(U'…'));
  // No byte from 0x80 on is a member by itself.
  EXPECT_FALSE(sets.separator('\xC2'));
}

TEST(Utf8Text, DetectionWantsMostNonAsciiBytesInSequences) {
  Utf8Evidence utf8;
  utf8.Add("caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D");
  EXPECT_TRUE(utf8.LooksUtf8());
  Utf8Evidence ansi;
  ansi.Add("caf\xE9 na\xEFve \x93quoted\x94");
  EXPECT_FALSE(ansi.LooksUtf8());
  Utf8Evidence ascii;
  ascii.Add("plain text");
  EXPECT_FALSE(ascii.LooksUtf8());
  // A sequence cut by the end of the sample counts neither way.
  Utf8Evidence cut;
  cut.Add("\xC3\xA9\xE2\x80");
  EXPECT_TRUE(cut.LooksUtf8());
}

}  // namespace
}  // namespace lexvane::text
