// Tables written as CSV, TSV and workbooks and read back by Python's csv
// module and an XLSX reader made of zipfile and ElementTree: every field
// comes back as it was, numbers as numbers.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/corpus/temp_folder.h"
#include "table_export/delimited_writer.h"
#include "table_export/export_file.h"
#include "table_export/xlsx_writer.h"
#include "text/error.h"
#include "tools/read_back.h"

namespace lexvane::table_export {
namespace {

using corpus::testing::TempFolder;
using lexvane::testing::ReadTable;

// A small concordance-like table whose fields hold everything a delimited
// file must escape, in Windows-1252 text.
FunctionTable trickyTable(text::Encoding encoding, std::vector<std::string> keywords) {
  auto rows = std::make_shared<std::vector<std::string>>(std::move(keywords));
  return FunctionTable(
      "Concordance",
      {{"Left context", Alignment::Right}, {"Keyword", Alignment::Centre}, {"Offset"}, {"F %"}},
      encoding, static_cast<std::int64_t>(rows->size()), [rows](std::int64_t row, RowCells& cells) {
        cells.Text("said the farmer, \"and then\"");
        cells.Text((*rows)[row]);
        cells.Integer(1000 * row + 17);
        cells.Decimal(100.0 * (row + 1) / 3.0, 3);
      });
}

const std::vector<std::string> kLatin1Keywords = {
    "caf\xE9, cr\xE8me", "tab\there",     "line\r\nbreak", "quote \"it\"",
    "back\\slash\\n",    "_x0041_ stays", "=SUM(A1:A2)",   ""};
// The same keywords as the reader sees them, JSON-escaped.
const std::vector<std::string> kJsonKeywords = {
    "\"café, crème\"",        "\"tab\\there\"",    "\"line\\r\\nbreak\"", "\"quote \\\"it\\\"\"",
    "\"back\\\\slash\\\\n\"", "\"_x0041_ stays\"", "\"=SUM(A1:A2)\"",     "\"\""};
// As numbers: a whole number reads as an integer.
const std::vector<std::string> kPercents = {"33.333",  "66.667", "100",     "133.333",
                                            "166.667", "200",    "233.333", "266.667"};

std::string expectedRow(std::size_t row, bool numbers) {
  const std::string offset = std::to_string(1000 * row + 17);
  const std::string percent = numbers ? kPercents[row] : '"' + [&] {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(3);
    text << 100.0 * (row + 1) / 3.0;
    return text.str();
  }() + '"';
  return "[\"said the farmer, \\\"and then\\\"\", " + kJsonKeywords[row] + ", " +
         (numbers ? offset : '"' + offset + '"') + ", " + percent + "]";
}

void writeAll(const std::string& path, const Table& table, Format format, bool bom) {
  std::ofstream out(path, std::ios::binary);
  text::SilentProgressIndicator progress;
  ASSERT_TRUE(WriteDelimited(
      table, format, bom, [&out](std::string_view bytes) { out.write(bytes.data(), bytes.size()); },
      progress));
}

TEST(ExportReadBackTest, CsvAndTsvReadBackFieldForField) {
  TempFolder folder;
  const FunctionTable table = trickyTable(text::Encoding::Windows1252, kLatin1Keywords);
  for (Format format : {Format::Csv, Format::Tsv}) {
    for (bool bom : {false, true}) {
      SCOPED_TRACE(std::string(FormatName(format)) + (bom ? " with BOM" : ""));
      const std::string path = folder / ("table" + std::string(Extension(format)));
      writeAll(path, table, format, bom);
      const auto back = ReadTable(std::string(FormatName(format)), path);
      ASSERT_EQ(back.status, 0);
      ASSERT_EQ(back.lines.size(), kLatin1Keywords.size() + 2);
      EXPECT_EQ(back.lines[0], bom ? "bom 1" : "bom 0");
      EXPECT_EQ(back.lines[1], "[\"Left context\", \"Keyword\", \"Offset\", \"F %\"]");
      for (std::size_t row = 0; row < kLatin1Keywords.size(); ++row)
        EXPECT_EQ(back.lines[row + 2], expectedRow(row, false)) << "row " << row;
    }
  }
}

TEST(ExportReadBackTest, EveryRecordEndsWithCrLfAndTsvRecordsAreSingleLines) {
  TempFolder folder;
  const FunctionTable table = trickyTable(text::Encoding::Windows1252, kLatin1Keywords);
  const std::string path = folder / "table.tsv";
  writeAll(path, table, Format::Tsv, false);
  const std::string bytes = corpus::testing::readBytes(path);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++lines;
      ASSERT_GT(i, 0u);
      EXPECT_EQ(bytes[i - 1], '\r');
    } else if (bytes[i] == '\r') {
      ASSERT_LT(i + 1, bytes.size());
      EXPECT_EQ(bytes[i + 1], '\n');
    }
  }
  EXPECT_EQ(lines, kLatin1Keywords.size() + 1);
  EXPECT_TRUE(bytes.ends_with("\r\n"));
}

