// DIB256: the stateless drawing routines of the editor over 8-bit TIxDIB
// bitmaps (palette indices), and the HSL colour helpers behind the blend tool.
//
// Coordinates are pixels, x from the left and y from the top row; a box
// (x1, y1)-(x2, y2) includes both corners unless a routine says otherwise.
// How a routine reaches the pixels decides its clipping and its cost:
//  - pen shapes go through SetPixels, one bounds check per pixel, and drop
//    dots whose anchor lies outside;
//  - box and pattern fills, the mirrored and transparent copies, HLineFast and
//    the layer draw go through scan lines with one check per row; they clamp or
//    clip as their comment says and never touch memory outside a bitmap, even
//    for coordinates no editor code passes (negative or huge values);
//  - CopyBlock and StretchCopy open a TIxDIBCanvas on both bitmaps, so both get
//    private storage and both report Changed when the copy is done.
// Taking a scan line gives a shared bitmap private storage first, also when the
// routine only reads it. The scan-line routines need 8 bits per pixel and raise
// EIxDIBBadDIBType for any other depth.
#pragma once

#include <cstdint>

#include "base/Color.h"
#include "image/IxDIB.h"

namespace pixkura {

// Pen arguments (always in this order after the bitmap):
//   useTransparent   a dot whose colour equals transparentColor is not drawn
//   transparentColor the index treated as transparent
//   wrap             coordinates fold into the bitmap instead of being dropped
//   penSize          1..5: the side of the square a dot paints (see PenDot)

// The square a dot of penSize paints, as the offset of its top-left corner
// from the anchor and its side; side 0 (and offset 0) for sizes without one.
struct TDotSquare {
  int32_t Offset = 0;
  int32_t Side = 0;
};
TDotSquare DotSquare(uint8_t penSize);

// One pen dot anchored at (x, y). Without wrap it is drawn only when the anchor
// itself lies inside (a square partly inside but anchored outside draws
// nothing); with wrap the anchor folds into the bitmap (-1 becomes W-1).
// Size 1 is one pixel, 2 the 2 x 2 square right-below the anchor, 3 the 3 x 3
// square centred on it, 4 the 4 x 4 square from (x-1, y-1), 5 the 5 x 5 square
// from (x-2, y-2): the squares SquarePenLine paints, clipped to the bitmap (not
// wrapped). Other sizes draw nothing.
void PenDot(int32_t x, int32_t y, uint8_t color, TIxDIB& dib, bool useTransparent, uint8_t transparentColor,
            bool wrap, uint8_t penSize);
// A box of pen dots; the corners are ordered first.
void PenBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib, bool useTransparent,
            uint8_t transparentColor, bool wrap, uint8_t penSize);
// Each coordinate is clamped into the bitmap, the corners are NOT ordered:
// nothing when x2 < x1 or y2 < y1 after clamping. A box wholly outside paints
// the nearest edge row or column.
void FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib);
// Clamped and unordered as FillBox; the pattern starts at the box's top-left.
// Mode 0 or 1: alternating colours (a checkerboard for an even width, equal
// rows for an odd width). Mode 2 or more: pairs, rows A A B B ... and
// B B A A ... in turn.
void PatternBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colorA, uint8_t colorB, uint8_t mode,
                TIxDIB& dib);
// A line of pen dots including both end points.
void PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib, bool useTransparent,
             uint8_t transparentColor, bool wrap, uint8_t penSize);
// A line drawn with a square pen of side penSize (the squares of PenDot for
// 1..5, from the pointer for larger sizes); even sizes lie right-below the
// pointer. Each square is clipped to the bitmap: a square wholly outside paints
// nothing. No wrap, no transparency; size 0 draws nothing.
void SquarePenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib,
                   uint8_t penSize);
// Row y from x1 to x2 (nothing when x2 < x1). A row outside raises
// EIxDIBPixelPositionRange; columns outside the bitmap are left out.
void HLineFast(int32_t x1, int32_t y, int32_t x2, uint8_t color, TIxDIB& dib);
// SetPixels(x, y) for y = y1 .. y2; nothing when y2 < y1. A pixel outside
// raises EIxDIBPixelPositionRange (the pixels before it are drawn).
void VLine(int32_t x, int32_t y1, int32_t y2, uint8_t color, TIxDIB& dib);
// The outline (or the filled shape) of the ellipse inscribed in the box of the
// two corners, made of pen dots placed column by column.
void PenEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib,
                bool useTransparent, uint8_t transparentColor, bool wrap, uint8_t penSize, bool filled);

// 1:1 copy of the source box (sx1, sy1)-(sx2, sy2) to (dx, dy); parts outside
// either bitmap are clipped. Source and destination may be the same bitmap.
void CopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx, int32_t dy,
               TIxDIB& dst);
// Left-right mirrored copy: source column sx lands at dx + (sx2 - sx). Rows
// are limited to both bitmaps as a whole, columns pixel by pixel; everything
// outside either bitmap is clipped.
void MirrorCopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx, int32_t dy,
                     TIxDIB& dst);
// Copy that leaves out every source pixel equal to transparentColor; clipped
// as MirrorCopyBlock.
void TransparentCopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx,
                          int32_t dy, TIxDIB& dst, uint8_t transparentColor);
// Nearest-neighbour scaled copy; both rectangles right and bottom exclusive.
// A whole-factor enlargement repeats each source pixel as a square block; a
// source rectangle with its right edge left of its left edge (negative width)
// gives the mirror image of the columns sRight+1 .. sLeft (likewise for
// heights and rows). Everything outside either bitmap is clipped.
void StretchCopy(int32_t sLeft, int32_t sTop, int32_t sRight, int32_t sBottom, TIxDIB& src, int32_t dLeft,
                 int32_t dTop, int32_t dRight, int32_t dBottom, TIxDIB& dst);
// Magnified draw of the source pixels x1 <= x < x2, y1 <= y < y2 (right and
// bottom EXCLUSIVE) at (destX, destY), each as a block of (1 shl shift)
// pixels square: a FillBox of colors[x, y] where mask[x, y] is not
// transparentColor, else a PatternBox of colors[x, y] and ditherColor with
// mode = shift. Source pixels outside either source bitmap are skipped; the
// blocks are clamped as FillBox clamps. A shift outside 0..30 draws nothing.
void ZoomLayerDraw(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& colors, TIxDIB& mask,
                   int32_t destX, int32_t destY, TIxDIB& dst, int32_t shift, uint8_t transparentColor,
                   uint8_t ditherColor);
// Flood fill of the 4-connected region of the seed's index (diagonal
// neighbours do not connect). A seed outside raises EIxDIBPixelPositionRange.
void FillArea(int32_t x, int32_t y, uint8_t color, TIxDIB& dib);

// Hue in degrees, lightness and saturation in 0..1.
struct THSL {
  double H = 0.0;
  double L = 0.0;
  double S = 0.0;
};

void ColorToHSL(TColor color, THSL& hsl);
// x reduced by n while it is above n, so n itself stays n. For n <= 0 (where
// the reduction would never end) x is returned as it is.
double FloatMod(int32_t n, double x);
// One channel of HSL to RGB.
double HueValue(double hue, double m1, double m2);
// S and L are clamped to 0..1; channels round half to even. A channel outside
// 0..255 (only reachable with hues below -360) raises ERangeError.
TColor HSLToColor(const THSL& hsl);
// The mean of two colours; the hue runs along the shorter arc and may exceed 360.
void MixHSL(const THSL& a, const THSL& b, THSL& result);

}  // namespace pixkura
