// The README's pictures of the frequency windows: a word frequency window of
// the corpus sorted by frequency, then a collocate frequency window of a
// concordance of "th*", each saved as a PNG file into a folder; `then` runs
// when both are taken. Part of the program's hidden --screenshot option.
#pragma once

#include <functional>

#include <QString>

namespace lexvane::gui {

class TFormMain;

void TakeFrequencyScreenshots(TFormMain& mainWindow, const QString& folder,
                              std::function<void()> then);

}  // namespace lexvane::gui
