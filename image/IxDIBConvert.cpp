// Placeholder until the pixel-format conversions land.
#include "image/IxDIB.h"

namespace pixkura {
void ConvertInternalDIB(TIxInternalDIB&, TIxPixelFormat, uint8_t, const TProgressStep&, TColor) {
  throw EIxDIBAssert("TIxIntenalDIB.SetPixelsFormat: PixelFormat Error");
}
void CreateTrueColorPaletteOf(TIxInternalDIB& dib, uint8_t, const TProgressStep&) { dib.Header().biClrUsed = 0; }
}  // namespace pixkura
