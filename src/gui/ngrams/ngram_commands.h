// The commands that make n-gram and cluster windows: the frame's "N-gram
// list..." and the concordance window's "Clusters...". Each shows its
// options dialog; the build runs on the worker thread under the indicators.
// GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QPointer>
#include <QString>

#include "concordance/concordance_table.h"
#include "gui/common/concordance_sources.h"

class QWidget;

namespace lexvane::gui {

class ChildWindow;
class TFormNGrams;
class WindowHost;

// A new n-gram window whose build has started (the list shows when it
// ends); null when the options dialog was cancelled or no build could start.
ChildWindow* CreateNGramWindow(WindowHost& workspace, QWidget* frame);

// Shows a finished cluster window (tests catch it here); by default the
// frame of the concordance window takes it.
using ShowClusterWindow = std::function<void(TFormNGrams* window)>;

// The clusters of the window's concordance: the options dialog, then the
// build on the worker thread with the window as owner; the cluster window
// ("Clusters - " and the caption) is made when it ends. Nothing while the
// runner is busy or the window has no table.
void RunClustersCommand(WindowHost& workspace, const ClusterSource& source,
                        ShowClusterWindow show = {});

}  // namespace lexvane::gui
