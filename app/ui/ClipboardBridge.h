// The desktop's clipboard through Qt (X11 and Wayland alike): the editor's
// offer put up in its two formats, and what is there read back as the
// editor's own block or a decoded picture.
#pragma once

#include "app/core/editing/ClipboardContent.h"

class QImage;

namespace pixkura {

void PutOnClipboard(const TClipboardOffer& offer);
TClipboardContent ReadFromClipboard();

// A decoded picture as the editor takes it, at most one pixel past the
// sheet's size each way: a palette picture keeps its indices and colour
// table, any other is read as 32-bit ARGB.
TClipboardPicture PictureOfImage(const QImage& image);

}  // namespace pixkura
