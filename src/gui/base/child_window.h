// ChildWindow: what every child window of the frame offers the frame. The
// frame shows it in a QMdiArea sub-window, merges its menus into the menu bar
// while it is active and calls the routed commands below on it. The child
// classes (TFormConcordance, TFormSource, TFormSourceStripped, TFormWordFreq,
// TFormCollocFreq; none of them derives from another) override the commands
// they offer; the others stay no-ops. The frame's enabled rules decide by the
// window's class which tool bar buttons can fire.
//
// A window's own commands that start a scan or a pass over a table run it
// through WindowHost::Runner() with the window as the owner (closing the
// window stops the operation, and its result is then dropped), give the work
// its own copies or shared ownership of what it reads and writes, and stay
// disabled while the runner is busy.
#pragma once

#include <QList>
#include <QWidget>

class QMenu;

namespace lexvane::gui {

// The group index of a top-level menu: the frame's File is 0, Tools 3,
// Window 4, Help 5; the Edit menus of child windows are 1.
inline constexpr char kMenuGroupProperty[] = "menuGroup";
// The help context of a widget, menu or action (an int; 0 or absent: none).
inline constexpr char kHelpContextProperty[] = "helpContext";

class ChildWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ChildWindow(QWidget* parent = nullptr) : QWidget(parent) {}

 public:  // queries
  // The top-level menus merged into the frame's menu bar while this window is
  // active, each carrying kMenuGroupProperty. The window owns them.
  virtual QList<QMenu*> MergedMenus() const { return {}; }

 public Q_SLOTS:  // routed commands (the tool bar's buttons; no-ops here)
  // A window whose copy command is its Copy1 entry (the source windows)
  // overrides Copy1Click instead.
  virtual void MenuCopyClick() { Copy1Click(); }
  virtual void Copy1Click() {}
  virtual void MenuClearClick() {}
  virtual void MenuSortClick() {}
  virtual void MenuStatisticsClick() {}
  virtual void MenuDeleteDuplicateClick() {}
  virtual void MenuDisplaySourceClick() {}
  virtual void MenuDisplaystrippedsourceClick() {}
  virtual void MenuFrequenciesClick() {}
  // "Export..." of the table windows: the rows the window shows as a CSV,
  // TSV or XLSX file.
  virtual void MenuExportClick() {}
  // The concordance plot (the tool bar's plot button; concordance windows).
  virtual void MenuPlotClick() {}
};

}  // namespace lexvane::gui
