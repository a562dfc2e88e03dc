// What a concordance window hands the commands that make windows from its
// table: the collocate frequency window ("Frequency of collocates...") and
// the cluster window ("Clusters..."). The window reaches them through
// WindowHost::OpenCollocates and WindowHost::OpenClusters, so it needs no
// header of the frequency or n-gram windows. GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QString>

class QWidget;

namespace lexvane::concordance {
class ConcordanceTable;
}

namespace lexvane::gui {

// What the collocate command needs of its concordance window.
struct CollocateSource {
  // The concordance window: owner of the build and of the new window.
  QWidget* window = nullptr;
  std::shared_ptr<concordance::ConcordanceTable> table;
  // The concordance window's caption.
  QString caption;
  // Runs the window's sort dialog and sort, then calls its argument with
  // whether the table is sorted (TFormConcordance::SortThen).
  std::function<void(std::function<void(bool sorted)>)> sortThen;
};

// A concordance window's part in the cluster command: the window (the owner
// of the build), its table and its caption.
struct ClusterSource {
  QWidget* window;
  std::shared_ptr<concordance::ConcordanceTable> table;
  QString caption;
};

}  // namespace lexvane::gui
