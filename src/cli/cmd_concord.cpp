#include "cli/commands.h"

namespace lexvane::cli {

void AddConcordCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("concord", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: concord is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
