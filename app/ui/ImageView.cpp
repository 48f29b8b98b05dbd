#include "app/ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/ui/DIBPainting.h"

namespace pixkura {

TImageView::TImageView(TImage& model, QWidget* parent)
    : TForwardsMouse<QWidget>(model, parent), image_(model) {
  // Every pixel is painted here, so Qt need not clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageView::Sync() {
  SyncMousePlacement();
  setAttribute(Qt::WA_OpaquePaintEvent, !Vanished());
  update();
}

void TImageView::paintEvent(QPaintEvent* event) {
  if (Vanished()) return;
  QPainter painter(this);
  const TIxDIB& picture = image_.Picture;
  const QRect natural(0, 0, picture.GetWidth(), picture.GetHeight());
  const QRect target = image_.Stretch ? rect() : natural;
  if (!target.contains(event->rect())) painter.fillRect(event->rect(), palette().window());
  PaintIxDIB(painter, target, picture);
}

}  // namespace pixkura
