#include "gui/app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include "gui/app/form_main.h"
#include "gui/app/frequency_screenshots.h"
#include "gui/app/ngram_screenshots.h"
#include "gui/app/plot_screenshots.h"
#include "gui/app/workspace.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"

namespace lexvane::gui {

namespace {

void searchShots(TFormMain& mainWindow, const QString& dir);

}  // namespace

// The whole screen, so that the dialogs over the main window show too;
// cropped to the main window's frame and what lies over it.
void SaveScreen(TFormMain& mainWindow, QWidget* over, const QString& file) {
  QScreen* screen = mainWindow.screen();
  QRect area = mainWindow.frameGeometry();
  if (over != nullptr) area = area.united(over->frameGeometry());
  area = area.adjusted(-8, -8, 8, 8).intersected(screen->geometry());
  QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (shot.isNull()) shot = mainWindow.grab();
  shot.save(file);
}

namespace {

// A source window over the concordance window: the text around its middle
// row's hit, the keyword selected; then the frequency windows.
void sourceWindowShot(TFormMain& mainWindow, TFormConcordance* window, const QString& dir) {
  window->parentWidget()->showNormal();
  const int row = window->Table()->RowCount() / 2;
  window->Grid()->setCurrentIndex(window->Grid()->model()->index(row, 2));
  window->MenuDisplaySourceClick();
  QTimer::singleShot(1200, &mainWindow, [&mainWindow, dir] {
    SaveScreen(mainWindow, nullptr, dir + QStringLiteral("/source_window.png"));
    TakeFrequencyScreenshots(mainWindow, dir, [&mainWindow, dir] {
      TakeNGramScreenshots(mainWindow, dir, [] { QApplication::quit(); });
    });
  });
}

// The advanced search dialog with a query typed in, then a concordance of
// the simple dialog's query, sorted by the first word to the right.
void searchShots(TFormMain& mainWindow, const QString& dir) {
  Workspace& workspace = mainWindow.workspace();
  TFormSearchAdv* adv = workspace.FormSearchAdv();
  QTimer::singleShot(0, adv, [&mainWindow, adv] {
    adv->ButtonClearAllClick();
    adv->Edits[0]->setText(QStringLiteral("the"));
    adv->Edits[1]->setText(QStringLiteral("hous*"));
    adv->ButtonOKClick();
    adv->Edits[1]->setText(QStringLiteral("home"));
    adv->SpinButtonUpClick(0);
    adv->SpinButtonUpClick(0);
    adv->move(mainWindow.frameGeometry().topLeft() + QPoint(40, 60));
  });
  QTimer::singleShot(1200, adv, [&mainWindow, adv, dir] {
    SaveScreen(mainWindow, adv, dir + QStringLiteral("/advanced_search.png"));
    adv->reject();
    TFormSearch* simple = mainWindow.workspace().FormSearch();
    QTimer::singleShot(0, simple, [simple] {
      simple->ButtonClearAllClick();
      simple->Edit1->setText(QStringLiteral("walk*"));
      simple->ButtonOKClick();
      simple->ButtonOKClick();
    });
    mainWindow.MenuSearchClick();
    const QList<QMdiSubWindow*> subs = mainWindow.mdiArea()->subWindowList();
    auto* window =
        subs.isEmpty() ? nullptr : qobject_cast<TFormConcordance*>(subs.back()->widget());
    if (window == nullptr) {
      QApplication::quit();
      return;
    }
    QObject::connect(window, &TFormConcordance::built, window, [&mainWindow, window, dir] {
      window->parentWidget()->showMaximized();
      TFormSortConcord* sort = mainWindow.workspace().FormSortConcord();
      QTimer::singleShot(0, sort, [sort] {
        sort->RadioButtonRightPart->setChecked(true);
        sort->Button1->click();
      });
      window->SortThen([&mainWindow, window, dir](bool) {
        QTimer::singleShot(1200, &mainWindow, [&mainWindow, window, dir] {
          SaveScreen(mainWindow, nullptr, dir + QStringLiteral("/concordance.png"));
          TakePlotScreenshot(mainWindow, window, dir, [&mainWindow, window, dir] {
            sourceWindowShot(mainWindow, window, dir);
          });
        });
      });
    });
  });
  adv->open();
}

}  // namespace

void TakeScreenshots(TFormMain& mainWindow, const QString& folder) {
  QDir().mkpath(folder);
  // Wider than the first-run size, so that the corpus summary shows whole.
  mainWindow.setGeometry(24, 24, 820, 480);
  const QString dir = QDir(folder).absolutePath();
  // Give the window and the list file time to show before each picture.
  QTimer::singleShot(1500, &mainWindow, [&mainWindow, dir] {
    SaveScreen(mainWindow, nullptr, dir + QStringLiteral("/main_window.png"));
    TFormFileList* editor = mainWindow.workspace().FormFileList();
    QTimer::singleShot(1200, &mainWindow, [&mainWindow, editor, dir] {
      SaveScreen(mainWindow, editor, dir + QStringLiteral("/file_list_editor.png"));
      editor->reject();
      mainWindow.workspace().Help().Show(3);
      QTimer::singleShot(1200, &mainWindow, [&mainWindow, dir] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* help = qobject_cast<HelpWindow*>(w)) {
            QScreen* screen = help->screen();
            const QRect area = help->frameGeometry();
            screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(dir + QStringLiteral("/help.png"));
            help->hide();
          }
        }
        searchShots(mainWindow, dir);
      });
    });
    editor->open();
    // Without a window manager the dialog would hide the frame: put it
    // lower right, so both show.
    editor->move(mainWindow.frameGeometry().topLeft() + QPoint(150, 95));
  });
}

}  // namespace lexvane::gui
