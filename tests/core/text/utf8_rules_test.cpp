// The rules of UTF-8 text: characters found forwards and backwards agree on
// valid and broken text, the edges of blocks cut out of a file, the
// byte-order mark, and encoding into UTF-8 and UTF-16.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/utf8.h"

namespace lexvane::text {
namespace {

// The starts of the characters of s, found forwards.
std::vector<std::size_t> forwardStarts(std::string_view s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); i += nextUtf8Char(s, i).length) starts.push_back(i);
  return starts;
}

// The same found backwards from the end.
std::vector<std::size_t> backwardStarts(std::string_view s) {
  std::vector<std::size_t> starts;
  for (std::size_t end = s.size(); end > 0;) {
    end = previousUtf8Char(s, end);
    starts.insert(starts.begin(), end);
  }
  return starts;
}

TEST(Utf8Rules, CharactersFoundBackwardsAreThoseFoundForwards) {
  const std::vector<std::string> texts = {
      "Stra\xC3\x9F"
      "en\xC3\xBC"
      "bergang \xE2\x82\xAC 12, \xF0\x9F\x98\x80 und \xCE\xB1\xCE\xB2",
      // Broken: a stray continuation byte, a cut sequence, an overlong form,
      // an encoded surrogate, a lead byte at the end.
      "a\x80"
      "b\xE2\x82 c\xC0\xAF"
      "d\xED\xA0\x80"
      "e\xA9\xC3",
      "\xC3\xA9\xA9\xA9\xA9\xF0\x9F\x98",
  };
  for (const std::string& text : texts) EXPECT_EQ(backwardStarts(text), forwardStarts(text));
}

TEST(Utf8Rules, TheEdgesOfABlockCutOutOfAFile) {
  // "über" cut after the lead byte of its first character, and before it.
  EXPECT_EQ(IncompleteTail(std::string_view("Br\xC3")), 1u);
  EXPECT_EQ(IncompleteTail(std::string_view("Preis \xE2\x82")), 2u);
  EXPECT_EQ(IncompleteTail(std::string_view("Preis \xE2\x82\xAC")), 0u);
  EXPECT_EQ(IncompleteTail(std::string_view("Gr\xC3\xBC\xC3\x9F")), 0u);
  EXPECT_EQ(IncompleteTail(std::string_view("")), 0u);
  EXPECT_TRUE(cutByEnd("\xF0\x9F\x98"));
  EXPECT_FALSE(cutByEnd("\xF0\x9F\x98\x80"));
  EXPECT_FALSE(cutByEnd("\x80\x80"));
  EXPECT_FALSE(cutByEnd("\xE2x"));
  // The rest of a character begun before the block: at most three bytes.
  EXPECT_EQ(leadingContinuationBytes("\x82\xAC Euro"), 2u);
  EXPECT_EQ(leadingContinuationBytes("\x80\x80\x80\x80x"), 3u);
  EXPECT_EQ(leadingContinuationBytes("\xC3\xBC"), 0u);
  EXPECT_TRUE(startsWithByteOrderMark("\xEF\xBB\xBFHallo"));
  EXPECT_FALSE(startsWithByteOrderMark("\xEF\xBB"));
}

TEST(Utf8Rules, CodePointsEncodeLowerAndDecodeAgain) {
  for (const char32_t cp : {U'A', U'\u00DC', U'\u20AC', U'\U0001F600', U'\u03A3'}) {
    std::string bytes;
    appendCodePoint(bytes, cp);
    const Utf8Char c = nextUtf8Char(bytes, 0);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.codePoint, cp);
    EXPECT_EQ(c.length, bytes.size());
  }
  std::u16string units;
  appendUtf16(units, U'\u00E9');
  appendUtf16(units, U'\U0001F600');
  EXPECT_EQ(units, u"\u00E9\U0001F600");
  EXPECT_EQ(LowerCodePoint(U'\u00DC'), U'\u00FC');
  EXPECT_EQ(LowerCodePoint(U'\u03A3'), U'\u03C3');
  EXPECT_EQ(LowerCodePoint(U'\u00DF'), U'\u00DF');
  // A broken sequence typed as text takes its longest valid prefix.
  std::int32_t cp = 0;
  EXPECT_EQ(decodeUtf8Prefix("\xE2\x82x", 0, cp), 2u);
  EXPECT_EQ(cp, -1);
  EXPECT_EQ(nextUtf8Char("\xE2\x82x", 0).length, 1u);
}

}  // namespace
}  // namespace lexvane::text
