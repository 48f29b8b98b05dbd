#include "app/ui/StatusBarView.h"

#include <QLabel>

#include "app/ui/Translation.h"

namespace pixkura {
namespace {

Qt::Alignment ToAlignment(TAlignment a) {
  switch (a) {
    case TAlignment::taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::taCenter:
      return Qt::AlignCenter;
    case TAlignment::taLeftJustify:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

TStatusBarView::TStatusBarView(TStatusBar& model, QWidget* parent) : QWidget(parent), bar_(model) {
  for (QLabel*& label : panels_) {
    label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(2, 0, 2, 0);
    label->setIndent(0);
  }
}

void TStatusBarView::Sync() {
  SyncPlacement(bar_, *this);
  int left = 0;
  for (size_t i = 0; i < panels_.size(); ++i) {
    const TStatusBar::TPanelText& model = bar_.Panels[i];
    QLabel* label = panels_[i];
    label->setGeometry(left, 0, model.Width, height());
    label->setAlignment(ToAlignment(model.Alignment));
    const QString text = Tr(TTextRole::Status, model.Text);
    if (label->text() != text) label->setText(text);
    left += model.Width;
  }
}

}  // namespace pixkura
