// Colour values in the COLORREF layout: red in bits 0-7, green 8-15, blue
// 16-23, top byte 0. A value with the top bit set names a system colour.
#pragma once

#include <cstdint>

namespace pixkura {

using TColor = uint32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GetGValue(TColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t GetBValue(TColor c) { return static_cast<uint8_t>(c >> 16); }
// Luminance in thousandths (0.299 R + 0.587 G + 0.114 B, times 1000), exact
// in integers, so equal luminances compare equal.
constexpr int32_t Luminance(TColor c) { return 299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clGray = 0x808080;
constexpr TColor kSystemColorFlag = 0x80000000u;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clWindowText = kSystemColorFlag | 8;

// Resolves a system colour (top bit set, low byte its number) to its RGB value
// from a fixed table of the classic desktop scheme; other values lose bits 24-31.
TColor ColorToRGB(TColor color);

}  // namespace pixkura
