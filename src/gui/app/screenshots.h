// The pictures of the README: the main window on the corpus it opened, the
// same with the file-list editor open, the help window, the advanced search
// dialog, a sorted concordance window, its plot window, a source window, a
// word frequency window and a collocate frequency window, saved as PNG files
// into a folder
// (the program's hidden --screenshot DIR option, run under Xvfb by
// scripts/screenshots.sh). The program quits when they are taken.
#pragma once

#include <QString>

class QWidget;

namespace lexvane::gui {

class TFormMain;

void TakeScreenshots(TFormMain& mainWindow, const QString& folder);

// The whole screen cropped to the main window's frame and to `over` (may be
// null), saved as `file`.
void SaveScreen(TFormMain& mainWindow, QWidget* over, const QString& file);

}  // namespace lexvane::gui
