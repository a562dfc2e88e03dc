#include "text/encoding.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <string>

namespace lexvane::text {
namespace {

std::string allBytes() {
  std::string s;
  for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
  return s;
}

char byte(int b) {
  return static_cast<char>(b);
}

// The Windows-1252 byte of a code point, or -1 (looked up by decoding every byte).
int ansiOf(char32_t cp) {
  const std::u16string all = ansiToUtf16(allBytes());
  for (int i = 0; i < 256; ++i) {
    if (all[i] == cp) return i;
  }
  return -1;
}

TEST(LowerCase, AgreesWithUnicodeWhereTheCodePageHoldsBothCases) {
  const std::u16string decoded = ansiToUtf16(allBytes());
  int changed = 0;
  for (int i = 0; i < 256; ++i) {
    const int lowerCp = u_tolower(decoded[i]);
    const int expected = lowerCp == decoded[i] ? i : ansiOf(static_cast<char32_t>(lowerCp));
    ASSERT_NE(expected, -1) << "byte " << i;
    EXPECT_EQ(static_cast<unsigned char>(lowerChar(byte(i))), expected) << "byte " << i;
    if (expected != i) ++changed;
  }
  EXPECT_EQ(changed, 26 + 30 + 4);
}

TEST(LowerCase, ListedLettersAndTheOnesThatStay) {
  EXPECT_EQ(lowered("Hello WORLD 123"), "hello world 123");
  EXPECT_EQ(lowered("\xC0\xC9\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xFE\x9A\x9C\x9E\xFF");
  // multiplication sign, sharp s, micro sign and the lower-case letters stay
  EXPECT_EQ(lowered("\xD7\xDF\xB5\xE0\xFF\x9A"), "\xD7\xDF\xB5\xE0\xFF\x9A");
  std::string s = "\xC4pfel";
  lowerInPlace(s);
  EXPECT_EQ(s, "\xE4pfel");
  EXPECT_EQ(lowered(lowered(allBytes())), lowered(allBytes()));
}

TEST(DosConversion, MatchesCodePage850WhereWindows1252HasTheCharacter) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cp850 = ucnv_open("ibm-850", &status);
  ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  int bestFits = 0;
  for (int i = 0; i < 256; ++i) {
    const char in = byte(i);
    UChar out[4];
    status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(cp850, out, 4, &in, 1, &status);
    ASSERT_TRUE(U_SUCCESS(status));
    ASSERT_EQ(n, 1);
    const int expected = ansiOf(out[0]);
    const auto got = static_cast<unsigned char>(dosToAnsi(in));
    if (expected >= 0 && (i >= 128 || i == expected)) {
      EXPECT_EQ(got, expected) << "cp850 byte " << i;
    } else {
      if (i >= 128) ++bestFits;
      EXPECT_TRUE(i < 128 ? got == i : got < 128) << "cp850 byte " << i;
    }
  }
  ucnv_close(cp850);
  EXPECT_EQ(bestFits, 31);  // box drawing, shades, blocks, dotless i, double low line
}

TEST(DosConversion, BestFitsAndInPlaceBlock) {
  EXPECT_EQ(dosToAnsi(byte(0xC4)), '-');  // horizontal line
  EXPECT_EQ(dosToAnsi(byte(0xB3)), '|');  // vertical line
  EXPECT_EQ(dosToAnsi(byte(0xDA)), '+');  // corner
  EXPECT_EQ(dosToAnsi(byte(0xC9)), '+');  // double corner
  EXPECT_EQ(dosToAnsi(byte(0xD5)), 'i');  // dotless i
  std::string block = "M\x81nchen \x82t\x82 \x9C";
  dosToAnsiInPlace(block.data(), block.size());
  EXPECT_EQ(block, "M\xFCnchen \xE9t\xE9 \xA3");
}

TEST(Unicode, DecodesEveryByteAndEncodesItBack) {
  const std::string all = allBytes();
  EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
  const std::u16string u16 = ansiToUtf16(all);
  ASSERT_EQ(u16.size(), 256u);
  EXPECT_EQ(u16[0x80], u'\u20AC');
  EXPECT_EQ(u16[0x9F], u'\u0178');
  EXPECT_EQ(u16[0xE9], u'\u00E9');
  for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(u16[undefined], undefined);
  EXPECT_EQ(ansiToUtf8("caf\xE9 \x80"), "caf\u00E9 \u20AC");
}

TEST(Unicode, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToAnsi("\u65E5\u672C x"), "?? x");
  EXPECT_EQ(utf8ToAnsi("\U0001F600"), "?");
  EXPECT_EQ(utf8ToAnsi("\u0085"), "?");  // a C1 control the code page defines otherwise
  EXPECT_EQ(utf8ToAnsi("\u201Cquoted\u201D"), "\x93quoted\x94");
}

TEST(Unicode, MalformedUtf8IsReplacedNotOverrun) {
  EXPECT_EQ(utf8ToAnsi("a\xC3"), "a?");               // cut short at the end
  EXPECT_EQ(utf8ToAnsi("\xC3("), "?(");               // bad continuation
  EXPECT_EQ(utf8ToAnsi("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(utf8ToAnsi("\xED\xA0\x80"), "???");       // encoded surrogate
  EXPECT_EQ(utf8ToAnsi("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(utf8ToAnsi("\xE2\x82"), "?");
  EXPECT_EQ(utf8ToAnsi("\xFF\xFE"), "??");
  EXPECT_EQ(utf8ToAnsi(""), "");
}

TEST(TextHelpers, KeepAndReverse) {
  const std::string longText(300, 'x');
  EXPECT_EQ(keepFirst(longText).size(), kMaxTextLength);
  EXPECT_EQ(keepFirst("abcdef", 3), "abc");
  EXPECT_EQ(keepLast("abcdef", 3), "def");
  EXPECT_EQ(keepLast("ab", 3), "ab");
  EXPECT_EQ(keepFirst("", 3), "");
  EXPECT_EQ(reverseCharacters("ab\xE9z"),
            "z\xE9"
            "ba");
  EXPECT_EQ(reverseCharacters(""), "");
}

}  // namespace
}  // namespace lexvane::text
