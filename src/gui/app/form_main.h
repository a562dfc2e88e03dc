// TFormMain: the main window, the frame of the multiple-document program. It
// owns the menu bar (File, Tools, Window, Help, with the active child window's
// menus merged in by group), the tool bar of fifteen buttons and the corpus
// summary label, and the QMdiArea of child windows. It turns commands into
// list-file operations, new child windows, or calls of the active child
// window's own handlers (ChildWindow's routed commands), and keeps every
// command's enabled state in step with the corpus, the active window and a
// running operation.
#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include "gui/app/command_state.h"
#include "gui/base/child_window_frame.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace lexvane::gui {

class ChildWindow;
class ListFileCommands;
class RecentListsMenu;
class Workspace;

class TFormMain : public QMainWindow, public ChildWindowFrame {
  Q_OBJECT

 public:
  // FormCreate: caption "Lexvane", 640 x 400, then the long-lived dialogs.
  explicit TFormMain(Workspace& workspace, QWidget* parent = nullptr);
  ~TFormMain() override;

 public:  // queries
  Workspace& workspace() { return workspace_; }
  QMdiArea* mdiArea() const { return mdi_; }
  ListFileCommands& listFiles() { return *listFiles_; }
  // A menu item or tool bar button by its name ("MenuSavelist",
  // "SpeedButtonCopy", ...); null for an unknown name.
  QAction* action(const QString& name) const { return actions_.value(name); }
  QLabel* toolBarLabel() const { return toolBarLabel_; }
  // The kind of the window that has the focus among the program's windows.
  ActiveKind activeKind() const;
  // The active child window, or null (also while another window of the
  // program, such as a modal dialog, has the focus).
  ChildWindow* activeChild() const;

 public:  // commands
  // Adds a child window to the frame and shows it; the frame takes ownership.
  QMdiSubWindow* AddChildWindow(ChildWindow* window) override;
  // Opens a list file named on the command line (no save prompt: nothing can
  // be unsaved yet).
  void OpenListFromCommandLine(const QString& path);
  // Opens files that come from outside: named on the command line, passed
  // by the file manager or dropped onto the window (SortFilesToOpen). The
  // first list file is opened (after the save prompt when `askSave`); corpus
  // files go into the file-list editor, which opens with them added; then a
  // search file is loaded into the search dialog that wrote it, or a lemma
  // list is shown in the "Lexeme List" dialog for the simple search, and that
  // search starts. A search needs corpus files: without any the file-list
  // editor opens first.
  void OpenFiles(const QStringList& paths, bool askSave);
  // An entry of "Recent lists": the save prompt, then the list.
  void OpenRecentList(const QString& path);
  RecentListsMenu* recentLists() const { return recentLists_; }

 public Q_SLOTS:
  // Idle rule: the enabled state of the tool bar, and of the menu items.
  void UpdateButtons();
  void UpdateMenus();
  void ShowListInfo();

  // File
  void MenuNewlistClick();
  void MenuOpenlistClick();
  void MenuSavelistClick();
  void MenuSavelistasClick();
  void MenuExitClick() { close(); }
  // Tools
  void MenuEditFileListClick();
  void MenuSearchClick();
  void MenuAdvancedSearchClick();
  void MenuBuildfrequencylistClick();
  void MenuNGramListClick();
  // After the frame's first entries: a keyword list against a reference corpus.
  void MenuKeywordListClick();
  // Window
  void MenuTileClick();
  void MenuCascadeClick();
  void MenuArrangeiconsClick();
  // Help
  void Contents1Click();
  void MenuAboutClick();
  // Routed to the same command of the active child window.
  void SpeedButtonCopyClick();
  void SpeedButtonClearClick();
  void MenuSortClick();
  void SpeedButtonStatClick();
  void SpeedButtonDelDupClick();
  void SpeedButtonShowSrcClick();
  void SpeedButtonShowScrStrippedClick();
  void SpeedButtonCFreqClick();
  // Added after the tool bar's own buttons: the concordance plot.
  void SpeedButtonPlotClick();

 protected:
  // FormCloseQuery: the close goes on only when QuerySaveList allows it.
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Local files dropped onto the window are opened as OpenFiles opens them,
  // once the drop has ended.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenus();
  void buildToolBar();
  QAction* addItem(QMenu* menu, const char* name, const QString& caption, int helpContext,
                   void (TFormMain::*handler)());
  QAction* addButton(const char* name, const QString& hint, void (TFormMain::*handler)());
  void rebuildWindowMenu();
  void mergeChildMenus();
  void scheduleUpdate();
  void applyState(const CommandState& state);
  // Calls command on the active child window, if any, then UpdateButtons.
  void route(void (ChildWindow::*command)());
  // OpenFiles' steps.
  bool ensureCorpusFiles();
  void startSearchFromFile(const QString& path);
  void startSearchFromLemmas(const QString& path);
  // False, with "Cannot open file <path>", when `path` cannot be read.
  bool readable(const QString& path);

  Workspace& workspace_;
  ListFileCommands* listFiles_ = nullptr;
  QMdiArea* mdi_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* toolBarLabel_ = nullptr;
  QHash<QString, QAction*> actions_;
  QList<QMenu*> mainMenus_;
  QMenu* windowMenu_ = nullptr;
  RecentListsMenu* recentLists_ = nullptr;
  QList<QAction*> windowListActions_;
  QList<QPointer<QAction>> mergedMenuActions_;  // owned by the child window
  QList<QAction*> replacedMenuActions_;
  bool updatePending_ = false;
};

}  // namespace lexvane::gui
