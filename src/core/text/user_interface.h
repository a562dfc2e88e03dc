// What the engine asks of a user: modal messages with buttons. The engine
// never shows anything itself; the desktop program answers with message
// boxes, the command line with standard error (and the default button), and
// tests with scripted answers.
#pragma once

#include <string>
#include <string_view>

namespace lexvane::text {

enum class Answer { Ok, Cancel, Yes, No };
enum class Buttons { Ok, OkCancel, OkCancelHelp, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Error, Question };

// The answer of a box closed without a choice (Esc, the close box): OK for
// OK alone, No for Yes/No, Cancel otherwise.
inline Answer EscapeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Shows `text` under `caption` and returns the button chosen. Help is
  // handled by the front end itself and never returned.
  virtual Answer Ask(std::string_view caption, std::string_view text, Buttons buttons,
                     Icon icon) = 0;

  // Conveniences over Ask with the OK button alone.
  void ShowError(std::string_view text) { Ask("Error", text, Buttons::Ok, Icon::Error); }
  void ShowWarning(std::string_view text) { Ask("Warning", text, Buttons::Ok, Icon::Warning); }
  void ShowInformation(std::string_view text) {
    Ask("Information", text, Buttons::Ok, Icon::Information);
  }
};

}  // namespace lexvane::text
