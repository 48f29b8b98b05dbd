// A titled group of radio buttons laid out in the model's number of columns.
#pragma once

#include <QGroupBox>
#include <vector>

#include "app/ui/ControlView.h"

class QButtonGroup;
class QRadioButton;

namespace pixkura {

class TRadioGroupView : public QGroupBox, public TControlView {
 public:
  TRadioGroupView(TRadioGroup& model, QWidget* parent);
  void Sync() override;
  const std::vector<QRadioButton*>& Buttons() const { return buttons_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceButtons();
  TRadioGroup& group_;
  QButtonGroup* exclusive_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace pixkura
