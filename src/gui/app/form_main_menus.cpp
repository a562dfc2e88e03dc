// TFormMain: the menu bar, the tool bar, the window list and the merge of the
// active child window's menus.
#include <algorithm>

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include "gui/app/form_main.h"
#include "gui/app/recent_lists_menu.h"
#include "gui/base/app_icons.h"
#include "gui/base/child_window.h"
#include "gui/base/elided_label.h"
#include "gui/common/ngram_help.h"
#include "gui/help/help.h"
#include "gui/runner/command_boundary.h"

namespace lexvane::gui {

namespace {

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption, int group, int context) {
  auto* menu = new QMenu(caption, bar);
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  menu->menuAction()->setProperty(kMenuGroupProperty, group);
  SetHelpContext(menu, context);
  SetHelpContext(menu->menuAction(), context);
  bar->addMenu(menu);
  return menu;
}

int groupOf(const QAction* action) {
  return action->property(kMenuGroupProperty).toInt();
}

}  // namespace

QAction* TFormMain::addItem(QMenu* menu, const char* name, const QString& caption, int helpContext,
                            void (TFormMain::*handler)()) {
  auto* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  SetHelpContext(action, helpContext);
  connect(action, &QAction::triggered, this, CommandSlot(this, handler));
  actions_.insert(QLatin1String(name), action);
  return action;
}

void TFormMain::buildMenus() {
  QMenuBar* bar = menuBar();
  // No main menu item has a keyboard shortcut; the mnemonics are the
  // captions' own.
  QMenu* file = topMenu(bar, "MenuFile", QStringLiteral("&File"), 0, 10);
  addItem(file, "MenuNewlist", QStringLiteral("&New list"), 10, &TFormMain::MenuNewlistClick);
  addItem(file, "MenuOpenlist", QStringLiteral("&Open list..."), 10, &TFormMain::MenuOpenlistClick);
  addItem(file, "MenuSavelist", QStringLiteral("&Save list"), 10, &TFormMain::MenuSavelistClick)
      ->setEnabled(false);
  addItem(file, "MenuSavelistas", QStringLiteral("Sav&e list as..."), 10,
          &TFormMain::MenuSavelistasClick)
      ->setEnabled(false);
  file->addSeparator()->setObjectName(QStringLiteral("MenuSeparator1"));
  addItem(file, "MenuExit", QStringLiteral("Exit"), 10, &TFormMain::MenuExitClick);
  // After the File menu's own items: the lists opened or saved last.
  file->addSeparator()->setObjectName(QStringLiteral("MenuSeparatorRecent"));
  recentLists_ = new RecentListsMenu(file);
  file->addMenu(recentLists_);
  connect(file, &QMenu::aboutToShow, recentLists_, &RecentListsMenu::Rebuild);
  connect(recentLists_, &RecentListsMenu::openRequested, this,
          CommandSlot(this, &TFormMain::OpenRecentList));

  QMenu* tools = topMenu(bar, "MenuBuild", QStringLiteral("&Tools"), 3, 12);
  addItem(tools, "MenuEditFileList", QStringLiteral("Edit file list..."), 12,
          &TFormMain::MenuEditFileListClick);
  tools->addSeparator()->setObjectName(QStringLiteral("N2"));
  addItem(tools, "MenuSearch", QStringLiteral("Word search..."), 12, &TFormMain::MenuSearchClick);
  addItem(tools, "MenuAdvancedSearch", QStringLiteral("Advanced word search..."), 0,
          &TFormMain::MenuAdvancedSearchClick);
  tools->addSeparator()->setObjectName(QStringLiteral("N1"));
  addItem(tools, "MenuBuildfrequencylist", QStringLiteral("Build word frequency list"), 0,
          &TFormMain::MenuBuildfrequencylistClick);
  // Later commands follow the menu's first entries.
  addItem(tools, "MenuNGramList", QStringLiteral("N-gram list..."), kNGramWindowHelpContext,
          &TFormMain::MenuNGramListClick);
  addItem(tools, "MenuKeywordList", QStringLiteral("Keyword list..."), 101,
          &TFormMain::MenuKeywordListClick)
      ->setEnabled(false);

  windowMenu_ = topMenu(bar, "MenuWindow", QStringLiteral("&Window"), 4, 13);
  addItem(windowMenu_, "MenuTile", QStringLiteral("&Tile"), 13, &TFormMain::MenuTileClick);
  addItem(windowMenu_, "MenuCascade", QStringLiteral("&Cascade"), 13, &TFormMain::MenuCascadeClick);
  addItem(windowMenu_, "MenuArrangeicons", QStringLiteral("&Arrange icons"), 13,
          &TFormMain::MenuArrangeiconsClick);

  QMenu* help = topMenu(bar, "MenuHelp", QStringLiteral("&Help"), 5, 0);
  addItem(help, "Contents1", QStringLiteral("Contents"), 0, &TFormMain::Contents1Click);
  help->addSeparator()->setObjectName(QStringLiteral("MenuSeparator2"));
  addItem(help, "MenuAbout", QStringLiteral("&About"), 0, &TFormMain::MenuAboutClick);

  mainMenus_ = {file, tools, windowMenu_, help};
  for (QMenu* menu : mainMenus_) connect(menu, &QMenu::aboutToShow, this, &TFormMain::UpdateMenus);
  connect(windowMenu_, &QMenu::aboutToShow, this, &TFormMain::rebuildWindowMenu);
}

