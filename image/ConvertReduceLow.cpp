// The "Low" colour reduction of 24-bit pictures: a 5-6-5 histogram replaces the
// pixels, the variance split chooses the palette among its used cells, and
// every pixel takes the palette index of its cell through a look-up table. Two
// passes over the pixels, whatever the picture, plus work on at most 65536
// cells; no dithering and no nearest-colour search.
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/ConvertVarianceSplit.h"

namespace pixkura {
namespace {

constexpr int32_t kCellCount = 65536;

// The 5-6-5 class of a colour.
inline uint32_t CellOf(uint32_t r, uint32_t g, uint32_t b) {
  return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
}

// Calls f(x, blue, green, red) for every pixel of a 24-bit row. Four pixels
// are read as three 32-bit words, which spares most of the byte loads.
template <typename F>
inline void ForEachPixel(const uint8_t* p, int32_t width, F&& f) {
  int32_t x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; x + 4 <= width; x += 4, p += 12) {
      uint32_t w0, w1, w2;
      std::memcpy(&w0, p, 4);
      std::memcpy(&w1, p + 4, 4);
      std::memcpy(&w2, p + 8, 4);
      f(x, w0 & 255, (w0 >> 8) & 255, (w0 >> 16) & 255);
      f(x + 1, w0 >> 24, w1 & 255, (w1 >> 8) & 255);
      f(x + 2, (w1 >> 16) & 255, w1 >> 24, w2 & 255);
      f(x + 3, (w2 >> 8) & 255, (w2 >> 16) & 255, w2 >> 24);
    }
  }
  for (; x < width; ++x, p += 3) f(x, p[0], p[1], p[2]);
}

// A histogram cell while counting: the sums of the bits the class drops, and
// the pixel count. 32-bit sums keep the table at 1 MiB, small enough to stay
// in cache; pictures large enough to overflow them count in 64 bits.
template <typename Sum>
struct TCounter {
  Sum red, green, blue, count;
};

// A used cell after counting: its colour (the truncated mean of its pixels),
// its pixel count and its number.
struct TCell {
  uint32_t red, green, blue, count, number;
  uint64_t Weight() const { return count; }
  uint32_t Channel(int axis) const { return axis == 0 ? red : axis == 1 ? green : blue; }
};

template <typename Sum>
std::vector<TCell> CountCells(const TIxInternalDIB& src) {
  std::vector<TCounter<Sum>> counters(kCellCount);
  TCounter<Sum>* const table = counters.data();
  for (int32_t i = 0; i < src.Height; ++i) {
    ForEachPixel(StoredRowOf(src, i), src.Width, [table](int32_t, uint32_t b, uint32_t g, uint32_t r) {
      TCounter<Sum>& c = table[CellOf(r, g, b)];
      c.red += r & 7;
      c.green += g & 3;
      c.blue += b & 7;
      ++c.count;
    });
  }
  // Pack the used cells to the front, in increasing cell order.
  std::vector<TCell> cells;
  for (uint32_t n = 0; n < kCellCount; ++n) {
    const TCounter<Sum>& c = table[n];
    if (c.count == 0) continue;
    cells.push_back(TCell{static_cast<uint32_t>(c.red / c.count) + (n >> 11) * 8,
                          static_cast<uint32_t>(c.green / c.count) + ((n >> 5) & 63) * 4,
                          static_cast<uint32_t>(c.blue / c.count) + (n & 31) * 8,
                          static_cast<uint32_t>(c.count), n});
  }
  return cells;
}

std::vector<TCell> UsedCells(const TIxInternalDIB& src) {
  // A cell's red sum grows by at most 7 per pixel.
  const uint64_t pixels = uint64_t(src.Width) * uint64_t(src.Height);
  if (pixels <= std::numeric_limits<uint32_t>::max() / 7) return CountCells<uint32_t>(src);
  return CountCells<uint64_t>(src);
}

// Numbers the leaves as palette entries and records every cell's entry.
struct TLowPaletteBuilder {
  TRGBQuad* table;
  uint8_t* lookUp;  // cell number -> palette index
  int32_t count = 0;

  int Leaf(TCell* lo, TCell* hi, const TRangeStats& stats) {
    table[count] = LeafColor(stats);
    for (TCell* c = lo; c != hi; ++c) lookUp[c->number] = static_cast<uint8_t>(count);
    ++count;
    return 0;
  }
  int Empty() { return 0; }
  int Split(TSplitAxis, long double, int, int) { return 0; }
};

// Builds the palette of at most 2^maxDepth colours into table and the cell
// look-up table; returns the number of colours.
int32_t BuildLowPalette(const TIxInternalDIB& src, int maxDepth, TRGBQuad* table, uint8_t* lookUp,
                        const TProgressStep& step) {
  std::vector<TCell> cells = UsedCells(src);
  TLowPaletteBuilder builder{table, lookUp};
  SplitRange(cells.data(), cells.data() + cells.size(), 0, maxDepth, builder, step);
  return builder.count;
}

template <int DstBits>
TDIBPtr ReduceLow(const TIxInternalDIB& src, const TProgressStep& step, const char* message) {
  RequireUncompressed(src, 24, message);
  constexpr int maxDepth = DstBits == 8 ? 8 : 4;
  TRGBQuad palette[256]{};
  std::vector<uint8_t> lookUpTable(kCellCount, 0);
  const uint8_t* const lookUp = lookUpTable.data();
  const int32_t colors = BuildLowPalette(src, maxDepth, palette, lookUpTable.data(), step);

  TDIBPtr dst = NewStorageLike(src, DstBits, colors);
  std::copy(palette, palette + colors, dst->ColorTable());
  if constexpr (DstBits == 8) {
    for (int32_t i = 0; i < src.Height; ++i) {
      uint8_t* const out = StoredRowOf(*dst, i);
      ForEachPixel(
          StoredRowOf(src, i), src.Width,
          [out, lookUp](int32_t x, uint32_t b, uint32_t g, uint32_t r) { out[x] = lookUp[CellOf(r, g, b)]; });
    }
  } else {
    WriteIndices<DstBits>(src, *dst, [lookUp](const uint8_t* row, int32_t x) {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      return lookUp[CellOf(p[2], p[1], p[0])];
    });
  }
  return dst;
}

}  // namespace

TDIBPtr ConvertTrueColorTo8BitRGBLow(const TIxInternalDIB& src, const TProgressStep& step) {
  return ReduceLow<8>(src, step, "ConvertTrueColorTo8BitRGBLow: Invalid Bitcount");
}

TDIBPtr ConvertTrueColorTo4BitRGBLow(const TIxInternalDIB& src, const TProgressStep& step) {
  return ReduceLow<4>(src, step, "ConvertTrueColorTo4BitRGBLow: Invalid Bitcount");
}

int32_t TrueColorPaletteLow(const TIxInternalDIB& src, TRGBQuad* table, const TProgressStep& step) {
  RequireUncompressed(src, 24, "TIxInternalDIB.CreateTrueColorPalette: Bad DIB Type");
  std::vector<uint8_t> lookUp(kCellCount, 0);
  return BuildLowPalette(src, 8, table, lookUp.data(), step);
}

}  // namespace pixkura
