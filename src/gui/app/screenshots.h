// The pictures of the README: the main window on the corpus it opened, and
// the same with the file-list editor open, the help window, the advanced
// search dialog and a sorted concordance window, saved as PNG
// files into a folder
// (the program's hidden --screenshot DIR option, run under Xvfb by
// scripts/screenshots.sh). The program quits when they are taken.
#pragma once

#include <QString>

namespace lexvane::gui {

class TFormMain;

void TakeScreenshots(TFormMain& mainWindow, const QString& folder);

}  // namespace lexvane::gui
