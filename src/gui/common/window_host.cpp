#include "gui/common/window_host.h"

#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

WindowHost::WindowHost(text::Collator collator,
                       concordance::ConcordanceWindowSettings windowSettings)
    : help_(std::make_unique<HelpDesk>()),
      collator_(std::move(collator)),
      windowSettings_(windowSettings),
      ui_(std::make_unique<GuiUserInterface>(*help_)) {}

WindowHost::~WindowHost() {
  // A running operation refers to the indicators: stop it while they exist.
  runner_.reset();
}

void WindowHost::StopOperations() {
  if (runner_) runner_->stop();
}

}  // namespace lexvane::gui
