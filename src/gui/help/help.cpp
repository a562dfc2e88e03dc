#include "gui/help/help.h"

#include <QApplication>
#include <QTextBrowser>
#include <QToolBar>

#include "gui/base/child_window.h"

// Outside any namespace, as the resource system requires.
static void initResourcesOnce() {
  Q_INIT_RESOURCE(lexvane);
}

namespace lexvane::gui {

namespace {

const QList<int> kContexts = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                              22, 23, 24,
                              // association measures, keyword lists, reference corpora
                              100, 101, 102,
                              // the concordance plot, dispersion, the word list's columns
                              110, 111, 112,
                              // n-gram and cluster lists
                              120, 121, 122, 123, 124,
                              // exporting tables
                              130,
                              // files from the desktop, recent lists
                              140};

}  // namespace

void InitGuiResources() {
  initResourcesOnce();
}

QList<int> HelpContexts() {
  return kContexts;
}

QUrl HelpTopicUrl(int context) {
  if (!kContexts.contains(context)) return QUrl(QStringLiteral("qrc:/help/h_Contents.html"));
  return QUrl(QStringLiteral("qrc:/help/context_%1.html").arg(context));
}

int HelpContextOf(const QObject* w) {
  for (; w != nullptr; w = w->parent()) {
    bool ok = false;
    int context = w->property(kHelpContextProperty).toInt(&ok);
    if (ok && context > 0) return context;
    // The search ends at the window the control lies in: a window without a
    // context of its own (an indicator, the stripped source window) has none,
    // whatever its owner has.
    if (w->isWidgetType()) {
      const auto* widget = static_cast<const QWidget*>(w);
      if (widget->isWindow() || qobject_cast<const ChildWindow*>(widget) != nullptr) return 0;
    }
  }
  return 0;
}

void SetModalBesideHelp(QWidget* dialog) {
  // The help window has no parent: a window-modal dialog, which blocks only
  // its own chain of parent windows, leaves it free.
  dialog->setWindowModality(Qt::WindowModal);
}

void SetHelpContext(QObject* object, int context) {
  object->setProperty(kHelpContextProperty, context);
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this)) {
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(tr("Lexvane Help"));
  resize(620, 520);
  browser_->setOpenExternalLinks(true);
  setCentralWidget(browser_);
  QToolBar* bar = addToolBar(tr("Navigation"));
  bar->setMovable(false);
  QAction* contents = bar->addAction(tr("&Contents"));
  QAction* back = bar->addAction(tr("&Back"));
  QAction* forward = bar->addAction(tr("&Forward"));
  back->setShortcut(QKeySequence::Back);
  forward->setShortcut(QKeySequence::Forward);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QAction::triggered, this, [this] { showTopic(HelpTopicUrl(0)); });
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(tr("Lexvane Help - %1").arg(browser_->documentTitle())); });
}

void HelpWindow::showTopic(const QUrl& url) {
  if (browser_->source() == url) return;
  browser_->setSource(url);
}

}  // namespace lexvane::gui
