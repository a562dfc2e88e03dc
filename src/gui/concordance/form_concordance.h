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
#include "gui/base/child_window.h"
#include "gui/base/text_codec.h"
#include "gui/search/search_kind.h"
#include "text/progress.h"

#include <QHash>
#include <QPointer>

class QAction;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTableView;

namespace lexvane::gui {

class ConcordanceModel;
class TFormConcordancePlot;
class WindowHost;

class TFormConcordance : public ChildWindow {
  Q_OBJECT

 public:
  // A window of `workspace`, not yet built: Start() runs the search.
  explicit TFormConcordance(WindowHost& workspace, QWidget* parent = nullptr);
  ~TFormConcordance() override;

  // FormCreate: runs the search dialog of `kind`; false when it was
  // cancelled (the caller then destroys the window). Otherwise the build
  // starts on the worker thread and the window shows itself when the table
  // is complete.
  bool Start(SearchKind kind);

 public:  // what the window's other commands and its collocate window use
  WindowHost& workspace() const { return *workspace_; }
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
  // Paste is possible: the clipboard holds text and the selection is one
  // cell of the left or the right context column.
  bool CanPaste() const;
  // The sentence pane shows.
  bool SentenceShown() const;

 public:  // commands
  // Fills the sentence pane from grid row `row` (1-based; -1: the top row of
  // the selection); nothing while the pane is hidden.
  void RefreshCurrentSentence(int row);
  // Enables Paste in both menus as CanPaste says (on opening either menu).
  void UpdateMenus();
  // Makes row `row` (0-based) the current row, its keyword cell selected
  // (the sentence pane follows); nothing for a row the table lacks.
  void SelectRow(int row);

 public Q_SLOTS:  // commands
  void MenuCopyClick() override;
  void MenuClearClick() override;
  void MenuSortClick() override;
  void MenuStatisticsClick() override;
  void MenuDeleteDuplicateClick() override;
  void MenuDisplaySourceClick() override;
  void MenuDisplaystrippedsourceClick() override;
  void MenuFrequenciesClick() override;
  void MenuExportClick() override;
  // Opens the window's plot, or brings it to the front.
  void MenuPlotClick() override;
  void MenuPasteClick();
  void MenuCurrentSentenceClick();
  void MenuSaveSettingsClick();
  // The cluster list of the table's rows (WindowHost::OpenClusters).
  void MenuClustersClick();

 Q_SIGNALS:
  // The table is complete and the window shown.
  void built();

 protected:
  // Stand-in windows of the frame's tests have no workspace.
  TFormConcordance();
  void setVisible(bool visible) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                   void (TFormConcordance::*handler)());
  // The table is complete: show it with the saved layout.
  void showBuilt(std::unique_ptr<concordance::ConcordanceTable> table);
  void applySettings();
  // Runs `work` on the worker thread over the table; the grid shows no rows
  // meanwhile and is back (selection kept) before `then` runs.
  void runOnTable(std::function<void(concordance::ConcordanceTable&, text::OperationHost&)> work,
                  std::function<void()> then);
  void selectCell(int row, int column);
  void setPaneShown(bool shown);
  void updateBusy(bool busy);

  WindowHost* workspace_ = nullptr;
  std::shared_ptr<concordance::ConcordanceTable> table_;
  ConcordanceModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QHash<QString, QAction*> actions_;
  QPointer<TFormConcordancePlot> plot_;
  TextCodec codec_;
  bool built_ = false;
  bool wantShown_ = false;
};

}  // namespace lexvane::gui
