#include "gui/frequency/word_freq_factory.h"

#include "gui/frequency/form_word_freq.h"

namespace lexvane::gui {

ChildWindow* CreateWordFreqWindow(WindowHost& workspace, QWidget* frame) {
  auto* window = new TFormWordFreq(workspace, frame);
  if (!window->Build()) {
    delete window;
    return nullptr;
  }
  return window;
}

}  // namespace lexvane::gui
