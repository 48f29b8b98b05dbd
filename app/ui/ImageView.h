// An image control: paints its TIxDIB picture, stretched (nearest neighbour)
// or at its natural size from the top left.
#pragma once

#include <QWidget>

#include "app/ui/ControlView.h"
#include "app/ui/MouseForwarding.h"

namespace pixkura {

class TImageView : public TForwardsMouse<QWidget> {
 public:
  TImageView(TImage& model, QWidget* parent);
  void Sync() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TImage& image_;
};

}  // namespace pixkura
