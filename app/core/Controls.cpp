#include "app/core/Controls.h"

#include <algorithm>

namespace pixkura {

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (left == Left_ && top == Top_ && width == Width_ && height == Height_) return;
  Left_ = left;
  Top_ = top;
  Width_ = width;
  Height_ = height;
  NotifyModelChanged();
}

void TControl::SetVisible(bool v) {
  if (v == Visible_) return;
  Visible_ = v;
  NotifyModelChanged();
}

void TShape::SetBrushStyle(TBrushStyle s) {
  if (s == BrushStyle_) return;
  BrushStyle_ = s;
  NotifyModelChanged();
}

void TShape::SetBrushColor(TColor c) {
  if (c == BrushColor_) return;
  BrushColor_ = c;
  NotifyModelChanged();
}

void TSpeedButton::SetDown(bool down) {
  if (down && Group) {
    for (TSpeedButton* other : Group->Buttons)
      if (other != this && other->Down_) {
        other->Down_ = false;
        other->NotifyModelChanged();
      }
  }
  // A grouped button cannot be released except by putting another down.
  if (!down && Group) return;
  if (down == Down_) return;
  Down_ = down;
  NotifyModelChanged();
}

void TSpeedButton::Click() {
  if (Group) SetDown(true);
  if (OnClick) OnClick(this);
}

TSpeedButton* TSpeedButtonGroup::DownButton() const {
  for (TSpeedButton* b : Buttons)
    if (b->Down()) return b;
  return nullptr;
}

void TCheckBox::SetChecked(bool v) {
  if (v == Checked_) return;
  Checked_ = v;
  NotifyModelChanged();
  if (OnClick) OnClick(this);
}

void TRadioGroup::SetItemIndex(int32_t v) {
  v = std::clamp<int32_t>(v, -1, static_cast<int32_t>(Items.size()) - 1);
  if (v == ItemIndex_) return;
  ItemIndex_ = v;
  NotifyModelChanged();
  if (OnClick) OnClick(this);
}

void TScrollBar::SetPosition(int32_t v) {
  v = std::clamp(v, Min, Max);
  if (v == Position_) return;
  Position_ = v;
  NotifyModelChanged();
  if (OnChange) OnChange(this);
}

void TTextControl::SetText(const std::string& t) {
  if (t == Text_) return;
  Text_ = t;
  NotifyModelChanged();
}

void TStatusBar::SetText(size_t panel, const std::string& text) {
  if (panel >= Panels.size() || Panels[panel].Text == text) return;
  Panels[panel].Text = text;
  NotifyModelChanged();
}

void TTimer::SetEnabled(bool v) {
  if (v == Enabled_) return;
  Enabled_ = v;
  if (OnModelChanged) OnModelChanged();
}

}  // namespace pixkura
