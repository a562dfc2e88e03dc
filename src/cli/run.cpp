#include <exception>

#include "cli/commands.h"
#include "cli/output_text.h"
#include "text/error.h"

namespace lexvane::cli {

namespace {

// Flushes the output. Output that could not be written (a full disk, a closed
// pipe) is a failure, not a result.
int finish(Streams& streams, int status) {
  streams.out.flush();
  if (!streams.out) {
    streams.err << "lexvane-cli: cannot write the output\n";
    return kExitError;
  }
  return status;
}

// An option given twice takes its last value, so that an alias holding
// defaults can be overridden; repeatable options keep every value.
void lastOneWins(CLI::App& app) {
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
    for (CLI::Option* option : command->get_options())
      if (option->get_multi_option_policy() == CLI::MultiOptionPolicy::Throw)
        option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

}  // namespace

int Run(int argc, const char* const* argv, Streams& caller, const text::Collator& collator) {
  // The commands write through a copy that the parse completes with the
  // output encoding.
  Streams streams = caller;
  CLI::App app{"lexvane-cli: concordances, word frequency lists and collocates of a corpus",
               "lexvane-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "lexvane-cli " LEXVANE_VERSION, "Print the version and exit");
  int status = kExitOk;
  AddTokensCommand(app, streams, collator, status);
  AddRetrieveCommand(app, streams, collator, status);
  AddConcordCommand(app, streams, collator, status);
  AddWordfreqCommand(app, streams, collator, status);
  AddCollocCommand(app, streams, collator, status);
  AddStatsCommand(app, streams, collator, status);
  AddNGramsCommand(app, streams, collator, status);
  AddClustersCommand(app, streams, collator, status);
  AddKeywordsCommand(app, streams, collator, status);
  AddDispersionCommand(app, streams, collator, status);
  AddPlotCommand(app, streams, collator, status);
  AddOutputEncoding(app, streams);
  lastOneWins(app);
  const text::TerminalText terminal(streams.argumentCodeset);
  TranscodeTypedText(app, terminal);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    streams.out << app.help();
    return finish(streams, kExitOk);
  } catch (const CLI::CallForAllHelp& e) {
    streams.out << app.help("", CLI::AppFormatMode::All);
    return finish(streams, kExitOk);
  } catch (const CLI::CallForVersion& e) {
    streams.out << e.what() << '\n';
    return finish(streams, kExitOk);
  } catch (const CLI::ParseError& e) {
    streams.err << "lexvane-cli: " << e.what() << '\n';
    return kExitUsage;
  } catch (const std::exception& e) {
    // text::Error and every other failure of a command.
    streams.out.flush();
    streams.err << "lexvane-cli: " << e.what() << '\n';
    return kExitError;
  }
  return finish(streams, status);
}

}  // namespace lexvane::cli
