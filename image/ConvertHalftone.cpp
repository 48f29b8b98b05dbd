// Half-tones: the picture mapped onto the shared colour half-tone palette (an
// 8-bit result) or onto black and white (a 1-bit result). Every pixel takes its
// nearest palette colour: smallest squared distance, lowest index on ties.
#include <algorithm>
#include <array>
#include <vector>

#include "image/ConvertRoutines.h"

namespace pixkura {
namespace {

struct THalftoneMessages {
  const char* format;
  const char* bitCount;
};

class TNearestColor {
 public:
  explicit TNearestColor(const TLogPalette& palette) : palette_(palette.entries) { cache_.fill(kEmpty); }

  uint8_t operator()(uint8_t r, uint8_t g, uint8_t b) {
    // True-colour pictures repeat their colours; a small direct-mapped cache
    // spares most searches.
    const uint32_t key = RGB(r, g, b);
    uint64_t& slot = cache_[(key * 2654435761u) >> (32 - kCacheBits)];
    if (static_cast<uint32_t>(slot >> 8) == key) return static_cast<uint8_t>(slot);
    const uint8_t index = Search(r, g, b);
    slot = uint64_t{key} << 8 | index;
    return index;
  }

 private:
  static constexpr int kCacheBits = 12;
  static constexpr uint64_t kEmpty = ~uint64_t{0};

  uint8_t Search(int r, int g, int b) const {
    size_t best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (size_t k = 0; k < palette_.size() && k < 256; ++k) {
      const int dr = r - palette_[k].peRed, dg = g - palette_[k].peGreen, db = b - palette_[k].peBlue;
      const int d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) bestDistance = d, best = k;
    }
    return static_cast<uint8_t>(best);
  }

  const std::vector<TPaletteEntry>& palette_;
  std::array<uint64_t, size_t{1} << kCacheBits> cache_;
};

template <int DstBits>
TDIBPtr MapOntoPalette(const TIxInternalDIB& src, const TLogPalette& palette,
                       const THalftoneMessages& messages) {
  if (src.Header().biCompression != BI_RGB) throw EIxDIBBadDIBType(messages.format);
  const uint16_t bits = src.Header().biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) throw EIxDIBBadDIBType(messages.bitCount);
  RequireUncompressed(src, bits, messages.format);

  const auto colors = static_cast<int32_t>(std::min<size_t>(palette.entries.size(), 256));
  TDIBPtr dst = NewStorageLike(src, DstBits, colors);
  for (int32_t k = 0; k < colors; ++k) {
    const TPaletteEntry& e = palette.entries[static_cast<size_t>(k)];
    dst->ColorTable()[k] = TRGBQuad{e.peBlue, e.peGreen, e.peRed, 0};
  }
  TNearestColor nearest(palette);
  if (bits == 24) {
    WriteIndices<DstBits>(src, *dst, [&nearest](const uint8_t* row, int32_t x) {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      return nearest(p[2], p[1], p[0]);
    });
    return dst;
  }
  std::array<uint8_t, 256> map{};
  for (int index = 0; index < 256; ++index) {
    const TRGBQuad& c = src.ColorTable()[index];
    map[index] = nearest(c.rgbRed, c.rgbGreen, c.rgbBlue);
  }
  auto write = [&]<int SrcBits>() {
    WriteIndices<DstBits>(src, *dst,
                          [&map](const uint8_t* row, int32_t x) { return map[IndexAt<SrcBits>(row, x)]; });
  };
  if (bits == 1) write.template operator()<1>();
  if (bits == 4) write.template operator()<4>();
  if (bits == 8) write.template operator()<8>();
  return dst;
}

}  // namespace

TDIBPtr ConvertToHalfTone(const TIxInternalDIB& src) {
  return MapOntoPalette<8>(src, *HalftonePalette(),
                           {"ConvertToHalfTone: Invalid DIB Format", "ConvertToHalfTone: Invalid Bit Count"});
}

TDIBPtr ConvertToHalfToneBW(const TIxInternalDIB& src) {
  return MapOntoPalette<1>(
      src, *HalftonePaletteBW(),
      {"ConvertToHalfToneBW: Invalid DIB Format", "ConvertToHalfToneBW: Invalid Bit Count"});
}

}  // namespace pixkura
