// A check box; the magnifier switch is drawn as a black box.
#pragma once

#include <QCheckBox>

#include "app/ui/ControlView.h"

namespace pixkura {

class TCheckBoxView : public QCheckBox, public TControlView {
 public:
  TCheckBoxView(TCheckBox& model, QWidget* parent);
  void Sync() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TCheckBox& box_;
};

}  // namespace pixkura
