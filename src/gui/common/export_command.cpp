#include "gui/common/export_command.h"

#include <iterator>

#include <QFileDialog>

#include "gui/base/text_codec.h"
#include "gui/common/window_host.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"
#include "table_export/export_file.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 130;

struct Filter {
  const char* caption;
  table_export::Format format;
  bool byteOrderMark;
};

constexpr Filter kFilters[] = {
    {"CSV (*.csv)", table_export::Format::Csv, false},
    {"CSV with byte-order mark, for Excel on Windows (*.csv)", table_export::Format::Csv, true},
    {"TSV (*.tsv)", table_export::Format::Tsv, false},
    {"TSV with byte-order mark (*.tsv)", table_export::Format::Tsv, true},
    {"Excel workbook (*.xlsx)", table_export::Format::Xlsx, false},
};
constexpr int kFilterCount = static_cast<int>(std::size(kFilters));

QString suffixOf(int filter) {
  return QString::fromLatin1(table_export::Extension(kFilters[filter].format).substr(1));
}

// `lastFilter` is the filter chosen last in the run, offered first.
std::optional<ExportTarget> chooseExportFile(QWidget* parent, const QString& suggestedName,
                                             int& lastFilter) {
  QFileDialog dialog(parent, QStringLiteral("Export table"));
  dialog.setObjectName(QStringLiteral("ExportDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = ExportFilters();
  dialog.setNameFilters(filters);
  int filter = lastFilter;
  dialog.selectNameFilter(filters[filter]);
  // A name typed without an extension gets the one of the chosen format.
  dialog.setDefaultSuffix(suffixOf(filter));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, filters](const QString& selected) {
                     const int index = static_cast<int>(filters.indexOf(selected));
                     if (index >= 0) dialog.setDefaultSuffix(suffixOf(index));
                   });
  dialog.selectFile(suggestedName + QLatin1Char('.') + suffixOf(filter));
  SetHelpContext(&dialog, kHelpContext);
  SetModalBesideHelp(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  if (filter < 0) filter = 0;
  lastFilter = filter;
  return ExportTarget{dialog.selectedFiles().first(), ExportFilterOptions(filter)};
}

}  // namespace

QStringList ExportFilters() {
  QStringList filters;
  for (const Filter& filter : kFilters) filters << QString::fromLatin1(filter.caption);
  return filters;
}

table_export::ExportOptions ExportFilterOptions(int filter) {
  const Filter& chosen = kFilters[filter >= 0 && filter < kFilterCount ? filter : 0];
  table_export::ExportOptions options;
  options.Format = chosen.format;
  options.ByteOrderMark = chosen.byteOrderMark;
  return options;
}

bool RunTableExport(WindowHost& workspace, QWidget* window, const QString& suggestedName,
                    ExportTableMaker makeTable) {
  if (workspace.Runner().busy()) return false;
  const FileChoosers& choosers = workspace.Choosers();
  const std::optional<ExportTarget> target =
      choosers.Export ? choosers.Export(window, suggestedName)
                      : chooseExportFile(window, suggestedName, workspace.LastExportFilter);
  if (!target) return false;
  return workspace.Runner().start(
      [makeTable = std::move(makeTable), options = target->options,
       path = ToPath(target->path)](text::OperationHost& host) {
        const std::unique_ptr<table_export::Table> table = makeTable();
        table_export::ExportToFile(*table, options, path, host);
      },
      {}, window);
}

}  // namespace lexvane::gui
