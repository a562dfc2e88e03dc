#include "cli/commands.h"

namespace lexvane::cli {

void AddTokensCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* command = app.add_subcommand("tokens", "not built yet");
  command->callback([&streams, &status] {
    streams.err << "lexvane-cli: tokens is not built yet\n";
    status = kExitError;
  });
}

}  // namespace lexvane::cli
