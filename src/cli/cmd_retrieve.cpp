#include "cli/commands.h"

namespace lexvane::cli {

void AddRetrieveCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("retrieve", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: retrieve is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
