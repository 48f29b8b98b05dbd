#include "app/ui/ShapeView.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace pixkura {
namespace {

QColor ToQColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Hatch lines 8 pixels apart, as a hatched brush lays them, over area.
QPainterPath Hatch(TBrushStyle style, const QRect& area) {
  QPainterPath path;
  constexpr int kStep = 8;
  const int w = area.right() + 1, h = area.bottom() + 1;
  if (style == TBrushStyle::bsCross) {
    for (int x = 0; x < w; x += kStep) {
      path.moveTo(x, 0);
      path.lineTo(x, h);
    }
    for (int y = 0; y < h; y += kStep) {
      path.moveTo(0, y);
      path.lineTo(w, y);
    }
  } else if (style == TBrushStyle::bsDiagCross) {
    for (int d = -h; d < w + h; d += kStep) {
      path.moveTo(d, 0);  // falling to the right
      path.lineTo(d + h, h);
      path.moveTo(d, h);  // rising to the right
      path.lineTo(d + h, 0);
    }
  }
  return path;
}

}  // namespace

TShapeView::TShapeView(TShape& model, QWidget* parent)
    : TForwardsMouse<QWidget>(model, parent), shape_(model) {}

void TShapeView::Sync() {
  SyncMousePlacement();
  update();
}

void TShapeView::paintEvent(QPaintEvent*) {
  if (Vanished()) return;
  QPainter p(this);
  switch (shape_.PenMode) {
    case TPenMode::pmNot:
      p.setCompositionMode(QPainter::RasterOp_NotDestination);
      break;
    case TPenMode::pmXor:
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      break;
    case TPenMode::pmCopy:
      break;
  }

  // The outline runs on the middle of a pen of width w, inset by w / 2 so it
  // stays inside the control; a circle takes the largest square that fits.
  const int w = std::max(1, shape_.PenWidth);
  const int inset = w / 2;
  QRect outline(inset, inset, width() - w, height() - w);
  if (shape_.Shape == TShapeType::stCircle) {
    const int side = std::min(outline.width(), outline.height());
    outline = QRect(outline.left() + (outline.width() - side) / 2,
                    outline.top() + (outline.height() - side) / 2, side, side);
  }

  // Brush: solid fill, or hatch lines drawn as lines so that an inverting
  // mode inverts only the lines, not the gaps between them.
  const QColor brush = ToQColor(shape_.BrushColor());
  const TBrushStyle style = shape_.BrushStyle();
  if (style != TBrushStyle::bsClear) {
    QPainterPath interior;
    if (shape_.Shape == TShapeType::stCircle)
      interior.addEllipse(outline);
    else
      interior.addRect(outline);
    p.save();
    p.setClipPath(interior);
    if (style == TBrushStyle::bsSolid) {
      p.fillRect(rect(), brush);
    } else {
      p.setPen(QPen(brush, 1));
      p.setBrush(Qt::NoBrush);
      p.drawPath(Hatch(style, rect()));
    }
    p.restore();
  }

  QPen pen(ToQColor(shape_.PenColor), w, shape_.PenStyle == TPenStyle::psDot ? Qt::DotLine : Qt::SolidLine,
           Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  if (shape_.Shape == TShapeType::stCircle)
    p.drawEllipse(outline);
  else
    p.drawRect(outline);
}

}  // namespace pixkura
