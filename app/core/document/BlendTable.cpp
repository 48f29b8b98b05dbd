#include "app/core/document/BlendTable.h"

#include <vector>

#include "base/Exception.h"
#include "base/VectorClones.h"
#include "image/DIB256.h"
#include "image/HSLArithmetic.h"
#include "image/RasterNearestColor.h"

namespace pixkura {

namespace {

int32_t SquaredDistance(TColor a, TColor b) {
  const int32_t dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
                db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

// The palette in HSL, one array per component, so the means of one entry
// with many others are worked out on vectors.
struct THSLColumns {
  double H[256], L[256], S[256];
};

// The number of unordered pairs of different entries.
constexpr size_t kPairs = 256 * 255 / 2;

// The mean colours (MixHSL, then HSLToColor) of entry j with entries
// j + 1 .. 255, into out[0 .. 254 - j].
PIXKURA_AVX2_CLONE void MeanColors(const THSLColumns& hsl, int j, TColor* out) {
  const double hj = hsl.H[j], lj = hsl.L[j], sj = hsl.S[j];
  uint32_t outside = 0;
  for (int k = j + 1; k < 256; ++k) {
    // Hues of ColorToHSL lie in 0..360, so the mean hue stays below 720.
    const double h = hsl::FoldHue(hsl::MeanHue(hj, sj, hsl.H[k], hsl.S[k]));
    const double l = hsl::Clamp01((lj + hsl.L[k]) / 2);
    const double s = hsl::Clamp01((sj + hsl.S[k]) / 2);
    const hsl::TChannels c = hsl::Channels(h, l, s);
    outside |= static_cast<uint32_t>(c.Red | c.Green | c.Blue) & ~0xFFu;
    out[k - j - 1] =
        static_cast<TColor>(c.Red) | static_cast<TColor>(c.Green) << 8 | static_cast<TColor>(c.Blue) << 16;
  }
  if (outside != 0) throw ERangeError("Range check error");
}

}  // namespace

void FillUnitTable(std::array<double, 256>& unitTable) {
  for (int i = 1; i <= 254; ++i) unitTable[i] = i / 255.0;
  unitTable[0] = 0.0;
  unitTable[255] = 1.0;
}

void FindDarkAndLight(const TIxDIB& master, TBlendTable& out) {
  // By luminance; the strict comparisons keep the lowest index among equals.
  out.DarkIdx = 0;
  out.LightIdx = 0;
  for (int i = 1; i < 256; ++i) {
    const int32_t luminance = Luminance(master.GetColors(i));
    if (luminance < Luminance(master.GetColors(out.DarkIdx))) out.DarkIdx = static_cast<uint8_t>(i);
    if (luminance > Luminance(master.GetColors(out.LightIdx))) out.LightIdx = static_cast<uint8_t>(i);
  }
}

void MakeMixTable(const TIxDIB& master, TBlendTable& out) {
  std::array<TColor, 256> colors{};
  for (int i = 0; i < 256; ++i) colors[i] = master.GetColors(i);
  FindDarkAndLight(master, out);

  THSLColumns hsl;
  for (int i = 0; i < 256; ++i) {
    THSL entry;
    ColorToHSL(colors[i], entry);
    hsl.H[i] = entry.H;
    hsl.L[i] = entry.L;
    hsl.S[i] = entry.S;
    out.MixTable[i][i] = static_cast<uint8_t>(i);
  }

  // The mean of two colours does not depend on their order: one mean per
  // unordered pair, pairs in the order (0, 1), (0, 2), .. (0, 255), (1, 2), ..
  std::vector<TColor> means(kPairs);
  size_t pair = 0;
  for (int j = 0; j < 255; ++j) {
    MeanColors(hsl, j, means.data() + pair);
    pair += static_cast<size_t>(255 - j);
  }
  std::vector<uint8_t> nearest(kPairs);
  std::vector<int32_t> distance(kPairs);
  const int32_t paletteSize = master.GetPaletteSize();
  const int searched = paletteSize == 0 ? 256 : paletteSize;
  TNearestColor search(master.InternalDIB().ColorTable(), searched);
  search.NearestOfMany(means.data(), kPairs, nearest.data(), distance.data());
  const auto tiesWith = [&](int entry, TColor mean, int32_t least) {
    return entry < searched && SquaredDistance(mean, colors[entry]) == least;
  };

  pair = 0;
  for (int j = 0; j < 255; ++j) {
    for (int k = j + 1; k < 256; ++k, ++pair) {
      const TColor mean = means[pair];
      // Among equally near entries the pair's own colours come first, so a
      // colour stored again at a lower index never takes a pixel's place.
      int n = nearest[pair];
      if (tiesWith(j, mean, distance[pair])) {
        n = j;
      } else if (tiesWith(k, mean, distance[pair])) {
        n = k;
      }
      // When the mean is nearest to the old colour itself, the painted colour
      // is written instead, so a blend never leaves the pixel as it was.
      out.MixTable[j][k] = static_cast<uint8_t>(n == j ? k : n);
      out.MixTable[k][j] = static_cast<uint8_t>(n == k ? j : n);
    }
  }
}

}  // namespace pixkura
