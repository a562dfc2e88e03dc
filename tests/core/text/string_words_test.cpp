// The words of a short string: the n-th word from either end, skipped words,
// separators stripped, the same in Windows-1252 text and its UTF-8 twin, and
// separators outside ASCII cutting UTF-8 words.
#include <gtest/gtest.h>

#include <string>

#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/string_words.h"

namespace lexvane::text {
namespace {

std::string word(std::string_view s, WordSpan span) {
  return std::string(s.substr(span.first, span.length));
}

// A German sentence in Windows-1252 with accents, digits and punctuation.
const std::string kAnsi =
    "\xDC"
    "ber die Br\xFC"
    "cke, sagte er (am 3. M\xE4rz), gingen f\xFCnf M\xE4"
    "dchen \xBB"
    "schnell\xAB nach Hause.";

TEST(StringWords, TheNthWordFromEitherEndIsTheSameInBothEncodings) {
  const std::string utf8 = decodeToUtf8(kAnsi, Encoding::Windows1252);
  const StringWords ansiWords(CharacterSets::Derive(kDefaultWordSeparators, ".?!", false));
  const StringWords utf8Words(CharacterSets::Derive(kDefaultWordSeparators, ".?!", Encoding::Utf8));
  for (int n = 1; n <= 16; ++n) {
    EXPECT_EQ(word(utf8, utf8Words.NthWord(utf8, n)),
              decodeToUtf8(word(kAnsi, ansiWords.NthWord(kAnsi, n)), Encoding::Windows1252))
        << n;
    EXPECT_EQ(word(utf8, utf8Words.NthWordFromEnd(utf8, n)),
              decodeToUtf8(word(kAnsi, ansiWords.NthWordFromEnd(kAnsi, n)), Encoding::Windows1252))
        << n;
  }
  // Digits separate words by default; the guillemets of Windows-1252 do not.
  EXPECT_EQ(word(kAnsi, ansiWords.NthWord(kAnsi, 7)), "M\xE4rz");
  EXPECT_EQ(word(kAnsi, ansiWords.NthWordFromEnd(kAnsi, 3)), "\xBBschnell\xAB");
  EXPECT_EQ(ansiWords.NthWord(kAnsi, 15), WordSpan{});
  EXPECT_EQ(kAnsi.substr(ansiWords.SkipWords(kAnsi, 11)), "nach Hause.");
  EXPECT_EQ(kAnsi.substr(0, ansiWords.SkipWordsFromEnd(kAnsi, 2)),
            kAnsi.substr(0, kAnsi.find(" nach")));
  EXPECT_EQ(ansiWords.WithoutSeparators("(am 3. M\xE4rz),"), "amM\xE4rz");
}

TEST(StringWords, SeparatorsOutsideAsciiCutUtf8Words) {
  // The separator text of a collocate table, exactly as typed: the blank
  // and the guillemets, no punctuation.
  const StringWords words(" \xC2\xAB\xC2\xBB", Encoding::Utf8);
  const std::string s =
      "\xC2\xAB"
      "Ca\xC3\xB1"
      "a\xC2\xBB"
      "dijo, \xC2\xAB"
      "ni\xC3\xB1o\xC2\xBB";
  EXPECT_EQ(word(s, words.NthWord(s, 1)),
            "Ca\xC3\xB1"
            "a");
  EXPECT_EQ(word(s, words.NthWord(s, 2)), "dijo,");
  EXPECT_EQ(word(s, words.NthWordFromEnd(s, 1)), "ni\xC3\xB1o");
  EXPECT_EQ(word(s, words.NthWordFromEnd(s, 3)),
            "Ca\xC3\xB1"
            "a");
  // An invalid byte is a word character, also next to a separator.
  const std::string broken =
      "ab\xC2 \xBB"
      "cd";
  EXPECT_EQ(word(broken, words.NthWord(broken, 1)), "ab\xC2");
  EXPECT_EQ(word(broken, words.NthWordFromEnd(broken, 1)),
            "\xBB"
            "cd");
  // Control characters separate only when listed.
  EXPECT_EQ(word("a\tb c", words.NthWord("a\tb c", 1)), "a\tb");
}

}  // namespace
}  // namespace lexvane::text
