// The command line's answers to the engine's questions: messages go to
// standard error and the work goes on as after the default button (OK, Yes).
// Progress is a single rewritten line on standard error, shown only when
// standard error is a terminal.
#pragma once

#include <atomic>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "text/progress.h"
#include "text/user_interface.h"

namespace lexvane::cli {

class ConsoleUserInterface : public text::UserInterface {
 public:
  explicit ConsoleUserInterface(std::ostream& err) : err_(err) {}
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override;
  // How many messages with the error icon were written (a corpus file that
  // could not be opened, ...).
  int Errors() const { return errors_; }

 private:
  std::ostream& err_;
  int errors_ = 0;
};

class ConsoleSearchIndicator : public text::SearchIndicator {
 public:
  ConsoleSearchIndicator(std::ostream& err, bool show) : err_(err), show_(show) {}
  void Start(std::string_view foundLabel) override;
  void SetFile(std::string_view fileName) override;
  void SetCounts(std::int64_t words, std::int64_t sentences, std::int64_t found) override;
  bool Cancelled() const override { return false; }
  void Finish() override;

 private:
  void draw();
  std::ostream& err_;
  bool show_;
  std::string label_, file_;
  std::int64_t words_ = 0, sentences_ = 0, found_ = 0;
  std::int64_t drawnAt_ = -1;
};

class ConsoleProgressIndicator : public text::ProgressIndicator {
 public:
  ConsoleProgressIndicator(std::ostream& err, bool show) : err_(err), show_(show) {}
  void Start(std::string_view title) override;
  void SetGauge(int percent) override;
  bool Cancelled() const override { return false; }
  void Finish() override;

 private:
  std::ostream& err_;
  bool show_;
  std::string title_;
  int percent_ = -1;
};

// One warning line per file in which the build cut a word longer than 255
// characters; the exit status stays as it is.
void ReportCutWords(const std::vector<std::string>& files, text::UserInterface& ui);

// The three together, for one run of a command.
struct Console {
  Console(std::ostream& err, bool errIsTerminal)
      : ui(err), search(err, errIsTerminal), progress(err, errIsTerminal) {}
  ConsoleUserInterface ui;
  ConsoleSearchIndicator search;
  ConsoleProgressIndicator progress;
  text::OperationHost Host() { return {ui, search, progress}; }
};

}  // namespace lexvane::cli
