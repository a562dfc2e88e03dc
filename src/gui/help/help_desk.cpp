#include "gui/help/help_desk.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "gui/base/child_window.h"
#include "gui/help/help.h"

namespace lexvane::gui {

namespace {

int contextOfAction(const QAction* action) {
  if (action == nullptr) return 0;
  bool ok = false;
  int context = action->property(kHelpContextProperty).toInt(&ok);
  return ok ? context : 0;
}

// F1 anywhere in the program: a highlighted menu item first, then the focused
// widget and its parents.
class HelpKeyFilter : public QObject {
 public:
  explicit HelpKeyFilter(HelpDesk& desk) : desk_(desk) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    if (!watched->isWidgetType()) return false;
    int context = 0;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      context = contextOfAction(menu->activeAction());
      if (context == 0) context = contextOfAction(menu->menuAction());
    } else {
      QWidget* focus = QApplication::focusWidget();
      context = HelpContextOf(focus != nullptr ? focus : static_cast<QWidget*>(watched));
    }
    desk_.Show(context);
    return true;
  }

 private:
  HelpDesk& desk_;
};

}  // namespace

HelpDesk::HelpDesk() = default;

HelpDesk::~HelpDesk() {
  // The window has no parent (it is not kept above the frame): it goes with
  // the desk.
  delete window_.data();
}

HelpWindow* HelpDesk::Window() const {
  return window_.data();
}

void HelpDesk::Show(int context) {
  if (observer_) {
    observer_(context);
    return;
  }
  if (window_.isNull()) window_ = new HelpWindow();
  window_->showTopic(HelpTopicUrl(context));
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void HelpDesk::InstallKey() {
  if (keyFilter_) return;
  keyFilter_ = std::make_unique<HelpKeyFilter>(*this);
  qApp->installEventFilter(keyFilter_.get());
}

}  // namespace lexvane::gui
