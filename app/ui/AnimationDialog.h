// The animation export dialog: the four rows of the animation as radio
// buttons laid out like the preview's direction buttons (up above, left and
// right beside, down below), a tick box for the transparent colour, OK and
// Cancel.
#pragma once

#include <QDialog>
#include <array>

#include "app/core/Controls.h"

class QCheckBox;
class QRadioButton;

namespace pixkura {

class TAnimationDialog : public QDialog {
 public:
  TAnimationDialog(QWidget* parent, const TAnimationDialogSpec& spec, const TAnimationChoice& choice);
  TAnimationChoice Choice() const;
  // The radio button of a row (0 up, 1 right, 2 down, 3 left) and the tick box.
  QRadioButton* DirectionButton(int row) const { return directions_[static_cast<size_t>(row)]; }
  QCheckBox* TransparentBox() const { return transparent_; }

 private:
  std::array<QRadioButton*, 4> directions_{};
  QCheckBox* transparent_;
};

// Runs the dialog modally; true with the user's choice, false when cancelled.
bool ExecuteAnimationDialog(QWidget* parent, const TAnimationDialogSpec& spec, TAnimationChoice& choice);

}  // namespace pixkura
