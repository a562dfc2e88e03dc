// lexvane-cli retrieve: the left context, keyword and right context of the
// word at a byte offset of one file, as sentence retrieval cuts them.
#include <cstdint>
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/output_text.h"
#include "text/sentence_retrieval.h"

namespace lexvane::cli {

void AddRetrieveCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status) {
  CLI::App* command = app.add_subcommand(
      "retrieve",
      "Print the sentence around a byte offset of FILE: left context, keyword and right "
      "context, separated by tabs.");
  command->footer(
      "The sentence rules follow --enhanced/--no-enhanced and --crlf/--no-crlf and the "
      "separators of the corpus options. An offset at or beyond the end of the file prints "
      "three empty fields.");
  struct Arguments {
    CorpusOptions options;
    std::int64_t offset = 0;
  };
  auto arguments = std::make_shared<Arguments>();
  // A negative or malformed offset is named as such (CLI11's own check of
  // non-negative numbers prints the range of a double).
  const CLI::Validator byteOffset(
      [](std::string& text) {
        std::int64_t value = 0;
        if (!CLI::detail::lexical_cast(text, value) || value < 0)
          return "expected a byte offset, 0 or more: " + text;
        return std::string();
      },
      "", "BYTE_OFFSET");
  command->add_option("--offset", arguments->offset, "byte offset of the keyword (from 0)")
      ->required()
      ->check(byteOffset);
  arguments->options.AddTo(*command);
  command->callback([&streams, &collator, &status, arguments] {
    if (arguments->options.Files().size() != 1) {
      streams.err << "lexvane-cli: retrieve: give exactly one FILE\n";
      status = kExitUsage;
      return;
    }
    Console console(streams.err, streams.errIsTerminal);
    const corpus::CorpusSettings settings = arguments->options.Build(console.ui, collator);
    text::Sentence sentence;
    text::RetrieveSentence(arguments->options.Files().front(), arguments->offset,
                           settings.CRLFAsSeparator, settings.EnhSentDetect,
                           corpus::ScannerSets(settings), sentence);
    const std::string line = sentence.left + '\t' + sentence.keyword + '\t' + sentence.right + '\n';
    WriteText(streams.out, line, streams);
    status = kExitOk;
  });
}

}  // namespace lexvane::cli
