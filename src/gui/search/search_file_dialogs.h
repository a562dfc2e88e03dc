// The file dialogs of the search dialogs: save and load of word search files
// (".cws") and the open dialog of lemma lists (".cll"), with their titles,
// filters, default extensions and help contexts. Each search dialog holds
// a SearchFileChoosers that runs them; tests replace it.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>

class QFileDialog;
class QWidget;

namespace lexvane::gui {

struct SearchFileChoosers {
  // Each is given the file name to start with; the chosen path, or nothing
  // when the dialog was cancelled.
  std::function<std::optional<QString>(const QString& start)> save;
  std::function<std::optional<QString>(const QString& start)> load;
  std::function<std::optional<QString>(const QString& start)> lemmas;
};

// "Save list of words": asks before overwriting; no default extension.
std::unique_ptr<QFileDialog> MakeSearchSaveDialog(QWidget* parent, const QString& start);
// "Load list of words": the file must exist; default extension "txt".
std::unique_ptr<QFileDialog> MakeSearchLoadDialog(QWidget* parent, const QString& start);
// "Load list of lemmas and word forms": the file must exist; "txt".
std::unique_ptr<QFileDialog> MakeLemmaOpenDialog(QWidget* parent, const QString& start);

// The Qt dialogs above, parented by `parent`.
SearchFileChoosers QtSearchFileChoosers(QWidget* parent);

}  // namespace lexvane::gui
