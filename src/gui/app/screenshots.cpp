#include "gui/app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

#include "concordance/concordance_builder.h"
#include "gui/app/form_main.h"
#include "gui/app/gui_user_interface.h"
#include "gui/app/help.h"
#include "gui/app/workspace.h"
#include "gui/concordance/form_source.h"
#include "gui/corpus/form_file_list.h"

namespace lexvane::gui {

namespace {

// The whole screen, so that the dialogs over the main window show too;
// cropped to the main window's frame and what lies over it.
void saveScreen(TFormMain& mainWindow, QWidget* over, const QString& file) {
  QScreen* screen = mainWindow.screen();
  QRect area = mainWindow.frameGeometry();
  if (over != nullptr) area = area.united(over->frameGeometry());
  area = area.adjusted(-8, -8, 8, 8).intersected(screen->geometry());
  QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (shot.isNull()) shot = mainWindow.grab();
  shot.save(file);
}

// Builds a concordance of `mask` on the corpus with the core and opens the
// source window of its first hit in the frame; null when there is none.
TFormSource* OpenSourceForScreenshot(TFormMain& mainWindow, const char* mask) {
  Workspace& workspace = mainWindow.workspace();
  search::SearchQuery query;
  query.Masks[0] = {search::TypedMask(mask)};
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{workspace.Ui(), search, progress};
  std::unique_ptr<concordance::ConcordanceTable> table =
      concordance::BuildConcordance(query, workspace.Corpus(), host);
  if (table->RowCount() == 0) return nullptr;
  const int row = table->RowCount() / 2;
  return TFormSource::Display(*table, row, workspace.Corpus().OEMtoANSIConvert,
                              mainWindow.mdiArea());
}

// A source window over the frame: the text around a hit of "house" in the
// corpus, the keyword selected. Then the program quits.
void sourceWindowShot(TFormMain& mainWindow, const QString& dir) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<HelpWindow*>(w) != nullptr) w->close();
  TFormSource* source = OpenSourceForScreenshot(mainWindow, "house");
  QTimer::singleShot(1200, &mainWindow, [&mainWindow, source, dir] {
    if (source != nullptr)
      saveScreen(mainWindow, nullptr, dir + QStringLiteral("/source_window.png"));
    QApplication::quit();
  });
}

}  // namespace

void TakeScreenshots(TFormMain& mainWindow, const QString& folder) {
  QDir().mkpath(folder);
  // Wider than the first-run size, so that the corpus summary shows whole.
  mainWindow.setGeometry(24, 24, 820, 480);
  const QString dir = QDir(folder).absolutePath();
  // Give the window and the list file time to show before each picture.
  QTimer::singleShot(1500, &mainWindow, [&mainWindow, dir] {
    saveScreen(mainWindow, nullptr, dir + QStringLiteral("/main_window.png"));
    TFormFileList* editor = mainWindow.workspace().FormFileList;
    QTimer::singleShot(1200, &mainWindow, [&mainWindow, editor, dir] {
      saveScreen(mainWindow, editor, dir + QStringLiteral("/file_list_editor.png"));
      editor->reject();
      ShowHelp(3);
      QTimer::singleShot(1200, &mainWindow, [&mainWindow, dir] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* help = qobject_cast<HelpWindow*>(w)) {
            QScreen* screen = help->screen();
            const QRect area = help->frameGeometry();
            screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(dir + QStringLiteral("/help.png"));
          }
        }
        sourceWindowShot(mainWindow, dir);
      });
    });
    editor->open();
    // Without a window manager the dialog would hide the frame: put it
    // lower right, so both show.
    editor->move(mainWindow.frameGeometry().topLeft() + QPoint(150, 95));
  });
}

}  // namespace lexvane::gui
