// SourceTextWindow: what the two source windows (TFormSource,
// TFormSourceStripped) share: a child window filled by one multi-line text
// field (Memo1) that wraps at the window's width, its Edit menu and the
// field's pop-up menu, both with "Copy..." (Ctrl+Insert) running Copy1Click.
// The frame routes by the two derived classes, never by this one.
#pragma once

#include "gui/base/child_window.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace lexvane::gui {

class SourceTextWindow : public ChildWindow {
  Q_OBJECT

 public:
  // `editCaption` is the caption of the Edit menu.
  SourceTextWindow(const QString& editCaption, QWidget* parent);

 public:  // queries
  QList<QMenu*> MergedMenus() const override;

 public:  // commands
  // Adds the window to the frame that `from` lies in (the program's main
  // window) as its active child window, or, outside a frame, shows it as a
  // window of its own. Closing the window destroys it.
  void ShowFrom(QWidget* from, const QSize& size);

 public Q_SLOTS:
  // Copies the field's selected text to the clipboard; nothing when nothing
  // is selected.
  void Copy1Click() override;

 public:  // controls, for tests
  QPlainTextEdit* Memo1 = nullptr;
  QMenu* MenuEdit = nullptr;
  QAction* Copy1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Copy2 = nullptr;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void applySelectionColours();
};

// The caption of a source window for the corpus file `path`: "Source: " and
// the path, or "..." and its last 27 characters when it is longer than 30.
QString SourceCaption(const std::string& path);

}  // namespace lexvane::gui
