// Workspace: the application's WindowHost, what lives for the whole run of
// the desktop program besides the main window. Besides the host's shared
// state and services (among them the collator every sort and comparison of
// the run uses, resolved once at start-up) it makes the long-lived dialogs and indicator windows
// of every window kind (created once, in start-up order, and reused), holds
// the factory of the frame's child windows, and opens the windows that one
// window makes of another kind (a concordance's collocates and clusters).
// Nothing of it is process-wide, so two workspaces (two tests) never see
// each other's answerer, help, choosers or collator. GUI thread only.
#pragma once

#include <memory>

#include "gui/app/child_window_factory.h"
#include "gui/common/window_host.h"

class QWidget;

namespace lexvane::gui {

class Workspace : public WindowHost {
 public:
  explicit Workspace(text::Collator collator,
                     concordance::ConcordanceWindowSettings windowSettings = {});
  ~Workspace() override;

  // Creates the long-lived windows as children of the main window, in the
  // start-up order: TFormAbout, TFormFileList, TFormProgressInd,
  // TFormSearch, TFormProgressInd, TFormSortConcord, TFormSearchInd,
  // TFormSearchAdv, TFormLemmaList (the copy, statistics and collocate
  // dialogs take their places in this order as they arrive), then the
  // dialogs of the association measures and keyword lists. The lemma list
  // is made first of all, as both search dialogs hand it their files.
  void CreateDialogs(QWidget* mainWindow);

  ChildWindowFactory& Factory() { return *factory_; }
  void SetFactory(std::unique_ptr<ChildWindowFactory> factory) { factory_ = std::move(factory); }
  // The kind of the next search.
  SearchKind NextSearchKind = SearchKind::Simple;

  void OpenCollocates(const CollocateSource& source) override;
  void OpenClusters(const ClusterSource& source) override;

 private:
  std::unique_ptr<ChildWindowFactory> factory_;
};

}  // namespace lexvane::gui
