#include "cli/commands.h"

namespace lexvane::cli {

void AddWordfreqCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("wordfreq", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: wordfreq is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
