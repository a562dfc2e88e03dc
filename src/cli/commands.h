// The subcommands of lexvane-cli. Each file cmd_<name>.cpp adds its own
// subcommand; Run parses and dispatches, in-process, so tests can call it.
#pragma once

#include <ostream>
#include <string>
#include <utility>

#include <CLI/CLI.hpp>

#include "text/collation.h"

namespace lexvane::cli {

// Where a command writes: its output, its messages, and whether the messages
// go to a terminal (progress lines are shown only then); and the encodings
// of the command line's own text and of the output.
struct Streams {
  Streams(std::ostream& output, std::ostream& errors, bool errorsToTerminal = false,
          std::string codeset = {})
      : out(output),
        err(errors),
        errIsTerminal(errorsToTerminal),
        argumentCodeset(std::move(codeset)) {}
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  // The character set of masks, separators and delimiters typed on the
  // command line (text::LocaleCodeset() in the program); empty: they are
  // corpus bytes as they stand.
  std::string argumentCodeset;
  // --output-encoding: empty writes the bytes the desktop program's copy
  // writes; "utf-8" decodes corpus text to UTF-8.
  std::string outputEncoding;
  bool Utf8Output() const { return outputEncoding == "utf-8"; }
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

// Every command without corpus files fails with this usage error.
inline constexpr const char* kNoCorpusFiles = "no corpus files (give FILE... or --list)";

// Each registers a subcommand whose callback runs the command and stores its
// exit status in `status`. Errors of the engine (text::Error) propagate.
void AddTokensCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status);
void AddRetrieveCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status);
void AddConcordCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                       int& status);
void AddWordfreqCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status);
void AddCollocCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status);
void AddStatsCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status);
void AddNGramsCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status);
void AddClustersCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status);
void AddKeywordsCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status);
void AddDispersionCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                          int& status);
void AddPlotCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status);

// `stats --of wordfreq`: the statistics text of a word frequency list built
// from `command`'s corpus options (lives beside the wordfreq command).
class CorpusOptions;
int RunWordfreqStats(const CorpusOptions& corpus, Streams& streams, const text::Collator& collator);
// The same, written to `outputFile` unless it is empty.
int RunWordfreqStats(const CorpusOptions& corpus, const std::string& outputFile, Streams& streams,
                     const text::Collator& collator);
// The same, or with `exportChoice` chosen the figures as an exported table.
struct ExportChoice;
int RunWordfreqStats(const CorpusOptions& corpus, const std::string& outputFile,
                     const ExportChoice& exportChoice, Streams& streams,
                     const text::Collator& collator);

// The whole command line: 0 done, 1 error (message on err), 2 usage error.
// Every sort and comparison of the commands uses `collator`.
int Run(int argc, const char* const* argv, Streams& streams, const text::Collator& collator);

}  // namespace lexvane::cli
