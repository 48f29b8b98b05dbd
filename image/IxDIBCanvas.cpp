#include "image/IxDIBCanvas.h"

#include <algorithm>
#include <array>

#include "base/Exception.h"
#include "image/RasterEllipse.h"
#include "image/RasterFloodFill.h"
#include "image/RasterRows.h"
#include "image/RasterStretch.h"

namespace pixkura {

TIxDIBCanvas::TIxDIBCanvas(TIxDIB& dib) : dib_(dib) {
  dib_.UniqueDIB();
  const TIxInternalDIB& d = dib_.InternalDIB();
  if (d.Header().biCompression != BI_RGB)
    throw EOutOfResources("TIxDIBCanvas.Create: Cannot Create Memory DC");
  const int32_t bits = d.Header().biBitCount;
  if (bits <= 8) {
    indexed_ = true;
    const auto used = static_cast<int32_t>(d.Header().biClrUsed);
    tableSize_ = used == 0 ? 1 << bits : std::min(used, 256);
    std::copy(d.ColorTable(), d.ColorTable() + 256, table_.begin());
  }
}

TIxDIBCanvas::~TIxDIBCanvas() {
  if (closed_) return;
  // A destructor cannot pass an exception on (it may run while another one
  // unwinds); callers that want to see a failing change handler call Close.
  try {
    Close();
  } catch (...) {
  }
}

void TIxDIBCanvas::Close() {
  if (closed_) return;
  closed_ = true;
  dib_.UpdatePaletteModified();
  dib_.Changed();
}

uint32_t TIxDIBCanvas::PixelValue(TColor color) {
  const TColor rgb = ColorToRGB(color);
  if (!indexed_) return rgb;
  if (!nearest_) nearest_.emplace(table_.data(), tableSize_);
  return nearest_->Nearest(rgb);
}

TColor TIxDIBCanvas::ColorOf(uint32_t value) const {
  return indexed_ ? dib_.GetColors(static_cast<int32_t>(value)) : value;
}

namespace {

// Writes value into row y from x1 to x2 of the bitmap, clipped.
void PaintRun(TIxDIB& dib, int64_t y, int64_t x1, int64_t x2, uint32_t value) {
  if (y < 0 || y >= dib.GetHeight()) return;
  x1 = std::max<int64_t>(x1, 0);
  x2 = std::min<int64_t>(x2, dib.GetWidth() - 1);
  for (int64_t x = x1; x <= x2; ++x)
    dib.SetPixels(static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(value));
}

}  // namespace

void TIxDIBCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int64_t l = std::min(left, right), t = std::min(top, bottom);
  const int64_t w = int64_t{std::max(left, right)} - l, h = int64_t{std::max(top, bottom)} - t;
  // Nothing for an empty box, nor for one beyond any drawing surface's
  // coordinates (wider or taller than 2^31 pixels).
  if (w == 0 || h == 0 || w > (int64_t{1} << 31) || h > (int64_t{1} << 31)) return;
  const uint32_t pen = PixelValue(PenColor), brush = PixelValue(BrushColor);
  const TEllipseRaster raster(w, h);
  const int64_t firstRow = std::max<int64_t>(0, -t);
  const int64_t lastRow = std::min<int64_t>(h - 1, dib_.GetHeight() - 1 - t);
  for (int64_t j = firstRow; j <= lastRow; ++j) {
    const TEllipseRow row = raster.Row(j);
    const int64_t y = t + j;
    const int64_t insideFirst = TEllipseRaster::InsideFirst(row);
    const int64_t insideLast = TEllipseRaster::InsideLast(row, w);
    if (insideLast < insideFirst) {
      PaintRun(dib_, y, l + row.Left, l + w - 1 - row.Left, pen);
    } else {
      PaintRun(dib_, y, l + row.Left, l + row.OutlineEnd, pen);
      PaintRun(dib_, y, l + insideFirst, l + insideLast, brush);
      PaintRun(dib_, y, l + w - 1 - row.OutlineEnd, l + w - 1 - row.Left, pen);
    }
  }
}

