// Where the frequency commands write their lines: the -o file (created or
// emptied) or standard output, byte for byte as the copy produces them, or
// decoded to UTF-8 with --output-encoding utf-8.
#pragma once

#include <fstream>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "frequency/frequency_copy.h"

namespace lexvane::cli {

class FrequencyOutput : public frequency::CopySink {
 public:
  // Opens `path` unless it is empty (then streams.out is used). Throws
  // text::Error when the file cannot be created.
  FrequencyOutput(const std::string& path, const Streams& streams);
  void Write(std::string_view bytes) override;
  // Flushes and closes; throws text::Error when writing failed.
  void Close();

 private:
  std::string path_;
  std::ofstream file_;
  std::ostream& out_;
  bool utf8_;
};

// Counts the error messages passed on to the console, so that a command can
// end with status 1 after a file it could not open.
class ErrorNotingUi : public text::UserInterface {
 public:
  explicit ErrorNotingUi(text::UserInterface& inner) : inner_(inner) {}
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override {
    if (icon == text::Icon::Error) ++errors;
    return inner_.Ask(caption, text, buttons, icon);
  }
  int errors = 0;

 private:
  text::UserInterface& inner_;
};

}  // namespace lexvane::cli
