#include "app/ui/ScrollBarView.h"

#include "app/ui/ErrorReport.h"

namespace pixkura {

TScrollBarView::TScrollBarView(TScrollBar& model, QWidget* parent)
    : QScrollBar(model.Kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal, parent),
      bar_(model) {
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QScrollBar::valueChanged, this, [this](int value) {
    if (syncing_) return;  // our own echo of the model
    ReportErrors(window(), [this, value] { bar_.SetPosition(value); });
    Sync();
  });
}

void TScrollBarView::Sync() {
  SyncPlacement(bar_, *this);
  syncing_ = true;
  setRange(bar_.Min, bar_.Max);
  setPageStep(bar_.PageSize);
  setValue(bar_.Position());
  syncing_ = false;
}

}  // namespace pixkura
