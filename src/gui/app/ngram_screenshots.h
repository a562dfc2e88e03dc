// The README's picture of the n-gram window: the bigrams and trigrams of the
// corpus that occur at least twice, saved as a PNG file into a folder; `then`
// runs when it is taken. Part of the program's hidden --screenshot option.
#pragma once

#include <functional>

#include <QString>

namespace lexvane::gui {

class TFormMain;

void TakeNGramScreenshots(TFormMain& mainWindow, const QString& folder, std::function<void()> then);

}  // namespace lexvane::gui
