#include "table_export/cell_text.h"

#include <charconv>
#include <cmath>

namespace lexvane::table_export {

void AppendCellText(std::string& out, const Cell& cell, text::Encoding encoding) {
  switch (cell.Kind) {
    case CellKind::Empty:
      return;
    case CellKind::Text:
      out += text::decodeToUtf8(cell.Chars, encoding);
      return;
    case CellKind::Utf8:
      out += text::decodeToUtf8(cell.Chars, text::Encoding::Utf8);
      return;
    case CellKind::Integer: {
      char buffer[24];
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, cell.Integer);
      out.append(buffer, end);
      return;
    }
    case CellKind::Decimal:
      out += FormatDecimal(cell.Value, cell.Decimals);
      return;
  }
}

std::string CellText(const Cell& cell, text::Encoding encoding) {
  std::string text;
  AppendCellText(text, cell, encoding);
  return text;
}

std::string FormatDecimal(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // to_chars rounds exactly as printf's "%.*f" does.
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

double WrittenDecimal(const Cell& cell) {
  if (!std::isfinite(cell.Value)) return cell.Value;
  const std::string text = FormatDecimal(cell.Value, cell.Decimals);
  double value = cell.Value;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void AppendCsvField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendTsvField(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
}

}  // namespace lexvane::table_export
