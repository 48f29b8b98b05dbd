#include "app/ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <exception>

#include "image/qt/IxDIBQt.h"

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
  try {
    Draw(painter, target, picture);
  } catch (const std::exception&) {
    // A picture that cannot be painted shows as empty; reporting from inside
    // a paint would only paint again behind the box.
    painter.fillRect(target, palette().window());
  }
}

}  // namespace pixkura
