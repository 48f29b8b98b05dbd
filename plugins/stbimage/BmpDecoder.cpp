#include "plugins/stbimage/BmpDecoder.h"

#include <bit>

#include "plugins/common/SpiBytes.h"
#include "plugins/stbimage/BmpRle.h"

namespace pixkura::spi::misc {

namespace {

// One colour channel held under a bit mask.
class TChannel {
 public:
  explicit TChannel(uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {}

  uint8_t Of(uint32_t pixel) const {
    if (max_ == 0) return 0;
    const uint64_t v = (pixel & mask_) >> shift_;
    return static_cast<uint8_t>(v * 255 / max_);  // max_ maps to 255 whatever the width
  }

 private:
  uint32_t mask_;
  int shift_;
  uint64_t max_;
};

void UnpackIndices(const uint8_t* src, uint8_t* dst, int32_t width, int bitCount) {
  if (bitCount == 8) {
    std::copy(src, src + width, dst);
    return;
  }
  const int perByte = 8 / bitCount;
  const int lowMask = (1 << bitCount) - 1;
  for (int32_t x = 0; x < width; ++x) {
    const int slot = x % perByte;  // the leftmost pixel is in the highest bits
    dst[x] = static_cast<uint8_t>((src[x / perByte] >> (8 - bitCount * (slot + 1))) & lowMask);
  }
}

void UnpackTrueColor(const uint8_t* src, uint8_t* bgr, int32_t width, int bitCount,
                     const TChannel (&rgb)[3]) {
  for (int32_t x = 0; x < width; ++x, bgr += 3) {
    if (bitCount == 24) {
      bgr[0] = src[3 * x], bgr[1] = src[3 * x + 1], bgr[2] = src[3 * x + 2];
      continue;
    }
    const uint8_t* p = src + static_cast<size_t>(x) * (bitCount / 8);
    const uint32_t pixel =
        bitCount == 16 ? uint32_t{p[0]} | uint32_t{p[1]} << 8
                       : uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    bgr[0] = rgb[2].Of(pixel), bgr[1] = rgb[1].Of(pixel), bgr[2] = rgb[0].Of(pixel);
  }
}

void CopyTable(TBytes file, const TBmpLayout& bmp, TDibBlocks& out) {
  TByteReader r(file);
  for (int i = 0; i < bmp.tableEntries; ++i) {
    const size_t at = bmp.tableOffset + 4 * static_cast<size_t>(i);
    out.SetColor(i, r.U8(at + 2), r.U8(at + 1), r.U8(at));
  }
  out.SetColorsUsed(bmp.tableEntries);
}

}  // namespace

int32_t DecodeBmp(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress) {
  const TBmpLayout& bmp = header.bmp;
  // CheckFileHolds has made sure every row lies inside the file.
  if (header.leastFileSize > file.size()) return SPI_BROKEN_DATA;
  const int32_t made = header.indexed ? out.Allocate(header.width, header.height, 8, 1 << bmp.bitCount)
                                      : out.Allocate(header.width, header.height, 24, 0);
  if (made != SPI_SUCCESS) return made;
  out.SetPelsPerMeter(header.xPelsPerMeter, header.yPelsPerMeter);
  if (header.indexed) CopyTable(file, bmp, out);
  if (bmp.compression == 1 || bmp.compression == 2) {
    const int32_t decoded = DecodeBmpRle(file.subspan(bmp.pixelOffset), bmp.bitCount, out, progress);
    if (decoded == SPI_SUCCESS) out.CoverUsedIndices();
    return decoded;
  }

  const TChannel rgb[3] = {TChannel(bmp.masks[0]), TChannel(bmp.masks[1]), TChannel(bmp.masks[2])};
  for (int32_t stored = 0; stored < header.height; ++stored) {
    const uint8_t* src = file.data() + bmp.pixelOffset + static_cast<uint64_t>(stored) * bmp.rowSize;
    uint8_t* dst = out.Row(bmp.bottomUp ? header.height - 1 - stored : stored);
    if (header.indexed)
      UnpackIndices(src, dst, header.width, bmp.bitCount);
    else
      UnpackTrueColor(src, dst, header.width, bmp.bitCount, rgb);
    if (!progress.Step(stored + 1, header.height)) return SPI_ABORT;
  }
  if (header.indexed) out.CoverUsedIndices();
  return SPI_SUCCESS;
}

}  // namespace pixkura::spi::misc
