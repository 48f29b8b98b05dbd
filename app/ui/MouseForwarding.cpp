#include "app/ui/MouseForwarding.h"

#include <cmath>

namespace pixkura {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState ToShiftState(const QMouseEvent& event) {
  TShiftState s;
  const Qt::KeyboardModifiers mods = event.modifiers();
  s.Shift = mods.testFlag(Qt::ShiftModifier);
  s.Ctrl = mods.testFlag(Qt::ControlModifier);
  s.Alt = mods.testFlag(Qt::AltModifier);
  const Qt::MouseButtons held = event.buttons();
  s.Left = held.testFlag(Qt::LeftButton);
  s.Right = held.testFlag(Qt::RightButton);
  s.Middle = held.testFlag(Qt::MiddleButton);
  return s;
}

QPoint PixelOf(const QPointF& position) {
  return QPoint(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
}

QPointF PositionIn(const QWidget& view, const QMouseEvent& event) {
  const QPointF delivered = event.position();
  const QPointF fromWindow = view.mapFrom(view.window(), event.scenePosition());
  // An event sent straight to the widget (not through its window) carries a
  // scene position of its own; then the delivered position is all there is.
  const bool sameSpot =
      std::abs(fromWindow.x() - delivered.x()) < 1 && std::abs(fromWindow.y() - delivered.y()) < 1;
  return sameSpot ? fromWindow : delivered;
}

TForwarded ForwardMouse(TControl& model, QWidget& view, TMouseAction action, const QMouseEvent& event) {
  const QPoint at = PixelOf(PositionIn(view, event));
  const TShiftState shift = ToShiftState(event);
  // The slots are copied: a handler may rewire the model while it runs.
  bool ok = true;
  if (action == TMouseAction::Move) {
    if (!model.OnMouseMove) return TForwarded::NoSlot;
    const TMouseMoveEvent call = model.OnMouseMove;
    ok = ReportErrors(view.window(), [&] { call(&model, shift, at.x(), at.y()); });
  } else {
    const TMouseEvent& slot = action == TMouseAction::Down ? model.OnMouseDown : model.OnMouseUp;
    const std::optional<TMouseButton> button = ToMouseButton(event.button());
    if (!slot || !button) return TForwarded::NoSlot;
    const TMouseEvent call = slot;
    ok = ReportErrors(view.window(), [&] { call(&model, *button, shift, at.x(), at.y()); });
  }
  return ok ? TForwarded::Done : TForwarded::Failed;
}

}  // namespace pixkura
