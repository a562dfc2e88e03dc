#include "gui/base/app_icons.h"

#include <functional>
#include <map>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lexvane::gui {

namespace {

// Every icon is drawn on a 24 x 24 grid and scaled to the requested size.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(0x35, 0x40, 0x4c);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kBlue(0x2f, 0x7b, 0xd6);
const QColor kRed(0xd0, 0x45, 0x45);
const QColor kGreen(0x3a, 0x9a, 0x4a);
const QColor kYellow(0xf2, 0xc9, 0x4c);

QPen ink(qreal width = 1.4) {
  return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, QRectF r) {
  QPainterPath path;
  const qreal fold = 4;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(ink());
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal gap = 3) {
  p.setPen(QPen(kInk.lighter(170), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < count; ++i)
    p.drawLine(QPointF(left, top + i * gap), QPointF(right, top + i * gap));
}

void magnifier(QPainter& p, QPointF centre, qreal radius) {
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(0xdd, 0xea, 0xf8));
  p.drawEllipse(centre, radius, radius);
  const qreal d = radius * 0.72;
  p.drawLine(centre + QPointF(d, d), centre + QPointF(d + 5, d + 5));
}

void plus(QPainter& p, QPointF c, QColor colour) {
  p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c - QPointF(3, 0), c + QPointF(3, 0));
  p.drawLine(c - QPointF(0, 3), c + QPointF(0, 3));
}

void cross(QPainter& p, QPointF c, qreal r, QColor colour) {
  p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c - QPointF(r, r), c + QPointF(r, r));
  p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
}

void bars(QPainter& p, const std::vector<qreal>& heights, qreal left, qreal width, QColor colour,
          int accent = -1) {
  p.setPen(Qt::NoPen);
  for (std::size_t i = 0; i < heights.size(); ++i) {
    p.setBrush(static_cast<int>(i) == accent ? kRed : colour);
    p.drawRect(QRectF(left + i * (width + 1), 21 - heights[i], width, heights[i]));
  }
  p.setPen(ink(1.2));
  p.drawLine(QPointF(2, 21.5), QPointF(22, 21.5));
}

