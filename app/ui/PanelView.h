// A panel: a frame with the model's bevel that holds other controls.
#pragma once

#include <QFrame>

#include "app/ui/ControlView.h"

namespace pixkura {

class TPanelView : public QFrame, public TControlView {
 public:
  TPanelView(TPanel& model, QWidget* parent);
  void Sync() override;

 private:
  TPanel& panel_;
};

}  // namespace pixkura
