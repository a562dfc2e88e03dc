// The README's picture of the concordance plot: the plot window of a
// concordance window, over it, with a row chosen, saved as a PNG file into a
// folder; the plot window closes again and `then` runs. Part of the
// program's hidden --screenshot option.
#pragma once

#include <functional>

#include <QString>

namespace lexvane::gui {

class TFormConcordance;
class TFormMain;

void TakePlotScreenshot(TFormMain& mainWindow, TFormConcordance* concordance, const QString& folder,
                        std::function<void()> then);

}  // namespace lexvane::gui
