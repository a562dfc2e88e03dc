// TFormCollocFreq: the collocate frequency window: per node (a lower-cased
// keyword of a sorted concordance) and collocate, the counts at the positions
// 1 to 9 left and right of the node and their total. Made by the concordance
// window's "Frequency of collocates" command (collocate_command.h), which
// hands it its finished table; the window belongs to that concordance window
// and closes with it. Its commands (Copy..., Clear, Sort...) are its Edit
// menu, its pop-up menu and the frame's routed tool bar buttons; after them
// "Association measures..." adds columns of association figures (and may
// set rows below minimums aside).
//
// The sort, copy and association measures run on the worker thread with this window as owner; the
// commands stay disabled while the runner is busy. GUI thread only.
#pragma once

#include <memory>

#include "gui/base/child_window.h"
#include "gui/base/text_codec.h"

class QAction;
class QMenu;
class QTableView;

namespace lexvane::frequency {
class CollocTable;
}

namespace lexvane::gui {

class CollocFreqModel;
class WindowHost;

class TFormCollocFreq : public ChildWindow {
  Q_OBJECT

 public:
  // A window without a table and without commands (stand-ins of tests).
  explicit TFormCollocFreq(QWidget* parent = nullptr);
  // A window showing `table` under `caption`, its position columns 35 pixels
  // wide where the query selected the position and 4 where not.
  TFormCollocFreq(WindowHost& workspace, std::shared_ptr<frequency::CollocTable> table,
                  const QString& caption, QWidget* parent = nullptr);
  ~TFormCollocFreq() override;

 public:  // queries
  QList<QMenu*> MergedMenus() const override;
  const std::shared_ptr<frequency::CollocTable>& Table() const { return table_; }
  CollocFreqModel* Model() const { return model_; }

 public:  // controls, for tests
  QTableView* DrawGrid1 = nullptr;
  QMenu* MenuEdit = nullptr;
  QMenu* PopupMenu1 = nullptr;

 public Q_SLOTS:  // commands
  void MenuCopyClick() override;
  void MenuClearClick() override;
  void MenuSortClick() override;
  void MenuExportClick() override;
  // The association measures dialog, then (on the worker thread) the
  // corpus's word counts when none are kept yet and the figures.
  void MenuAssociationClick();

 private:
  void buildControls();
  void buildMenus();
  void showTable();
  // Widths of the association columns, which come and go.
  void sizeAssociationColumns();
  void updateActions();

  WindowHost* workspace_ = nullptr;
  TextCodec codec_;
  std::shared_ptr<frequency::CollocTable> table_;
  CollocFreqModel* model_ = nullptr;
  QList<QAction*> actions_;
};

}  // namespace lexvane::gui
