// lexvane-cli tokens: every word the scanner delivers, with its file index,
// offset and both sentence-end flags.
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/output_text.h"
#include "text/text_scanner.h"

namespace lexvane::cli {

void AddTokensCommand(CLI::App& app, Streams& streams, int& status) {
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
  command->callback([&streams, &status, options] {
    Console console(streams.err, streams.errIsTerminal);
    const corpus::CorpusSettings settings = options->Build(console.ui);
    if (settings.Files.Empty()) throw CLI::ValidationError(options->NoFilesMessage());
    text::TextScanner scanner(corpus::ScannerSets(settings));
    status = kExitOk;
    std::string line;
    text::ScannedWord word;
    for (std::size_t index = 0; index < settings.Files.Count(); ++index) {
      if (!scanner.OpenFile(settings.Files[index], console.ui)) {
        status = kExitError;
        continue;
      }
      const std::string prefix = std::to_string(index) + '\t';
      bool cut = false;
      while (scanner.ReadWord(word, settings.CRLFAsSeparator)) {
        cut = cut || word.cut;
        line = prefix;
        line += std::to_string(word.offset);
        line += word.simpleEnd ? "\t1\t" : "\t0\t";
        line += word.enhancedEnd ? "1\t" : "0\t";
        line += word.word;
        line += '\n';
        WriteText(streams.out, line, streams);
      }
      scanner.CloseFile();
      if (cut) ReportCutWords({settings.Files[index]}, console.ui);
    }
  });
}

}  // namespace lexvane::cli
