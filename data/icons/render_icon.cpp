// lexvane_render_icon SVG OUTDIR SIZE...: draws the application icon at each
// SIZE with Qt's own SVG renderer into OUTDIR/SIZExSIZE/apps/NAME.png (NAME:
// the SVG's base name), the folders of the hicolor icon theme. Run by the
// build, so the PNG icons always follow the SVG.
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s SVG OUTDIR SIZE...\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);  // fonts and image writers
  const QString svg = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "%s: not a valid SVG file\n", argv[1]);
    return 1;
  }
  const QString name = QFileInfo(svg).completeBaseName();
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) {
      std::fprintf(stderr, "%s: not a size\n", argv[i]);
      return 2;
    }
    const QString folder =
        QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString out = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !image.save(out, "PNG")) {
      std::fprintf(stderr, "%s: cannot be written\n", qPrintable(out));
      return 1;
    }
  }
  return 0;
}
