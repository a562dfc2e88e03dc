#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/latest_scan_sets.h"
#include "text/text_scanner.h"

namespace lexvane::text {
namespace {

struct Token {
  std::string word;
  std::int64_t offset;
  bool simpleEnd;
  bool enhancedEnd;
  bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << '{' << t.word << ',' << t.offset << ',' << t.simpleEnd << ',' << t.enhancedEnd
            << '}';
}

class RecordingUi : public UserInterface {
 public:
  Answer Ask(std::string_view caption, std::string_view text, Buttons, Icon icon) override {
    messages.push_back(std::string(caption) + "|" + std::string(text));
    icons.push_back(icon);
    return Answer::Ok;
  }
  std::vector<std::string> messages;
  std::vector<Icon> icons;
};

const std::string kSentenceEndSample =
    "It was 3. May. \"Stop!\" he said.\r\nNext line... e.g. x.Y\r\nEnd";

class ScannerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("lexvane_scanner_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    scanner_.Configure(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& content, const std::string& name = "text.txt") {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  // Every word of the file until ReadWord returns false.
  std::vector<Token> scan(const std::string& content, bool crlf = false) {
    std::vector<Token> tokens;
    EXPECT_TRUE(scanner_.OpenFile(write(content), ui_));
    ScannedWord w;
    while (scanner_.ReadWord(w, crlf))
      tokens.push_back({std::string(w.word), w.offset, w.simpleEnd, w.enhancedEnd});
    scanner_.CloseFile();
    return tokens;
  }

  std::filesystem::path dir_;
  RecordingUi ui_;
  TextScanner scanner_;
};

TEST_F(ScannerTest, SentenceEndSampleWithoutCrlf) {
  ASSERT_EQ(kSentenceEndSample.size(), 59u);
  const std::vector<Token> expected = {
      {"It", 0, false, false},    {"was", 3, true, false},  {"May", 10, true, true},
      {"Stop", 16, true, true},   {"he", 23, false, false}, {"said", 26, true, false},
      {"Next", 33, false, false}, {"line", 38, true, true}, {"e", 46, true, false},
      {"g", 48, true, true},      {"x", 51, true, false},   {"Y", 53, false, false},
      {"End", 56, true, true}};
  EXPECT_EQ(scan(kSentenceEndSample, false), expected);
}

TEST_F(ScannerTest, SentenceEndSampleWithCrlf) {
  std::vector<Token> tokens = scan(kSentenceEndSample, true);
  ASSERT_EQ(tokens.size(), 13u);
  EXPECT_EQ(tokens[5], (Token{"said", 26, true, true}));
  EXPECT_EQ(tokens[11], (Token{"Y", 53, true, true}));
  // Nothing else changes.
  std::vector<Token> without = scan(kSentenceEndSample, false);
  tokens[5] = without[5];
  tokens[11] = without[11];
  EXPECT_EQ(tokens, without);
}

TEST_F(ScannerTest, LeadingSeparatorsAreSkipped) {
  const auto tokens = scan(" \r\n\t.,!\"3 first second");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], (Token{"first", 10, false, false}));
  EXPECT_EQ(tokens[1], (Token{"second", 16, true, true}));
}

TEST_F(ScannerTest, EmptyAndSeparatorOnlyFilesYieldNoWord) {
  EXPECT_TRUE(scan("").empty());
  EXPECT_TRUE(scan(" . \r\n ... 123 !?").empty());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ScannerTest, TrailingSeparatorsSetBothFlags) {
  const auto tokens = scan("one, two ,  ");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], (Token{"one", 0, false, false}));
  EXPECT_EQ(tokens[1], (Token{"two", 5, true, true}));
}

TEST_F(ScannerTest, WordOf255CharactersIsDeliveredWhole) {
  const std::string word(255, 'a');
  const auto tokens = scan("x " + word + " y");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1], (Token{word, 2, false, false}));
}

TEST_F(ScannerTest, LongerWordsAreCutTo255AndTheScanGoesOn) {
  // Each cut word is its first 255 characters; the words after it keep
  // their true offsets; a word across block boundaries and one of many
  // blocks are cut the same way.
  const std::size_t block = TextScanner::kBlockSize;
  const std::string w256 = std::string(255, 'a') + "b";
  const std::string across = std::string(400, 'c');
  const std::string huge(3 * block + 5, 'h');
  std::string text = "x. " + w256 + " y ";
  const std::size_t acrossAt = block - 100;
  text.resize(acrossAt, ' ');
  text += across + ". z " + huge + "\r\nend";
  ASSERT_TRUE(scanner_.OpenFile(write(text), ui_));
  std::vector<Token> tokens;
  std::vector<bool> cut;
  ScannedWord w;
  while (scanner_.ReadWord(w, false)) {
    tokens.push_back({std::string(w.word), w.offset, w.simpleEnd, w.enhancedEnd});
    cut.push_back(w.cut);
  }
  scanner_.CloseFile();
  const std::int64_t zAt = static_cast<std::int64_t>(acrossAt + across.size() + 2);
  const std::vector<Token> expected = {
      {"x", 0, true, true},
      {std::string(255, 'a'), 3, false, false},
      {"y", 3 + 256 + 1, false, false},
      {std::string(255, 'c'), static_cast<std::int64_t>(acrossAt), true, true},
      {"z", zAt, false, false},
      {std::string(255, 'h'), zAt + 2, false, false},
      {"end", zAt + 2 + static_cast<std::int64_t>(huge.size()) + 2, true, true}};
  EXPECT_EQ(tokens, expected);
  EXPECT_EQ(cut, (std::vector<bool>{false, true, false, true, false, true, false}));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ScannerTest, TheSentenceRuleSeesTheEndOfACutWord) {
  // Full stops inside words: a cut word that ends in "x." before a blank
  // ends its sentence under the enhanced rule, as a short one does.
  scanner_.Configure(" ", ".?!", false);
  const auto tokens = scan(std::string(300, 'w') + "x. next x. last");
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0], (Token{std::string(255, 'w'), 0, false, true}));
  EXPECT_EQ(tokens[1], (Token{"next", 303, false, false}));
  EXPECT_EQ(tokens[2], (Token{"x.", 308, false, true}));
}

