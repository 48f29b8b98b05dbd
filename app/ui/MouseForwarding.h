// Hands a widget's mouse events to its control model's event slots, in the
// control's own coordinates. Qt's implicit grab already sends the moves and
// the release after a press to the pressed widget, even outside it, which is
// the capture the drawing handlers rely on.
#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <optional>

#include "app/core/Controls.h"
#include "app/ui/ControlView.h"
#include "app/ui/ErrorReport.h"

namespace pixkura {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button);
// Modifier keys and the buttons held, as the event reports them.
TShiftState ToShiftState(const QMouseEvent& event);

// The widget pixel a pointer position lies in. Under fractional display
// scaling positions fall between pixels; they are truncated towards the pixel
// they lie in (never rounded to the next one, which would act on a loupe or
// sheet pixel beside the one under the pointer).
QPoint PixelOf(const QPointF& position);
// The pointer position in the widget's own coordinates, fraction included.
// Qt rounds the position when it hands a window's event on to a child widget;
// the position in the window (the scene position) keeps the fraction.
QPointF PositionIn(const QWidget& view, const QMouseEvent& event);

enum class TMouseAction { Down, Move, Up };

enum class TForwarded { NoSlot, Done, Failed };

// Calls the model's slot for the event through the error report. NoSlot when
// the model has no slot for it (the event then goes on to the parent widget),
// Failed when the handler raised.
TForwarded ForwardMouse(TControl& model, QWidget& view, TMouseAction action, const QMouseEvent& event);

// Mixes mouse forwarding into a widget class. Moves are tracked without a
// pressed button too when the model listens to them: the pen cursor and the
// status bar follow the mouse.
//
// A handler may hide the very control that was pressed (a pen stroke hides
// the cursor frame it began on). Qt delivers the rest of that drag, moves and
// release, to no one once the pressed widget is hidden, so such a widget
// stays in place without painting until the last button is released, and
// hides then.
template <class Base>
class TForwardsMouse : public Base, public TControlView {
 public:
  template <typename... Args>
  explicit TForwardsMouse(TControl& model, Args&&... args)
      : Base(std::forward<Args>(args)...), model_(model) {
    if (model.OnMouseMove) this->setMouseTracking(true);
  }

 protected:
  // Place and visibility from the model, keeping a pressed widget until its release.
  void SyncMousePlacement() {
    vanished_ = !model_.Visible() && holdsMouse_;
    if (vanished_) {
      this->setGeometry(model_.Left(), model_.Top(), model_.Width(), model_.Height());
      this->update();
      return;
    }
    SyncPlacement(model_, *this);
  }
  // True while the model is hidden but the widget still holds the mouse.
  bool Vanished() const { return vanished_; }

  // The widget's own handling first (a button shows itself pressed), then the model.
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    holdsMouse_ = true;
    // After an error box the drag is over: the box took the release.
    if (Forward(TMouseAction::Down, e) == TForwarded::Failed) holdsMouse_ = false;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    Forward(TMouseAction::Move, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    Forward(TMouseAction::Up, e);
    if (e->buttons() == Qt::NoButton) {
      holdsMouse_ = false;
      if (vanished_) Sync();
    }
  }
  // The second press of a double-click comes as this event alone: the
  // widget's own handling turns it into a press (which reaches the model as
  // one), then the model hears of the double-click. The left button's only,
  // as the platform's double-click message.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton || !model_.OnDblClick) return;
    const TNotifyEvent call = model_.OnDblClick;
    ReportErrors(this->window(), [&] { call(&model_); });
  }
  TControl& model_;

 private:
  TForwarded Forward(TMouseAction action, QMouseEvent* e) {
    const TForwarded result = ForwardMouse(model_, *this, action, *e);
    if (result != TForwarded::NoSlot) e->accept();
    return result;
  }
  bool holdsMouse_ = false;
  bool vanished_ = false;
};

}  // namespace pixkura
