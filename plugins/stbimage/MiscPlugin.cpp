// The exported functions of pixkura-misc.spi: BMPs with extended headers,
// TGA and binary PNM, recognised by their headers. The BMP and PNM layouts
// are plain enough to read directly, which keeps palettes and maximum
// values right; TGA goes through stb_image.
#include "plugins/common/SpiLimits.h"
#include "plugins/stbimage/BmpDecoder.h"
#include "plugins/stbimage/MiscHeaders.h"
#include "plugins/stbimage/PnmDecoder.h"
#include "plugins/stbimage/StbDecoder.h"

namespace {

using namespace pixkura::spi;
using namespace pixkura::spi::misc;

constexpr TFormatEntry kFormats[] = {
    {"*.dib;*.bmp", "Windows Bitmap (extended headers)"},
    {"*.tga", "Truevision TGA"},
    {"*.pnm;*.pgm;*.ppm", "Portable anymap"},
};
constexpr TPluginDescription kDescription{"Pixkura BMP/TGA/PNM import (TGA through stb_image)", kFormats};

bool IsMiscFile(const uint8_t* head) {
  return ReadMiscHeader(TBytes(head, SPI_HEADER_BYTES)).kind != TMiscKind::kNone;
}

int32_t ReadMiscFacts(TBytes file, TPictureFacts& facts) {
  const TMiscHeader header = ReadMiscHeader(file);
  if (header.kind == TMiscKind::kNone) return SPI_UNKNOWN_FORMAT;
  facts.width = header.width;
  facts.height = header.height;
  facts.colorDepth = header.indexed ? 8 : 24;
  facts.xDpi = PelsPerMeterToDpi(header.xPelsPerMeter);
  facts.yDpi = PelsPerMeterToDpi(header.yPelsPerMeter);
  return CheckPictureSize(header.width, header.height);
}

int32_t DecodeMisc(TBytes file, TDibBlocks& out, TProgress& progress) {
  const TMiscHeader header = ReadMiscHeader(file);
  if (const int32_t holds = CheckFileHolds(header, file.size()); holds != SPI_SUCCESS) return holds;
  switch (header.kind) {
    case TMiscKind::kBmp:
      return DecodeBmp(file, header, out, progress);
    case TMiscKind::kPnm:
      return DecodePnm(file, header, out, progress);
    default:
      return DecodeWithStb(file, header, out, progress);
  }
}

constexpr TPluginFunctions kPlugin{&kDescription, IsMiscFile, ReadMiscFacts, DecodeMisc};

}  // namespace

PIXKURA_SPI_DEFINE_EXPORTS(kPlugin)
