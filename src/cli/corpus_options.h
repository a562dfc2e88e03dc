// The corpus options shared by every command: a list file, corpus files given
// directly, and overrides of the scanning options applied after the list is
// read. Without a list the start-up values hold.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "corpus/corpus_settings.h"
#include "text/encoding.h"
#include "text/user_interface.h"

namespace lexvane::cli {

// The warning of an 8-bit corpus whose files look like UTF-8 text.
inline constexpr const char* kLooksUtf8Warning =
    "the corpus files look like UTF-8 text; give --encoding utf-8 to read them as UTF-8.";

class CorpusOptions {
 public:
  // Adds -l/--list, FILE... and the overrides to `command`.
  void AddTo(CLI::App& command);
  // Builds the corpus: the list (if any), then the files (made absolute),
  // then the overrides. Missing files are reported through ui.
  corpus::CorpusSettings Build(text::UserInterface& ui, const text::Collator& collator) const;
  // The usage error of a corpus without files: a list given names none, or
  // neither a list nor a file was given.
  std::string NoFilesMessage() const;
  // The encoding of the corpus (corpus_encoding.h); once the command line
  // is parsed.
  text::Encoding Encoding() const;
  // The FILE arguments as given on the command line.
  const std::vector<std::string>& Files() const { return files_; }

 private:
  CLI::App* command_ = nullptr;
  std::string list_;
  std::string encoding_;
  CLI::Option* encodingOption_ = nullptr;
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
