#include "app/ui/TextView.h"

#include "app/ui/Translation.h"

namespace pixkura {

TEditView::TEditView(TTextControl& model, QWidget* parent) : QLineEdit(parent), text_(model) {
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  // The small boxes hold two or three digits; Qt's default margins would hide them.
  setTextMargins(0, 0, 0, 0);
}

void TEditView::Sync() {
  SyncPlacement(text_, *this);
  const QString t = QString::fromStdString(text_.Text());
  if (text() != t) setText(t);
}

TLabelView::TLabelView(TTextControl& model, QWidget* parent) : QLabel(parent), text_(model) {}

void TLabelView::Sync() {
  SyncPlacement(text_, *this);
  const QString t = Tr(TTextRole::Caption, text_.Text());
  if (text() != t) setText(t);
}

}  // namespace pixkura
