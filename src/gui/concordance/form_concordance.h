// TFormConcordance: the concordance window: one concordance table as a
// keyword-in-context grid with the current sentence above it.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers. The window
// owns its table; operations that change the table run on the workspace's
// worker thread with shared ownership of it, and the window shows their
// result from the completion, on the GUI thread.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "concordance/concordance_table.h"
#include "gui/app/child_window.h"
#include "gui/app/child_window_factory.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTableView;

namespace lexvane::gui {

class ConcordanceModel;
class Workspace;

class TFormConcordance : public ChildWindow {
  Q_OBJECT

 public:
  // A window of `workspace`, not yet built: Start() runs the search.
  explicit TFormConcordance(Workspace& workspace, QWidget* parent = nullptr);
  ~TFormConcordance() override;

  // FormCreate: runs the search dialog of `kind`; false when it was
  // cancelled (the caller then destroys the window). Otherwise the build
  // starts on the worker thread and the window shows itself when the table
  // is complete.
  bool Start(SearchKind kind);

 public:  // what the window's other commands and its collocate window use
  Workspace& workspace() const { return *workspace_; }
  // The table the window shows; null until its build completed. Operations
  // that change it run on the worker thread with this shared pointer and are
  // followed by TableChanged() on the GUI thread.
  const std::shared_ptr<concordance::ConcordanceTable>& Table() const { return table_; }
  // The grid's current row (0-based table index), -1 when there is none.
  int CurrentRow() const;
  // The first and last selected rows (the grid's selection block; both equal
  // CurrentRow() when a single row is selected; {-1,-1} when empty).
  std::pair<int, int> SelectedRows() const;
  // After an operation changed the table in place: resets the model, the
  // pane and the caption-independent state.
  void TableChanged();
  // Runs the sort dialog and, when confirmed, the sort on the worker thread;
  // then calls `next` on the GUI thread with whether the table is sorted
  // (TableSorted). MenuSortClick() is SortThen({}).
  void SortThen(std::function<void(bool sorted)> next);

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  QTableView* Grid() const { return grid_; }
  QPlainTextEdit* MemoCurSentence() const { return memo_; }
  ConcordanceModel* Model() const { return model_; }
  // A menu item by its name ("MenuSort", "MenuPaste", ...); null if unknown.
  QAction* Action(const QString& name) const;
  // True when the table is complete and the frame may show the window.
  bool Built() const { return built_; }

 public Q_SLOTS:  // commands
  virtual void MenuCopyClick();
  virtual void MenuClearClick();
  virtual void MenuSortClick();
  virtual void MenuStatisticsClick();
  virtual void MenuDeleteDuplicateClick();
  virtual void MenuDisplaySourceClick();
  virtual void MenuDisplaystrippedsourceClick();
  virtual void MenuFrequenciesClick();
  void MenuPasteClick();
  void MenuShowCurrentSentenceClick();
  void MenuSaveSettingsClick();

 Q_SIGNALS:
  // The table is complete and the window shown.
  void built();

 protected:
  // Stand-in windows of the frame's tests have no workspace.
  TFormConcordance();
  void setVisible(bool visible) override;

 private:
  Workspace* workspace_ = nullptr;
  std::shared_ptr<concordance::ConcordanceTable> table_;
  ConcordanceModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  bool built_ = false;
  bool wantShown_ = false;
};

}  // namespace lexvane::gui
