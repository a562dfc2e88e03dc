// The "Copy..." command of the word frequency and collocate frequency
// windows: the shared options dialog (TFormCopyFreq) with the window's own
// check box, the rows to copy, the save dialog ("Save to file") when copying
// to a file, then the copy on the worker thread under "Copying..." and, for
// the clipboard, the text put on it when the copy ends. GUI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include <QString>

#include "frequency/frequency_copy.h"
#include "gui/base/text_codec.h"
#include "gui/common/form_copy_freq.h"
#include "text/progress.h"

class QWidget;

namespace lexvane::gui {

class WindowHost;

// Copies the entries first..last (0-based) of the window's table; runs on the
// worker thread, so it may only read what the window shares with it.
using CopyRowsWork = std::function<void(
    std::int32_t first, std::int32_t last, const frequency::CopyOptions& options,
    frequency::CopyDestination destination, frequency::CopySink& sink, text::OperationHost& host)>;

// MenuCopyClick of both windows. `rowCount` is the table's number of rows,
// `selection` the grid's selection block (0-based, {-1, -1} when none);
// `window` owns the copy (closing it stops the copy); `codec` is that of the
// table's encoding (the typed delimiter, the clipboard's text). The file of
// a copy to a file comes from the save dialog, or the workspace's
// FileChoosers::SaveCopy when set. Returns whether a copy was started.
bool RunFrequencyCopy(WindowHost& workspace, QWidget* window, TFormCopyFreq::Table table,
                      std::int32_t rowCount, std::pair<int, int> selection, const TextCodec& codec,
                      CopyRowsWork copy);

}  // namespace lexvane::gui
