// The "Frequency of collocates..." command of a concordance window: the
// question "Concordance table must be sorted first. Sort it now?" for an
// unsorted table (Yes runs the window's sort first), the query dialog
// (TFormFindColFreq), the collocate table built on the worker thread under
// "Extracting and sorting words", and the new collocate frequency window,
// which belongs to the concordance window and closes with it.
// GUI thread only.
#pragma once

#include <functional>

#include "gui/common/concordance_sources.h"

namespace lexvane::gui {

class TFormCollocFreq;
class WindowHost;

// Shows a new collocate window; by default it joins the frame that holds the
// concordance window (or shows on its own outside one).
using ShowCollocateWindow = std::function<void(TFormCollocFreq* window)>;

// MenuFrequenciesClick of a concordance window.
void RunCollocateCommand(WindowHost& workspace, const CollocateSource& source,
                         ShowCollocateWindow show = {});

}  // namespace lexvane::gui
