// The status bar: five sunken panels of the model's fixed widths and texts.
#pragma once

#include <QWidget>
#include <array>

#include "app/ui/ControlView.h"

class QLabel;

namespace pixkura {

class TStatusBarView : public QWidget, public TControlView {
 public:
  TStatusBarView(TStatusBar& model, QWidget* parent);
  void Sync() override;
  QLabel* Panel(size_t index) const { return panels_.at(index); }

 private:
  TStatusBar& bar_;
  std::array<QLabel*, 5> panels_{};
};

}  // namespace pixkura
