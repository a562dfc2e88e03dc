#include "gui/app/child_window_factory.h"

#include "gui/app/workspace.h"
#include "gui/frequency/word_freq_factory.h"
#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

namespace {

ChildWindow* notAvailable(Workspace& workspace, QWidget* frame, const QString& what) {
  workspace.Ui().ShowMessage(
      frame,
      {QStringLiteral("Information"), what + QStringLiteral(" is not available yet."),
       text::Buttons::Ok, text::Icon::Information},
      0);
  return nullptr;
}

}  // namespace

ChildWindow* ChildWindowFactory::CreateConcordance(SearchKind kind, Workspace& workspace,
                                                   QWidget* frame) {
  return notAvailable(workspace, frame,
                      kind == SearchKind::Simple ? QStringLiteral("Word search")
                                                 : QStringLiteral("Advanced word search"));
}

ChildWindow* ChildWindowFactory::CreateWordFreq(Workspace& workspace, QWidget* frame) {
  return CreateWordFreqWindow(workspace, frame);
}

}  // namespace lexvane::gui