QAction* TFormMain::addButton(const char* name, const QString& hint, void (TFormMain::*handler)()) {
  const QString objectName = QLatin1String(name);
  auto* action = toolBar_->addAction(ToolBarIcon(objectName), hint);
  action->setObjectName(objectName);
  action->setToolTip(hint);
  toolBar_->widgetForAction(action)->setObjectName(objectName);
  connect(action, &QAction::triggered, this, CommandSlot(this, handler));
  actions_.insert(objectName, action);
  return action;
}

void TFormMain::buildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Tool bar"));
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(22, 22));
  toolBar_->toggleViewAction()->setEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);

  addButton("SpeedButtonFileNew", QStringLiteral("New file list"), &TFormMain::MenuNewlistClick);
  addButton("SpeedButtonFileOpen", QStringLiteral("Open file list..."),
            &TFormMain::MenuOpenlistClick);
  addButton("SpeedButtonFileSave", QStringLiteral("Save file list..."),
            &TFormMain::MenuSavelistClick);
  addButton("SpeedButtonEditList", QStringLiteral("Edit file list..."),
            &TFormMain::MenuEditFileListClick);
  toolBar_->addSeparator();
  addButton("SpeedButtonSearch", QStringLiteral("Word search..."), &TFormMain::MenuSearchClick);
  addButton("SpeedButtonAdvSearch", QStringLiteral("Advanced word search..."),
            &TFormMain::MenuAdvancedSearchClick);
  addButton("SpeedButtonCFreq", QStringLiteral("Build collocate frequency list."),
            &TFormMain::SpeedButtonCFreqClick);
  addButton("SpeedButtonFreqList", QStringLiteral("Build word frequency list."),
            &TFormMain::MenuBuildfrequencylistClick);
  toolBar_->addSeparator();
  addButton("SpeedButtonCopy", QStringLiteral("Copy..."), &TFormMain::SpeedButtonCopyClick);
  addButton("SpeedButtonClear", QStringLiteral("Clear"), &TFormMain::SpeedButtonClearClick);
  addButton("SpeedButtonSort", QStringLiteral("Sort..."), &TFormMain::MenuSortClick);
  addButton("SpeedButtonDelDup", QStringLiteral("Delete duplicate sentences"),
            &TFormMain::SpeedButtonDelDupClick);
  addButton("SpeedButtonShowSrc", QStringLiteral("Display source text"),
            &TFormMain::SpeedButtonShowSrcClick);
  addButton("SpeedButtonShowScrStripped", QStringLiteral("Display stripped source text"),
            &TFormMain::SpeedButtonShowScrStrippedClick);
  addButton("SpeedButtonStat", QStringLiteral("Statistics..."), &TFormMain::SpeedButtonStatClick);
  // Later commands follow the bar's first buttons.
  addButton("SpeedButtonKeywordList", QStringLiteral("Keyword list..."),
            &TFormMain::MenuKeywordListClick)
      ->setEnabled(false);
  // Added after the tool bar's own buttons.
  addButton("SpeedButtonPlot", QStringLiteral("Concordance plot..."),
            &TFormMain::SpeedButtonPlotClick);
  toolBar_->addSeparator();

  toolBarLabel_ = new ElidedLabel(toolBar_);
  toolBarLabel_->setObjectName(QStringLiteral("ToolBarLabel"));
  toolBarLabel_->setContentsMargins(6, 0, 6, 0);
  toolBar_->addWidget(toolBarLabel_);
}

