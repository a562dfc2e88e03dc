// lexvane-cli tokens: every word the scanner delivers, with its file index,
// offset and both sentence-end flags.
#include <unistd.h>

#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/output_text.h"
#include "text/block_scanner.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"

namespace lexvane::cli {

namespace {

// Prints each word as a line.
class TokenLines {
 public:
  TokenLines(Streams& streams, std::size_t index)
      : streams_(streams), prefix_(std::to_string(index) + '\t') {}
  bool Word(const text::ScanWord& word) {
    cut_ = cut_ || word.cut;
    line_ = prefix_;
    line_ += std::to_string(word.offset);
    line_ += word.simpleEnd ? "\t1\t" : "\t0\t";
    line_ += word.enhancedEnd ? "1\t" : "0\t";
    line_ += word.text;
    line_ += '\n';
    WriteText(streams_.out, line_, streams_);
    return true;
  }
  bool Cut() const { return cut_; }

 private:
  Streams& streams_;
  std::string prefix_;
  std::string line_;
  bool cut_ = false;
};

}  // namespace

void AddTokensCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                      int& status) {
  CLI::App* command = app.add_subcommand(
      "tokens",
      "Print every word of the corpus, one per line: file index, byte offset, simple sentence "
      "end (0/1), enhanced sentence end (0/1) and the word, separated by tabs.");
  command->footer(
      "Files are scanned in corpus order (index 0 is the first). Words are printed as the "
      "scanner delivers them: with --tagged their tags are not stripped. A word longer than 255 "
      "characters is printed cut to its first 255 and reported once per file on standard error. "
      "A file that cannot be opened is reported, the others are scanned, and the exit status is "
      "1.");
  auto options = std::make_shared<CorpusOptions>();
  options->AddTo(*command);
  command->callback([&streams, &collator, &status, options] {
    Console console(streams.err, streams.errIsTerminal);
    const corpus::CorpusSettings settings = options->Build(console.ui, collator);
    if (settings.Files.Empty()) throw CLI::ValidationError(options->NoFilesMessage());
    text::ScanOptions scan;
    scan.crlf = settings.CRLFAsSeparator;
    const text::ScanSetup setup(corpus::ScannerSets(settings), scan);
    text::BlockScanner<TokenLines> scanner(setup);
    status = kExitOk;
    for (std::size_t index = 0; index < settings.Files.Count(); ++index) {
      const std::string& path = settings.Files[index];
      int error = 0;
      const int fd = text::OpenCorpusFile(path, text::FileAccess::OnePass, error);
      if (fd < 0) {
        console.ui.ShowError(text::OpenErrorMessage(path, error));
        status = kExitError;
        continue;
      }
      TokenLines lines(streams, index);
      const text::ScanEnd end = scanner.ScanFile(lines, fd, 0, -1, text::CanSeek(fd));
      ::close(fd);
      if (end.readError != 0) throw text::Error(text::FileErrorMessage(path, end.readError));
      if (lines.Cut()) ReportCutWords({path}, console.ui);
    }
  });
}

}  // namespace lexvane::cli
