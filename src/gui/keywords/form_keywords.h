// TFormKeywords: the keyword window: the words of the corpus whose frequency
// differs from a reference corpus's beyond chance, with both frequencies,
// both relative frequencies, log-likelihood, Log Ratio and %DIFF. Made by
// the frame's "Keyword list..." command (CreateKeywordWindow) after its
// dialog; it builds its list on the worker thread under the search
// indicator and closes itself when the build is cancelled or fails. It owns
// its list and depends on nothing after its creation. Its commands (Copy...,
// Sort..., Statistics..., Export...) are its Edit menu, its pop-up menu and
// the frame's routed tool bar buttons; a double click hands the word to the
// word search dialog. GUI thread only.
#pragma once

#include <memory>
#include <string>

#include "gui/base/child_window.h"
#include "gui/base/text_codec.h"
#include "keywords/keyword_command.h"

class QAction;
class QMenu;
class QModelIndex;
class QTableView;

namespace lexvane::gui {

class KeywordModel;
class WindowHost;

class TFormKeywords : public ChildWindow {
  Q_OBJECT

 public:
  // A window over `request`; Build() fills it.
  TFormKeywords(WindowHost& workspace, keywords::KeywordRequest request, QWidget* parent = nullptr);
  ~TFormKeywords() override;

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  // The list; null until the build ended.
  const std::shared_ptr<keywords::KeywordList>& List() const { return list_; }
  KeywordModel* Model() const { return model_; }

 public:  // commands
  // Compares the corpus with the reference on the worker thread; false when
  // no build could start.
  bool Build();

 public:  // controls, for tests
  QTableView* DrawGrid1 = nullptr;
  QMenu* MenuEdit = nullptr;
  QMenu* PopupMenu1 = nullptr;

 public Q_SLOTS:  // commands
  void MenuCopyClick() override;
  void MenuSortClick() override;
  void MenuStatisticsClick() override;
  void MenuExportClick() override;
  void DrawGrid1DblClick(const QModelIndex& index);

 private:
  void buildControls();
  void buildMenus();
  void showList();
  void updateActions();
  // The window goes (its build was cancelled or failed).
  void closeWindow();

  WindowHost* workspace_;
  keywords::KeywordRequest request_;
  TextCodec codec_;
  std::shared_ptr<keywords::KeywordList> list_;
  KeywordModel* model_ = nullptr;
  QList<QAction*> actions_;
};

// The frame's "Keyword list..." command: the dialog, then a new keyword
// window whose build has started; null when the dialog was cancelled or no
// build could start.
ChildWindow* CreateKeywordWindow(WindowHost& workspace, QWidget* frame);

}  // namespace lexvane::gui
