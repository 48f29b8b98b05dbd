#include "app/core/view/UnusedMarks.h"

#include "app/core/view/SwatchGrid.h"
#include "image/DIB256.h"
#include "image/PaletteEntryUse.h"

namespace pixkura {
namespace {

constexpr int32_t kCrossSide = 6;  // a diagonal cross of 6 x 6 pixels in the swatch's middle

void DrawSwatch(TIxDIB& swatches, uint8_t index, bool marked, uint8_t dark, uint8_t light) {
  const int32_t left = SwatchLeft(index), top = SwatchTop(index);
  FillBox(left, top, left + kSwatchW - 1, top + kSwatchH - 1, index, swatches);
  if (!marked) return;
  // Dark on a light colour, light on a dark one.
  const bool lightSwatch = Luminance(swatches.GetColors(index)) >= 128 * 1000;
  const uint8_t ink = lightSwatch ? dark : light;
  const int32_t x0 = left + (kSwatchW - kCrossSide) / 2, y0 = top + (kSwatchH - kCrossSide) / 2;
  for (int32_t k = 0; k < kCrossSide; ++k) {
    swatches.SetPixels(x0 + k, y0 + k, ink);
    swatches.SetPixels(x0 + kCrossSide - 1 - k, y0 + k, ink);
  }
}

}  // namespace

bool TUnusedMarks::Update(const TIxDIB& sheet, TIxDIB& swatches, uint8_t dark, uint8_t light) {
  TEntryUse use{};
  if (On) use = CountEntryUse(sheet);
  bool drawn = false;
  for (int32_t i = 0; i < 256; ++i) {
    const auto index = static_cast<uint8_t>(i);
    const bool marked = On && use[index] == 0;
    if (marked == shown_[index]) continue;
    DrawSwatch(swatches, index, marked, dark, light);
    shown_[index] = marked;
    drawn = true;
  }
  return drawn;
}

}  // namespace pixkura
