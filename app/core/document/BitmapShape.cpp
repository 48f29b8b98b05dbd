#include "app/core/document/BitmapShape.h"

namespace pixkura {

void ShapeBitmap(TIxDIB& dib, int32_t width, int32_t height) {
  dib.SetWidth(width);
  dib.SetHeight(height);
  dib.SetBitCount(8);
  dib.SetPixelFormat(ixPf8Bit);
  dib.SetPaletteSize(256);
}

void ShapeBitmapWithColors(TIxDIB& dib, int32_t width, int32_t height, const TIxDIB& master) {
  ShapeBitmap(dib, width, height);
  for (int32_t i = 0; i < 256; ++i) dib.SetColors(i, master.GetColors(i));
}

}  // namespace pixkura
