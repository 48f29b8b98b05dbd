// A speed button: a QToolButton showing its caption or its glyph. Grouped
// buttons are checkable in an exclusive group and follow the model's Down;
// ungrouped ones never stay down.
#pragma once

#include <QToolButton>

#include "app/ui/ControlView.h"
#include "app/ui/MouseForwarding.h"

class QButtonGroup;

namespace pixkura {

class TSpeedButtonView : public TForwardsMouse<QToolButton> {
 public:
  // group: the exclusive group of the model's GroupIndex inside its parent, or null.
  TSpeedButtonView(TSpeedButton& model, QWidget* parent, QButtonGroup* group);
  void Sync() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Clicked();
  TSpeedButton& button_;
  QButtonGroup* group_;
};

}  // namespace pixkura
