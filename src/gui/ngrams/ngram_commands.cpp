#include "gui/ngrams/ngram_commands.h"

#include <QPointer>

#include "gui/base/child_window_frame.h"
#include "gui/common/window_host.h"
#include "gui/ngrams/form_ngram_options.h"
#include "gui/ngrams/form_ngrams.h"
#include "gui/runner/operation_runner.h"
#include "ngrams/cluster_build.h"

namespace lexvane::gui {

ChildWindow* CreateNGramWindow(WindowHost& workspace, QWidget* frame) {
  if (workspace.Runner().busy()) return nullptr;
  TFormNGramOptions& dialog = *workspace.FormNGramOptions();
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  auto* window = new TFormNGrams(workspace, frame);
  if (!window->Build(dialog.Options())) {
    delete window;
    return nullptr;
  }
  return window;
}

void RunClustersCommand(WindowHost& workspace, const ClusterSource& source,
                        ShowClusterWindow show) {
  const std::shared_ptr<concordance::ConcordanceTable> table = source.table;
  if (table == nullptr || workspace.Runner().busy()) return;
  TFormNGramOptions& dialog = *workspace.FormClusterOptions();
  if (dialog.exec() != QDialog::Accepted) return;
  const ngrams::NGramOptions options = dialog.Options();
  const ngrams::ClusterSide side = dialog.Side();
  // Capitals fold as the word list of the corpus folds them now.
  const bool lowerCase = workspace.Corpus().IgnoreCapital;
  auto list = std::make_shared<ngrams::NGramList>(ngrams::ListKind::Clusters);
  const QString of = QStringLiteral(" - ") + source.caption;
  QPointer<QWidget> owner = source.window;
  workspace.Runner().start(
      [list, table, options, side, lowerCase,
       &collator = workspace.Collator()](text::OperationHost& host) {
        ngrams::BuildClusters(*table, options, side, lowerCase, *list, collator, host);
      },
      [&workspace, list, of, owner, show](bool completed) {
        if (!completed || owner == nullptr) return;
        auto* clusters = new TFormNGrams(workspace, list, of);
        if (show) {
          show(clusters);
        } else if (auto* frame = FrameOf(owner)) {
          frame->AddChildWindow(clusters);
        } else {
          clusters->setAttribute(Qt::WA_DeleteOnClose);
          clusters->show();
        }
      },
      source.window);
}

}  // namespace lexvane::gui
