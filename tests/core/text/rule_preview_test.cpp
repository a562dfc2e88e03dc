#include "text/rule_preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/text/twin_prose.h"
#include "text/character_sets.h"
#include "text/text_scanner.h"

namespace lexvane::text {
namespace {

struct Flags {
  std::int64_t offset;
  bool simpleEnd;
  bool enhancedEnd;
  bool operator==(const Flags&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Flags& f) {
  return os << '{' << f.offset << ',' << f.simpleEnd << ',' << f.enhancedEnd << '}';
}

class SilentUi : public UserInterface {
 public:
  Answer Ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::Ok; }
};

class RulePreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexvane_rule_preview_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const std::string& content, const std::string& name = "text.txt") {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  // What a scan of the file delivers.
  std::vector<Flags> scan(const std::string& content, const CharacterSets& sets, bool crlf) {
    TextScanner scanner(sets);
    SilentUi ui;
    std::vector<Flags> out;
    if (!scanner.OpenFile(write(content), ui)) return out;
    ScannedWord word;
    while (scanner.ReadWord(word, crlf))
      out.push_back({word.offset, word.simpleEnd, word.enhancedEnd});
    return out;
  }
  static std::vector<Flags> flagsOf(const std::vector<PreviewWord>& words) {
    std::vector<Flags> out;
    for (const PreviewWord& w : words)
      out.push_back({static_cast<std::int64_t>(w.begin), w.simpleEnd, w.enhancedEnd});
    return out;
  }

  std::filesystem::path dir_;
};

const std::string kSentences = "It was 3. May. \"Stop!\" he said.\r\nNext line... e.g. x.Y\r\nEnd";

TEST_F(RulePreviewTest, WordsAndSentenceEndsAreThoseOfAScan) {
  const CharacterSets defaults =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  // Full stop part of the word; guillemets and the section sign separating.
  const CharacterSets custom = CharacterSets::Derive(" ,\xAB\xBB\xA7", ".?!", false);
  const std::string accented =
      "\xAB"
      "Caf\xE9"
      ".\xBB"
      " Na\xEF"
      "ve! \xA7 3 x.y\tz. End.";
  for (const std::string& text : {kSentences, accented, std::string("  ...  "), std::string()}) {
    for (const CharacterSets* sets : {&defaults, &custom}) {
      for (bool crlf : {false, true}) {
        EXPECT_EQ(flagsOf(CutPreview(text, true, *sets, crlf)), scan(text, *sets, crlf))
            << text << " crlf " << crlf;
      }
    }
  }
}

TEST_F(RulePreviewTest, DosTextIsCutAfterConversion) {
  // Code page 850: 0x81 is u with diaeresis, 0xAE and 0xAF the guillemets.
  const CharacterSets dos = CharacterSets::Derive(" \xAB\xBB", ".", true);
  const std::string text =
      "\xAE"
      "gr\x81"
      "n\xAF"
      " Ende. x";
  const std::vector<PreviewWord> words = CutPreview(text, true, dos, false);
  EXPECT_EQ(flagsOf(words), scan(text, dos, false));
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0].begin, 1u);
  EXPECT_EQ(words[0].end, 5u);
  const DecodedSample decoded = DecoderFor(dos)(text, kPreviewCharacters);
  EXPECT_EQ(decoded.text.substr(0, 6), u"\u00ABgr\u00FCn\u00BB");
}

TEST_F(RulePreviewTest, WordSpansAndGapsCoverTheSample) {
  const CharacterSets defaults =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  const std::vector<PreviewWord> words = CutPreview("  He said: no.  ", true, defaults, false);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0].begin, 2u);
  EXPECT_EQ(words[0].end, 4u);
  EXPECT_EQ(words[0].gapEnd, 5u);
  EXPECT_EQ(words[1].end, 9u);
  EXPECT_EQ(words[1].gapEnd, 11u);
  EXPECT_EQ(words[2].begin, 11u);
  EXPECT_EQ(words[2].end, 13u);
  EXPECT_EQ(words[2].gapEnd, 16u);
  EXPECT_TRUE(words[2].simpleEnd);
  EXPECT_FALSE(words[1].simpleEnd);
  // A word cut to 255 characters still spans its whole run.
  const std::string longWord(300, 'a');
  const std::vector<PreviewWord> cut = CutPreview(longWord + " b.", true, defaults, false);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].end, 300u);
  EXPECT_EQ(cut[1].begin, 301u);
}

TEST_F(RulePreviewTest, TheSampleEndIsNoSentenceEndWhenTheFileGoesOn) {
  const CharacterSets defaults =
      CharacterSets::Derive(kDefaultWordSeparators, kDefaultSentenceSeparators, false);
  // The last word may go on in the file: open, no sentence end.
  std::vector<PreviewWord> words = CutPreview("One two. Thr", false, defaults, false);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_TRUE(words[1].simpleEnd);
  EXPECT_FALSE(words[1].open);
  EXPECT_TRUE(words[2].open);
  EXPECT_FALSE(words[2].simpleEnd);
  EXPECT_FALSE(words[2].enhancedEnd);
  // So may the gap behind it.
  words = CutPreview("One two  ", false, defaults, false);
  ASSERT_EQ(words.size(), 2u);
  EXPECT_TRUE(words[1].open);
  EXPECT_FALSE(words[1].simpleEnd);
  // Where the sample is the whole file, its end ends the last sentence.
  words = CutPreview("One two. Thr", true, defaults, false);
  EXPECT_FALSE(words[2].open);
  EXPECT_TRUE(words[2].simpleEnd);
  EXPECT_TRUE(words[2].enhancedEnd);
}

