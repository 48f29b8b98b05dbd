// Mode commands: tool, zoom, pen size, display options and scrolling the
// loupe. None of them changes the sheet.
#include <array>
#include <utility>

#include "app/core/Editor.h"

namespace pixkura {
namespace {

struct TToolEntry {
  TSpeedButton TEditor::*Button;
  TMenuItem TEditor::*Item;
  TToolKind Tool;
  const char* StatusText;
};

// The tool buttons, their menu items, the tool number and the status text.
constexpr std::array<TToolEntry, 6> kTools{{
    {&TEditor::btPset, &TEditor::MnPen, TToolKind::Pen, "ペンツール"},
    {&TEditor::btLine, &TEditor::MnLine, TToolKind::Line, "線描画"},
    {&TEditor::btCircle, &TEditor::MnCircle, TToolKind::Ellipse, "円描画"},
    {&TEditor::btPaint, &TEditor::MnPaint, TToolKind::Fill, "塗りつぶし"},
    {&TEditor::btBox, &TEditor::MnBox, TToolKind::Box, "箱形塗りつぶし"},
    {&TEditor::btMarge, &TEditor::MnMarge, TToolKind::Blend, "半透明合成"},
}};

// Zoom buttons and menu items by zoom exponent 0..5.
constexpr std::array<std::pair<TSpeedButton TEditor::*, TMenuItem TEditor::*>, 6> kZooms{{
    {&TEditor::x1, &TEditor::MnBai1},
    {&TEditor::x2, &TEditor::MnBai2},
    {&TEditor::x4, &TEditor::MnBai4},
    {&TEditor::x8, &TEditor::MnBai8},
    {&TEditor::x16, &TEditor::MnBai16},
    {&TEditor::x32, &TEditor::MnBai32},
}};

// Pen-size buttons and menu items by pen size 1..5.
constexpr std::array<std::pair<TSpeedButton TEditor::*, TMenuItem TEditor::*>, 5> kPens{{
    {&TEditor::p1, &TEditor::MnP1},
    {&TEditor::p2, &TEditor::MnP2},
    {&TEditor::p3, &TEditor::MnP3},
    {&TEditor::p4, &TEditor::MnP4},
    {&TEditor::p5, &TEditor::MnP5},
}};

}  // namespace

void TEditor::btToolClick(TComponent*) {
  // A line, ellipse or box begun with the old tool is dropped.
  DrawTg.Hide();
  Tools.Anchor.ShapeAnchor = false;
  for (const TToolEntry& t : kTools)
    if ((this->*t.Button).Down()) {
      Tools.Tool = t.Tool;
      SBar.SetText(3, t.StatusText);
    }
}

void TEditor::XClick(TComponent* Sender) {
  for (size_t i = 0; i < kZooms.size(); ++i)
    if (Sender == &(this->*kZooms[i].first)) SetZoom(static_cast<uint8_t>(i));
}

void TEditor::SetZoom(uint8_t bairitu) {
  View.SetZoomExponent(bairitu);
  // Every zoom change shows the cell from its top-left corner again.
  View.LupeX = 0;
  View.LupeY = 0;
  SelA.SetBounds(AllView.Left() + View.CellX, AllView.Top() + View.CellY, SelA.Width(), SelA.Height());
  SelC.SetBounds(AllView.Left() + View.CellX, AllView.Top() + View.CellY, View.LupeSpan, View.LupeSpan);
  PlaceAnchorMarker();
  RedrawLoupe();
}

void TEditor::SelectZoom(uint8_t bairitu) {
  if (bairitu >= kZooms.size()) return SetZoom(bairitu);
  TSpeedButton& button = this->*kZooms[bairitu].first;
  button.SetDown(true);
  XClick(&button);
}

void TEditor::PClick(TComponent* Sender) {
  for (size_t i = 0; i < kPens.size(); ++i)
    if (Sender == &(this->*kPens[i].first)) Tools.PenSize = static_cast<int32_t>(i + 1);
}

// Every display option is read by the drawing code, so each of them redraws.
void TEditor::GridClick(TComponent*) {
  Views.GridOn = !Views.GridOn;
  RedrawLoupe();
}

void TEditor::ChuouClick(TComponent*) {
  Views.CLineOn = !Views.CLineOn;
  RedrawLoupe();
}

void TEditor::SFreeClick(TComponent*) {
  Copy.RestartSpan();
  RedrawLoupe();
}

void TEditor::DisplayOptionClick(TComponent*) { RedrawLoupe(); }

void TEditor::OnionClick(TComponent*) {
  Onion.On = OnionChk.Checked();
  RedrawLoupe();
}

void TEditor::LupeBtClick(TComponent* Sender) {
  // Half the loupe's span per click.
  const int32_t d = 128 / View.Bai;
  int32_t dx = 0, dy = 0;
  if (Sender == &LupeDown) dy += d;
  if (Sender == &LupeUp) dy -= d;
  if (Sender == &LupeLeft) dx -= d;
  if (Sender == &LupeRight) dx += d;
  // The far edge of the loupe never passes the cell's edge.
  if (!View.Scroll(dx, dy, d)) return;
  PlaceAnchorMarker();  // it stays on its pixel, moving against the scroll
  SelC.SetBounds(AllView.Left() + View.CellX + View.LupeX, AllView.Top() + View.CellY + View.LupeY, SelC.Width(),
                 SelC.Height());
  RedrawLoupe();
}

void TEditor::MenuClick(TComponent* Sender) {
  // Each item puts down the button it stands for, then acts as that button.
  for (const TToolEntry& t : kTools)
    if (Sender == &(this->*t.Item)) {
      (this->*t.Button).SetDown(true);
      btToolClick(&(this->*t.Button));
    }
  for (const auto& [button, item] : kPens)
    if (Sender == &(this->*item)) {
      (this->*button).SetDown(true);
      PClick(&(this->*button));
    }
  for (const auto& [button, item] : kZooms)
    if (Sender == &(this->*item)) {
      (this->*button).SetDown(true);
      XClick(&(this->*button));
    }
  // Zooming in or out is the zoom button one step from the current zoom;
  // past either end nothing happens.
  if (Sender == &MnZoomIn || Sender == &MnZoomOut) {
    const int next = View.Bairitu + (Sender == &MnZoomIn ? 1 : -1);
    if (next >= 0 && next < static_cast<int>(kZooms.size())) SelectZoom(static_cast<uint8_t>(next));
  }
  if (Sender == &MnGrid) GridClick(&Grid);
  if (Sender == &MnGrid2) ChuouClick(&Chuou);
  if (Sender == &MnOnion) OnionChk.Click();
}

}  // namespace pixkura
