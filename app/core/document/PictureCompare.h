// Whether two of the editor's bitmaps show the same: undo and redo count as a
// change only when they change what the sheet shows, and a palette that is
// already a bitmap's need not be set again (which would end the sharing of
// its pixel store with an undo slot).
#pragma once

#include "image/IxDIB.h"

namespace pixkura {

// The same number of palette entries, each of the same colour.
bool SameColors(const TIxDIB& a, const TIxDIB& b);
// The same size, depth, colours and pixels (true at once for a shared store).
bool SamePicture(const TIxDIB& a, const TIxDIB& b);

}  // namespace pixkura