// ---- The window menu ----

void TFormMain::rebuildWindowMenu() {
  for (QAction* a : windowListActions_) {
    windowMenu_->removeAction(a);
    a->deleteLater();
  }
  windowListActions_.clear();
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  QAction* separator = windowMenu_->addSeparator();
  windowListActions_.append(separator);
  int number = 0;
  for (QMdiSubWindow* sub : windows) {
    ++number;
    QString caption = sub->windowTitle();
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = windowMenu_->addAction(
        number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
    SetHelpContext(a, 13);
    a->setCheckable(true);
    a->setChecked(sub == mdi_->currentSubWindow());
    // The window may close while the menu is open.
    connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
      if (sub.isNull()) return;
      if (sub->isMinimized()) sub->showNormal();
      mdi_->setActiveSubWindow(sub);
    });
    windowListActions_.append(a);
  }
}

void TFormMain::MenuTileClick() {
  // Horizontal tiling: the open windows one above the other, full width.
  QList<QMdiSubWindow*> open;
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (!sub->isMinimized() && sub->isVisible()) open.append(sub);
  if (open.isEmpty()) return;
  const QRect area = mdi_->viewport()->rect();
  const int height = area.height() / static_cast<int>(open.size());
  int top = 0;
  for (QMdiSubWindow* sub : open) {
    if (sub->isMaximized()) sub->showNormal();
    sub->setGeometry(0, top, area.width(), height);
    top += height;
  }
}

void TFormMain::MenuCascadeClick() {
  mdi_->cascadeSubWindows();
}

void TFormMain::MenuArrangeiconsClick() {
  // The minimised windows lined up along the bottom, rows growing upwards.
  const QRect area = mdi_->viewport()->rect();
  int x = 0;
  int bottom = area.bottom() + 1;
  int rowHeight = 0;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    const QSize size = sub->size();
    if (x > 0 && x + size.width() > area.width()) {
      x = 0;
      bottom -= rowHeight;
      rowHeight = 0;
    }
    sub->move(x, bottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}

// ---- Menu merging ----

void TFormMain::mergeChildMenus() {
  QMenuBar* bar = menuBar();
  for (const QPointer<QAction>& a : mergedMenuActions_)
    if (a) bar->removeAction(a);
  for (QAction* a : replacedMenuActions_) a->setVisible(true);
  mergedMenuActions_.clear();
  replacedMenuActions_.clear();

  ChildWindow* child = nullptr;
  if (QMdiSubWindow* sub = mdi_->currentSubWindow())
    child = qobject_cast<ChildWindow*>(sub->widget());
  if (child == nullptr) return;
  for (QMenu* menu : child->MergedMenus()) {
    QAction* menuAction = menu->menuAction();
    const int group = groupOf(menuAction);
    // A child menu of a group the frame has replaces the frame's menus of
    // that group; otherwise it goes in front of the first higher group.
    QAction* before = nullptr;
    for (QMenu* own : mainMenus_) {
      QAction* ownAction = own->menuAction();
      if (groupOf(ownAction) == group && ownAction->isVisible()) {
        ownAction->setVisible(false);
        replacedMenuActions_.append(ownAction);
      }
      if (before == nullptr && groupOf(ownAction) > group) before = ownAction;
    }
    bar->insertAction(before, menuAction);
    mergedMenuActions_.append(menuAction);
  }
}

}  // namespace lexvane::gui
