// The escaping rules of CSV and TSV fields and the text of each kind of cell.
#include <gtest/gtest.h>

#include "table_export/cell_text.h"
#include "table_export/delimited_writer.h"

namespace lexvane::table_export {
namespace {

std::string csv(std::string_view field) {
  std::string out;
  AppendCsvField(out, field);
  return out;
}

std::string tsv(std::string_view field) {
  std::string out;
  AppendTsvField(out, field);
  return out;
}

TEST(CsvFieldTest, QuotesOnlyFieldsHoldingADelimiterAQuoteOrALineBreak) {
  EXPECT_EQ(csv("the quick brown fox"), "the quick brown fox");
  EXPECT_EQ(csv(""), "");
  EXPECT_EQ(csv("  blanks at both ends  "), "  blanks at both ends  ");
  EXPECT_EQ(csv("semi;colon and 'single' quotes"), "semi;colon and 'single' quotes");
  EXPECT_EQ(csv("one, two"), "\"one, two\"");
  EXPECT_EQ(csv("line\r\nbreak"), "\"line\r\nbreak\"");
  EXPECT_EQ(csv("bare\rreturn"), "\"bare\rreturn\"");
  EXPECT_EQ(csv("bare\nfeed"), "\"bare\nfeed\"");
  EXPECT_EQ(csv("tab\tinside"), "tab\tinside");
}

TEST(CsvFieldTest, DoublesEveryQuoteInsideAQuotedField) {
  EXPECT_EQ(csv("he said \"stop\""), "\"he said \"\"stop\"\"\"");
  EXPECT_EQ(csv("\""), "\"\"\"\"");
  EXPECT_EQ(csv("\"\","), "\"\"\"\"\",\"");
}

TEST(TsvFieldTest, EscapesBackslashTabAndLineBreaksAndNothingElse) {
  EXPECT_EQ(tsv("plain text, with \"quotes\""), "plain text, with \"quotes\"");
  EXPECT_EQ(tsv("a\tb"), "a\\tb");
  EXPECT_EQ(tsv("line\r\nbreak"), "line\\r\\nbreak");
  EXPECT_EQ(tsv("C:\\corpus\\file.txt"), "C:\\\\corpus\\\\file.txt");
  // A backslash before a letter that names an escape stays apart from it.
  EXPECT_EQ(tsv("\\t is not a tab"), "\\\\t is not a tab");
  EXPECT_EQ(tsv(""), "");
}

TEST(CellTextTest, ConvertsCorpusTextToUtf8AndKeepsUtf8Text) {
  Cell text{CellKind::Text,
            "Gr\xFC\xDF"
            "e aus K\xF6ln \x80 5"};
  EXPECT_EQ(CellText(text, text::Encoding::Windows1252), "Grüße aus Köln € 5");
  // DOS text is Windows-1252 once read.
  EXPECT_EQ(CellText(text, text::Encoding::Dos850), "Grüße aus Köln € 5");
  Cell utf8Text{CellKind::Text, "Грамматика"};
  EXPECT_EQ(CellText(utf8Text, text::Encoding::Utf8), "Грамматика");
  Cell broken{CellKind::Text, "bad \xC3 byte"};
  EXPECT_EQ(CellText(broken, text::Encoding::Utf8), "bad \xEF\xBF\xBD byte");
  // A path is UTF-8 whatever the corpus's encoding.
  Cell path{CellKind::Utf8, "/corpus/Märchen.txt"};
  EXPECT_EQ(CellText(path, text::Encoding::Windows1252), "/corpus/Märchen.txt");
}

TEST(CellTextTest, WritesNumbersWithFixedDecimalsAndAPoint) {
  RowCells cells;
  cells.Integer(-1234567);
  EXPECT_EQ(CellText(cells[0], text::Encoding::Utf8), "-1234567");
  cells.Clear();
  cells.Decimal(12.5, 3);
  cells.Decimal(100.0, 2);
  cells.Decimal(2.0 / 3.0, 2);
  cells.Decimal(0.125, 2);  // rounds as printf does: to even on an exact tie
  EXPECT_EQ(CellText(cells[0], text::Encoding::Utf8), "12.500");
  EXPECT_EQ(CellText(cells[1], text::Encoding::Utf8), "100.00");
  EXPECT_EQ(CellText(cells[2], text::Encoding::Utf8), "0.67");
  EXPECT_EQ(CellText(cells[3], text::Encoding::Utf8), "0.12");
  EXPECT_DOUBLE_EQ(WrittenDecimal(cells[2]), 0.67);
  EXPECT_EQ(FormatDecimal(1.0 / 0.0, 2), "inf");
  EXPECT_EQ(FormatDecimal(-1.0 / 0.0, 2), "-inf");
}

TEST(RecordTest, JoinsEscapedFieldsWithTheFormatsDelimiter) {
  RowCells cells;
  cells.Text("a, \"b\"\tc");
  cells.Integer(7);
  cells.Empty();
  cells.Decimal(0.5, 1);
  std::string csvRecord, tsvRecord;
  AppendRecord(csvRecord, cells, Format::Csv, text::Encoding::Windows1252);
  AppendRecord(tsvRecord, cells, Format::Tsv, text::Encoding::Windows1252);
  EXPECT_EQ(csvRecord, "\"a, \"\"b\"\"\tc\",7,,0.5");
  EXPECT_EQ(tsvRecord, "a, \"b\"\\tc\t7\t\t0.5");
}

}  // namespace
}  // namespace lexvane::table_export