TEST(ExportReadBackTest, WorkbookHoldsTextAsTextAndNumbersAsNumbers) {
  TempFolder folder;
  const FunctionTable table = trickyTable(text::Encoding::Windows1252, kLatin1Keywords);
  const std::string path = folder / "table.xlsx";
  text::SilentProgressIndicator progress;
  ASSERT_TRUE(WriteXlsx(table, path, path, progress));
  const auto back = ReadTable("xlsx", path);
  ASSERT_EQ(back.status, 0);
  ASSERT_EQ(back.lines.size(), kLatin1Keywords.size() + 2);
  EXPECT_TRUE(back.lines[0].starts_with("sheet \"Concordance\" frozen 1 widths ["))
      << back.lines[0];
  EXPECT_EQ(back.lines[1], "[\"Left context\", \"Keyword\", \"Offset\", \"F %\"]");
  for (std::size_t row = 0; row < kLatin1Keywords.size(); ++row) {
    // An empty text is no cell at all, which the reader gives as "".
    EXPECT_EQ(back.lines[row + 2], expectedRow(row, true)) << "row " << row;
  }
}

TEST(ExportReadBackTest, WorkbookColumnsFitTheirLongestEntryUpToALimit) {
  TempFolder folder;
  const std::string longContext(300, 'w');
  FunctionTable table("Widths", {{"Word"}, {"Long context"}, {"F"}}, text::Encoding::Utf8, 2,
                      [&](std::int64_t row, RowCells& cells) {
                        cells.Text(row == 0 ? "Ελληνικά" : "a");
                        cells.Text(longContext);
                        cells.Integer(row == 0 ? 5 : 1234567);
                      });
  const std::string path = folder / "widths.xlsx";
  text::SilentProgressIndicator progress;
  ASSERT_TRUE(WriteXlsx(table, path, path, progress));
  const auto back = ReadTable("xlsx", path);
  ASSERT_EQ(back.status, 0);
  // The longest entry and one character more (the library adds its padding):
  // eight Greek letters against "Word" + 2 for the bold heading; the context
  // held at 60; seven digits.
  EXPECT_NE(back.lines[0].find("widths [9.7109375, 60.7109375, 8.7109375]"), std::string::npos)
      << back.lines[0];
}

TEST(ExportReadBackTest, ALongTableGoesOnInFurtherSheetsEachWithItsHeading) {
  TempFolder folder;
  FunctionTable table("Word frequency", {{"Word"}, {"F"}}, text::Encoding::Utf8, 7,
                      [](std::int64_t row, RowCells& cells) {
                        cells.Text("wörd" + std::to_string(row));
                        cells.Integer(row);
                      });
  const std::string path = folder / "long.xlsx";
  text::SilentProgressIndicator progress;
  ASSERT_TRUE(WriteXlsx(table, path, path, progress, 3));
  const auto back = ReadTable("xlsx", path);
  ASSERT_EQ(back.status, 0);
  const std::vector<std::string> expected = {"sheet \"Word frequency\"",
                                             "[\"Word\", \"F\"]",
                                             "[\"wörd0\", 0]",
                                             "[\"wörd1\", 1]",
                                             "[\"wörd2\", 2]",
                                             "sheet \"Word frequency 2\"",
                                             "[\"Word\", \"F\"]",
                                             "[\"wörd3\", 3]",
                                             "[\"wörd4\", 4]",
                                             "[\"wörd5\", 5]",
                                             "sheet \"Word frequency 3\"",
                                             "[\"Word\", \"F\"]",
                                             "[\"wörd6\", 6]"};
  ASSERT_EQ(back.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(back.lines[i].starts_with(expected[i])) << back.lines[i];
}

TEST(ExportReadBackTest, Utf8TextKeepsItsCharactersAndAnInvalidByteBecomesOneReplacement) {
  TempFolder folder;
  FunctionTable table("Κείμενο", {{"Context"}}, text::Encoding::Utf8, 2,
                      [](std::int64_t row, RowCells& cells) {
                        cells.Text(row == 0 ? "Η γρήγορη καφέ αλεπού, «πηδάει»" : "cut \xC3");
                      });
  for (Format format : {Format::Csv, Format::Tsv, Format::Xlsx}) {
    SCOPED_TRACE(FormatName(format));
    const std::string path = folder / ("greek" + std::string(Extension(format)));
    text::SilentSearchIndicator search;
    text::SilentProgressIndicator progress;
    struct NoUi : text::UserInterface {
      text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
        ADD_FAILURE() << "unexpected message";
        return text::Answer::Ok;
      }
    } ui;
    text::OperationHost host{ui, search, progress};
    ASSERT_EQ(ExportToFile(table, {format}, path, host), Outcome::Written);
    const auto back = ReadTable(std::string(FormatName(format)), path);
    ASSERT_EQ(back.status, 0);
    ASSERT_EQ(back.lines.size(), 4u);
    if (format == Format::Xlsx) {
      EXPECT_TRUE(back.lines[0].starts_with("sheet \"Κείμενο\"")) << back.lines[0];
    }
    EXPECT_EQ(back.lines[2], "[\"Η γρήγορη καφέ αλεπού, «πηδάει»\"]");
    EXPECT_EQ(back.lines[3], "[\"cut \uFFFD\"]");
  }
}

}  // namespace
}  // namespace lexvane::table_export
