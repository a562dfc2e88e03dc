#include "cli/commands.h"

namespace lexvane::cli {

void AddCollocCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("colloc", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: colloc is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
