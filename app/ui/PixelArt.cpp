#include "app/ui/PixelArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>

namespace pixkura {
namespace {

const QColor kInk(0, 0, 0);
const QColor kAccent(0, 0, 160);

QPixmap Blank(int width, int height) {
  QPixmap pm(width, height);
  pm.fill(Qt::transparent);
  return pm;
}

// Triangle pointing in dir inside rect r.
QPolygon Triangle(TArrow dir, const QRect& r) {
  const int cx = r.left() + r.width() / 2, cy = r.top() + r.height() / 2;
  switch (dir) {
    case TArrow::Up:
      return QPolygon({QPoint(cx, r.top()), QPoint(r.right(), r.bottom()), QPoint(r.left(), r.bottom())});
    case TArrow::Down:
      return QPolygon({QPoint(r.left(), r.top()), QPoint(r.right(), r.top()), QPoint(cx, r.bottom())});
    case TArrow::Left:
      return QPolygon({QPoint(r.left(), cy), QPoint(r.right(), r.top()), QPoint(r.right(), r.bottom())});
    case TArrow::Right:
      break;
  }
  return QPolygon({QPoint(r.left(), r.top()), QPoint(r.right(), cy), QPoint(r.left(), r.bottom())});
}

}  // namespace

QPixmap ArrowPicture(TArrow dir, int width, int height) {
  QPixmap pm = Blank(width, height);
  QPainter p(&pm);
  p.setPen(kInk);
  p.setBrush(kInk);
  p.drawPolygon(Triangle(dir, QRect(0, 0, width, height).adjusted(0, 0, -1, -1)));
  return pm;
}

QPixmap ShiftPicture(TArrow dir, int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  p.setPen(kInk);
  p.setBrush(kInk);
  const int h = size / 2;
  QRect head, bar;
  switch (dir) {
    case TArrow::Up:
      head = QRect(0, 0, size - 1, h - 1), bar = QRect(h - 1, h, 2, size - h);
      break;
    case TArrow::Down:
      head = QRect(0, size - h, size - 1, h - 1), bar = QRect(h - 1, 0, 2, size - h);
      break;
    case TArrow::Left:
      head = QRect(0, 0, h - 1, size - 1), bar = QRect(h, h - 1, size - h, 2);
      break;
    case TArrow::Right:
      head = QRect(size - h, 0, h - 1, size - 1), bar = QRect(0, h - 1, size - h, 2);
      break;
  }
  p.drawPolygon(Triangle(dir, head));
  p.fillRect(bar, kInk);
  return pm;
}

QPixmap PlayPicture(TArrow dir, int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  p.setPen(QPen(kAccent, 1));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(Triangle(dir, QRect(0, 0, size - 1, size - 1)));
  p.setBrush(kAccent);
  p.drawPolygon(Triangle(dir, QRect(size / 4, size / 4, size / 2, size / 2)));
  return pm;
}

QPixmap ToolPicture(TToolPicture tool, int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  const int s = size - 1;
  switch (tool) {
    case TToolPicture::Pen: {
      // A pencil from the top right to its tip at the bottom left.
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(240, 200, 60));
      p.drawPolygon(QPolygon({QPoint(s - 3, 0), QPoint(s, 3), QPoint(4, s - 1), QPoint(1, s - 4)}));
      p.setBrush(kInk);
      p.drawPolygon(QPolygon({QPoint(1, s - 4), QPoint(4, s - 1), QPoint(0, s)}));
      break;
    }
    case TToolPicture::Fill: {
      // A tipped bucket pouring a drop.
      p.setPen(kInk);
      p.setBrush(QColor(200, 200, 200));
      p.drawPolygon(
          QPolygon({QPoint(2, s / 2), QPoint(s / 2, 2), QPoint(s - 2, s / 2), QPoint(s / 2, s - 2)}));
      p.setBrush(kAccent);
      p.drawRect(QRect(s - 3, s / 2 + 1, 2, s / 2 - 2));
      break;
    }
    case TToolPicture::Box:
      p.setPen(kInk);
      p.setBrush(kAccent);
      p.drawRect(QRect(2, 3, s - 4, s - 6));
      break;
    case TToolPicture::Ellipse:
      p.setPen(QPen(kInk, 1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRect(1, 3, s - 2, s - 6));
      break;
    case TToolPicture::Line:
      p.setPen(QPen(kInk, 1));
      p.drawLine(1, s - 1, s - 1, 1);
      p.fillRect(QRect(0, s - 2, 2, 2), kAccent);
      p.fillRect(QRect(s - 2, 0, 2, 2), kAccent);
      break;
    case TToolPicture::Blend:
      // Two overlapping squares; the overlap drawn half and half.
      p.setPen(kInk);
      p.setBrush(QColor(220, 40, 40));
      p.drawRect(QRect(1, 1, s * 3 / 5, s * 3 / 5));
      p.setBrush(QColor(40, 40, 220));
      p.drawRect(QRect(s * 2 / 5, s * 2 / 5, s * 3 / 5 - 1, s * 3 / 5 - 1));
      p.setBrush(QBrush(QColor(220, 40, 40), Qt::Dense4Pattern));
      p.drawRect(QRect(s * 2 / 5, s * 2 / 5, s / 5 + 1, s / 5 + 1));
      break;
  }
  return pm;
}

QPixmap PenDotPicture(int penSize, int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  const int side = std::min(size, std::clamp(penSize, 1, 5) * 2 + 1);
  const int at = (size - side) / 2;
  p.fillRect(QRect(at, at, side, side), kInk);
  return pm;
}

QPixmap ZoomPicture(int factor, int size, bool withLens) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  const QString text = QString::number(factor);
  QRect textRect(0, 0, size, size);
  if (withLens) {
    // Lens at the top left, handle to the bottom right, number in the lens.
    const int d = size * 3 / 4;
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(230, 240, 255));
    p.drawEllipse(QRect(0, 0, d - 1, d - 1));
    p.setPen(QPen(kInk, 2));
    p.drawLine(d - 2, d - 2, size - 1, size - 1);
    textRect = QRect(0, 0, d, d);
  }
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(factor >= 10 ? textRect.height() * 5 / 9 : textRect.height() * 2 / 3);
  font.setBold(true);
  p.setFont(font);
  p.setPen(withLens ? kInk : kAccent);
  p.drawText(textRect, Qt::AlignCenter, text);
  return pm;
}

QPixmap GridPicture(int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  p.setPen(kInk);
  const int step = (size - 1) / 3;
  for (int i = 0; i <= 3; ++i) {
    p.drawLine(i * step, 0, i * step, 3 * step);
    p.drawLine(0, i * step, 3 * step, i * step);
  }
  return pm;
}

QPixmap CentreLinePicture(int size) {
  QPixmap pm = Blank(size, size);
  QPainter p(&pm);
  const int c = size / 2;
  p.setPen(QColor(160, 160, 160));
  p.drawRect(0, 0, size - 1, size - 1);
  // A light and a dark line side by side, as the loupe draws them.
  p.setPen(QColor(255, 255, 255));
  p.drawLine(c - 1, 0, c - 1, size - 1);
  p.drawLine(0, c - 1, size - 1, c - 1);
  p.setPen(kInk);
  p.drawLine(c, 0, c, size - 1);
  p.drawLine(0, c, size - 1, c);
  return pm;
}

}  // namespace pixkura
