#include "app/ui/ControlView.h"

namespace pixkura {

void SyncPlacement(const TControl& model, QWidget& view) {
  const QRect place(model.Left(), model.Top(), model.Width(), model.Height());
  if (view.geometry() != place) view.setGeometry(place);
  // isHidden, not isVisible: a widget whose window is not shown yet is not
  // visible either, and must still be marked to show with it.
  if (view.isHidden() == model.Visible()) view.setVisible(model.Visible());
}

}  // namespace pixkura
