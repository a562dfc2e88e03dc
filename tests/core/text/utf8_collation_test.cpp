// The UTF-8 side of the comparison, the width and reversal helpers, the
// choice of sets for a sort or copy, and typed terminal text for a UTF-8
// corpus.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/latest_scan_sets.h"
#include "text/terminal_text.h"
#include "text/text_utils.h"
#include "tools/root_collator.h"

namespace lexvane::text {
namespace {

class Utf8CollationTest : public ::testing::Test {
 protected:
};

TEST_F(Utf8CollationTest, LatinWordsOrderAsTheirWindows1252Twins) {
  const std::vector<std::string> ansi = {"\xE9t\xE9",
                                         "ete",
                                         "Ete",
                                         "\xC9t\xE9",
                                         "zebra",
                                         "\xFC"
                                         "ber",
                                         "uber",
                                         "Uber",
                                         "stra\xDF"
                                         "e",
                                         "strasse",
                                         "\xE6on",
                                         "aeon",
                                         "a",
                                         "",
                                         "na\xEFve",
                                         "naive"};
  for (const std::string& a : ansi)
    for (const std::string& b : ansi) {
      const int expected = RootCollator().Compare(a, b);
      EXPECT_EQ(RootCollator().Compare(ansiToUtf8(a), ansiToUtf8(b), Encoding::Utf8), expected)
          << a << " / " << b;
      EXPECT_EQ(RootCollator().CompareIgnoreCase(ansiToUtf8(a), ansiToUtf8(b), Encoding::Utf8),
                RootCollator().CompareIgnoreCase(a, b))
          << a << " / " << b;
      const int byKey = RootCollator()
                            .Key(ansiToUtf8(a), Encoding::Utf8)
                            .compare(RootCollator().Key(ansiToUtf8(b), Encoding::Utf8));
      EXPECT_EQ(byKey < 0 ? -1 : (byKey > 0 ? 1 : 0), expected) << a << " / " << b;
    }
}

TEST_F(Utf8CollationTest, GreekAndCyrillicCollateDecodedNotAsBytes) {
  // Read as Windows-1252, omega's bytes (CF 89) sort before beta's (CE B2).
  EXPECT_LT(RootCollator().Compare("\xCE\xB2", "\xCF\x89", Encoding::Utf8), 0);
  EXPECT_LT(RootCollator().Compare("\xD0\xB0", "\xD1\x8F", Encoding::Utf8), 0);  // a < ya
  std::vector<std::string> greek = {"\xCF\x89", "\xCE\xB3", "\xCE\xB1", "\xCE\xB2"};
  std::sort(greek.begin(), greek.end(), [](const std::string& a, const std::string& b) {
    return RootCollator().Key(a, Encoding::Utf8) < RootCollator().Key(b, Encoding::Utf8);
  });
  EXPECT_EQ(greek, (std::vector<std::string>{"\xCE\xB1", "\xCE\xB2", "\xCE\xB3", "\xCF\x89"}));
}

TEST_F(Utf8CollationTest, InvalidBytesCollateAsReplacementsAndTheBytesBreakTheTie) {
  EXPECT_LT(RootCollator().Compare("a\xFE", "a\xFF", Encoding::Utf8), 0);
  EXPECT_GT(RootCollator().Compare("a\xFF", "a\xFE", Encoding::Utf8), 0);
  EXPECT_LT(RootCollator().Key("a\xFE", Encoding::Utf8),
            RootCollator().Key("a\xFF", Encoding::Utf8));
  // A cut sequence is no crash and no equality either.
  EXPECT_NE(RootCollator().Compare("\xCE", "\xCE\xB1", Encoding::Utf8), 0);
  // 8-bit encodings give the 8-bit comparison.
  EXPECT_EQ(RootCollator().Key("\xE9t\xE9", Encoding::Dos850), RootCollator().Key("\xE9t\xE9"));
}

TEST(Utf8TextUtils, WidthsCountAndReversalKeepsCharacters) {
  const std::string alphaBeta = "\xCE\xB1\xCE\xB2";
  EXPECT_EQ(FitToWidth(alphaBeta, true, 4, Encoding::Utf8), alphaBeta + "  ");
  EXPECT_EQ(FitToWidth(alphaBeta, false, 3, Encoding::Utf8), " " + alphaBeta);
  EXPECT_EQ(FitToWidth(alphaBeta + "\xCE\xB3", true, 2, Encoding::Utf8), alphaBeta);
  EXPECT_EQ(FitToWidth("\xCE\xB3" + alphaBeta, false, 2, Encoding::Utf8), alphaBeta);
  EXPECT_EQ(FitToWidth("abc", false, 5, Encoding::Windows1252), FitToWidth("abc", false, 5));
  EXPECT_EQ(ReverseString(alphaBeta + "x", Encoding::Utf8), "x\xCE\xB2\xCE\xB1");
  EXPECT_EQ(ReverseString("ab\xE9", Encoding::Windows1252),
            "\xE9"
            "ba");
}

TEST(LatestScanSetsChoice, TheLatestBuildsSetsOnlyForTextOfTheirEncoding) {
  LatestScanSets latest;
  const CharacterSets utf8 = CharacterSets::Derive(" \xC2\xAB", ".", Encoding::Utf8);
  const CharacterSets ansi = CharacterSets::Derive(" ;", ".", Encoding::Windows1252);
  const CharacterSets dos = CharacterSets::Derive(" ,", ".", Encoding::Dos850);
  latest.Record(ansi);
  EXPECT_EQ(latest.SetsFor(dos).wordSeparatorSet, ansi.wordSeparatorSet);  // both 8-bit
  EXPECT_EQ(latest.SetsFor(utf8).wordSeparatorSet, utf8.wordSeparatorSet);
  latest.Record(utf8);
  EXPECT_EQ(latest.SetsFor(ansi).wordSeparatorSet, ansi.wordSeparatorSet);
  EXPECT_EQ(latest.SetsFor(CharacterSets::Derive(" ", ".", Encoding::Utf8)).wordSeparatorSet,
            utf8.wordSeparatorSet);
}

TEST(TerminalTextUtf8, AUtf8CorpusTakesEveryCharacterAndStrayBytes) {
  const TerminalText utf8("UTF-8");
  ASSERT_FALSE(utf8.PassesBytes());
  EXPECT_EQ(utf8.ToCorpus("\xCE\xB1\xCE\xB2*", Encoding::Utf8), "\xCE\xB1\xCE\xB2*");
  EXPECT_EQ(utf8.ToCorpus("\xC3\xBC"
                          "ber",
                          Encoding::Utf8),
            "\xC3\xBC"
            "ber");
  EXPECT_EQ(utf8.ToCorpus("\xFC"
                          "ber",
                          Encoding::Utf8),
            "\xFC"
            "ber");
  // 8-bit corpora as before.
  EXPECT_EQ(utf8.ToCorpus("\xC3\xBC"
                          "ber",
                          Encoding::Windows1252),
            "\xFC"
            "ber");
  EXPECT_THROW(utf8.ToCorpus("\xCE\xB1", Encoding::Dos850), UnrepresentableCharacter);
  // Text of an 8-bit terminal becomes UTF-8.
  const TerminalText latin1("ISO-8859-1");
  if (!latin1.PassesBytes()) {
    EXPECT_EQ(latin1.ToCorpus("\xFC"
                              "ber",
                              Encoding::Utf8),
              "\xC3\xBC"
              "ber");
  }
}

}  // namespace
}  // namespace lexvane::text
