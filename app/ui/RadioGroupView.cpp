#include "app/ui/RadioGroupView.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QRadioButton>
#include <algorithm>

#include "app/ui/CompactStyle.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/Translation.h"

namespace pixkura {

TRadioGroupView::TRadioGroupView(TRadioGroup& model, QWidget* parent)
    : QGroupBox(Tr(TTextRole::Caption, model.Caption), parent),
      group_(model),
      exclusive_(new QButtonGroup(this)) {
  for (size_t i = 0; i < model.Items.size(); ++i) {
    auto* button = new QRadioButton(Tr(TTextRole::Caption, model.Items[i]), this);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyle(CompactStyle());
    exclusive_->addButton(button, static_cast<int>(i));
    buttons_.push_back(button);
  }
  connect(exclusive_, &QButtonGroup::idClicked, this, [this](int index) {
    ReportErrors(window(), [this, index] { group_.SetItemIndex(index); });
    Sync();
  });
}

void TRadioGroupView::Sync() {
  SyncPlacement(group_, *this);
  const int index = group_.ItemIndex();
  if (index >= 0 && index < static_cast<int>(buttons_.size())) {
    buttons_[static_cast<size_t>(index)]->setChecked(true);
  } else if (QAbstractButton* checked = exclusive_->checkedButton()) {
    exclusive_->setExclusive(false);
    checked->setChecked(false);
    exclusive_->setExclusive(true);
  }
}

void TRadioGroupView::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceButtons();
}

// Columns of equal width below the title, filled top to bottom, then left to
// right; the rows share the rest of the height.
void TRadioGroupView::PlaceButtons() {
  if (buttons_.empty()) return;
  const int columns = std::max(1, group_.Columns);
  const int rows = (static_cast<int>(buttons_.size()) + columns - 1) / columns;
  const int title = fontMetrics().height();
  const int left = 6, top = title, right = 2, bottom = 1;
  const int cellW = std::max(1, (width() - left - right) / columns);
  const int cellH = std::max(1, (height() - top - bottom) / rows);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
    buttons_[i]->setGeometry(left + col * cellW, top + row * cellH, cellW, cellH);
  }
}

}  // namespace pixkura
