// The subcommands of lexvane-cli. Each file cmd_<name>.cpp adds its own
// subcommand; Run parses and dispatches, in-process, so tests can call it.
#pragma once

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>

namespace lexvane::cli {

// Where a command writes: its output, its messages, and whether the messages
// go to a terminal (progress lines are shown only then).
struct Streams {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

// Every command without corpus files fails with this usage error.
inline constexpr const char* kNoCorpusFiles = "no corpus files (give FILE... or --list)";

// Each registers a subcommand whose callback runs the command and stores its
// exit status in `status`. Errors of the engine (text::Error) propagate.
void AddTokensCommand(CLI::App& app, Streams& streams, int& status);
void AddRetrieveCommand(CLI::App& app, Streams& streams, int& status);
void AddConcordCommand(CLI::App& app, Streams& streams, int& status);
void AddWordfreqCommand(CLI::App& app, Streams& streams, int& status);
void AddCollocCommand(CLI::App& app, Streams& streams, int& status);
void AddStatsCommand(CLI::App& app, Streams& streams, int& status);

// `stats --of wordfreq`: the statistics text of a word frequency list built
// from `command`'s corpus options (lives beside the wordfreq command).
class CorpusOptions;
int RunWordfreqStats(const CorpusOptions& corpus, Streams& streams);
// The same, written to `outputFile` unless it is empty.
int RunWordfreqStats(const CorpusOptions& corpus, const std::string& outputFile, Streams& streams);

// The whole command line: 0 done, 1 error (message on err), 2 usage error.
int Run(int argc, const char* const* argv, Streams& streams);

}  // namespace lexvane::cli
