// HelpDesk: where a workspace's help requests go. It shows the one help
// window of the workspace (made on first use, closed and destroyed with the
// desk) at the topic of a context number, or hands the number to an observer
// instead (tests). Its F1 handling opens the context of the focused widget or
// of the highlighted menu item. GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QPointer>

class QObject;

namespace lexvane::gui {

class HelpWindow;

class HelpDesk {
 public:
  using Observer = std::function<void(int context)>;

  HelpDesk();
  ~HelpDesk();
  HelpDesk(const HelpDesk&) = delete;
  HelpDesk& operator=(const HelpDesk&) = delete;

 public:  // queries
  // The help window once it has been shown (null before).
  HelpWindow* Window() const;

 public:  // commands
  // Opens the help window at the topic of `context` (0: "h_Contents").
  void Show(int context);
  // Tests observe the requests instead of opening the window; an empty
  // function restores the window.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  // Installs F1 for the whole application, answered by this desk until it
  // goes (a desk installed later answers first).
  void InstallKey();

 private:
  Observer observer_;
  QPointer<HelpWindow> window_;
  std::unique_ptr<QObject> keyFilter_;
};

}  // namespace lexvane::gui
