// The corpus options shared by every command: a list file, corpus files given
// directly, and overrides of the scanning options applied after the list is
// read. Without a list the start-up values hold.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "corpus/corpus_settings.h"
#include "text/user_interface.h"

namespace lexvane::cli {

class CorpusOptions {
 public:
  // Adds -l/--list, FILE... and the overrides to `command`.
  void AddTo(CLI::App& command);
  // Builds the corpus: the list (if any), then the files (made absolute),
  // then the overrides. Missing files are reported through ui.
  corpus::CorpusSettings Build(text::UserInterface& ui) const;
  // The usage error of a corpus without files: a list given names none, or
  // neither a list nor a file was given.
  std::string NoFilesMessage() const;
  // The FILE arguments as given on the command line.
  const std::vector<std::string>& Files() const { return files_; }

 private:
  std::string list_;
  std::vector<std::string> files_;
  std::string wordSeparators_, sentenceSeparators_;
  CLI::Option* wordSeparatorsOption_ = nullptr;
  CLI::Option* sentenceSeparatorsOption_ = nullptr;
  struct Toggle {
    bool value = false;
    CLI::Option* option = nullptr;
  };
  Toggle dos_, enhanced_, crlf_, ignoreCase_, tagged_;
};

}  // namespace lexvane::cli
