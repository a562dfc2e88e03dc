#include <exception>

#include "cli/commands.h"
#include "text/error.h"

namespace lexvane::cli {

int Run(int argc, const char* const* argv, Streams& streams) {
  CLI::App app{"lexvane-cli: concordances, word frequency lists and collocates of a corpus",
               "lexvane-cli"};
  app.require_subcommand(1);
  int status = kExitOk;
  AddTokensCommand(app, streams, status);
  AddRetrieveCommand(app, streams, status);
  AddConcordCommand(app, streams, status);
  AddWordfreqCommand(app, streams, status);
  AddCollocCommand(app, streams, status);
  AddStatsCommand(app, streams, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    streams.out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp& e) {
    streams.out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    streams.err << "lexvane-cli: " << e.what() << '\n';
    return kExitUsage;
  } catch (const text::Error& e) {
    streams.out.flush();
    streams.err << "lexvane-cli: " << e.what() << '\n';
    return kExitError;
  } catch (const std::exception& e) {
    streams.out.flush();
    streams.err << "lexvane-cli: " << e.what() << '\n';
    return kExitError;
  }
  streams.out.flush();
  return status;
}

}  // namespace lexvane::cli
