// The loupe's viewport: which cell of the sheet is selected (its place and
// size), which part of it the loupe shows (the scroll) and how magnified (the
// zoom), and the conversions between the three pixel systems: sheet pixels
// (from the sheet's top-left), cell pixels (from the selected cell's
// top-left) and loupe pixels (from the loupe window's top-left, Bai screen
// pixels each).
#pragma once

#include <cstdint>

namespace pixkura {

class TLoupeViewport {
 public:
  uint8_t Bairitu = 3;     // zoom exponent of the loupe, 0..5 from the buttons (6, 7 from the settings)
  uint8_t Bai = 8;         // screen pixels per sheet pixel in the loupe: 1 shl Bairitu
  uint16_t LupeSpan = 32;  // sheet pixels across the loupe: 256 div Bai
  int32_t ChrX = 32, ChrY = 32;  // cell size in pixels, 1..256
  // Sheet pixel of the selected cell's top-left; whole multiples of the cell size.
  int32_t CellX = 0, CellY = 0;
  int32_t LupeX = 0, LupeY = 0;  // cell pixel at the loupe window's top-left (the loupe's scroll)

  // Sets the zoom exponent with its factor and span; the scroll is left alone.
  void SetZoomExponent(uint8_t bairitu) {
    Bairitu = bairitu;
    Bai = static_cast<uint8_t>(1u << Bairitu);
    LupeSpan = static_cast<uint16_t>(256 / Bai);
  }

  // A screen position over the loupe as a loupe pixel (truncating, as the
  // loupe's grid does), a loupe pixel as a cell pixel, a cell pixel as a
  // sheet pixel.
  int32_t LoupePixel(int32_t screen) const { return screen / Bai; }
  int32_t CellXOfLoupe(int32_t x) const { return LupeX + x; }
  int32_t CellYOfLoupe(int32_t y) const { return LupeY + y; }
  int32_t SheetXOfCell(int32_t x) const { return CellX + x; }
  int32_t SheetYOfCell(int32_t y) const { return CellY + y; }
  bool InsideCell(int32_t cx, int32_t cy) const { return cx >= 0 && cy >= 0 && cx < ChrX && cy < ChrY; }

  // The loupe window of one redraw: sheet pixel (sx, sy) at its top-left,
  // w x h sheet pixels of the cell visible (cut at the cell's right and
  // bottom edges).
  struct TWindow {
    int32_t sx, sy, w, h;
  };
  TWindow Window() const {
    const int32_t w = LupeX + LupeSpan <= ChrX ? LupeSpan : ChrX - LupeX;
    const int32_t h = LupeY + LupeSpan <= ChrY ? LupeSpan : ChrY - LupeY;
    return {CellX + LupeX, CellY + LupeY, w, h};
  }

  // Scrolls by (dx, dy) cell pixels when the loupe's far edge then stays
  // inside the cell (the step is half the span); false leaves it.
  bool Scroll(int32_t dx, int32_t dy, int32_t step) {
    const int32_t x = LupeX + dx, y = LupeY + dy;
    if (x < 0 || y < 0 || x > ChrX - step - 1 || y > ChrY - step - 1) return false;
    LupeX = x;
    LupeY = y;
    return true;
  }

  // Selects the cell whose top-left is sheet pixel (x, y) when the whole cell
  // lies inside the 256 x 256 sheet, shown from its top-left; false leaves it.
  bool SelectCell(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x > 256 - ChrX || y > 256 - ChrY) return false;
    CellX = x;
    CellY = y;
    LupeX = 0;
    LupeY = 0;
    return true;
  }
};

}  // namespace pixkura
