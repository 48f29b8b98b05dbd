#include "app/core/BlendTable.h"

#include "image/DIB256.h"
#include "image/RasterNearestColor.h"

namespace pixkura {

void FillUnitTable(std::array<double, 256>& unitTable) {
  for (int i = 1; i <= 254; ++i) unitTable[i] = i / 255.0;
  unitTable[0] = 0.0;
  unitTable[255] = 1.0;
}

void MakeMixTable(const TIxDIB& master, TBlendTable& out) {
  std::array<TColor, 256> colors{};
  for (int i = 0; i < 256; ++i) colors[i] = master.GetColors(i);

  out.DarkIdx = 0;
  out.LightIdx = 0;
  for (int i = 1; i < 256; ++i) {
    if (colors[i] < colors[out.DarkIdx]) out.DarkIdx = static_cast<uint8_t>(i);
    if (colors[i] > colors[out.LightIdx]) out.LightIdx = static_cast<uint8_t>(i);
  }

  std::array<THSL, 256> hsl{};
  for (int i = 0; i < 256; ++i) {
    ColorToHSL(colors[i], hsl[i]);
    out.MixTable[i][i] = static_cast<uint8_t>(i);
  }

  const int32_t paletteSize = master.GetPaletteSize();
  TNearestColor search(master.InternalDIB().ColorTable(), paletteSize == 0 ? 256 : paletteSize);
  for (int j = 0; j < 255; ++j) {
    for (int k = j + 1; k < 256; ++k) {
      THSL mean;
      MixHSL(hsl[j], hsl[k], mean);
      const uint8_t n = search.Nearest(HSLToColor(mean));
      // When the mean is nearest to the old colour itself, the painted colour
      // is written instead, so a blend never leaves the pixel as it was.
      out.MixTable[j][k] = n == j ? static_cast<uint8_t>(k) : n;
      out.MixTable[k][j] = n == k ? static_cast<uint8_t>(j) : n;
    }
  }
}

}  // namespace pixkura
