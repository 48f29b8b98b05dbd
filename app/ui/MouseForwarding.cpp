#include "app/ui/MouseForwarding.h"

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

bool ForwardMouse(TControl& model, QWidget& view, TMouseAction action, const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  const TShiftState shift = ToShiftState(event);
  if (action == TMouseAction::Move) {
    if (!model.OnMouseMove) return false;
    ReportErrors(view.window(), [&] { model.OnMouseMove(&model, shift, at.x(), at.y()); });
    return true;
  }
  const TMouseEvent& slot = action == TMouseAction::Down ? model.OnMouseDown : model.OnMouseUp;
  const std::optional<TMouseButton> button = ToMouseButton(event.button());
  if (!slot || !button) return false;
  // Copy the slot: a handler may rewire the model while it runs.
  const TMouseEvent call = slot;
  ReportErrors(view.window(), [&] { call(&model, *button, shift, at.x(), at.y()); });
  return true;
}

}  // namespace pixkura
