#include "text/sentence_retrieval.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "text/error.h"
#include "text/text_scanner.h"

namespace lexvane::text {
namespace {

class RetrievalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_retrieval_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void configure(bool dos) {
    sets_ = CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, dos);
  }
  // The sentence around the first occurrence of `keyword` in `text`.
  Sentence around(const std::string& text, const std::string& keyword, bool enhanced,
                  bool crlf = false) {
    const auto path = dir_ / "text.txt";
    std::ofstream(path, std::ios::binary) << text;
    const std::size_t at = text.find(keyword);
    EXPECT_NE(at, std::string::npos);
    Sentence sentence;
    RetrieveSentence(path.string(), static_cast<std::int64_t>(at), crlf, enhanced, sets_, sentence);
    return sentence;
  }

  std::filesystem::path dir_;
  CharacterSets sets_ =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
};

TEST_F(RetrievalTest, SimpleRuleCutsAtSentenceSeparators) {
  const Sentence s = around("First one. Then he walked home, e.g. today. Next.", "walked", false);
  EXPECT_EQ(s.left, "Then he");
  EXPECT_EQ(s.keyword, "walked");
  EXPECT_EQ(s.right, "home, e.");  // the abbreviation ends it, separator included
}

TEST_F(RetrievalTest, EnhancedRuleSkipsOrdinalsAndInnerFullStops) {
  const std::string text = "Done. On the 3. May he walked home, e.g. today. Next one.";
  Sentence s = around(text, "May", true);
  EXPECT_EQ(s.left, "On the 3.");  // a digit before the full stop: no sentence end
  s = around(text, "walked", true);
  EXPECT_EQ(s.left, "On the 3. May he");
  EXPECT_EQ(s.right, "home, e.g.");  // the full stop inside "e.g." is not followed by a blank
  s = around(text, "May", false);
  EXPECT_EQ(s.left, "");
  EXPECT_EQ(s.right, "he walked home, e.");
}

TEST_F(RetrievalTest, EnhancedRuleEndsAfterClosingMarks) {
  const Sentence s = around("He said \"Stop!\" Then she ran away. More", "she", true);
  EXPECT_EQ(s.left, "Then");
  EXPECT_EQ(s.right, "ran away.");
}

TEST_F(RetrievalTest, HitInTheFirstSentenceStartsAtTheFileStart) {
  EXPECT_EQ(around("We walked home. Later", "home", true).left, "We walked");
  EXPECT_EQ(around("We walked home. Later", "home", false).left, "We walked");
  EXPECT_EQ(around("Hi", "Hi", true).left, "");
  EXPECT_EQ(around("ab cd", "cd", true).left, "ab");
  // The simple rule starts behind a leading sentence separator.
  EXPECT_EQ(around(".We walked home", "walked", false).left, "We");
}

TEST_F(RetrievalTest, EnhancedRuleKeepsAOneLetterFirstWordOfTheFile) {
  EXPECT_EQ(around("I am here.", "am", true).left, "I");
  EXPECT_EQ(around("A dog barked.", "dog", true).left, "A");
  // A sentence end standing at the window's start is still left out.
  EXPECT_EQ(around(". Then we went.", "Then", true).left, "");
  EXPECT_EQ(around("! So we went.", "we", true).left, "So");
}

TEST_F(RetrievalTest, LastWordOfTheFileHasAnEmptyRightContext) {
  for (bool enhanced : {false, true}) {
    const Sentence s = around("This is the end", "end", enhanced);
    EXPECT_EQ(s.left, "This is the");
    EXPECT_EQ(s.keyword, "end");
    EXPECT_EQ(s.right, "");
  }
}

TEST_F(RetrievalTest, LineBreaksEndSentencesOnlyWithCrlf) {
  const std::string text = "One line\r\nand the next one. End";
  Sentence s = around(text, "line", true, false);
  EXPECT_EQ(s.right, "and the next one.");
  s = around(text, "line", true, true);
  EXPECT_EQ(s.right, "");
  s = around(text, "and", false, true);
  EXPECT_EQ(s.left, "");
  s = around(text, "and", false, false);
  EXPECT_EQ(s.left, "One line");
}

TEST_F(RetrievalTest, EnhancedRuleWithoutCrlfEndsAtAFullStopBeforeALineBreak) {
  // The line break has become a blank, so 'said' + full stop + blank ends the
  // sentence.
  const Sentence s = around("He said.\r\nNext line here.", "said", true, false);
  EXPECT_EQ(s.right, ".");
  EXPECT_EQ(around("He said.\r\nNext line here.", "line", true, false).left, "Next");
}

