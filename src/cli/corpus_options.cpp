#include "cli/corpus_options.h"

#include <filesystem>

#include "cli/commands.h"
#include "corpus/list_files.h"

namespace lexvane::cli {

namespace {

void addToggle(CLI::App& command, const std::string& names, bool& value, CLI::Option*& option,
               const std::string& help) {
  option = command.add_flag(names, value, help);
}

// Answers OK to everything and shows nothing: the list's own recount, when a
// second recount follows that reports each missing file once.
class QuietUserInterface : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
};

}  // namespace

void CorpusOptions::AddTo(CLI::App& command) {
  command.add_option("-l,--list", list_, "list file (.CTL Text List or older File List)");
  // An empty name names no file; it would only fail later and less clearly.
  const CLI::Validator notEmpty(
      [](std::string& name) { return name.empty() ? std::string("empty file name") : ""; }, "",
      "NOT_EMPTY");
  command.add_option("files", files_, "corpus files")->check(notEmpty);
  wordSeparatorsOption_ =
      command.add_option("--word-separators", wordSeparators_, "word separator characters");
  sentenceSeparatorsOption_ = command.add_option("--sentence-separators", sentenceSeparators_,
                                                 "sentence separator characters");
  addToggle(command, "--dos,!--no-dos", dos_.value, dos_.option,
            "files are DOS (code page 850) text");
  addToggle(command, "--enhanced,!--no-enhanced", enhanced_.value, enhanced_.option,
            "enhanced sentence end detection");
  addToggle(command, "--crlf,!--no-crlf", crlf_.value, crlf_.option,
            "a line break ends a sentence");
  addToggle(command, "--ignore-case,!--case-sensitive", ignoreCase_.value, ignoreCase_.option,
            "fold words to lower case in frequency lists");
  addToggle(command, "--tagged,!--no-tagged", tagged_.value, tagged_.option,
            "words carry <TAG> prefixes");
}

corpus::CorpusSettings CorpusOptions::Build(text::UserInterface& ui) const {
  corpus::CorpusSettings settings;
  if (!list_.empty()) {
    QuietUserInterface quiet;
    text::UserInterface& listUi = files_.empty() ? ui : quiet;
    corpus::OpenListFile(std::filesystem::absolute(list_).lexically_normal().string(), settings,
                         listUi);
  }
  for (const std::string& file : files_)
    settings.Files.Add(std::filesystem::absolute(file).lexically_normal().string());
  if (wordSeparatorsOption_->count() > 0) settings.WordSeparators = wordSeparators_;
  if (sentenceSeparatorsOption_->count() > 0) settings.SentenceSeparators = sentenceSeparators_;
  if (dos_.option->count() > 0)
    settings.TextEncoding = dos_.value ? text::Encoding::Dos850 : text::Encoding::Windows1252;
  if (enhanced_.option->count() > 0) settings.EnhSentDetect = enhanced_.value;
  if (crlf_.option->count() > 0) settings.CRLFAsSeparator = crlf_.value;
  if (ignoreCase_.option->count() > 0) settings.IgnoreCapital = ignoreCase_.value;
  if (tagged_.option->count() > 0) settings.TaggedText = tagged_.value;
  if (!files_.empty()) settings.RecountFiles(ui);
  return settings;
}

std::string CorpusOptions::NoFilesMessage() const {
  if (!list_.empty() && files_.empty()) return "no corpus files: " + list_ + " names none";
  return kNoCorpusFiles;
}

}  // namespace lexvane::cli
