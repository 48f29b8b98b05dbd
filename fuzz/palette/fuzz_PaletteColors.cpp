// Every reader of other programs' palette files, and the recogniser that
// chooses among them, on arbitrary bytes: each reader either raises its
// palette-file error or returns 1 to 256 colours, and whatever it returns
// survives a round trip through every writable format unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "formats/PaletteAct.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteFiles.h"
#include "formats/PaletteGimp.h"
#include "formats/PaletteHex.h"
#include "formats/PaletteJasc.h"
#include "formats/PalettePicture.h"
#include "formats/PaletteRaw.h"
#include "formats/PaletteRiff.h"

namespace {

using namespace pixkura;

using TDecoder = TPaletteColors (*)(std::span<const uint8_t>, const std::string&);

bool ReadsBack(const std::vector<uint8_t>& bytes, const TPaletteColors& colors) {
  try {
    return DecodePaletteColors(bytes, "fuzz").Colors() == colors.Colors();
  } catch (const EPaletteFileError&) {
    return false;
  }
}

void CheckRoundTrips(const TPaletteColors& colors) {
  if (colors.Empty() || colors.Count() > TPaletteColors::kMaxCount) std::abort();
  for (const TColor c : colors.Colors())
    if (c > 0xFFFFFF) std::abort();
  for (const TPaletteFormat format : {TPaletteFormat::pfGimp, TPaletteFormat::pfJascPal,
                                      TPaletteFormat::pfAdobeAct, TPaletteFormat::pfHex}) {
    const std::vector<uint8_t> bytes = EncodePaletteColors(format, colors, "fuzz");
    if (ReadsBack(bytes, colors)) continue;
    // A table holds any bytes. Only one whose bytes begin like another
    // format may read as that format instead; if they begin like a picture,
    // they must also be a picture the loader reads, or the table is taken.
    const TPaletteFormat recognised = RecognisePaletteFormat(bytes);
    if (format != TPaletteFormat::pfAdobeAct || recognised == TPaletteFormat::pfAdobeAct) std::abort();
    if (recognised == TPaletteFormat::pfPicture) {
      try {
        DecodePicturePalette(bytes, "fuzz");
      } catch (const EPaletteFileError&) {
        std::abort();
      }
    }
  }
}

void Try(TDecoder decode, std::span<const uint8_t> bytes) {
  try {
    CheckRoundTrips(decode(bytes, "fuzz"));
  } catch (const EPaletteFileError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (const TDecoder decode : {&DecodeGimpPalette, &DecodeJascPalette, &DecodeRiffPalette, &DecodeActPalette,
                                &DecodeHexPalette, &DecodeRawPalette})
    Try(decode, bytes);
  // The recogniser and the whole read, pictures included (the built-in
  // reader only: no plug-ins are loaded here).
  Try(&DecodePaletteColors, bytes);
  return 0;
}
