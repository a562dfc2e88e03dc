// The copy command of a concordance window ("Copy...", Ctrl+Insert): runs the
// copy options dialog, then puts the chosen rows on the clipboard as text, or
// writes them to a file chosen in the save dialog "Save sentences to a text
// file". The text is built by the core on the worker thread under the
// progress indicator "Copying..."; the table is only read. GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QString>

class QFileDialog;
class QWidget;

namespace lexvane::concordance {
class ConcordanceTable;
}

namespace lexvane::gui {

class WindowHost;

// The save dialog of a copy to a file: title "Save sentences to a text
// file", text files or all files, default extension "txt", asks before
// overwriting, the folder must exist.
std::unique_ptr<QFileDialog> MakeSaveSentencesDialog(QWidget* parent);

// MenuCopyClick: nothing for an empty table or when the options dialog is
// cancelled. `selectedRows` are the first and last selected rows (0-based;
// {-1, -1} when none), used with "Copy selected rows only". A width that is
// not a number is reported before anything is copied; the clipboard's size
// refusal and "Cannot create file" come from the core. Words are cut with
// the workspace's latest build sets as they stand now. The file of a copy to
// a file comes from the save dialog, or the workspace's
// FileChoosers::SaveSentences when set. The work runs with
// `owner` (the window) as its owner and shares the table.
void CopyConcordance(WindowHost& workspace,
                     std::shared_ptr<const concordance::ConcordanceTable> table,
                     std::pair<int, int> selectedRows, QWidget* owner);

}  // namespace lexvane::gui