void TIxDIBCanvas::FloodFill(int32_t x, int32_t y, TColor borderColor) {
  const int32_t width = dib_.GetWidth(), height = dib_.GetHeight();
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const TColor border = ColorToRGB(borderColor);
  // Which stored values have the border colour.
  std::array<bool, 256> borderIndex{};
  if (indexed_)
    for (int i = 0; i < 256; ++i)
      borderIndex[i] = RGB(table_[i].rgbRed, table_[i].rgbGreen, table_[i].rgbBlue) == border;
  const auto isBorder = [&](int32_t cx, int32_t cy) {
    const auto v = static_cast<uint32_t>(dib_.GetPixels(cx, cy));
    return indexed_ ? borderIndex[v & 0xFF] : v == border;
  };
  if (isBorder(x, y)) return;
  const auto fill = static_cast<int32_t>(PixelValue(BrushColor));
  ScanlineFill(
      width, height, x, y, [&](int32_t cx, int32_t cy) { return !isBorder(cx, cy); },
      [&](int32_t cy, int32_t x1, int32_t x2) {
        for (int32_t cx = x1; cx <= x2; ++cx) dib_.SetPixels(cx, cy, fill);
      });
}

void TIxDIBCanvas::CopyRect(const TRect& destRect, TIxDIBCanvas& source, const TRect& sourceRect) {
  CopyRect({destRect.Left, int64_t{destRect.Right} - destRect.Left},
           {destRect.Top, int64_t{destRect.Bottom} - destRect.Top}, source,
           {sourceRect.Left, int64_t{sourceRect.Right} - sourceRect.Left},
           {sourceRect.Top, int64_t{sourceRect.Bottom} - sourceRect.Top});
}

void TIxDIBCanvas::CopyRect(TAxisSpan destX, TAxisSpan destY, TIxDIBCanvas& source, TAxisSpan sourceX,
                            TAxisSpan sourceY) {
  TIxDIB& srcDib = source.dib_;
  const TStretchAxis columns = MapStretchAxis(destX, dib_.GetWidth(), sourceX, srcDib.GetWidth());
  const TStretchAxis rows = MapStretchAxis(destY, dib_.GetHeight(), sourceY, srcDib.GetHeight());
  if (columns.Empty() || rows.Empty()) return;

  // Copying within one bitmap: read from a snapshot of the pixels as they
  // were, so overlapping areas copy as if through a buffer. Sharing the
  // storage with the snapshot and writing makes the destination a fresh copy.
  TIxDIB snapshot;
  const bool sameStorage = &srcDib.InternalDIB() == &dib_.InternalDIB();
  if (sameStorage) {
    snapshot.Assign(&srcDib);
    dib_.UniqueDIB();
  }
  TIxDIB& from = sameStorage ? snapshot : srcDib;

  const int32_t fromBits = from.GetBitCount(), toBits = dib_.GetBitCount();
  if (fromBits == toBits && (toBits == 8 || toBits == 24)) {
    StretchTransfer(RowsOf(from.MutableInternalDIB()), RowsOf(dib_.MutableInternalDIB()), toBits / 8, columns,
                    rows);
    return;
  }
  // Other depths pixel by pixel: indices as they are between equal depths,
  // otherwise through the colours.
  const auto convert = [&](int32_t v) -> int32_t {
    if (fromBits == toBits) return v;
    const TColor color = fromBits == 24 ? static_cast<TColor>(v) : from.GetColors(v);
    return static_cast<int32_t>(PixelValue(color));
  };
  for (size_t r = 0; r < rows.Source.size(); ++r) {
    const int32_t dy = rows.DestFirst + static_cast<int32_t>(r);
    for (size_t c = 0; c < columns.Source.size(); ++c) {
      const int32_t dx = columns.DestFirst + static_cast<int32_t>(c);
      dib_.SetPixels(dx, dy, convert(from.GetPixels(columns.Source[c], rows.Source[r])));
    }
  }
}

}  // namespace pixkura
