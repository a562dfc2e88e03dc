// ChildWindowFactory: how the frame's three creating commands ("Word
// search...", "Advanced word search...", "Build word frequency list") make
// their child windows. The default one makes word frequency windows; a window
// kind that has none yet is answered as not available.
#pragma once

#include "gui/search/search_kind.h"

class QWidget;

namespace lexvane::gui {

class ChildWindow;
class Workspace;

class ChildWindowFactory {
 public:
  virtual ~ChildWindowFactory() = default;

  // A new concordance window for a search of `kind`, parented by the caller
  // into the frame and shown. The window runs its search dialog and builds
  // its table itself; it closes itself when the dialog is cancelled. Null
  // when no window was made.
  virtual ChildWindow* CreateConcordance(SearchKind kind, Workspace& workspace, QWidget* frame);
  // A new word frequency window that builds its list itself; null when none.
  virtual ChildWindow* CreateWordFreq(Workspace& workspace, QWidget* frame);
};

}  // namespace lexvane::gui
