// Paints an indexed bitmap through QPainter without converting it in the core:
// the pixel memory is wrapped as it lies.
#pragma once

#include <QRect>

#include "image/IxDIB.h"

class QPainter;

namespace pixkura {

// Draws the whole of dib into target, nearest-neighbour when the sizes differ.
// A picture that is not 8-bit uncompressed draws nothing.
void PaintIxDIB(QPainter& painter, const QRect& target, const TIxDIB& dib);

}  // namespace pixkura
