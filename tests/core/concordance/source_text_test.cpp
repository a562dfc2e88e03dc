// The source block around a hit, its text as a text field takes it, and the
// stripped source text.
#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "concordance/source_text.h"
#include "core/corpus/temp_folder.h"
#include "text/encoding.h"

namespace lexvane::concordance {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

// A file whose byte i is a letter that names i modulo 26.
std::string letters(std::size_t size) {
  std::string s(size, ' ');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>('a' + i % 26);
  return s;
}

TEST(ReadSourceBlock, HitNearTheStartReadsFromTheFirstByte) {
  TempFolder folder;
  const std::string bytes = letters(10'000);
  writeBytes(folder / "a.txt", bytes);
  auto block = ReadSourceBlock(folder / "a.txt", 100, false);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Text, bytes.substr(0, 4096));
  EXPECT_EQ(block->KeywordStart, 100);
  block = ReadSourceBlock(folder / "a.txt", 2048, false);
  EXPECT_EQ(block->Text, bytes.substr(0, 4096));
  EXPECT_EQ(block->KeywordStart, 2048);
}

TEST(ReadSourceBlock, HitFarIntoTheFileReadsFrom2048BytesBeforeIt) {
  TempFolder folder;
  const std::string bytes = letters(10'500);
  writeBytes(folder / "a.txt", bytes);
  auto block = ReadSourceBlock(folder / "a.txt", 10'000, false);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Text, bytes.substr(10'000 - 2048, 4096));
  EXPECT_EQ(block->KeywordStart, 2048);
  EXPECT_EQ(block->Text[2048], bytes[10'000]);
  // Near the end the block holds what is left of the file.
  block = ReadSourceBlock(folder / "a.txt", 10'490, false);
  EXPECT_EQ(block->Text, bytes.substr(10'490 - 2048));
}

// UTF-8 text counts the block in characters: a Latin text gives the block
// of its Windows-1252 twin, decoded; the byte-order mark stays out.
TEST(ReadSourceBlock, Utf8BlocksCountCharacters) {
  TempFolder folder;
  std::string ansi;
  for (std::size_t i = 0; i < 10'500; ++i)
    ansi += static_cast<char>(i % 7 == 0 ? 0xE9 : 'a' + i % 26);
  writeBytes(folder / "a.txt", ansi);
  writeBytes(folder / "u.txt",
             "\xEF\xBB\xBF" + text::decodeToUtf8(ansi, text::Encoding::Windows1252));
  const auto utf8Offset = [&](std::size_t at) {
    std::int64_t bytes = 3;
    for (std::size_t i = 0; i < at; ++i)
      bytes += static_cast<unsigned char>(ansi[i]) < 0x80 ? 1 : 2;
    return bytes;
  };
  for (const std::size_t at : {std::size_t{0}, std::size_t{100}, std::size_t{2048},
                               std::size_t{7000}, std::size_t{10'490}}) {
    const auto a = ReadSourceBlock(folder / "a.txt", static_cast<std::int64_t>(at), false);
    const auto u = ReadSourceBlock(folder / "u.txt", utf8Offset(at), text::Encoding::Utf8);
    ASSERT_TRUE(a && u);
    EXPECT_EQ(u->Text, text::decodeToUtf8(a->Text, text::Encoding::Windows1252)) << at;
    EXPECT_EQ(u->KeywordStart,
              static_cast<std::int64_t>(
                  text::decodeToUtf8(a->Text.substr(0, static_cast<std::size_t>(a->KeywordStart)),
                                     text::Encoding::Windows1252)
                      .size()))
        << at;
  }
}

TEST(ReadSourceBlock, MissingFileZeroByteAndDosText) {
  TempFolder folder;
  EXPECT_FALSE(ReadSourceBlock(folder / "missing.txt", 0, false));
  writeBytes(folder / "z.txt", std::string("abc\0def", 7));
  auto block = ReadSourceBlock(folder / "z.txt", 5, false);
  EXPECT_EQ(block->Text, "abc");
  EXPECT_EQ(block->KeywordStart, 5);  // beyond the shortened text
  // A file shorter than the read position gives an empty text.
  writeBytes(folder / "s.txt", "short");
  EXPECT_EQ(ReadSourceBlock(folder / "s.txt", 5000, false)->Text, "");
  // Code page 850: 0x82 is e acute, 0xE9 in Windows-1252.
  writeBytes(folder / "d.txt", "caf\x82");
  EXPECT_EQ(ReadSourceBlock(folder / "d.txt", 0, true)->Text, "caf\xE9");
  EXPECT_EQ(ReadSourceBlock(folder / "d.txt", 0, false)->Text, "caf\x82");
}

// A FIFO without a writer used to block the open, and with it the window
// that asked, for good.
TEST(ReadSourceBlock, NoBlockFromAFolderOrAFifoAndNoWait) {
  TempFolder folder;
  EXPECT_FALSE(ReadSourceBlock(folder.path().string(), 0, false));
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadSourceBlock(fifo, 0, false));
}

TEST(FieldText, LineBreaksBecomeOneCharacterAndThePositionFollows) {
  std::int64_t position = 12;  // the 'k' of "keyword"
  EXPECT_EQ(FieldText("one\r\ntwo\r\n\rkeyword\n", position), "one\ntwo\n\nkeyword\n");
  EXPECT_EQ(position, 10);
  position = 3;  // at the CR itself
  EXPECT_EQ(FieldText("one\r\ntwo", position), "one\ntwo");
  EXPECT_EQ(position, 3);
}

TEST(StripSourceText, StripsTagsOfEveryLineWithoutCuttingIt) {
  EXPECT_EQ(StripSourceText("<DT>the <NN>house\n\n<VB>stands here."), "the house\n\nstands here.");
  // A text without angle brackets takes one pass and stays as it was.
  EXPECT_EQ(StripSourceText("plain text\nsecond line"), "plain text\nsecond line");
  std::string longLine;
  for (int i = 0; i < 100; ++i) longLine += "<NN>word ";
  std::string expected;
  for (int i = 0; i < 100; ++i) expected += "word ";
  EXPECT_EQ(StripSourceText(longLine), expected);
}

TEST(StripSourceText, NestedTagsTakeMorePassesAndHopelessBracketsEndThem) {
  EXPECT_EQ(StripSourceText("<A><B>word"), "word");
  // A lone '>' before a lone '<' between blanks cannot be removed.
  EXPECT_EQ(StripSourceText("a > b < c"), "a > b < c");
}

}  // namespace
}  // namespace lexvane::concordance
