// A scroll bar mirroring the model's range, page and position.
#pragma once

#include <QScrollBar>

#include "app/ui/ControlView.h"

namespace pixkura {

class TScrollBarView : public QScrollBar, public TControlView {
 public:
  TScrollBarView(TScrollBar& model, QWidget* parent);
  void Sync() override;

 private:
  TScrollBar& bar_;
  bool syncing_ = false;
};

}  // namespace pixkura
