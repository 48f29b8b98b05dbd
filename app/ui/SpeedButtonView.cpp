#include "app/ui/SpeedButtonView.h"

#include <QButtonGroup>

#include "app/ui/Glyphs.h"
#include "app/ui/LazyIcon.h"
#include "app/ui/Translation.h"

namespace pixkura {

TSpeedButtonView::TSpeedButtonView(TSpeedButton& model, QWidget* parent, QButtonGroup* group)
    : TForwardsMouse<QToolButton>(model, parent), button_(model), group_(group) {
  setFocusPolicy(Qt::NoFocus);
  if (!model.Caption.empty()) {
    setText(Tr(TTextRole::Caption, model.Caption));
  } else if (std::optional<TGlyphRecipe> glyph =
                 SpeedButtonGlyphRecipe(model.Name, model.Width(), model.Height())) {
    // Drawn when the button first paints: the window need not wait for forty glyphs.
    setIcon(LazyPixmapIcon(glyph->Size, std::move(glyph->Draw)));
    setIconSize(glyph->Size);
  }
  if (group_) {
    setCheckable(true);
    group_->addButton(this);
  }
  connect(this, &QToolButton::clicked, this, [this] { Clicked(); });
}

void TSpeedButtonView::Clicked() {
  ReportErrors(window(), [this] { button_.Click(); });
  // Qt may have changed the checked state on its own; the model has the say.
  Sync();
}

void TSpeedButtonView::paintEvent(QPaintEvent* event) {
  if (!Vanished()) QToolButton::paintEvent(event);
}

void TSpeedButtonView::Sync() {
  SyncMousePlacement();
  if (!group_ || isChecked() == button_.Down()) return;
  if (button_.Down()) {
    setChecked(true);
  } else {
    // An exclusive group refuses to release its checked button by itself.
    group_->setExclusive(false);
    setChecked(false);
    group_->setExclusive(true);
  }
}

}  // namespace pixkura
