// Hands a widget's mouse events to its control model's event slots, in the
// control's own coordinates. Qt's implicit grab already sends the moves and
// the release after a press to the pressed widget, even outside it, which is
// the capture the drawing handlers rely on.
#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <optional>

#include "app/core/Controls.h"
#include "app/ui/ErrorReport.h"

namespace pixkura {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button);
// Modifier keys and the buttons held, as the event reports them.
TShiftState ToShiftState(const QMouseEvent& event);

enum class TMouseAction { Down, Move, Up };

// Calls the model's slot for the event through the error report. Returns
// false when the model has no slot for it (the event then goes on to the
// parent widget).
bool ForwardMouse(TControl& model, QWidget& view, TMouseAction action, const QMouseEvent& event);

// Mixes mouse forwarding into a widget class. Moves are tracked without a
// pressed button too when the model listens to them: the pen cursor and the
// status bar follow the mouse.
template <class Base>
class TForwardsMouse : public Base {
 public:
  template <typename... Args>
  explicit TForwardsMouse(TControl& model, Args&&... args)
      : Base(std::forward<Args>(args)...), model_(model) {
    if (model.OnMouseMove) this->setMouseTracking(true);
  }

 protected:
  // The widget's own handling first (a button shows itself pressed), then the model.
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    Forward(TMouseAction::Down, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    Forward(TMouseAction::Move, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    Forward(TMouseAction::Up, e);
  }
  TControl& model_;

 private:
  void Forward(TMouseAction action, QMouseEvent* e) {
    if (ForwardMouse(model_, *this, action, *e)) e->accept();
  }
};

}  // namespace pixkura