const std::map<QString, Drawing>& drawings() {
  static const std::map<QString, Drawing> map = {
      {"SpeedButtonFileNew",
       [](QPainter& p) {
         page(p, QRectF(4, 2.5, 14, 19));
         plus(p, QPointF(17.5, 17.5), kGreen);
       }},
      {"SpeedButtonFileOpen",
       [](QPainter& p) {
         p.setPen(ink());
         p.setBrush(kYellow.darker(110));
         QPainterPath back;
         back.moveTo(2.5, 19.5);
         back.lineTo(2.5, 5.5);
         back.lineTo(8.5, 5.5);
         back.lineTo(10.5, 7.5);
         back.lineTo(19.5, 7.5);
         back.lineTo(19.5, 10);
         p.drawPath(back);
         QPainterPath front;
         front.moveTo(2.5, 19.5);
         front.lineTo(6, 10.5);
         front.lineTo(22, 10.5);
         front.lineTo(18.5, 19.5);
         front.closeSubpath();
         p.setBrush(kYellow);
         p.drawPath(front);
       }},
      {"SpeedButtonFileSave",
       [](QPainter& p) {
         p.setPen(ink());
         p.setBrush(kBlue);
         p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
         p.setBrush(kPaper);
         p.drawRect(QRectF(7, 3.5, 10, 6));
         p.drawRect(QRectF(6.5, 13, 11, 7.5));
         p.setBrush(kInk);
         p.drawRect(QRectF(13.5, 4.8, 2, 3.5));
       }},
      {"SpeedButtonEditList",
       [](QPainter& p) {
         page(p, QRectF(3.5, 2.5, 14, 19));
         textLines(p, 6.5, 14.5, 8, 4);
         p.setPen(QPen(kInk, 1.2));
         p.setBrush(kYellow);
         QPainterPath pencil;
         pencil.moveTo(20.5, 9);
         pencil.lineTo(22.5, 11);
         pencil.lineTo(14, 19.5);
         pencil.lineTo(11.5, 20.5);
         pencil.lineTo(12.5, 18);
         pencil.closeSubpath();
         p.drawPath(pencil);
       }},
      {"SpeedButtonSearch", [](QPainter& p) { magnifier(p, QPointF(10, 10), 6); }},
      {"SpeedButtonAdvSearch",
       [](QPainter& p) {
         magnifier(p, QPointF(9, 9), 5.5);
         plus(p, QPointF(19, 5), kBlue);
       }},
      {"SpeedButtonCFreq",
       [](QPainter& p) {
         bars(p, {5, 9, 14, 18, 14, 9, 5}, 2.5, 1.9, kBlue, 3);
       }},
      {"SpeedButtonFreqList",
       [](QPainter& p) {
         bars(p, {18, 14, 11, 8, 6, 4, 3}, 2.5, 1.9, kGreen);
       }},
      {"SpeedButtonCopy",
       [](QPainter& p) {
         page(p, QRectF(3.5, 2.5, 11, 14));
         page(p, QRectF(9.5, 7.5, 11, 14));
         textLines(p, 12, 18, 12.5, 3);
       }},
      {"SpeedButtonClear",
       [](QPainter& p) {
         p.setPen(ink());
         p.setBrush(kPaper);
         p.drawRect(QRectF(3.5, 4.5, 17, 15));
         p.setPen(QPen(kInk.lighter(150), 1));
         for (qreal y : {9.5, 14.5}) p.drawLine(QPointF(3.5, y), QPointF(20.5, y));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(0xf6, 0xd0, 0xd0));
         p.drawRect(QRectF(4, 10, 16, 4.5));
         cross(p, QPointF(18, 17.5), 3, kRed);
       }},
      {"SpeedButtonSort",
       [](QPainter& p) {
         QFont font(QStringLiteral("Sans"));
         font.setPixelSize(9);
         font.setBold(true);
         p.setFont(font);
         p.setPen(kInk);
         p.drawText(QRectF(2, 1, 10, 10), Qt::AlignCenter, QStringLiteral("A"));
         p.drawText(QRectF(2, 13, 10, 10), Qt::AlignCenter, QStringLiteral("Z"));
         p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
         p.drawLine(QPointF(17, 3), QPointF(17, 20));
         p.drawLine(QPointF(13.5, 16.5), QPointF(17, 20));
         p.drawLine(QPointF(20.5, 16.5), QPointF(17, 20));
       }},
      {"SpeedButtonDelDup",
       [](QPainter& p) {
         p.setPen(ink());
         p.setBrush(kPaper);
         p.drawRect(QRectF(2.5, 4.5, 19, 5));
         p.drawRect(QRectF(2.5, 12.5, 19, 5));
         textLines(p, 5, 17, 7, 1);
         textLines(p, 5, 17, 15, 1);
         cross(p, QPointF(18.5, 18), 3, kRed);
       }},
      {"SpeedButtonShowSrc",
       [](QPainter& p) {
         page(p, QRectF(4, 2.5, 16, 19));
         textLines(p, 7, 17, 7, 5);
         p.setPen(Qt::NoPen);
         p.setBrush(kYellow);
         p.drawRect(QRectF(9, 11.5, 5, 2.5));
       }},
      {"SpeedButtonShowScrStripped",
       [](QPainter& p) {
         page(p, QRectF(4, 2.5, 16, 19));
         textLines(p, 7, 17, 7, 5);
         p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
         p.drawPolyline(QPolygonF({QPointF(10, 13), QPointF(8, 15), QPointF(10, 17)}));
         p.drawPolyline(QPolygonF({QPointF(14, 13), QPointF(16, 15), QPointF(14, 17)}));
         p.drawLine(QPointF(8, 19), QPointF(16, 11));
       }},
      // Paired bars, the study corpus's standing out: a keyword list.
      {"SpeedButtonKeywordList",
       [](QPainter& p) {
         bars(p, {14, 4, 6, 5, 17, 3}, 2.5, 2.4, kGreen);
         plus(p, QPointF(18.5, 5.5), kRed);
       }},
      {"SpeedButtonStat",
       [](QPainter& p) {
         p.setPen(ink());
         p.setBrush(kPaper);
         p.drawEllipse(QRectF(3, 3, 18, 18));
         p.setBrush(kBlue);
         p.drawPie(QRectF(3, 3, 18, 18), 90 * 16, -130 * 16);
         p.setBrush(kGreen);
         p.drawPie(QRectF(3, 3, 18, 18), -40 * 16, -90 * 16);
       }},
      {"SpeedButtonPlot",
       [](QPainter& p) {
         // Three bars with the ticks of hits, one of them marked.
         for (int i = 0; i < 3; ++i) {
           const qreal y = 4.5 + i * 6;
           p.setPen(ink(1));
           p.setBrush(kPaper);
           p.drawRect(QRectF(3, y, 18, 4));
         }
         p.setPen(QPen(kBlue, 1.4));
         for (const QPointF& t :
              {QPointF(6, 4.5), QPointF(7.5, 4.5), QPointF(15, 4.5), QPointF(11, 10.5),
               QPointF(5, 16.5), QPointF(17, 16.5), QPointF(18.5, 16.5)})
           p.drawLine(t, t + QPointF(0, 4));
         p.setPen(QPen(kRed, 1.6));
         p.drawLine(QPointF(13, 9), QPointF(13, 16));
       }},
  };
  return map;
}

QIcon drawn(const Drawing& draw) {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon AppIcon() {
  static const QIcon icon = drawn([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRect(QRectF(9.5, 3, 5, 18));
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal lefts[] = {4, 6, 3.5, 5};
    const qreal rights[] = {19, 20.5, 18, 20};
    for (int i = 0; i < 4; ++i) {
      qreal y = 6 + i * 4;
      p.drawLine(QPointF(lefts[i], y), QPointF(8.5, y));
      p.drawLine(QPointF(15.5, y), QPointF(rights[i], y));
    }
    p.setPen(QPen(kYellow, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(10.5, 6 + i * 4), QPointF(13.5, 6 + i * 4));
  });
  return icon;
}

QIcon ToolBarIcon(const QString& buttonName) {
  auto it = drawings().find(buttonName);
  if (it == drawings().end()) return QIcon();
  return drawn(it->second);
}

}  // namespace lexvane::gui