TEST_F(ScannerTest, WordsAndGapsAcrossBlockBoundaries) {
  const std::size_t block = TextScanner::kBlockSize;
  // A 255-character word that straddles the first boundary, then a sentence
  // end whose window straddles the second.
  std::string text(block - 100, ' ');
  text += std::string(255, 'w');
  text.resize(2 * block, ' ');
  text.replace(2 * block - 4, 4, "end.");
  text += "\" next";
  const auto tokens = scan(text);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0],
            (Token{std::string(255, 'w'), static_cast<std::int64_t>(block - 100), false, false}));
  EXPECT_EQ(tokens[1], (Token{"end", static_cast<std::int64_t>(2 * block - 4), true, true}));
  EXPECT_EQ(tokens[2].offset, static_cast<std::int64_t>(2 * block + 2));
}

TEST_F(ScannerTest, AccentedLettersAreWordCharactersAndControlsSeparate) {
  const auto tokens = scan("caf\xe9\x01na\xefve\x7f \xa0x");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].word, "caf\xe9");
  EXPECT_EQ(tokens[1].word, "na\xefve\x7f");
  EXPECT_EQ(tokens[2].word, "\xa0x");
}

TEST_F(ScannerTest, DosTextIsConvertedAtUnchangedOffsets) {
  scanner_.Configure(kDefaultWordSeparators, kDefaultSentenceSeparators, true);
  // Code page 850: 0x82 is e acute, 0x81 u diaeresis; Windows-1252 0xE9, 0xFC.
  const auto tokens = scan(
      "caf\x82 \x81"
      "ber");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], (Token{"caf\xe9", 0, false, false}));
  EXPECT_EQ(tokens[1], (Token{"\xfc"
                              "ber",
                              5, true, true}));
}

TEST_F(ScannerTest, SeparatorsWithoutBlankStillSplitAtBlanks) {
  scanner_.Configure(",", ".", false);
  const auto tokens = scan("a b,c.d");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[2].word, "c.d");
  EXPECT_EQ(scanner_.Sets().wordSeparatorSet, " ,");
}

TEST_F(ScannerTest, FullStopInsideWordsStillEndsAnEnhancedSentenceBeforeABlank) {
  // The window spans the word's end: 'end.' + blank looks like a sentence
  // end to the enhanced rule although the full stop belongs to the word.
  std::string separators = kDefaultWordSeparators;
  separators.erase(separators.find('.'), 1);
  scanner_.Configure(separators, kDefaultSentenceSeparators, false);
  const auto tokens = scan("the end. Next");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1], (Token{"end.", 4, false, true}));
}

TEST_F(ScannerTest, MissingFileAndDirectoryAreReportedAndSkipped) {
  const std::string missing = (dir_ / "missing.txt").string();
  EXPECT_FALSE(scanner_.OpenFile(missing, ui_));
  EXPECT_FALSE(scanner_.OpenFile(dir_.string(), ui_));
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0], "Error|" + missing + ": No such file or directory");
  EXPECT_EQ(ui_.messages[1], "Error|" + dir_.string() + ": Is a directory");
  EXPECT_EQ(ui_.icons[0], Icon::Error);
  ScannedWord w;
  EXPECT_FALSE(scanner_.ReadWord(w, false));
}

