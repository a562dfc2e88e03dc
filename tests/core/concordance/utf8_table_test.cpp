// Sorting and copying a concordance of UTF-8 text: Latin rows give the rows
// of their Windows-1252 twin in every sort and copy layout, and a table never
// cuts its words with the separators of the other encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "concordance/concordance_copy.h"
#include "concordance/concordance_edit.h"
#include "concordance/concordance_sort.h"
#include "core/concordance/scripted_host.h"
#include "core/concordance/table_fixture.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "tools/root_collator.h"

namespace lexvane::concordance {
namespace {

using testing::addRow;
using testing::defaultSets;
using testing::rowNames;

const text::CharacterSets& utf8Sets() {
  static const text::CharacterSets sets =
      text::CharacterSets::Derive(text::kDefaultWordSeparators, ".?!", text::Encoding::Utf8);
  return sets;
}

struct Row {
  std::string left, keyword, right;
};

// Windows-1252 rows with accents, ties and several words on each side.
const std::vector<Row> kRows = {
    {"Der Hund lief \xFC"
     "ber die",
     "Br\xFC"
     "cke",
     "und bellte laut."},
    {"\xC9t\xE9, \xE0 la plage,", "\xE9t\xE9", "chaud; tr\xE8s chaud!"},
    {"Sie sah",
     "\xFC"
     "ber",
     "den Zaun, dann \xC4pfel."},
    {"Nous \xE9tions", "\xC9t\xE9", "(bref) et l\xE0."},
    {"Zo\xEB zag", "na\xEFve", "mensen \xE9\xE9n voor \xE9\xE9n."},
    {"",
     "\xFC"
     "ber",
     "alles"},
    {"kurz",
     "Stra\xDF"
     "e",
     ""},
    {"Der Hund lief \xFC"
     "ber die",
     "Br\xFC"
     "cke",
     "und bellte laut."},
};

void fill(ConcordanceTable& table, bool utf8) {
  table.TextEncoding = utf8 ? text::Encoding::Utf8 : text::Encoding::Windows1252;
  table.ScanSets = utf8 ? utf8Sets() : defaultSets();
  for (const Row& row : kRows) {
    if (utf8)
      addRow(table, text::ansiToUtf8(row.left), text::ansiToUtf8(row.keyword),
             text::ansiToUtf8(row.right));
    else
      addRow(table, row.left, row.keyword, row.right);
  }
}

class Utf8TableTest : public ::testing::Test {
 protected:
  testing::ScriptedHost host_;
};

TEST_F(Utf8TableTest, EverySortGivesTheOrderOfTheWindows1252Twin) {
  for (const bool retrograde : {false, true})
    for (const bool right : {false, true})
      for (int word = 1; word <= 3; ++word) {
        const SortOptions options{retrograde, right, word};
        ConcordanceTable ansi, utf8;
        fill(ansi, false);
        fill(utf8, true);
        for (std::int32_t i = 0; i < ansi.RowCount(); ++i)
          EXPECT_EQ(
              SortKey(utf8.Keywords().View(i), utf8.LeftContexts().View(i),
                      utf8.RightContexts().View(i), options, utf8Sets()),
              text::ansiToUtf8(SortKey(ansi.Keywords().View(i), ansi.LeftContexts().View(i),
                                       ansi.RightContexts().View(i), options, defaultSets())));
        ASSERT_TRUE(SortConcordance(ansi, options, defaultSets(), RootCollator(), host_.progress));
        ASSERT_TRUE(SortConcordance(utf8, options, utf8Sets(), RootCollator(), host_.progress));
        EXPECT_EQ(rowNames(utf8), rowNames(ansi)) << retrograde << right << word;
      }
}

TEST_F(Utf8TableTest, KeysCountReverseAndLowerCharacters) {
  const std::string omegaSigma = "\xCE\xA9\xCF\x83";  // capital omega, sigma
  SortOptions options;
  options.Retrograde = true;
  EXPECT_EQ(SortKey(omegaSigma, "", "", options, utf8Sets()), "\xCF\x83\xCF\x89 ");
  // 300 two-byte letters: the key keeps 255 characters, none cut in half.
  std::string longWord;
  for (int i = 0; i < 300; ++i) longWord += "\xC3\xA9";
  const std::string key = SortKey(longWord, "", "tail", {}, utf8Sets());
  EXPECT_EQ(text::characterCount(key, text::Encoding::Utf8), text::kMaxTextLength);
  EXPECT_EQ(key.size(), 2 * text::kMaxTextLength);
  // Separators outside ASCII cut words: a guillemet before the second word.
  const text::CharacterSets guillemets =
      text::CharacterSets::Derive(" \xC2\xAB\xC2\xBB", ".", text::Encoding::Utf8);
  EXPECT_EQ(SkipWords("\xC2\xAB"
                      "eins\xC2\xBB\xC2\xAB"
                      "zwei\xC2\xBB",
                      1, guillemets),
            "zwei\xC2\xBB");
  EXPECT_EQ(StripSeparators("\xC2\xAB"
                            "a\xFF\xC2\xBB",
                            guillemets),
            "a\xFF");
}

TEST_F(Utf8TableTest, SetsOfTheOtherEncodingGiveWayToTheTablesOwn) {
  // The table's build cut at the guillemets; the latest build was 8-bit.
  const text::CharacterSets own =
      text::CharacterSets::Derive(" \xC2\xAB\xC2\xBB", ".", text::Encoding::Utf8);
  ConcordanceTable byOwn, byOther;
  for (ConcordanceTable* table : {&byOwn, &byOther}) {
    table->TextEncoding = text::Encoding::Utf8;
    table->ScanSets = own;
    addRow(*table, "x", "k",
           "\xC2\xAB"
           "zz\xC2\xBB"
           "aa");
    addRow(*table, "x", "k",
           "\xC2\xAB"
           "aa\xC2\xBB"
           "zz");
  }
  const SortOptions second{false, true, 2};
  ASSERT_TRUE(SortConcordance(byOwn, second, own, RootCollator(), host_.progress));
  ASSERT_TRUE(SortConcordance(byOther, second, defaultSets(), RootCollator(), host_.progress));
  EXPECT_EQ(rowNames(byOther), rowNames(byOwn));
  // Cut at the guillemets the second words are "aa" and "zz"; uncut, both
  // rows would tie and come out reversed.
  EXPECT_EQ(rowNames(byOwn), (std::vector<std::int64_t>{0, 1}));
  CopyOptions copy;
  copy.SaveWithDelimiters = copy.DelimAround = true;
  std::string withOwn, withOther;
  WriteRows(byOwn, 0, 1, copy, own, false, [&](std::string_view s) { withOwn += s; });
  WriteRows(byOwn, 0, 1, copy, defaultSets(), false, [&](std::string_view s) { withOther += s; });
  EXPECT_EQ(withOther, withOwn);
}

TEST_F(Utf8TableTest, EveryCopyLayoutWritesTheTwinsTextAsUtf8) {
  ConcordanceTable ansi, utf8;
  fill(ansi, false);
  fill(utf8, true);
  for (const CopyFormat format :
       {CopyFormat::OneParagraph, CopyFormat::EachParagraph, CopyFormat::Justify})
    for (const int around : {0, 1, 3}) {
      CopyOptions ansiCopy;
      ansiCopy.Format = format;
      ansiCopy.Width = "12";
      ansiCopy.IncludeSource = around == 1;
      if (around > 0) {
        ansiCopy.SaveWithDelimiters = true;
        ansiCopy.DelimAround = around > 1;
        ansiCopy.M = ansiCopy.N = around;
        ansiCopy.LeftDelimiter = "\xAB";
        ansiCopy.RightDelimiter = "\xBB";
      }
      CopyOptions utf8Copy = ansiCopy;
      utf8Copy.LeftDelimiter = text::ansiToUtf8(ansiCopy.LeftDelimiter);
      utf8Copy.RightDelimiter = text::ansiToUtf8(ansiCopy.RightDelimiter);
      std::string ansiText, utf8Text;
      WriteRows(ansi, 0, ansi.RowCount() - 1, ansiCopy, defaultSets(), false,
                [&](std::string_view s) { ansiText += s; });
      WriteRows(utf8, 0, utf8.RowCount() - 1, utf8Copy, utf8Sets(), false,
                [&](std::string_view s) { utf8Text += s; });
      EXPECT_EQ(utf8Text, text::ansiToUtf8(ansiText)) << static_cast<int>(format) << around;
    }
}

TEST_F(Utf8TableTest, DelimitedWordsOfLongContextsKeep255Characters) {
  std::string context;
  for (int i = 0; i < 130; ++i) context += "\xCE\xB1 ";  // 260 characters
  for (const Side side : {Side::Left, Side::Right}) {
    const std::string marked = DelimitWords(context, "\xC2\xA7", 2, side, utf8Sets());
    EXPECT_EQ(text::characterCount(marked, text::Encoding::Utf8), text::kMaxTextLength);
    EXPECT_EQ(text::decodeToUtf8(marked, text::Encoding::Utf8), marked);  // still valid
  }
}

TEST(Utf8Paste, PastedTextKeeps255CharactersOfAUtf8Table) {
  std::string pasted = "\t";
  for (int i = 0; i < 300; ++i) pasted += "\xC3\xA9";
  const std::string kept = PastedContext(pasted, text::Encoding::Utf8);
  EXPECT_EQ(text::characterCount(kept, text::Encoding::Utf8), text::kMaxTextLength - 1);
  EXPECT_EQ(kept.substr(0, 2), "\xC3\xA9");  // the tab became a blank, then trimmed
  EXPECT_EQ(PastedContext(pasted), PastedContext(pasted, text::Encoding::Windows1252));
}

}  // namespace
}  // namespace lexvane::concordance
