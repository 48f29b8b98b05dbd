// What every widget that mirrors a control model does: re-read the model.
#pragma once

#include <QWidget>

#include "app/core/Controls.h"

namespace pixkura {

class TControlView {
 public:
  virtual ~TControlView() = default;
  // Re-reads everything the widget shows from its model.
  virtual void Sync() = 0;
};

// Place and visibility from the model (client pixels of the parent widget).
void SyncPlacement(const TControl& model, QWidget& view);

}  // namespace pixkura
