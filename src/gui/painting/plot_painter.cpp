#include "gui/painting/plot_painter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QSvgGenerator>
#include <QVarLengthArray>

namespace lexvane::gui {

namespace {

const QColor kText(0x20, 0x26, 0x2e);
const QColor kFaint(0x5c, 0x66, 0x73);
const QColor kStripe(0xf4, 0xf6, 0xf9);
const QColor kBar(0xe6, 0xec, 0xf3);
const QColor kBarEdge(0xa9, 0xb7, 0xc8);
const QColor kGuide(0xd3, 0xdb, 0xe5);
const QColor kTick(0x1d, 0x4f, 0x91);
const QColor kSelected(0xd0, 0x2f, 0x2f);
const QColor kHovered(0xe8, 0x8a, 0x10);

constexpr double kNameShare = 0.32;  // at most this share of the width for names
constexpr double kGap = 12;          // between columns

// A tick's x snapped to the middle of a logical pixel, so that a one pixel
// line stays one sharp pixel.
double snapped(double x) {
  return std::floor(x) + 0.5;
}

}  // namespace

PlotPainter::PlotPainter(const concordance::ConcordancePlot& plot, const QFont& font,
                         const PlotStyle& style)
    : plot_(plot), style_(style), font_(font), bold_(font) {
  bold_.setBold(true);
  const QFontMetricsF metrics(font_);
  lineHeight_ = static_cast<int>(std::ceil(metrics.height()));
  const QStringList headings = {QStringLiteral("File"), QStringLiteral("Words"),
                                QStringLiteral("Hits"), QStringLiteral("Per 1000")};
  const std::vector<concordance::PlotBar>& bars = plot.Bars();
  rows_.resize(bars.size());
  double nameWidth = metrics.horizontalAdvance(headings[0]);
  double wordsWidth = metrics.horizontalAdvance(headings[1]);
  double hitsWidth = metrics.horizontalAdvance(headings[2]);
  double perWidth = metrics.horizontalAdvance(headings[3]);
  // The figures are digits and a point: their widths add up from the
  // characters' advances, without measuring a thousand strings.
  std::array<double, 128> advance{};
  for (char c : std::string_view("0123456789.-"))
    advance[static_cast<unsigned char>(c)] = metrics.horizontalAdvance(QLatin1Char(c));
  auto figureWidth = [&advance](const QString& text) {
    double w = 0;
    for (QChar c : text) w += c.unicode() < 128 ? advance[c.unicode()] : 0;
    return static_cast<float>(w);
  };
  std::vector<double> nameWidths(bars.size());
  for (std::size_t b = 0; b < bars.size(); ++b) {
    Row& row = rows_[b];
    row.name = QFile::decodeName(QByteArray::fromStdString(bars[b].Name));
    row.words = QString::number(bars[b].Words);
    row.hits = QString::number(bars[b].Hits());
    row.perThousand = QString::fromStdString(plot.PerThousand(static_cast<std::int32_t>(b)));
    row.wordsWidth = figureWidth(row.words);
    row.hitsWidth = figureWidth(row.hits);
    row.perWidth = figureWidth(row.perThousand);
    nameWidths[b] = metrics.horizontalAdvance(row.name);
    nameWidth = std::max(nameWidth, nameWidths[b]);
    wordsWidth = std::max<double>(wordsWidth, row.wordsWidth);
    hitsWidth = std::max<double>(hitsWidth, row.hitsWidth);
    perWidth = std::max<double>(perWidth, row.perWidth);
  }
  const double width = std::max(style_.Width, 320);
  nameWidth = std::min(nameWidth, std::floor(width * kNameShare));
  for (std::size_t b = 0; b < rows_.size(); ++b)
    if (nameWidths[b] > nameWidth)
      rows_[b].name = metrics.elidedText(rows_[b].name, Qt::ElideMiddle, nameWidth);
  ascent_ = metrics.ascent();
  nameRight_ = margin_ + nameWidth;
  wordsRight_ = nameRight_ + kGap + wordsWidth;
  hitsRight_ = wordsRight_ + kGap + hitsWidth;
  perRight_ = hitsRight_ + kGap + perWidth;

  double top = margin_;
  if (!style_.Title.isEmpty()) top += lineHeight_ + 6;
  headingTop_ = top;
  geometry_.Top = headingTop_ + lineHeight_ + 6;
  geometry_.RowPitch = std::max(18, lineHeight_ + 7);
  geometry_.BarHeight = geometry_.RowPitch - 7;
  geometry_.Left = std::ceil(perRight_ + 2 * kGap);
  geometry_.FullWidth = std::max(40.0, std::floor(width - margin_ - geometry_.Left));
  geometry_.Scale = style_.Scale;
  figuresTop_ = geometry_.Top + static_cast<double>(bars.size()) * geometry_.RowPitch + 10;

  if (style_.Figures) {
    const concordance::DispersionFigures& f = plot.Dispersion();
    auto measure = [](const std::optional<double>& v) {
      return QString::fromStdString(concordance::FormatMeasure(v));
    };
    figureLines_ << QStringLiteral(
                        "Range: %1 of %2 files (%3)      Juilland's D: %4      "
                        "DP: %5      DPnorm: %6")
                        .arg(f.Range)
                        .arg(f.Files)
                        .arg(measure(f.RangeShare), measure(f.JuillandD), measure(f.DP),
                             measure(f.DPnorm));
    figureLines_ << QStringLiteral("%1 hits in %2 words").arg(f.Hits).arg(f.Words);
    if (plot.Partial()) figureLines_ << QString::fromUtf8(concordance::kPartialNote);
  }
  const double height = figuresTop_ + figureLines_.size() * (lineHeight_ + 2) + margin_;
  size_ = QSize(static_cast<int>(width), static_cast<int>(std::ceil(height)));
}

QRectF PlotPainter::RowRect(std::int32_t bar) const {
  return QRectF(0, geometry_.Top + bar * geometry_.RowPitch, size_.width(), geometry_.RowPitch);
}

void PlotPainter::Paint(QPainter& painter, const QRectF& exposed) const {
  const QRectF area = exposed.isEmpty() ? QRectF(QPointF(0, 0), QSizeF(size_)) : exposed;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(font_);
  if (area.top() < geometry_.Top) paintHeading(painter);
  const auto [first, last] = geometry_.BarsBetween(plot_, area.top(), area.bottom());
  for (std::int32_t bar = first; bar < last; ++bar) paintRow(painter, bar);
  if (style_.Figures && area.bottom() >= figuresTop_) paintFigures(painter);
  painter.restore();
}

void PlotPainter::paintHeading(QPainter& painter) const {
  const double h = lineHeight_;
  if (!style_.Title.isEmpty()) {
    painter.setFont(bold_);
    painter.setPen(kText);
    painter.drawText(
        QRectF(margin_, margin_, size_.width() - 2 * margin_, h),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QFontMetricsF(bold_).elidedText(style_.Title, Qt::ElideRight, size_.width() - 2 * margin_));
    painter.setFont(font_);
  }
  painter.setPen(kFaint);
  const double y = headingTop_;
  const auto right = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(QRectF(margin_, y, nameRight_ - margin_, h),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QStringLiteral("File"));
  painter.drawText(QRectF(nameRight_, y, wordsRight_ - nameRight_, h), right,
                   QStringLiteral("Words"));
  painter.drawText(QRectF(wordsRight_, y, hitsRight_ - wordsRight_, h), right,
                   QStringLiteral("Hits"));
  painter.drawText(QRectF(hitsRight_, y, perRight_ - hitsRight_, h), right,
                   QStringLiteral("Per 1000"));
  const double left = geometry_.Left;
  const double full = geometry_.FullWidth;
  painter.drawText(QRectF(left, y, full, h), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QStringLiteral("start of file"));
  painter.drawText(QRectF(left, y, full, h), right, QStringLiteral("end"));
  painter.drawText(QRectF(left, y, full, h), Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("where the hits fall"));
  painter.setPen(QPen(kBarEdge, 0));
  painter.drawLine(QPointF(margin_, geometry_.Top - 3.5),
                   QPointF(size_.width() - margin_, geometry_.Top - 3.5));
}

void PlotPainter::paintRow(QPainter& painter, std::int32_t bar) const {
  const concordance::PlotGeometry& g = geometry_;
  const Row& row = rows_[static_cast<std::size_t>(bar)];
  const double rowTop = g.Top + bar * g.RowPitch;
  if (bar % 2 == 1)
    painter.fillRect(QRectF(margin_, rowTop, size_.width() - 2 * margin_, g.RowPitch), kStripe);
  painter.setPen(kText);
  // Texts at their baseline: no layout per call, which a plot of a thousand
  // files would feel.
  const double baseline = rowTop + (g.RowPitch - lineHeight_) / 2 + ascent_;
  painter.drawText(QPointF(margin_, baseline), row.name);
  painter.drawText(QPointF(wordsRight_ - row.wordsWidth, baseline), row.words);
  painter.drawText(QPointF(hitsRight_ - row.hitsWidth, baseline), row.hits);
  painter.drawText(QPointF(perRight_ - row.perWidth, baseline), row.perThousand);

  const double top = std::floor(g.BarTop(bar));
  const double length = g.BarLength(plot_, bar);
  const QRectF box(g.Left, top, std::max(1.0, std::round(length)), std::round(g.BarHeight));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBar);
  painter.drawRect(box);
  painter.setPen(QPen(kGuide, 0));
  for (double quarter : {0.25, 0.5, 0.75}) {
    const double x = snapped(box.left() + quarter * box.width());
    painter.drawLine(QPointF(x, box.top() + 1), QPointF(x, box.bottom() - 1));
  }
  // Ticks by position: one line per pixel column, however many hits fall in it.
  painter.setPen(QPen(kTick, 1, Qt::SolidLine, Qt::FlatCap));
  double drawn = -1;
  QVarLengthArray<QLineF, 512> lines;
  for (const concordance::PlotTick& tick : plot_.Bars()[static_cast<std::size_t>(bar)].Ticks) {
    const double x = snapped(std::min(box.right() - 0.5, g.Left + tick.Position * length));
    if (x == drawn) continue;
    drawn = x;
    lines.append(QLineF(x, box.top(), x, box.bottom()));
  }
  if (!lines.isEmpty()) painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
  painter.setPen(QPen(kBarEdge, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0, 0, -0.5, -0.5));
  // The hovered and the selected hit over the others, longer and wider.
  for (auto [row, colour] :
       {std::pair{style_.HoveredRow, kHovered}, std::pair{style_.SelectedRow, kSelected}}) {
    const auto [where, position] = plot_.Locate(row);
    if (where != bar) continue;
    const double x = snapped(std::min(box.right() - 0.5, g.Left + position * length));
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x, box.top() - 2), QPointF(x, box.bottom() + 2));
  }
}

void PlotPainter::paintFigures(QPainter& painter) const {
  painter.setPen(kText);
  double y = figuresTop_;
  for (const QString& line : figureLines_) {
    painter.drawText(QRectF(margin_, y, size_.width() - 2 * margin_, lineHeight_),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
    y += lineHeight_ + 2;
    painter.setPen(kFaint);
  }
}

QImage PlotPainter::Image(qreal devicePixelRatio) const {
  const qreal ratio = std::max<qreal>(devicePixelRatio, 0.25);
  QImage image(QSize(static_cast<int>(std::ceil(size_.width() * ratio)),
                     static_cast<int>(std::ceil(size_.height() * ratio))),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  Paint(painter);
  painter.end();
  return image;
}

QByteArray PlotPainter::Svg(const QString& title) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size_);
  svg.setViewBox(QRect(QPoint(0, 0), size_));
  svg.setTitle(title);
  svg.setDescription(QStringLiteral("Where the hits of a concordance fall in each corpus file"));
  QPainter painter(&svg);
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size_)), Qt::white);
  Paint(painter);
  painter.end();
  return bytes;
}

}  // namespace lexvane::gui
