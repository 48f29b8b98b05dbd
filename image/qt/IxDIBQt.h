// The indexed bitmap on Qt's side: painting it through QImage, and the
// exchange with QImage (the platform bitmap of this program).
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "image/IxDIB.h"

namespace pixkura {

// An 8-bit uncompressed bitmap's pixel memory as a QImage::Format_Indexed8,
// without copying a pixel, with the palette as colour table. Rows appear as
// stored: upside down for bottom-up storage (Draw turns them over). Valid
// while the bitmap keeps its storage (until the next write, Assign or load).
// Other formats raise EIxDIBBadDIBType.
QImage WrapIndexed8(const TIxDIB& dib);

// Paints the whole bitmap stretched into dest, nearest neighbour. An 8-bit
// uncompressed bitmap is painted straight from its memory; other formats are
// converted for the paint (RLE storage decoded). With HalftoneMode 1 or 2
// the picture is first stretched to dest's size and reduced to the colour or
// black-and-white half-tone palette, as the platform's half-tone drawing does.
void Draw(QPainter& painter, const QRect& dest, const TIxDIB& dib);

// Takes a QImage's picture: its depth decides the bitmap's (1 and 8 bits
// stay, everything else becomes 24 bits), the colour table becomes the
// palette (a 1- or 8-bit picture without one gets palette size 2 or 256; an
// 8-bit grey picture gets a grey ramp). The bitmap gets new storage, then
// reports a palette change and Changed; on failure (a null or oversized
// picture) it keeps its old storage.
void AssignFromQImage(TIxDIB& dib, const QImage& image);

// The bitmap as a new QImage: 1 bit as Format_Mono, 4 and 8 bits as
// Format_Indexed8 (Qt has no 4-bit format), 24 bits as Format_RGB888; RLE
// storage is decoded first. The colour table holds the palette entries. A
// storage without a pixel format raises its EIxDIBInvalidDIB; any other
// format raises EIxDIBAssert "TIxDIB.AssignTo: Illegal PixelFormat".
QImage AssignToQImage(const TIxDIB& dib);

}  // namespace pixkura
