#include "cli/commands.h"

namespace lexvane::cli {

void AddStatsCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("stats", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: stats is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
