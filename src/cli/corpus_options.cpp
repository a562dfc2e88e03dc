#include "cli/corpus_options.h"

#include <filesystem>

#include "cli/commands.h"
#include "cli/corpus_encoding.h"
#include "corpus/list_files.h"
#include "text/character_sets.h"
#include "text/utf8_detection.h"

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
  command_ = &command;
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
            "files are DOS (code page 850) text: --encoding cp850 (--no-dos: cp1252)");
  encodingOption_ =
      command
          .add_option("--encoding", encoding_,
                      "the text encoding of the files: cp1252 (Windows-1252, the default), cp850 "
                      "(DOS) or utf-8; the last of --encoding and --dos given wins")
          ->check(CLI::IsMember({std::string(kEncodingCp1252), std::string(kEncodingCp850),
                                 std::string(kEncodingUtf8)}));
  addToggle(command, "--enhanced,!--no-enhanced", enhanced_.value, enhanced_.option,
            "enhanced sentence end detection");
  addToggle(command, "--crlf,!--no-crlf", crlf_.value, crlf_.option,
            "a line break ends a sentence");
  addToggle(command, "--ignore-case,!--case-sensitive", ignoreCase_.value, ignoreCase_.option,
            "fold words to lower case in frequency lists");
  addToggle(command, "--tagged,!--no-tagged", tagged_.value, tagged_.option,
            "words carry <TAG> prefixes");
}

corpus::CorpusSettings CorpusOptions::Build(text::UserInterface& ui,
                                            const text::Collator& collator) const {
  corpus::CorpusSettings settings;
  if (!list_.empty()) {
    QuietUserInterface quiet;
    text::UserInterface& listUi = files_.empty() ? ui : quiet;
    corpus::OpenListFile(std::filesystem::absolute(list_).lexically_normal().string(), settings,
                         collator, listUi);
  }
  for (const std::string& file : files_)
    settings.Files.Add(std::filesystem::absolute(file).lexically_normal().string(), collator);
  if (wordSeparatorsOption_->count() > 0) settings.WordSeparators = wordSeparators_;
  if (sentenceSeparatorsOption_->count() > 0) settings.SentenceSeparators = sentenceSeparators_;
  if (dos_.option->count() > 0 || encodingOption_->count() > 0) settings.TextEncoding = Encoding();
  // A UTF-8 corpus without a list or separators of its own gets the UTF-8
  // defaults, with the typographic punctuation.
  if (list_.empty() && wordSeparatorsOption_->count() == 0)
    settings.WordSeparators = text::DefaultWordSeparators(settings.TextEncoding);
  if (enhanced_.option->count() > 0) settings.EnhSentDetect = enhanced_.value;
  if (crlf_.option->count() > 0) settings.CRLFAsSeparator = crlf_.value;
  if (ignoreCase_.option->count() > 0) settings.IgnoreCapital = ignoreCase_.value;
  if (tagged_.option->count() > 0) settings.TaggedText = tagged_.value;
  if (!files_.empty()) settings.RecountFiles(ui);
  if (!text::IsUtf8(settings.TextEncoding) &&
      text::SampleFilesForUtf8(settings.Files.Paths()).LooksUtf8())
    ui.Ask("Warning", kLooksUtf8Warning, text::Buttons::Ok, text::Icon::Warning);
  return settings;
}

text::Encoding CorpusOptions::Encoding() const {
  return command_ != nullptr ? CommandEncoding(*command_) : text::Encoding::Windows1252;
}

std::string CorpusOptions::NoFilesMessage() const {
  if (!list_.empty() && files_.empty()) return "no corpus files: " + list_ + " names none";
  return kNoCorpusFiles;
}

}  // namespace lexvane::cli
