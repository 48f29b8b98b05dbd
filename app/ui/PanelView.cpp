#include "app/ui/PanelView.h"

namespace pixkura {

TPanelView::TPanelView(TPanel& model, QWidget* parent) : QFrame(parent), panel_(model) {}

void TPanelView::Sync() {
  SyncPlacement(panel_, *this);
  switch (panel_.Bevel) {
    case TBevel::bvNone:
      setFrameStyle(QFrame::NoFrame);
      break;
    case TBevel::bvRaised:
      setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
    case TBevel::bvLowered:
      setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
  }
  setLineWidth(1);
}

}  // namespace pixkura