// A character-by-character transcription of the scanning rules over a string,
// to check the block-wise scanner on many random texts.
std::vector<Token> referenceScan(const std::string& text, const CharacterSets& sets, bool crlf) {
  std::vector<Token> tokens;
  std::size_t pos = 0;
  auto sep = [&](std::size_t p) { return sets.separator(text[p]); };
  while (pos < text.size() && sep(pos)) ++pos;
  while (pos < text.size()) {
    Token t{"", static_cast<std::int64_t>(pos), false, false};
    unsigned char c0 = 0, c1 = 0, c2 = 0;
    bool ended = false;
    while (!sep(pos)) {
      c0 = c1, c1 = c2, c2 = text[pos];
      if (t.word.size() == 255) return tokens;
      t.word += text[pos++];
      if (pos == text.size()) {
        t.simpleEnd = t.enhancedEnd = ended = true;
        break;
      }
    }
    while (!ended && sep(pos)) {
      const char ch = text[pos];
      if (sets.sentence(ch)) t.simpleEnd = true;
      c0 = c1, c1 = c2, c2 = ch;
      if (crlf && (ch == '\r' || ch == '\n')) t.simpleEnd = t.enhancedEnd = true;
      if (ch == ' ') {
        if (!sets.plain(c0) && c0 >= 32 && sets.sentence(c1))
          t.enhancedEnd = true;
        else if (sets.sentence(c0) && sets.closing(c1))
          t.enhancedEnd = true;
      }
      if (++pos == text.size()) t.simpleEnd = t.enhancedEnd = ended = true;
    }
    tokens.push_back(t);
  }
  return tokens;
}

TEST_F(ScannerTest, AgreesWithCharacterByCharacterRulesOnRandomText) {
  std::mt19937 random(7);
  const std::string alphabet = "abcXYZ\xe9\xfc  .!?\"'3,-\r\n\t";
  for (int round = 0; round < 12; ++round) {
    const bool crlf = round % 2 == 1;
    if (round == 6) scanner_.Configure(" ,\"\xfc", "!?", true);
    std::string text;
    const std::size_t size = 20000 + random() % 30000;
    while (text.size() < size) {
      if (random() % 500 == 0)
        text += " " + std::string(245 + random() % 11, 'q') + " ";  // near the word limit
      else if (random() % 40 == 0)
        text.append(10 + random() % 12, 'k');  // around 16 characters
      else
        text += alphabet[random() % alphabet.size()];
    }
    std::string converted = text;
    if (scanner_.Sets().oemToAnsi) dosToAnsiInPlace(converted.data(), converted.size());
    EXPECT_EQ(scan(text, crlf), referenceScan(converted, scanner_.Sets(), crlf))
        << "round " << round;
  }
}

TEST(CharacterSets, DerivedSetsOfTheDefaults) {
  const CharacterSets sets = CharacterSets::Derive(kDefaultWordSeparators, ".?!", false);
  EXPECT_EQ(kDefaultWordSeparators.size(), 43u);
  EXPECT_EQ(sets.plainSeparators, " _,;:/-+=^<>()[]{}*@&%$#\\|~`0123456789");
  EXPECT_EQ(sets.closingMarks, ".?!\"'");
  EXPECT_TRUE(sets.separator('\x1f'));
  EXPECT_TRUE(sets.separator('7'));
  EXPECT_FALSE(sets.separator('\x7f'));
  EXPECT_FALSE(sets.separator('\xe9'));
}

TEST(CharacterSets, OneCopyOfATwiceTypedSeparatorStaysPlain) {
  const CharacterSets sets = CharacterSets::Derive("a..b\"\"''!", ".!", false);
  EXPECT_EQ(sets.wordSeparatorSet, " a..b\"\"''!");
  EXPECT_EQ(sets.plainSeparators, " a.b\"'");
  EXPECT_TRUE(sets.plain('.'));
}

TEST(CharacterSets, TextsAreCutTo255Characters) {
  const std::string many(300, 'x');
  const CharacterSets sets = CharacterSets::Derive(many, many, false);
  EXPECT_EQ(sets.sentenceSeparatorSet.size(), 255u);
  EXPECT_EQ(sets.wordSeparatorSet.size(), 255u);
  EXPECT_EQ(sets.wordSeparatorSet[0], ' ');
  EXPECT_EQ(sets.closingMarks.size(), 255u);
  EXPECT_EQ(sets.closingMarks.back(), 'x');
}

TEST(CharacterSets, EachScannerKeepsItsOwnSets) {
  TextScanner scanner;
  scanner.Configure("#", "%", true);
  EXPECT_EQ(scanner.Sets().wordSeparatorSet, " #");
  EXPECT_EQ(scanner.Sets().sentenceSeparatorSet, "%");
  EXPECT_TRUE(scanner.Sets().oemToAnsi);
  // A later scanner is not touched by an earlier one's configuration.
  const TextScanner second;
  EXPECT_EQ(second.Sets().wordSeparatorSet, kDefaultWordSeparators);
  EXPECT_TRUE(second.Sets().plainSeparators.empty());
  EXPECT_TRUE(second.Sets().closingMarks.empty());
  EXPECT_FALSE(second.Sets().oemToAnsi);
}

TEST(LatestScanSets, StartUpSetsUntilABuildIsRecorded) {
  LatestScanSets latest;
  EXPECT_EQ(latest.Sets().wordSeparatorSet, kDefaultWordSeparators);
  const CharacterSets copy = latest.Sets();  // what a sort started now works with
  latest.Record(CharacterSets::Derive(",", ";", false));
  EXPECT_EQ(latest.Sets().wordSeparatorSet, " ,");
  EXPECT_EQ(copy.wordSeparatorSet, kDefaultWordSeparators);
}

}  // namespace
}  // namespace lexvane::text
