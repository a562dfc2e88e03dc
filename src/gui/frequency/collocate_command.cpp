#include "gui/frequency/collocate_command.h"

#include <QMdiSubWindow>
#include <QPointer>

#include "concordance/concordance_table.h"
#include "frequency/colloc_command.h"
#include "gui/base/child_window_frame.h"
#include "gui/base/text_codec.h"
#include "gui/common/window_host.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_find_col_freq.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

namespace {

void showInFrame(QWidget* concordanceWindow, TFormCollocFreq* window) {
  if (auto* frame = FrameOf(concordanceWindow)) {
    frame->AddChildWindow(window);
  } else {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
  }
}

// The collocate window closes with its concordance window.
void closeWithOwner(QWidget* owner, TFormCollocFreq* window) {
  QObject::connect(owner, &QObject::destroyed, window, [window] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
      sub->close();
    else
      window->close();
  });
}

// The build on the worker thread: the command's flow again, now with a
// sorted table and a confirmed query, so it only builds.
void buildCollocates(WindowHost& workspace, const CollocateSource& source,
                     ShowCollocateWindow show) {
  auto result = std::make_shared<frequency::CollocCommandResult>();
  frequency::CollocQuery query = workspace.FormFindColFreq()->Query();
  const TextCodec codec = CodecFor(source.table->TextEncoding);
  const std::string caption = codec.Encode(source.caption);
  QPointer<QWidget> owner = source.window;
  workspace.Runner().start(
      [result, table = source.table, query, caption,
       &collator = workspace.Collator()](text::OperationHost& host) mutable {
        const frequency::CollocCommandSteps confirmed{[] {},
                                                      [](frequency::CollocQuery&) { return true; }};
        *result =
            frequency::MenuFrequenciesClick(*table, caption, query, confirmed, collator, host);
      },
      [&workspace, result, owner, show, codec](bool completed) {
        if (!completed || result->table == nullptr || owner == nullptr) return;
        auto* window =
            new TFormCollocFreq(workspace, std::move(result->table), codec.Decode(result->caption));
        closeWithOwner(owner, window);
        if (show)
          show(window);
        else
          showInFrame(owner, window);
      },
      source.window);
}

}  // namespace

void RunCollocateCommand(WindowHost& workspace, const CollocateSource& source,
                         ShowCollocateWindow show) {
  if (source.table == nullptr || workspace.Runner().busy()) return;
  // The flow's question and dialog, here on the GUI thread; a sort it asks
  // for runs as the window's own operation, and the command then starts again.
  bool sortAsked = false, confirmed = false;
  const frequency::CollocCommandSteps steps{
      [&sortAsked] { sortAsked = true; },
      [&workspace, &confirmed](frequency::CollocQuery&) {
        confirmed = workspace.FormFindColFreq()->exec() == QDialog::Accepted;
        return false;  // the build follows on the worker thread
      }};
  // The masks are typed for this table's text.
  workspace.FormFindColFreq()->UseEncoding(source.table->TextEncoding);
  text::OperationHost host{workspace.Ui(), *workspace.FormSearchInd(),
                           *workspace.FormProgressInd()};
  frequency::MenuFrequenciesClick(
      *source.table, CodecFor(source.table->TextEncoding).Encode(source.caption),
      workspace.FormFindColFreq()->Query(), steps, workspace.Collator(), host);
  if (sortAsked) {
    QPointer<QWidget> owner = source.window;
    source.sortThen([&workspace, source, show, owner](bool sorted) {
      if (sorted && owner != nullptr && source.table->TableSorted)
        RunCollocateCommand(workspace, source, show);
    });
    return;
  }
  if (confirmed) buildCollocates(workspace, source, show);
}

}  // namespace lexvane::gui
