#include "cli/console.h"

#include "text/cut_word_report.h"

namespace lexvane::cli {

text::Answer ConsoleUserInterface::Ask(std::string_view caption, std::string_view text,
                                       text::Buttons buttons, text::Icon icon) {
  if (icon == text::Icon::Error) ++errors_;
  // A text that already opens with its caption ("Warning: The file ...") is
  // not prefixed a second time.
  const bool captioned =
      text.size() > caption.size() && text.starts_with(caption) && text[caption.size()] == ':';
  if (caption.empty() || caption == "Information" || captioned)
    err_ << text << '\n';
  else
    err_ << caption << ": " << text << '\n';
  switch (buttons) {
    case text::Buttons::YesNo:
    case text::Buttons::YesNoCancel:
      return text::Answer::Yes;
    default:
      return text::Answer::Ok;
  }
}

void ReportCutWords(const std::vector<std::string>& files, text::UserInterface& ui) {
  for (const std::string& file : files)
    ui.Ask("Warning", text::CutWordWarning(file), text::Buttons::Ok, text::Icon::Warning);
}

void ConsoleSearchIndicator::Start(std::string_view foundLabel) {
  label_ = foundLabel;
  file_.clear();
  words_ = sentences_ = found_ = 0;
  drawnAt_ = -1;
}

void ConsoleSearchIndicator::SetFile(std::string_view fileName) {
  file_ = fileName;
}

void ConsoleSearchIndicator::SetCounts(std::int64_t words, std::int64_t sentences,
                                       std::int64_t found) {
  words_ = words;
  sentences_ = sentences;
  found_ = found;
  // Redrawing every 1000 words would flood a slow terminal; every 100 000 is
  // plenty for the eye.
  if (show_ && (drawnAt_ < 0 || words_ - drawnAt_ >= 100000)) draw();
}

void ConsoleSearchIndicator::draw() {
  drawnAt_ = words_;
  err_ << "\r\x1b[K" << file_ << "  words " << words_ << "  sentences " << sentences_ << "  "
       << label_ << ' ' << found_ << std::flush;
}

void ConsoleSearchIndicator::Finish() {
  if (show_ && drawnAt_ >= 0) err_ << "\r\x1b[K" << std::flush;
}

void ConsoleProgressIndicator::Start(std::string_view title) {
  title_ = title;
  percent_ = -1;
}

void ConsoleProgressIndicator::SetGauge(int percent) {
  if (!show_ || percent == percent_) return;
  percent_ = percent;
  err_ << "\r\x1b[K" << title_ << ' ' << percent << '%' << std::flush;
}

void ConsoleProgressIndicator::Finish() {
  if (show_ && percent_ >= 0) err_ << "\r\x1b[K" << std::flush;
}

}  // namespace lexvane::cli
