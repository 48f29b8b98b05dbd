#include "app/core/view/LoupeMagnify.h"

#include <algorithm>
#include <cstring>

#include "image/RasterRows.h"

namespace pixkura {
namespace {

// Enlarged rows are built in these, a piece of a row at a time, then copied
// into the rows of their blocks.
constexpr int64_t kPieceBytes = 512;
struct TPiece {
  uint8_t Even[kPieceBytes];  // the rows 0, 2, 4, ... of a block
  uint8_t Odd[kPieceBytes];   // the rows 1, 3, 5, ... where they differ
};

// Walks the source rows and pieces of rows that land inside dst and copies
// each expanded piece into the rows of its blocks. expand(y, x, count, piece)
// fills count * bai bytes of piece.Even (and of piece.Odd, returning true,
// when odd block rows differ) for source pixels x .. x + count - 1 of row y.
template <typename Expand>
void Magnify(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t srcWidth, int32_t srcHeight,
             int32_t shift, const TRows& d, Expand expand) {
  if (shift < 0 || shift > 8) return;
  const int64_t bai = int64_t{1} << shift;
  // Source pixels inside the sources whose block starts inside dst.
  const int64_t xFirst = std::max<int64_t>(x1, 0), yFirst = std::max<int64_t>(y1, 0);
  const int64_t xEnd = std::min<int64_t>({x2, srcWidth, int64_t{x1} + (d.Width + bai - 1) / bai});
  const int64_t yEnd = std::min<int64_t>({y2, srcHeight, int64_t{y1} + (d.Height + bai - 1) / bai});
  const int64_t perPiece = kPieceBytes / bai;
  TPiece piece;
  for (int64_t y = yFirst; y < yEnd; ++y) {
    const int64_t top = (y - y1) * bai;
    const int64_t rows = std::min(bai, d.Height - top);
    for (int64_t x = xFirst; x < xEnd; x += perPiece) {
      const int64_t count = std::min(perPiece, xEnd - x);
      const int64_t left = (x - x1) * bai;
      const auto bytes = static_cast<size_t>(std::min(count * bai, d.Width - left));
      const bool twoKinds = expand(y, x, count, piece);
      for (int64_t r = 0; r < rows; ++r)
        std::memcpy(d.Row(top + r) + left, twoKinds && (r & 1) ? piece.Odd : piece.Even, bytes);
    }
  }
}

// One source pixel repeated Bai times; a factor known at compile time lets
// the compiler turn the repetition into vector stores.
template <int Bai>
void Repeat(const uint8_t* s, uint8_t* d, int64_t n) {
  for (int64_t i = 0; i < n; ++i)
    for (int k = 0; k < Bai; ++k) d[i * Bai + k] = s[i];
}

}  // namespace

void RepeatPixels(const uint8_t* s, uint8_t* d, int64_t n, int32_t shift) {
  switch (shift) {
    case 0:
      std::memcpy(d, s, static_cast<size_t>(n));
      break;
    case 1:
      Repeat<2>(s, d, n);
      break;
    case 2:
      Repeat<4>(s, d, n);
      break;
    case 3:
      Repeat<8>(s, d, n);
      break;
    case 4:
      Repeat<16>(s, d, n);
      break;
    case 5:
      Repeat<32>(s, d, n);
      break;
    default:
      for (int64_t i = 0; i < n; ++i) std::memset(d + (i << shift), s[i], size_t{1} << shift);
  }
}

namespace {

// The half-density rows of a block: solid where the mask has colour; over a
// hole the pattern box of the block's size starting at its top-left: at 2 x 2
// a checkerboard (c d / d c), from 4 x 4 up pairs (c c d d ... / d d c c ...).
// Whether block column k of an even or odd block row shows the colour (rather
// than the dither index) over a hole:
constexpr bool EvenRowShowsColour(int64_t bai, int64_t k) {
  return bai == 1 || (bai == 2 ? k == 0 : (k & 2) == 0);
}
constexpr bool OddRowShowsColour(int64_t bai, int64_t k) {
  return bai == 1 || (bai == 2 ? k == 1 : (k & 2) != 0);
}

// With the factor known at compile time every block column is a select.
template <int Bai>
void HalfDensity(const uint8_t* c, const uint8_t* m, int64_t n, uint8_t transparent, uint8_t dither,
                 uint8_t* __restrict even, uint8_t* __restrict odd) {
  for (int64_t i = 0; i < n; ++i) {
    const uint8_t v = c[i];
    const bool hole = m[i] == transparent;
    for (int k = 0; k < Bai; ++k) {
      even[i * Bai + k] = !hole || EvenRowShowsColour(Bai, k) ? v : dither;
      odd[i * Bai + k] = !hole || OddRowShowsColour(Bai, k) ? v : dither;
    }
  }
}

void HalfDensity(const uint8_t* c, const uint8_t* m, int64_t n, int32_t shift, uint8_t transparent,
                 uint8_t dither, TPiece& piece) {
  switch (shift) {
    case 0:
      HalfDensity<1>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    case 1:
      HalfDensity<2>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    case 2:
      HalfDensity<4>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    case 3:
      HalfDensity<8>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    case 4:
      HalfDensity<16>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    case 5:
      HalfDensity<32>(c, m, n, transparent, dither, piece.Even, piece.Odd);
      return;
    default:
      break;
  }
  const int64_t bai = int64_t{1} << shift;
  for (int64_t i = 0; i < n; ++i) {
    const bool hole = m[i] == transparent;
    for (int64_t k = 0; k < bai; ++k) {
      piece.Even[i * bai + k] = !hole || EvenRowShowsColour(bai, k) ? c[i] : dither;
      piece.Odd[i * bai + k] = !hole || OddRowShowsColour(bai, k) ? c[i] : dither;
    }
  }
}

}  // namespace

void MagnifyBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& src, int32_t shift, TIxDIB& dst) {
  const TRows s = Rows8(src, "MagnifyBlock");
  const TRows d = Rows8(dst, "MagnifyBlock");
  Magnify(x1, y1, x2, y2, s.Width, s.Height, shift, d,
          [&](int64_t y, int64_t x, int64_t count, TPiece& piece) {
            RepeatPixels(s.Row(y) + x, piece.Even, count, shift);
            return false;
          });
}

void MagnifyLayerBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& colors, TIxDIB& mask,
                       int32_t shift, uint8_t transparentColor, uint8_t ditherColor, TIxDIB& dst) {
  const TRows c = Rows8(colors, "MagnifyLayerBlock");
  const TRows m = Rows8(mask, "MagnifyLayerBlock");
  const TRows d = Rows8(dst, "MagnifyLayerBlock");
  Magnify(x1, y1, x2, y2, std::min(c.Width, m.Width), std::min(c.Height, m.Height), shift, d,
          [&](int64_t y, int64_t x, int64_t count, TPiece& piece) {
            HalfDensity(c.Row(y) + x, m.Row(y) + x, count, shift, transparentColor, ditherColor, piece);
            return true;
          });
}

}  // namespace pixkura
