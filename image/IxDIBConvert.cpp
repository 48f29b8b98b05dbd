// The storage conversion behind TIxDIB::SetPixelFormat and
// CreateTrueColorPalette. A route is up to three stages: decode RLE storage,
// change the depth, encode RLE; each stage builds new storage from the last,
// intermediates are freed as soon as the next stage has its result, and the
// bitmap's own storage takes over only the complete result.
#include <algorithm>

#include "image/ConvertRoutines.h"
#include "image/IxDIB.h"
#include "image/IxDIBRLE.h"

namespace pixkura {
namespace {

constexpr const char* kPixelFormatError = "TIxIntenalDIB.SetPixelsFormat: PixelFormat Error";

bool IsRLE(TIxPixelFormat f) { return f == ixPf4BitRLE || f == ixPf8BitRLE; }

// The uncompressed format of the same depth.
TIxPixelFormat Uncompressed(TIxPixelFormat f) {
  if (f == ixPf4BitRLE) return ixPf4Bit;
  if (f == ixPf8BitRLE) return ixPf8Bit;
  return f;
}

TDIBPtr Decode(const TIxInternalDIB& src, TIxPixelFormat from) {
  return from == ixPf8BitRLE ? Convert8BitRLETo8BitRGB(src) : Convert4BitRLETo4BitRGB(src);
}

// Uncompressed to uncompressed of another depth.
TDIBPtr ChangeDepth(const TIxInternalDIB& src, TIxPixelFormat from, TIxPixelFormat to, uint8_t convertMode,
                    const TProgressStep& step, TColor bkColor) {
  switch (from) {
    case ixPf1Bit:
      if (to == ixPf4Bit) return Convert1BitRGBTo4BitRGB(src);
      if (to == ixPf8Bit) return Convert1BitRGBTo8BitRGB(src);
      if (to == ixPf24Bit) return Convert1BitRGBToTrueColor(src);
      break;
    case ixPf4Bit:
      if (to == ixPf1Bit) return Convert4BitRGBTo1BitRGB(src, bkColor);
      if (to == ixPf8Bit) return Convert4BitRGBTo8BitRGB(src);
      if (to == ixPf24Bit) return Convert4BitRGBToTrueColor(src);
      break;
    case ixPf8Bit:
      if (to == ixPf1Bit) return Convert8BitTo1BitRGB(src, bkColor);
      if (to == ixPf4Bit) return Convert8BitRGBTo4BitRGB(src, step);
      if (to == ixPf24Bit) return Convert8BitRGBToTrueColor(src);
      break;
    case ixPf24Bit:
      if (to == ixPf1Bit) return ConvertTrueColorTo1BitRGB(src, bkColor);
      if (to == ixPf4Bit)
        return convertMode == 0 ? ConvertTrueColorTo4BitRGBLow(src, step)
                                : ConvertTrueColorTo4BitRGBHigh(src, step);
      if (to == ixPf8Bit)
        return convertMode == 0 ? ConvertTrueColorTo8BitRGBLow(src, step)
                                : ConvertTrueColorTo8BitRGBHigh(src, step);
      break;
    default:
      break;
  }
  throw EIxDIBAssert(kPixelFormatError);
}

TDIBPtr Encode(const TIxInternalDIB& src, TIxPixelFormat to) {
  return to == ixPf8BitRLE ? Convert8BitRGBTo8BitRLE(src) : Convert4BitRGBTo4BitRLE(src);
}

TDIBPtr Convert(const TIxInternalDIB& dib, TIxPixelFormat value, uint8_t convertMode,
                const TProgressStep& step, TColor bkColor) {
  const TIxPixelFormat from = dib.GetPixelFormat();
  const bool halftone = value == ixPfHalftone || value == ixPfHalftoneBW;
  if (value == from || value > ixPfHalftoneBW) throw EIxDIBAssert(kPixelFormatError);
  const bool reduction = from == ixPf24Bit && !halftone && value != ixPf1Bit;
  if (reduction && convertMode > 1) throw EIxDIBAssert(kPixelFormatError);

  TDIBPtr current;  // the latest stage's result; null while the source is still dib
  auto source = [&]() -> const TIxInternalDIB& { return current ? *current : dib; };
  if (IsRLE(from)) current = Decode(dib, from);
  if (halftone) return value == ixPfHalftone ? ConvertToHalfTone(source()) : ConvertToHalfToneBW(source());

  const TIxPixelFormat base = Uncompressed(from), target = Uncompressed(value);
  if (base != target) current = ChangeDepth(source(), base, target, convertMode, step, ColorToRGB(bkColor));
  if (IsRLE(value)) current = Encode(source(), value);
  return current;
}

}  // namespace

void ConvertInternalDIB(TIxInternalDIB& dib, TIxPixelFormat value, uint8_t convertMode,
                        const TProgressStep& step, TColor bkColor) {
  TDIBPtr result = Convert(dib, value, convertMode, step, bkColor);
  dib.TakeOver(std::move(*result));
}

void CreateTrueColorPaletteOf(TIxInternalDIB& dib, uint8_t convertMode, const TProgressStep& step) {
  if (convertMode > 1) {
    dib.Header().biClrUsed = 0;
    return;
  }
  TRGBQuad palette[256]{};
  const int32_t colors =
      convertMode == 0 ? TrueColorPaletteLow(dib, palette, step) : TrueColorPaletteHigh(dib, palette, step);
  std::copy(palette, palette + colors, dib.ColorTable());
  dib.Header().biClrUsed = static_cast<uint32_t>(colors);
}

}  // namespace pixkura
