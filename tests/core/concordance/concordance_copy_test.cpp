// Copy and export of concordance rows: word marks, the three layouts, the
// clipboard limit and the file written in pieces.
#include <gtest/gtest.h>

#include "concordance/concordance_copy.h"
#include "core/concordance/scripted_host.h"
#include "core/concordance/table_fixture.h"
#include "core/corpus/temp_folder.h"
#include "text/error.h"

namespace lexvane::concordance {
namespace {

using testing::addRow;
using testing::defaultSets;

TEST(DelimitWords, MarksTheWordsNearestTheKeyword) {
  const text::CharacterSets& sets = defaultSets();
  EXPECT_EQ(DelimitWords("the quick brown fox", '|', 2, Side::Left, sets),
            "the quick | brown | fox");
  EXPECT_EQ(DelimitWords("over the lazy dog.", '|', 2, Side::Right, sets),
            "over | the | lazy dog.");
  EXPECT_EQ(DelimitWords("fox", '|', 2, Side::Left, sets), " | |fox");
  EXPECT_EQ(DelimitWords("dog.", '|', 2, Side::Right, sets), "dog.| | ");
  EXPECT_EQ(DelimitWords("", '|', 1, Side::Right, sets), "| ");
  EXPECT_EQ(DelimitWords("over the", '|', 0, Side::Right, sets), "over the");
  // Room for the marks is made at the far end of the context.
  const std::string left = DelimitWords(std::string(254, 'a') + " b", '<', 1, Side::Left, sets);
  EXPECT_EQ(left.size(), 255u);
  EXPECT_TRUE(left.ends_with("a < b"));
  const std::string right = DelimitWords("b " + std::string(254, 'a'), '>', 1, Side::Right, sets);
  EXPECT_EQ(right.size(), 255u);
  EXPECT_TRUE(right.starts_with("b > a"));
  // More marks than fit in 255 characters take the whole context, not a crash.
  EXPECT_EQ(DelimitWords("a b", '|', 130, Side::Left, sets).size(), 260u);
  EXPECT_EQ(DelimitWords("a b", '|', 130, Side::Right, sets).size(), 260u);
}

class CopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addRow(table_, "the quick brown fox", "jumps", "over the lazy dog.", "a.txt");
    addRow(table_, "", "Hi", "there.", "b.txt");
  }
  std::string copy(const CopyOptions& options) {
    std::string text;
    WriteRows(table_, 0, table_.RowCount() - 1, options, defaultSets(), false,
              [&text](std::string_view s) { text += s; });
    return text;
  }
  ConcordanceTable table_;
};

TEST_F(CopyTest, TheThreeLayouts) {
  CopyOptions options;
  EXPECT_EQ(copy(options), "the quick brown fox jumps over the lazy dog. \r\n Hi there. \r\n");
  options.Format = CopyFormat::OneParagraph;
  EXPECT_EQ(copy(options), "the quick brown fox jumps over the lazy dog.  Hi there. ");
  options.Format = CopyFormat::Justify;
  options.Width = "10";
  options.IncludeSource = true;
  EXPECT_EQ(copy(options),
            " brown fox jumps over the l [a.txt] \r\n"
            "           Hi there.     [b.txt] \r\n");
}

TEST_F(CopyTest, KeywordAndWordMarks) {
  CopyOptions options;
  options.SaveWithDelimiters = true;
  EXPECT_EQ(copy(options).substr(0, 51), "the quick brown fox | jumps | over the lazy dog. \r\n");
  options.DelimAround = true;
  EXPECT_EQ(copy(options),
            "the quick brown | fox | jumps | over | the lazy dog. \r\n"
            " | | Hi | there.|  \r\n");
  options.M = 0;
  options.LeftDelimiter = "";
  options.RightDelimiter = "]";
  EXPECT_EQ(copy(options).substr(0, 55),
            "the quick brown fox  jumps ] over ] the lazy dog. \r\n  H");
}

TEST_F(CopyTest, WidthIsKeptBetweenOneAnd254) {
  CopyOptions options;
  options.Width = "0";
  EXPECT_EQ(CopyWidth(options), 1);
  options.Width = "300";
  EXPECT_EQ(CopyWidth(options), 254);
  options.Width = "wide";
  EXPECT_THROW(CopyWidth(options), text::Error);
}

TEST(CopyEstimate, ClipboardTakesAtMost65530) {
  ConcordanceTable table;
  const std::string context(255, 'c');
  for (int i = 0; i < 123; ++i) addRow(table, context, "walks", context, "a.txt");  // 529 each
  addRow(table, std::string(222, 'c'), "walks", std::string(222, 'c'), "a.txt");    // 463
  CopyOptions options;
  EXPECT_EQ(CopyEstimate(table, 0, 123, options, 40), 65530);
  testing::RecordingUi ui;
  std::string text;
  EXPECT_TRUE(CopyRowsToText(table, 0, 123, options, defaultSets(), ui, text));
  EXPECT_EQ(text.size(), 123u * (255 + 5 + 255 + 5) + (222 + 5 + 222 + 5));
  table.Keywords().Put(123, "walked");
  text = "old";
  EXPECT_FALSE(CopyRowsToText(table, 0, 123, options, defaultSets(), ui, text));
  EXPECT_EQ(text, "old");
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"Error: Selection is too large (64 kB). Use \"Save to "
                                     "file\" option for selections larger than 64 kB."});
  EXPECT_EQ(SelectionTooLargeMessage(70000).substr(0, 29), "Selection is too large (69 kB");
  options.Format = CopyFormat::Justify;
  options.SaveWithDelimiters = true;
  options.DelimAround = true;
  options.M = 3;
  options.N = 2;
  EXPECT_EQ(CopyEstimate(table, 0, 0, options, 40), 5 + 82 + 5 + 9 + 2 + 5);
}

TEST(CopyToFile, WrittenInPiecesOfMoreThan8191Characters) {
  ConcordanceTable table;
  for (int i = 0; i < 100; ++i) addRow(table, std::string(200, 'l'), "k", std::string(200, 'r'));
  CopyOptions options;
  std::vector<std::size_t> pieces;
  std::string whole;
  WriteRows(table, 0, 99, options, defaultSets(), true, [&](std::string_view s) {
    pieces.push_back(s.size());
    whole += s;
  });
  const std::size_t row = 200 + 1 + 1 + 1 + 200 + 1 + 2;  // 406
  EXPECT_EQ(pieces, (std::vector<std::size_t>{21 * row, 21 * row, 21 * row, 21 * row, 16 * row}));
  corpus::testing::TempFolder folder;
  testing::RecordingUi ui;
  ASSERT_TRUE(CopyRowsToFile(table, 0, 99, options, defaultSets(), folder / "out.txt", ui));
  EXPECT_EQ(corpus::testing::readBytes(folder / "out.txt"), whole);
  EXPECT_FALSE(
      CopyRowsToFile(table, 0, 99, options, defaultSets(), folder / "no/such/out.txt", ui));
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"Error: Cannot create file " + (folder / "no/such/out.txt")});
}

}  // namespace
}  // namespace lexvane::concordance
