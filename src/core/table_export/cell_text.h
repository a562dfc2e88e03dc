// The text of a cell as every export writes it, and the escaping rules of the
// two delimited formats. One definition for the CSV and TSV writers, the
// workbook writer's text cells and the tests.
#pragma once

#include <string>
#include <string_view>

#include "table_export/table.h"
#include "text/encoding.h"

namespace lexvane::table_export {

// Appends the UTF-8 text of `cell`: Text decoded from `encoding` by the
// program's one conversion (text::decodeToUtf8: Windows-1252 and DOS text
// become UTF-8, an invalid UTF-8 byte U+FFFD), Utf8 with invalid bytes as
// U+FFFD, Integer in decimal digits, Decimal with its fixed decimals and a
// point ("12.500", whatever the locale), Empty nothing.
void AppendCellText(std::string& out, const Cell& cell, text::Encoding encoding);
std::string CellText(const Cell& cell, text::Encoding encoding);

// `value` with `decimals` fixed decimals, rounded as printf's "%.*f" rounds.
// Infinities and NaN read "inf", "-inf" and "nan".
std::string FormatDecimal(double value, int decimals);
// The value the text of a Decimal cell stands for (12.4996 with 3 decimals:
// 12.5), so that a workbook holds exactly the number the text shows.
double WrittenDecimal(const Cell& cell);

// CSV (RFC 4180): a field holding a comma, a double quote, a carriage return
// or a line feed is put in double quotes, with each double quote inside
// doubled; any other field is written as it stands.
void AppendCsvField(std::string& out, std::string_view field);

// TSV: a field is written as it stands except four characters, which become
// two-character escapes: backslash "\\", tab "\t", line feed "\n",
// carriage return "\r". So a record is one line and a field never holds a
// tab; decoding the four escapes gives the field back. Quotes are ordinary
// characters.
void AppendTsvField(std::string& out, std::string_view field);

}  // namespace lexvane::table_export