TEST_F(RulePreviewTest, ReadsTheStartOfARegularFileOnly) {
  const std::string path = write(std::string(5000, 'x'));
  FileStart start = ReadFileStart(path);
  EXPECT_TRUE(start.ok);
  EXPECT_EQ(start.bytes.size(), kPreviewReadBytes);
  EXPECT_FALSE(start.wholeFile);
  start = ReadFileStart(write("short", "short.txt"));
  EXPECT_TRUE(start.ok);
  EXPECT_EQ(start.bytes, "short");
  EXPECT_TRUE(start.wholeFile);
  // Exactly the bytes asked for, and nothing behind them.
  start = ReadFileStart(write("12345", "five.txt"), 5);
  EXPECT_EQ(start.bytes, "12345");
  EXPECT_TRUE(start.wholeFile);

  start = ReadFileStart((dir_ / "gone.txt").string());
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(start.note, "gone.txt: No such file or directory");
  // A FIFO without a writer would keep a read waiting: refused at once.
  const std::string fifo = (dir_ / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  start = ReadFileStart(fifo);
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(start.note, "pipe: not a regular file");
  start = ReadFileStart(dir_.string());
  EXPECT_FALSE(start.ok);
}

TEST_F(RulePreviewTest, DecodersStopAfterTheCharactersShown) {
  const DecodedSample sample = DecodeWindows1252("caf\xE9 \x80", 5);
  EXPECT_EQ(sample.text, u"caf\u00E9 ");
  EXPECT_EQ(sample.Bytes(), 5u);
  ASSERT_EQ(sample.unitOfByte.size(), 6u);
  EXPECT_EQ(sample.unitOfByte[5], 5u);
  EXPECT_EQ(DecodeWindows1252("\x80", 10).text, u"\u20AC");
  EXPECT_EQ(DecodeDos("\x81", 10).text, u"\u00FC");
}

TEST_F(RulePreviewTest, Utf8DecoderKeepsCharactersWholeAndShowsInvalidBytes) {
  const CharacterSets utf8 =
      CharacterSets::Derive(kDefaultUtf8WordSeparators, kDefaultSentenceSeparators, Encoding::Utf8);
  EXPECT_EQ(DecoderFor(utf8), &DecodeUtf8);
  // An invalid byte is one character; a character beyond the BMP two units.
  const DecodedSample sample = DecodeUtf8("a\u00E9\xFF\U0001F600b", 10);
  EXPECT_EQ(sample.text, u"a\u00E9\uFFFD\U0001F600b");
  EXPECT_EQ(sample.unitOfByte, (std::vector<std::size_t>{0, 1, 1, 2, 3, 3, 3, 3, 5, 6}));
  // It stops after the characters shown, and before a character the sample
  // cut short.
  EXPECT_EQ(DecodeUtf8("\u03B1\u03B2\u03B3", 2).Bytes(), 4u);
  EXPECT_EQ(DecodeUtf8("ab\xE2\x82", 10).text, u"ab");
  EXPECT_EQ(DecodeUtf8("ab\xE2\x82x", 10).text, u"ab\uFFFD\uFFFDx");
}

TEST_F(RulePreviewTest, Utf8WordsEndAtASeparatorCharacter) {
  const CharacterSets utf8 =
      CharacterSets::Derive(kDefaultUtf8WordSeparators, kDefaultSentenceSeparators, Encoding::Utf8);
  // "αβ«γ»": the word ends at the guillemet, an invalid byte is part of it.
  const std::string text = "\u03B1\xFF\u03B2\u00AB\u03B3\u00BB";
  const std::vector<PreviewWord> words = CutPreview(text, true, utf8, false);
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words[0].begin, 0u);
  EXPECT_EQ(words[0].end, 5u);
}

TEST_F(RulePreviewTest, EveryEncodingOnProseAndAwkwardShapesCutsAsTheScan) {
  // Whole files of long multi-byte prose and of awkward shapes: separator
  // runs, one word beyond 255 characters, NUL bytes, lines ended by CR alone.
  const std::vector<std::string> prose = testing::TwinProseUtf8();
  std::vector<std::string> texts;
  for (const std::string& p : prose) texts.push_back(p.substr(0, 1500));
  texts.push_back("Ende. " + std::string(700, ' ') + "caf\u00E9 " + std::string(300, '.') + " la");
  texts.push_back("la " + std::string(600, 'w') + " caf\u00E9. \u00E9t\u00E9");
  texts.push_back(std::string(40, '\0') + "la caf\u00E9" + std::string(1, '\0') + "x. y");
  texts.push_back(std::string(300, '\r') + "la caf\u00E9\rla \u00E9t\u00E9.\rEnde\r");
  for (const auto encoding : {Encoding::Windows1252, Encoding::Dos850, Encoding::Utf8}) {
    const CharacterSets sets = CharacterSets::Derive(DefaultWordSeparators(encoding),
                                                     kDefaultSentenceSeparators, encoding);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      // Prose cut at 1500 bytes may end inside a character: kept whole.
      std::string utf8 = texts[i];
      while (!utf8.empty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80)
        utf8.pop_back();
      if (!utf8.empty() && static_cast<unsigned char>(utf8.back()) >= 0xC0) utf8.pop_back();
      const std::string bytes = testing::InEncoding(utf8, encoding);
      ASSERT_LE(bytes.size(), kPreviewReadBytes);
      for (const bool crlf : {false, true})
        EXPECT_EQ(flagsOf(CutPreview(bytes, true, sets, crlf)), scan(bytes, sets, crlf))
            << "encoding " << static_cast<int>(encoding) << " text " << i << " crlf " << crlf;
    }
  }
}

}  // namespace
}  // namespace lexvane::text