TEST_F(RetrievalTest, SentenceStartBeyondTheWindowIsCutAtItsFront) {
  std::string text;
  for (int i = 0; text.size() < 600; ++i) text += "w" + std::to_string(i % 10) + "x ";
  text += "keyword ends here. After";
  const std::size_t at = text.find("keyword");
  const Sentence s = around(text, "keyword", true);
  // 255 characters before the keyword, cleaned.
  std::string expected = text.substr(at - 255, 255);
  expected = expected.substr(expected.find_first_not_of(' '));
  while (expected.back() == ' ') expected.pop_back();
  EXPECT_EQ(s.left, expected);
  EXPECT_EQ(s.right, "ends here.");
  EXPECT_EQ(around(text, "keyword", false).left, expected);
}

TEST_F(RetrievalTest, OverlongRightContextKeepsItsFirst255Characters) {
  std::string tail;
  while (tail.size() < 400) tail += "abc ";
  const Sentence s = around("Go " + tail + ".", "Go", false);
  EXPECT_EQ(s.right.size(), 254u);  // 255 with the leading blank, which is trimmed
  EXPECT_EQ(s.right, tail.substr(0, 254));
}

TEST_F(RetrievalTest, ControlCharactersBecomeBlanks) {
  const Sentence s = around("a\tb\x01 c  key\t\td e.", "key", false);
  EXPECT_EQ(s.left, "a b c");
  EXPECT_EQ(s.right, "d e.");
}

TEST_F(RetrievalTest, DosTextIsConvertedInTheWindow) {
  configure(true);
  const Sentence s = around(
      "caf\x82 cr\x88me br\x81l\x82"
      "e.",
      "cr", false);
  EXPECT_EQ(s.left, "caf\xe9");
  EXPECT_EQ(s.keyword, "cr\xeame");
  EXPECT_EQ(s.right,
            "br\xfcl\xe9"
            "e.");
}

TEST_F(RetrievalTest, OffsetBeyondTheEndLeavesTheTextsAsTheyWere) {
  const auto path = dir_ / "short.txt";
  std::ofstream(path, std::ios::binary) << "tiny text";
  Sentence s{"l", "k", "r"};
  RetrieveSentence(path.string(), 9, false, true, sets_, s);
  RetrieveSentence(path.string(), 50, false, true, sets_, s);
  RetrieveSentence(path.string(), 5000, false, true, sets_, s);
  EXPECT_EQ(s.left, "l");
  EXPECT_EQ(s.keyword, "k");
  EXPECT_EQ(s.right, "r");
}

TEST_F(RetrievalTest, MissingFileThrows) {
  Sentence s;
  EXPECT_THROW(RetrieveSentence((dir_ / "missing.txt").string(), 0, false, false, sets_, s), Error);
}

TEST(CutSentence, WorksOnAWindowReadByTheCallerWithTheGivenSets) {
  const std::string window = "xx. Then the cat sat# down";
  const CharacterSets sets = CharacterSets::Derive(" #", "#", false);
  Sentence s;
  // The window starts at file offset 1000; 'cat' is at 1013.
  CutSentence(window.data(), window.size(), 1000, 1013, false, false, sets, s);
  EXPECT_EQ(s.left, "xx. Then the");
  EXPECT_EQ(s.keyword, "cat");
  EXPECT_EQ(s.right, "sat#");
  // An offset outside the window changes nothing.
  CutSentence(window.data(), window.size(), 1000, 999, false, false, sets, s);
  EXPECT_EQ(s.keyword, "cat");
}

// A cutter prepared once cuts every later window as a fresh CutSentence
// does: nothing of one window stays behind for the next.
TEST(SentenceCutter, OneCutterServesManyWindowsAsFreshCutsDo) {
  std::mt19937 random(11);
  const std::string alphabet = "abcXY\xe9\x82  ..!?\"'3,-\r\n\t\x01";
  for (const bool dos : {false, true}) {
    const CharacterSets sets =
        CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, dos);
    for (const bool crlf : {false, true}) {
      const SentenceCutter cutter(sets, crlf);
      for (int round = 0; round < 300; ++round) {
        std::string window(1 + random() % 200, ' ');
        for (char& c : window) c = alphabet[random() % alphabet.size()];
        const std::int64_t offset = 500 + static_cast<std::int64_t>(random() % window.size());
        const bool enhanced = random() % 2 == 0;
        Sentence reused, fresh;
        cutter.Cut(window.data(), window.size(), 500, offset, enhanced, reused);
        CutSentence(window.data(), window.size(), 500, offset, crlf, enhanced, sets, fresh);
        ASSERT_EQ(reused.left + "|" + reused.keyword + "|" + reused.right,
                  fresh.left + "|" + fresh.keyword + "|" + fresh.right)
            << "dos " << dos << " crlf " << crlf << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace lexvane::text
