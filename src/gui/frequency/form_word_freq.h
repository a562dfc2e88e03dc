// TFormWordFreq: the word frequency window ("Word Frequency"): the word types
// of the corpus with their frequencies, built over the corpus as the window is
// made and kept until it is closed; it owns its list and depends on nothing
// after its creation. Its commands (Copy..., Clear, Sort..., Statistics...)
// are its Edit menu, its pop-up menu and the frame's routed tool bar buttons;
// a double click hands the word to the word search dialog.
//
// The build, sort and copy run on the worker thread (WindowHost::Runner()) with
// this window as owner; the list is swapped in or shown again on the GUI
// thread when they end, and the commands stay disabled while the runner is
// busy. GUI thread only.
#pragma once

#include <memory>
#include <string>

#include "gui/base/child_window.h"
#include "gui/base/text_codec.h"

class QAction;
class QMenu;
class QModelIndex;
class QTableView;

namespace lexvane::corpus {
struct CorpusSettings;
}

namespace lexvane::frequency {
class WordFrequencyList;
}

namespace lexvane::gui {

class WindowHost;
class WordFreqModel;

class TFormWordFreq : public ChildWindow {
  Q_OBJECT

 public:
  // A window without a list and without commands (stand-ins of tests).
  explicit TFormWordFreq(QWidget* parent = nullptr);
  // FormCreate: a window over `workspace`'s corpus; Build() fills it.
  TFormWordFreq(WindowHost& workspace, QWidget* parent);
  // The list is released on a pool thread.
  ~TFormWordFreq() override;

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  // The list; null until the build ended.
  const std::shared_ptr<frequency::WordFrequencyList>& List() const { return list_; }
  WordFreqModel* Model() const { return model_; }

 public:  // commands
  // Counts the corpus on the worker thread under the search indicator
  // ("Types:"); the list shows when the count ends (Cancel keeps what was
  // counted and marks the list incomplete). False when no build could start.
  bool Build();

 public:  // controls, for tests
  QTableView* DrawGrid1 = nullptr;
  QMenu* MenuEdit = nullptr;
  QMenu* PopupMenu1 = nullptr;

 public Q_SLOTS:  // commands
  void MenuCopyClick() override;
  void MenuClearClick() override;
  void MenuSortClick() override;
  void MenuExportClick() override;
  void MenuStatisticsClick() override;
  void DrawGrid1DblClick(const QModelIndex& index);
  // Added after the window's own commands: the Range and DP columns
  // (TFormWordFreqColumns). A list counted without them is counted again,
  // from the corpus as it was when this window was built, and sorted as it
  // was.
  void MenuColumnsClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void showList();
  void updateActions();
  // The word search dialog's list receives the word (as it stands).
  void appendToWordSearch(const std::string& word);
  // Counts `corpus` into a new list on the worker thread, then shows it
  // sorted in `sortMode`.
  bool count(std::shared_ptr<const corpus::CorpusSettings> corpus, int sortMode);
  // The added columns the dialog asks for.
  bool rangeChosen() const;
  bool dpChosen() const;

  WindowHost* workspace_ = nullptr;
  TextCodec codec_;  // the list's (the corpus's until one is built)
  std::shared_ptr<frequency::WordFrequencyList> list_;
  // The corpus the list was counted from (for a count again).
  std::shared_ptr<const corpus::CorpusSettings> countedFrom_;
  WordFreqModel* model_ = nullptr;
  QList<QAction*> actions_;
  bool shownOnce_ = false;
};

}  // namespace lexvane::gui
