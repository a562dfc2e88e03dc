#include "table_export/xlsx_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "table_export/cell_text.h"
#include "table_export/row_pass.h"
#include "text/error.h"

namespace lexvane::table_export {

namespace {

constexpr std::size_t kMaxSheetName = 31;
// Longer text does not fit a workbook cell.
constexpr std::size_t kMaxCellCharacters = 32767;

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The formats of one workbook, made on first use.
class Formats {
 public:
  explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

  lxw_format* Heading(Alignment align) {
    lxw_format*& format = headings_[align];
    if (format == nullptr) {
      format = workbook_add_format(workbook_);
      format_set_bold(format);
      setAlign(format, align);
    }
    return format;
  }
  // Text cells of a column aligned by `align` (null: the default).
  lxw_format* Text(Alignment align) {
    if (align == Alignment::Auto || align == Alignment::Left) return nullptr;
    lxw_format*& format = texts_[align];
    if (format == nullptr) {
      format = workbook_add_format(workbook_);
      setAlign(format, align);
    }
    return format;
  }
  // Numbers shown with `decimals` decimals ("0.000").
  lxw_format* Decimal(int decimals) {
    lxw_format*& format = decimals_[decimals];
    if (format == nullptr) {
      format = workbook_add_format(workbook_);
      const std::string pattern = decimals == 0 ? "0" : "0." + std::string(decimals, '0');
      format_set_num_format(format, pattern.c_str());
    }
    return format;
  }

 private:
  static void setAlign(lxw_format* format, Alignment align) {
    if (align == Alignment::Centre) format_set_align(format, LXW_ALIGN_CENTER);
    if (align == Alignment::Right) format_set_align(format, LXW_ALIGN_RIGHT);
  }
  lxw_workbook* workbook_;
  std::map<Alignment, lxw_format*> headings_, texts_;
  std::map<int, lxw_format*> decimals_;
};

struct WorkbookDeleter {
  void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};

void check(lxw_error error, const std::string& displayPath) {
  if (error != LXW_NO_ERROR)
    throw text::Error("Unable to write to " + displayPath + ": " + lxw_strerror(error));
}

}  // namespace

std::string SheetName(const std::string& name, int sheet) {
  std::string clean;
  for (char c : name)
    clean += std::string_view("[]:*?/\\").find(c) == std::string_view::npos ? c : '_';
  if (clean.empty()) clean = "Table";
  const std::string number = sheet > 1 ? " " + std::to_string(sheet) : std::string();
  clean = text::keepFirst(clean, kMaxSheetName - number.size(), text::Encoding::Utf8);
  return clean + number;
}

std::size_t DisplayWidth(std::string_view utf8) {
  return text::characterCount(utf8, text::Encoding::Utf8);
}

std::string WorkbookText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '_' && i + 6 < utf8.size() && utf8[i + 1] == 'x' && isHex(utf8[i + 2]) &&
        isHex(utf8[i + 3]) && isHex(utf8[i + 4]) && isHex(utf8[i + 5]) && utf8[i + 6] == '_') {
      out += "_x005F_";
      continue;
    }
    if (c == '\xEF' && i + 2 < utf8.size() && utf8[i + 1] == '\xBF' &&
        (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
      out += "\xEF\xBF\xBD";
      i += 2;
      continue;
    }
    out += c;
  }
  return out;
}

bool WriteXlsx(const Table& table, const std::string& path, const std::string& displayPath,
               text::ProgressIndicator& progress, std::int64_t sheetDataRows) {
  // Rows go straight to the file as they are written, so a table of any
  // length needs little memory.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.use_zip64 = table.RowCount() > sheetDataRows ? LXW_TRUE : LXW_FALSE;
  std::unique_ptr<lxw_workbook, WorkbookDeleter> workbook(workbook_new_opt(path.c_str(), &options));
  if (!workbook) throw text::Error("Cannot create file " + displayPath);
  Formats formats(workbook.get());

  const std::vector<Column> columns = table.Columns();
  const text::Encoding encoding = table.TextEncoding();
  std::vector<std::size_t> widths(columns.size(), 0);
  std::vector<lxw_worksheet*> sheets;
  RowCells headings;
  std::string chars;

  auto addSheet = [&] {
    const std::string name = SheetName(table.Name(), static_cast<int>(sheets.size()) + 1);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), name.c_str());
    if (sheet == nullptr) throw text::Error("Unable to write to " + displayPath);
    worksheet_freeze_panes(sheet, 1, 0);
    for (std::size_t c = 0; c < headings.Size(); ++c)
      check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                   WorkbookText(CellText(headings[c], encoding)).c_str(),
                                   formats.Heading(columns[c].Align)),
            displayPath);
    sheets.push_back(sheet);
  };
  auto writeText = [&](lxw_worksheet* sheet, lxw_row_t r, lxw_col_t c, const Cell& cell,
                       lxw_format* format) {
    chars.clear();
    AppendCellText(chars, cell, encoding);
    if (DisplayWidth(chars) > kMaxCellCharacters)
      chars = text::keepFirst(chars, kMaxCellCharacters, text::Encoding::Utf8);
    widths[c] = std::max(widths[c], DisplayWidth(chars));
    check(worksheet_write_string(sheet, r, c, WorkbookText(chars).c_str(), format), displayPath);
  };

  const bool complete = PassRows(table, progress, [&](std::int64_t row, const RowCells& cells) {
    if (row < 0) {
      headings = cells;
      for (std::size_t c = 0; c < cells.Size(); ++c)
        widths[c] = DisplayWidth(cells[c].Chars) + 2;  // bold, with the filter arrow's room
      addSheet();
      return;
    }
    if (row > 0 && row % sheetDataRows == 0) addSheet();
    lxw_worksheet* sheet = sheets.back();
    const auto r = static_cast<lxw_row_t>(row % sheetDataRows + 1);
    for (std::size_t i = 0; i < cells.Size(); ++i) {
      const auto c = static_cast<lxw_col_t>(i);
      const Cell& cell = cells[i];
      switch (cell.Kind) {
        case CellKind::Empty:
          break;
        case CellKind::Integer:
          widths[c] = std::max(widths[c], CellText(cell, encoding).size());
          check(worksheet_write_number(sheet, r, c, static_cast<double>(cell.Integer), nullptr),
                displayPath);
          break;
        case CellKind::Decimal:
          if (!std::isfinite(cell.Value)) {
            writeText(sheet, r, c, cell, formats.Text(Alignment::Right));
            break;
          }
          widths[c] = std::max(widths[c], CellText(cell, encoding).size());
          check(worksheet_write_number(sheet, r, c, WrittenDecimal(cell),
                                       formats.Decimal(cell.Decimals)),
                displayPath);
          break;
        default:
          writeText(sheet, r, c, cell, formats.Text(columns[i].Align));
      }
    }
  });
  if (!complete) return false;
  for (lxw_worksheet* sheet : sheets)
    for (std::size_t c = 0; c < widths.size(); ++c)
      worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                           std::min(kMaxColumnWidth, static_cast<double>(widths[c]) + 1), nullptr);
  check(workbook_close(workbook.release()), displayPath);
  return true;
}

}  // namespace lexvane::table_export
