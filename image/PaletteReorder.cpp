#include "image/PaletteReorder.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>

#include "base/Exception.h"

namespace pixkura {

namespace {

void RequireEntry(const std::vector<TColor>& palette, uint8_t index) {
  if (index >= palette.size()) {
    throw ERangeError("palette entry " + std::to_string(index) + " is outside the palette of " +
                      std::to_string(palette.size()) + " entries");
  }
}

// The old indices in their new order, 0..count-1 at first.
std::vector<uint8_t> IdentityOrder(const std::vector<TColor>& palette) {
  std::vector<uint8_t> order(palette.size());
  std::iota(order.begin(), order.end(), uint8_t{0});
  return order;
}

// The reorder that puts old entry order[n] at place n.
TPaletteReorder FromOrder(const std::vector<TColor>& palette, const std::vector<uint8_t>& order) {
  TPaletteReorder reorder{IdentityIndexMap(), std::vector<TColor>(palette.size())};
  for (size_t n = 0; n < order.size(); ++n) {
    reorder.Map[order[n]] = static_cast<uint8_t>(n);
    reorder.Colors[n] = palette[order[n]];
  }
  return reorder;
}

// Entries first..last (in either order) stably sorted by key(colour, index).
template <typename TKey>
TPaletteReorder SortRange(const std::vector<TColor>& palette, uint8_t first, uint8_t last, TKey key) {
  RequireEntry(palette, first);
  RequireEntry(palette, last);
  if (first > last) std::swap(first, last);
  std::vector<uint8_t> order = IdentityOrder(palette);
  std::stable_sort(order.begin() + first, order.begin() + last + 1,
                   [&](uint8_t a, uint8_t b) { return key(palette[a], a) < key(palette[b], b); });
  return FromOrder(palette, order);
}

// (0 for greys, 1 for colours; hue in degrees; max + min of the components).
std::tuple<int, double, int> HueKey(TColor c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  const int lightness = hi + lo;
  if (hi == lo) return {0, 0.0, lightness};
  const double span = hi - lo;
  double hue;
  if (hi == r)
    hue = 60.0 * (g - b) / span;
  else if (hi == g)
    hue = 60.0 * (b - r) / span + 120.0;
  else
    hue = 60.0 * (r - g) / span + 240.0;
  if (hue < 0) hue += 360.0;
  return {1, hue, lightness};
}

}  // namespace

std::vector<TColor> PaletteColorsOf(const TIxDIB& picture) {
  std::vector<TColor> colors(static_cast<size_t>(picture.GetPaletteSize()));
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = picture.GetColors(static_cast<int32_t>(i));
  return colors;
}

TPaletteReorder SwapEntries(const std::vector<TColor>& palette, uint8_t a, uint8_t b) {
  RequireEntry(palette, a);
  RequireEntry(palette, b);
  std::vector<uint8_t> order = IdentityOrder(palette);
  std::swap(order[a], order[b]);
  return FromOrder(palette, order);
}

TPaletteReorder MoveEntry(const std::vector<TColor>& palette, uint8_t from, uint8_t to) {
  RequireEntry(palette, from);
  RequireEntry(palette, to);
  std::vector<uint8_t> order = IdentityOrder(palette);
  if (from < to)
    std::rotate(order.begin() + from, order.begin() + from + 1, order.begin() + to + 1);
  else
    std::rotate(order.begin() + to, order.begin() + from, order.begin() + from + 1);
  return FromOrder(palette, order);
}

TPaletteReorder SortByLuminance(const std::vector<TColor>& palette, uint8_t first, uint8_t last) {
  return SortRange(palette, first, last, [](TColor c, uint8_t) { return Luminance(c); });
}

TPaletteReorder SortByHue(const std::vector<TColor>& palette, uint8_t first, uint8_t last) {
  return SortRange(palette, first, last, [](TColor c, uint8_t) { return HueKey(c); });
}

TPaletteReorder SortByUse(const std::vector<TColor>& palette, const TEntryUse& use, uint8_t first,
                          uint8_t last) {
  // Negated so that the largest count sorts first.
  return SortRange(palette, first, last, [&](TColor, uint8_t i) { return -int64_t{use[i]}; });
}

TPaletteReorder MergeDuplicates(const std::vector<TColor>& palette) {
  TPaletteReorder reorder{IdentityIndexMap(), palette};
  for (size_t i = 1; i < palette.size(); ++i) {
    const auto earliest = std::find(palette.begin(), palette.begin() + static_cast<ptrdiff_t>(i), palette[i]);
    reorder.Map[i] = static_cast<uint8_t>(earliest - palette.begin());
  }
  return reorder;
}

TPaletteReorder CompactEntries(const std::vector<TColor>& palette, const TEntryUse& use,
                               std::optional<uint8_t> keep) {
  if (keep) RequireEntry(palette, *keep);
  std::vector<uint8_t> order = IdentityOrder(palette);
  std::stable_partition(order.begin(), order.end(), [&](uint8_t i) { return use[i] > 0 || i == keep; });
  return FromOrder(palette, order);
}

void ApplyPaletteReorder(TIxDIB& picture, const TPaletteReorder& reorder) {
  if (picture.GetPixelFormat() != ixPf8Bit) throw EIxDIBBadDIBType("ApplyPaletteReorder: Bad DIB Type");
  // A reorder made for another palette could send pixels outside this one.
  const size_t count = static_cast<size_t>(picture.GetPaletteSize());
  const auto outside = [&](uint8_t to) { return to >= count; };
  if (reorder.Colors.size() != count ||
      std::any_of(reorder.Map.begin(), reorder.Map.begin() + count, outside))
    throw ERangeError("ApplyPaletteReorder: the reorder is not one of this palette");
  picture.UniqueDIB();
  TIxInternalDIB& d = picture.MutableInternalDIB();
  for (size_t i = 0; i < reorder.Colors.size(); ++i) {
    const TColor c = reorder.Colors[i];
    d.ColorTable()[i] = TRGBQuad{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  }
  d.UpdatePalette();
  picture.UpdatePaletteModified();
  ApplyIndexMap(picture, reorder.Map);  // last: it tells the picture's watchers
}

}  // namespace pixkura
