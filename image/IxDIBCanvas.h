// TIxDIBCanvas: a drawing surface bound to one TIxDIB that draws straight into
// its pixel memory: the ellipse with a 1-pixel pen, the border flood fill and
// the stretching block transfer the drawing primitives build on.
//
// Opening a canvas gives the bitmap private storage (copy-on-write), so
// drawing never reaches another bitmap sharing it. Closing it (Close, or the
// destructor) consumes the bitmap's palette-changed flag and reports Changed.
// Colours are colour values; on an indexed bitmap a colour becomes the index
// of the nearest entry of the colour table the bitmap had when the canvas was
// opened (lowest index among equally near entries), and a pixel "has" a
// colour when its entry in that table is that colour. The bitmap must not be resized,
// re-depthed or reloaded while a canvas on it is open.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/Color.h"
#include "base/Graphic.h"
#include "image/IxDIB.h"
#include "image/RasterNearestColor.h"
#include "image/RasterStretch.h"

namespace pixkura {

class TIxDIBCanvas {
 public:
  // Compressed (RLE) storage cannot be drawn on: EOutOfResources
  // "TIxDIBCanvas.Create: Cannot Create Memory DC".
  explicit TIxDIBCanvas(TIxDIB& dib);
  ~TIxDIBCanvas();
  TIxDIBCanvas(const TIxDIBCanvas&) = delete;
  TIxDIBCanvas& operator=(const TIxDIBCanvas&) = delete;

  // Ends the drawing: UpdatePaletteModified and Changed on the bitmap. The
  // destructor does this when it has not been done; call it directly to see
  // a failing change handler's exception.
  void Close();

  TIxDIB& DIB() const { return dib_; }

  // Pens are 1 pixel wide (the only width the primitives draw with); the
  // brush is solid.
  TColor PenColor = clBlack;
  TColor BrushColor = clWhite;

  // Ellipse in the rectangle (right and bottom exclusive; corners in any
  // order): the outline in the pen colour, the inside in the brush colour.
  // Clipped to the bitmap.
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Fills with the brush colour, from (x, y) through horizontally and
  // vertically adjacent pixels, every pixel that does not have the border
  // colour. Nothing when the seed lies outside or has the border colour.
  void FloodFill(int32_t x, int32_t y, TColor borderColor);
  // Stretching transfer (nearest neighbour) of source's sourceRect onto
  // destRect of this canvas; both right and bottom exclusive. A negative
  // width or height mirrors (see StretchCopy); everything outside either
  // bitmap is clipped. Pixels of equal depth are copied as they are (indices
  // unchanged, whatever the colour tables); an indexed source onto a 24-bit
  // canvas goes through its colour table, a 24-bit source onto an indexed
  // canvas through the nearest entry. Source may be this canvas.
  void CopyRect(const TRect& destRect, TIxDIBCanvas& source, const TRect& sourceRect);
  // The same with each rectangle given as its two axis spans (edge and signed
  // extent in 64 bits, for callers whose edges may pass the 32-bit range).
  void CopyRect(TAxisSpan destX, TAxisSpan destY, TIxDIBCanvas& source, TAxisSpan sourceX, TAxisSpan sourceY);

  // The pixel value a colour is stored as: the colour itself on a 24-bit
  // bitmap, the nearest index on an indexed one.
  uint32_t PixelValue(TColor color);
  // The colour of a stored pixel value.
  TColor ColorOf(uint32_t value) const;

 private:
  TIxDIB& dib_;
  bool indexed_ = false;
  // The colour table at opening, and the search over it, made when first needed.
  std::array<TRGBQuad, 256> table_{};
  int32_t tableSize_ = 0;
  std::optional<TNearestColor> nearest_;
  bool closed_ = false;
};

}  // namespace pixkura
