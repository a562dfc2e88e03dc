// The "Frequency of collocates..." command of a concordance window: the
// question "Concordance table must be sorted first. Sort it now?" for an
// unsorted table (Yes runs the window's sort first), the query dialog
// (TFormFindColFreq), the collocate table built on the worker thread under
// "Extracting and sorting words", and the new collocate frequency window,
// which belongs to the concordance window and closes with it.
// GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QString>

class QWidget;

namespace lexvane::concordance {
class ConcordanceTable;
}

namespace lexvane::gui {

class TFormCollocFreq;
class Workspace;

// What the command needs of its concordance window.
struct CollocateSource {
  // The concordance window: owner of the build and of the new window.
  QWidget* window = nullptr;
  std::shared_ptr<concordance::ConcordanceTable> table;
  // The concordance window's caption.
  QString caption;
  // Runs the window's sort dialog and sort, then calls its argument with
  // whether the table is sorted (TFormConcordance::SortThen).
  std::function<void(std::function<void(bool sorted)>)> sortThen;
};

// Shows a new collocate window; by default it joins the frame that holds the
// concordance window (or shows on its own outside one).
using ShowCollocateWindow = std::function<void(TFormCollocFreq* window)>;

// MenuFrequenciesClick of a concordance window.
void RunCollocateCommand(Workspace& workspace, const CollocateSource& source,
                         ShowCollocateWindow show = {});

}  // namespace lexvane::gui
