// FileChoosers: the file dialogs of the commands that write or read a file
// the user names, one per command. An empty member means the program's own
// dialog; a test sets its own on the workspace it makes. GUI thread only.
#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "table_export/export_format.h"

class QWidget;

namespace lexvane::gui {

// What the export's save dialog chose: the file and the format with its
// options.
struct ExportTarget {
  QString path;
  table_export::ExportOptions options;
};

struct FileChoosers {
  // A concordance copy to a file ("Save sentences to a text file"): the
  // file, or nullopt when cancelled.
  std::function<std::optional<QString>(QWidget* parent)> SaveSentences;
  // A word frequency, collocate, keyword or n-gram copy to a file ("Save to
  // file"): the path, or an empty string when cancelled.
  std::function<QString(QWidget* parent)> SaveCopy;
  // "Export..." ("Export table"): the file and format, or nullopt when
  // cancelled; `suggestedName` is the name offered, without extension.
  std::function<std::optional<ExportTarget>(QWidget* parent, const QString& suggestedName)> Export;
  // Browse... of the keyword list dialog ("Reference corpus"): the path, or
  // an empty string when cancelled.
  std::function<QString(QWidget* parent)> Reference;
};

}  // namespace lexvane::gui
