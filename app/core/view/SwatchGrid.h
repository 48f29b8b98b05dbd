// The palette view's grid: 32 x 8 swatches of 8 x 12 pixels, entry 0 at the
// top-left, row by row. Shared by the swatches, their marks and the drag.
#pragma once

#include <cstdint>

namespace pixkura {

inline constexpr int32_t kSwatchW = 8;
inline constexpr int32_t kSwatchH = 12;
inline constexpr int32_t kSwatchColumns = 32;
inline constexpr int32_t kSwatchRows = 8;

constexpr bool InsideSwatches(int32_t x, int32_t y) {
  return x >= 0 && x < kSwatchW * kSwatchColumns && y >= 0 && y < kSwatchH * kSwatchRows;
}

// The entry of the swatch at view point (x, y), which must lie inside.
constexpr uint8_t SwatchIndex(int32_t x, int32_t y) {
  return static_cast<uint8_t>((y / kSwatchH) * kSwatchColumns + x / kSwatchW);
}

constexpr int32_t SwatchLeft(uint8_t index) { return kSwatchW * (index % kSwatchColumns); }
constexpr int32_t SwatchTop(uint8_t index) { return kSwatchH * (index / kSwatchColumns); }

}  // namespace pixkura
