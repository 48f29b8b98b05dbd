#include "app/ui/CheckBoxView.h"

#include <QPainter>

#include "app/ui/CompactStyle.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/Translation.h"

namespace pixkura {

TCheckBoxView::TCheckBoxView(TCheckBox& model, QWidget* parent) : QCheckBox(parent), box_(model) {
  setFocusPolicy(Qt::NoFocus);
  setStyle(CompactStyle());
  setText(Tr(TTextRole::Caption, model.Caption));
  connect(this, &QCheckBox::clicked, this, [this](bool checked) {
    ReportErrors(window(), [this, checked] { box_.SetChecked(checked); });
    Sync();
  });
}

void TCheckBoxView::Sync() {
  SyncPlacement(box_, *this);
  if (isChecked() != box_.Checked()) setChecked(box_.Checked());
}

void TCheckBoxView::paintEvent(QPaintEvent* event) {
  if (!box_.BlackBox) {
    QCheckBox::paintEvent(event);
    return;
  }
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (isChecked()) {
    // A white tick across the box.
    p.setPen(QPen(Qt::white, 2));
    const int w = width(), h = height();
    p.drawPolyline(QPolygon({QPoint(w / 5, h / 2), QPoint(w * 2 / 5, h * 3 / 4), QPoint(w * 4 / 5, h / 4)}));
  }
}

}  // namespace pixkura
