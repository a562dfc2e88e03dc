// TFormNGrams: the n-gram window ("N-gram List") and the cluster window
// ("Clusters - ..."): sequences of words with their frequency and range,
// in the style of the word frequency window. Its commands (Copy..., Clear,
// Sort..., Statistics..., Export...) are its Edit menu, its pop-up menu and the
// frame's routed tool bar buttons; a double click puts the sequence's words
// into the advanced word search dialog, one column each, in order and next
// to each other, so that the next advanced search finds it.
//
// An n-gram window builds its list on the worker thread (WindowHost::Runner())
// with itself as owner; a cluster window receives its finished list. It owns
// its list and depends on nothing after its creation. GUI thread only.
#pragma once

#include <memory>

#include "gui/base/child_window.h"
#include "ngrams/ngram_list.h"

class QAction;
class QMenu;
class QModelIndex;
class QTableView;

namespace lexvane::gui {

class NGramModel;
class WindowHost;

class TFormNGrams : public ChildWindow {
  Q_OBJECT

 public:
  // An n-gram window over `workspace`'s corpus; Build() fills it.
  TFormNGrams(WindowHost& workspace, QWidget* parent);
  // A cluster window showing `list`, with the caption "Clusters" followed
  // by `of`.
  TFormNGrams(WindowHost& workspace, std::shared_ptr<ngrams::NGramList> list, const QString& of,
              QWidget* parent = nullptr);
  // The list is released on a pool thread.
  ~TFormNGrams() override;

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  // The list; null until the build ended.
  const std::shared_ptr<ngrams::NGramList>& List() const { return list_; }
  NGramModel* Model() const { return model_; }

 public:  // commands
  // Counts the corpus's n-grams on the worker thread under the search
  // indicator ("N-grams:"); the list shows when the count ends (Cancel
  // keeps what was counted and marks the list incomplete). False when no
  // build could start.
  bool Build(const ngrams::NGramOptions& options);

 public:  // controls, for tests
  QTableView* DrawGrid1 = nullptr;
  QMenu* MenuEdit = nullptr;
  QMenu* PopupMenu1 = nullptr;

 public Q_SLOTS:  // commands
  void MenuCopyClick() override;
  void MenuClearClick() override;
  void MenuSortClick() override;
  void MenuStatisticsClick() override;
  // The rows as a CSV, TSV or XLSX file (gui/common/export_command.h).
  void MenuExportClick() override;
  void DrawGrid1DblClick(const QModelIndex& index);

 private:
  void buildControls(ngrams::ListKind kind);
  void buildMenus(int helpContext);
  void showList();
  void updateActions();

  WindowHost* workspace_;
  std::shared_ptr<ngrams::NGramList> list_;
  NGramModel* model_ = nullptr;
  QList<QAction*> actions_;
};

}  // namespace lexvane::gui
