#include "gui/app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include "gui/app/form_main.h"
#include "gui/app/help.h"
#include "gui/app/workspace.h"
#include "gui/corpus/form_file_list.h"
#include "gui/frequency/frequency_screenshots.h"

namespace lexvane::gui {

// The whole screen, so that the dialogs over the main window show too.
void SaveScreen(TFormMain& mainWindow, QWidget* over, const QString& file) {
  QScreen* screen = mainWindow.screen();
  QRect area = mainWindow.frameGeometry();
  if (over != nullptr) area = area.united(over->frameGeometry());
  area = area.adjusted(-8, -8, 8, 8).intersected(screen->geometry());
  QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (shot.isNull()) shot = mainWindow.grab();
  shot.save(file);
}

void TakeScreenshots(TFormMain& mainWindow, const QString& folder) {
  QDir().mkpath(folder);
  // Wider than the first-run size, so that the corpus summary shows whole.
  mainWindow.setGeometry(24, 24, 820, 480);
  const QString dir = QDir(folder).absolutePath();
  // Give the window and the list file time to show before each picture.
  QTimer::singleShot(1500, &mainWindow, [&mainWindow, dir] {
    SaveScreen(mainWindow, nullptr, dir + QStringLiteral("/main_window.png"));
    TFormFileList* editor = mainWindow.workspace().FormFileList;
    QTimer::singleShot(1200, &mainWindow, [&mainWindow, editor, dir] {
      SaveScreen(mainWindow, editor, dir + QStringLiteral("/file_list_editor.png"));
      editor->reject();
      ShowHelp(3);
      QTimer::singleShot(1200, &mainWindow, [&mainWindow, dir] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* help = qobject_cast<HelpWindow*>(w)) {
            QScreen* screen = help->screen();
            const QRect area = help->frameGeometry();
            screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(dir + QStringLiteral("/help.png"));
            help->close();
          }
        }
        TakeFrequencyScreenshots(mainWindow, dir, [] { QApplication::quit(); });
      });
    });
    editor->open();
    // Without a window manager the dialog would hide the frame: put it
    // lower right, so both show.
    editor->move(mainWindow.frameGeometry().topLeft() + QPoint(150, 95));
  });
}

}  // namespace lexvane::gui
