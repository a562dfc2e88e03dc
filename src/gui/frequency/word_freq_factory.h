// Making a word frequency window: the frame's "Build word frequency list"
// command through ChildWindowFactory::CreateWordFreq.
#pragma once

class QWidget;

namespace lexvane::gui {

class ChildWindow;
class WindowHost;

// A new word frequency window over the workspace's corpus whose build has
// started (the list shows when it ends); null when no build could start.
ChildWindow* CreateWordFreqWindow(WindowHost& workspace, QWidget* frame);

}  // namespace lexvane::gui
