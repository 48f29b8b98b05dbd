#include "plugins/stbimage/PnmDecoder.h"

#include <array>

namespace pixkura::spi::misc {

namespace {

// v * 255 / maxValue, rounded half up.
uint8_t Scale(uint32_t v, uint32_t maxValue) {
  if (v >= maxValue) return 255;
  return static_cast<uint8_t>((uint64_t{v} * 510 + maxValue) / (2 * uint64_t{maxValue}));
}

// Two-byte samples, most significant byte first.
void WideRowToBgr(const uint8_t* src, uint8_t* bgr, int32_t width, const TPnmLayout& pnm) {
  for (int32_t x = 0; x < width; ++x, bgr += 3) {
    uint8_t rgb[3] = {};
    for (int c = 0; c < pnm.channels; ++c, src += 2)
      rgb[c] = Scale(uint32_t{src[0]} << 8 | src[1], pnm.maxValue);
    if (pnm.channels == 1) rgb[1] = rgb[2] = rgb[0];
    bgr[0] = rgb[2], bgr[1] = rgb[1], bgr[2] = rgb[0];
  }
}

}  // namespace

int32_t DecodePnm(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress) {
  if (header.leastFileSize > file.size()) return SPI_BROKEN_DATA;
  const TPnmLayout& pnm = header.pnm;
  if (const int32_t made = out.Allocate(header.width, header.height, 24, 0); made != SPI_SUCCESS) return made;

  const bool wide = pnm.maxValue > 255;
  // One-byte samples go through a table.
  std::array<uint8_t, 256> narrow{};
  for (uint32_t v = 0; v < narrow.size(); ++v) narrow[v] = Scale(v, pnm.maxValue);

  const size_t sampleBytes = wide ? 2 : 1;
  const size_t rowBytes = static_cast<size_t>(header.width) * static_cast<size_t>(pnm.channels) * sampleBytes;
  for (int32_t y = 0; y < header.height; ++y) {
    const uint8_t* src = file.data() + pnm.dataOffset + static_cast<size_t>(y) * rowBytes;
    uint8_t* bgr = out.Row(y);
    if (wide) {
      WideRowToBgr(src, bgr, header.width, pnm);
    } else if (pnm.channels == 3) {
      for (int32_t x = 0; x < header.width; ++x, src += 3, bgr += 3)
        bgr[0] = narrow[src[2]], bgr[1] = narrow[src[1]], bgr[2] = narrow[src[0]];
    } else {
      for (int32_t x = 0; x < header.width; ++x, bgr += 3) bgr[0] = bgr[1] = bgr[2] = narrow[src[x]];
    }
    if (!progress.Step(y + 1, header.height)) return SPI_ABORT;
  }
  return SPI_SUCCESS;
}

}  // namespace pixkura::spi::misc
