#include "gui/concordance/source_text_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/base/child_window_frame.h"
#include "gui/base/text_codec.h"

namespace lexvane::gui {

namespace {

QAction* copyAction(const char* name, QWidget* parent) {
  auto* a = new QAction(QStringLiteral("Copy..."), parent);
  a->setObjectName(QLatin1String(name));
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
  return a;
}

}  // namespace

SourceTextWindow::SourceTextWindow(const QString& editCaption, QWidget* parent)
    : ChildWindow(parent) {
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setAccessibleName(QStringLiteral("Source text"));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo1);
  setFocusProxy(Memo1);

  MenuEdit = new QMenu(editCaption, this);
  MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
  MenuEdit->menuAction()->setProperty(kMenuGroupProperty, 1);
  Copy1 = copyAction("Copy1", MenuEdit);
  MenuEdit->addAction(Copy1);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Copy2 = copyAction("Copy2", PopupMenu1);
  PopupMenu1->addAction(Copy2);
  connect(Copy1, &QAction::triggered, this, [this] { Copy1Click(); });
  connect(Copy2, &QAction::triggered, this, [this] { Copy1Click(); });

  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Memo1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(Memo1->viewport()->mapToGlobal(at)); });
  applySelectionColours();
}

QList<QMenu*> SourceTextWindow::MergedMenus() const {
  return {MenuEdit};
}

void SourceTextWindow::Copy1Click() {
  QString selected = Memo1->textCursor().selectedText();
  if (selected.isEmpty()) return;
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  QApplication::clipboard()->setText(selected);
}

void SourceTextWindow::ShowFrom(QWidget* from, const QSize& size) {
  auto* frame = FrameOf(from);
  if (frame == nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(size);
    show();
    activateWindow();
    return;
  }
  QMdiSubWindow* sub = frame->AddChildWindow(this);
  if (!sub->isMaximized()) sub->resize(size);
  if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
  Memo1->setFocus();
}

void SourceTextWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) applySelectionColours();
  ChildWindow::changeEvent(event);
}

void SourceTextWindow::applySelectionColours() {
  // The keyword's selection stays visible when the field has no focus.
  QPalette p = Memo1->palette();
  const QPalette& own = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight,
             own.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             own.color(QPalette::Active, QPalette::HighlightedText));
  Memo1->setPalette(p);
}

QString SourceCaption(const std::string& path) {
  QString shown = FromPath(path);
  if (shown.size() > 30) shown = QStringLiteral("...") + shown.right(27);
  return QStringLiteral("Source: ") + shown;
}

}  // namespace lexvane::gui
