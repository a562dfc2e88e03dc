// `lexvane-cli plot`: the concordance plot of a query (built, sorted and
// thinned as `concord` does) written as a PNG image or an SVG document, the
// picture the plot window saves. The drawing is done by lexvane-cli-plot.so
// (plot_picture.h), loaded here: the rest of the command line never loads
// Qt.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/plot_picture.h"
#include "concordance/concordance_builder.h"
#include "concordance/concordance_plot.h"
#include "text/encoding.h"

namespace lexvane::cli {

namespace {

struct PlotCommand {
  CorpusOptions corpus;
  ConcordOptions options;
  std::string png;
  std::string svg;
  int width = 900;
  double scale = 1;
  bool sizeScaled = false;
  bool noFigures = false;
};

// The drawing module: beside the program (the build tree), else where it
// is installed, relative to the program's folder. Nothing when neither
// loads; `error` then says why.
WritePlotFunction loadPlotWriter(std::string& error) {
  std::error_code failed;
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe", failed).parent_path();
  for (const std::filesystem::path& path :
       {folder / kPlotModuleName, folder / LEXVANE_PLOT_MODULE_FOLDER / kPlotModuleName}) {
    if (!std::filesystem::exists(path, failed)) continue;
    // Loaded for good: the drawing's Qt stays until the program ends.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      error = dlerror();
      return nullptr;
    }
    if (void* entry = dlsym(module, kWritePlotSymbol))
      return reinterpret_cast<WritePlotFunction>(entry);
    error = path.string() + ": " + dlerror();
    return nullptr;
  }
  error = std::string(kPlotModuleName) + " is not installed beside " + folder.string() +
          " nor in " + (folder / LEXVANE_PLOT_MODULE_FOLDER).lexically_normal().string();
  return nullptr;
}

// The query is built twice (for the table, then for its caption): its
// messages were shown the first time.
class QuietUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons buttons, text::Icon) override {
    return buttons == text::Buttons::YesNo || buttons == text::Buttons::YesNoCancel
               ? text::Answer::Yes
               : text::Answer::Ok;
  }
};

int runPlot(const PlotCommand& command, Streams& streams, const text::Collator& collator) {
  if (command.png.empty() && command.svg.empty())
    throw CLI::ValidationError("plot", "give --png FILE or --svg FILE (or both)");
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest, collator);
  const concordance::ConcordancePlot plot(*table);
  std::string error;
  const WritePlotFunction writePlot = loadPlotWriter(error);
  if (writePlot == nullptr) {
    console.ui.ShowError("Cannot load the plot drawing: " + error);
    return kExitError;
  }
  QuietUi quiet;
  const std::string caption =
      concordance::ConcordanceCaption(BuildQuery(command.options, quiet, table->TextEncoding));
  PlotPicture picture;
  picture.plot = &plot;
  picture.title = text::IsUtf8(table->TextEncoding) ? caption : text::ansiToUtf8(caption);
  picture.width = command.width;
  picture.scale = command.scale;
  picture.sizeScaled = command.sizeScaled;
  picture.figures = !command.noFigures;
  picture.png = command.png;
  picture.svg = command.svg;
  if (!writePlot(picture, console.ui)) return kExitError;
  return console.ui.Errors() > 0 ? kExitError : kExitOk;
}

}  // namespace

void AddPlotCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status) {
  CLI::App* sub = app.add_subcommand(
      "plot", "the concordance plot: where the hits fall in each corpus file, as PNG or SVG");
  auto command = std::make_shared<PlotCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->options);
  AddSortOptions(*sub, command->options);
  sub->add_option("--png", command->png, "write the plot as a PNG image to FILE");
  sub->add_option("--svg", command->svg, "write the plot as an SVG document to FILE");
  sub->add_option("--width", command->width, "the picture's width in pixels (default 900)")
      ->check(CLI::Range(320, 20000));
  sub->add_option("--scale", command->scale,
                  "PNG pixels per picture pixel (default 1; 2 for sharp print)")
      ->check(CLI::Range(0.25, 8.0));
  sub->add_flag("--size-scaled", command->sizeScaled,
                "bars as long as their files are large (default: all bars equal)");
  sub->add_flag("--no-figures", command->noFigures, "leave out the dispersion figures");
  sub->footer(
      "One bar per corpus file in corpus order, with its words, hits and hits per 1000 "
      "words; a tick per hit at its byte offset over the file's size. Below, the "
      "dispersion figures that `dispersion` prints.");
  sub->callback(
      [command, &streams, &collator, &status] { status = runPlot(*command, streams, collator); });
}

}  // namespace lexvane::cli
