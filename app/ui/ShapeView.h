// A marker shape laid over an image: rectangle or circle with its pen and
// brush. Inverting and XOR pens work on the backing store, so they invert
// whatever the image beneath has just painted.
#pragma once

#include <QWidget>

#include "app/ui/ControlView.h"
#include "app/ui/MouseForwarding.h"

namespace pixkura {

class TShapeView : public TForwardsMouse<QWidget> {
 public:
  TShapeView(TShape& model, QWidget* parent);
  void Sync() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TShape& shape_;
};

}  // namespace pixkura
