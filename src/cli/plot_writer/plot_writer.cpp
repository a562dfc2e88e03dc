// lexvane-cli-plot.so: the drawing half of `lexvane-cli plot`. QtGui on the
// offscreen platform draws the picture the plot window saves; no window is
// ever shown.
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include "cli/plot_picture.h"
#include "gui/painting/plot_painter.h"

namespace lexvane::cli {

namespace {

// Text and fonts need a QGuiApplication; the command line's never shows a
// window, so it runs on the offscreen platform whatever the environment
// says. One made here lives until the drawing is done.
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

bool writeFile(const std::string& path, const QByteArray& bytes, text::UserInterface& ui) {
  QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    ui.ShowError("Cannot create file " + path);
    return false;
  }
  return true;
}

bool writePlot(const PlotPicture& picture, text::UserInterface& ui) {
  const auto app = guiApplication();
  gui::PlotStyle style;
  style.Width = picture.width;
  style.Scale = picture.sizeScaled ? concordance::BarScale::FileSize : concordance::BarScale::Equal;
  style.Figures = picture.figures;
  style.Title = QString::fromStdString(picture.title);
  QFont font = QGuiApplication::font();
  font.setPixelSize(13);
  const gui::PlotPainter painter(*picture.plot, font, style);
  bool written = true;
  if (!picture.png.empty()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    painter.Image(picture.scale).save(&buffer, "PNG");
    written = writeFile(picture.png, bytes, ui) && written;
  }
  if (!picture.svg.empty())
    written = writeFile(picture.svg, painter.Svg(style.Title), ui) && written;
  return written;
}

}  // namespace

}  // namespace lexvane::cli

extern "C" [[gnu::visibility("default")]] bool lexvane_write_plot(
    const lexvane::cli::PlotPicture& picture, lexvane::text::UserInterface& ui) {
  return lexvane::cli::writePlot(picture, ui);
}
