// `lexvane-cli plot`: the concordance plot of a query (built, sorted and
// thinned as `concord` does) written as a PNG image or an SVG document, the
// picture the plot window saves. The one file of the command line that uses
// Qt: QtGui on the offscreen platform draws it, no window is ever shown.
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "concordance/concordance_builder.h"
#include "concordance/concordance_plot.h"
#include "gui/painting/plot_painter.h"
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

// Text and fonts need a QGuiApplication; the command line's never shows a
// window, so it runs on the offscreen platform whatever the environment
// says. One made here lives until the command ends.
std::unique_ptr<QGuiApplication> guiApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes on its own set-up (a missing runtime folder, say) are no
  // message of this command; what keeps it from drawing still shows.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      std::fprintf(stderr, "lexvane-cli: %s\n", message.toLocal8Bit().constData());
  });
  static int argc = 1;
  static char name[] = "lexvane-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
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

bool writeFile(const std::string& path, const QByteArray& bytes, text::UserInterface& ui) {
  QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    ui.ShowError("Cannot create file " + path);
    return false;
  }
  return true;
}

int runPlot(const PlotCommand& command, Streams& streams, const text::Collator& collator) {
  if (command.png.empty() && command.svg.empty())
    throw CLI::ValidationError("plot", "give --png FILE or --svg FILE (or both)");
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest, collator);
  const concordance::ConcordancePlot plot(*table);
  const auto app = guiApplication();
  QuietUi quiet;
  const std::string caption =
      concordance::ConcordanceCaption(BuildQuery(command.options, quiet, table->TextEncoding));
  gui::PlotStyle style;
  style.Width = command.width;
  style.Scale = command.sizeScaled ? concordance::BarScale::FileSize : concordance::BarScale::Equal;
  style.Figures = !command.noFigures;
  style.Title = QString::fromStdString(
      text::IsUtf8(table->TextEncoding) ? caption : text::ansiToUtf8(caption));
  QFont font = QGuiApplication::font();
  font.setPixelSize(13);
  const gui::PlotPainter painter(plot, font, style);
  bool written = true;
  if (!command.png.empty()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    painter.Image(command.scale).save(&buffer, "PNG");
    written = writeFile(command.png, bytes, console.ui) && written;
  }
  if (!command.svg.empty())
    written = writeFile(command.svg, painter.Svg(style.Title), console.ui) && written;
  if (!written) return kExitError;
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
