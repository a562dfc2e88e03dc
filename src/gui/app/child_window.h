// ChildWindow: what every child window of the frame offers the frame. The
// frame shows it in a QMdiArea sub-window, merges its menus into the menu bar
// while it is active and routes tool bar commands to it by its class
// (TFormConcordance, TFormSource, TFormSourceStripped, TFormWordFreq,
// TFormCollocFreq; none of them derives from another).
//
// A window's own commands that start a scan or a pass over a table run it
// through Workspace::Runner() with the window as the owner (closing the
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
};

}  // namespace lexvane::gui
