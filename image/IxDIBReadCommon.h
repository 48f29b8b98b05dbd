// Pieces shared by the BMP file reader and the packed-DIB reader: header
// normalisation, colour tables, the bit-field conversion of 16- and 32-bit
// pictures to 24 bits, and the checks that keep hostile sizes in bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "image/IxDIB.h"

namespace pixkura {

// Entries a colour table holds when biClrUsed is 0: 2, 16, 256 for 1, 4, 8
// bits, none otherwise.
uint32_t DefaultPaletteSize(uint32_t bitCount);
// The depths a 12-byte (OS/2) header may have: 1, 4, 8 and 24 bits.
bool IsCoreBitCount(uint16_t bitCount);

// An OS/2 core header as the 40-byte header it stands for: bottom-up,
// uncompressed, biClrUsed = the number of table entries.
TBitmapInfoHeader InfoHeaderFromCore(const TBitmapCoreHeader& core, uint32_t entries);
// Three-byte table entries (blue, green, red) widened to RGBQUADs.
void QuadsFromTriples(const uint8_t* triples, uint32_t count, TRGBQuad* quads);

// Width > 0 and a height whose absolute value fits in 32 bits.
bool ValidDimensions(const TBitmapInfoHeader& h);
int32_t AbsHeight(const TBitmapInfoHeader& h);

// Bytes the rows of an uncompressed picture of this header take, or -1 when
// the size overflows.
int64_t UncompressedBitsSize(const TBitmapInfoHeader& h);

// Pixel memory that the caller fills completely (a reader overwriting every
// byte need not pay for zeroing); EOutOfResources with the GetFileMap message.
TPixelMemory AllocateUnfilledPixelMemory(size_t size);

// The red, green and blue masks of a 16- or 32-bit picture with the shift
// that brings each mask's top bit to bit 7.
class TChannelMasks {
 public:
  // fileMasks are the three masks read with bit-field data (used when
  // compression is not 0; all zero when none were read). A zero mask raises
  // EIxDIBInvalidDIB with invalidMasksMessage.
  TChannelMasks(uint32_t bitCount, uint32_t compression, const uint32_t fileMasks[3],
                const char* invalidMasksMessage);
  // One source row of width pixels into blue, green, red bytes; the
  // destination row's padding is cleared.
  void ConvertRow(const uint8_t* src, uint8_t* dst, int32_t width, int32_t dstRowSize) const;

 private:
  uint32_t bitCount_;
  uint32_t mask_[3];  // red, green, blue
  int shift_[3];
};

// Row sizes of the bit-field conversion: source (16 or 32 bits) and 24-bit
// destination.
int64_t BitFieldSourceRowSize(uint32_t bitCount, int32_t width);
int64_t TrueColorRowSize(int32_t width);

// Reads exactly count bytes into dst or raises EReadError.
using TByteReader = std::function<void(uint8_t* dst, size_t count)>;

struct TPixelBlock {
  TPixelMemory Bits;
  uint32_t Size = 0;
};

// Pixel data of 1, 4, 8 or 24 bits, kept as they are (RLE data stay
// compressed): dataSize bytes of a source that still holds available bytes.
// A negative size cannot be allocated (EOutOfResources); a size beyond what
// the source holds, or uncompressed data shorter than the picture's rows,
// raise EReadError before anything is allocated.
TPixelBlock ReadStoredPixels(const TBitmapInfoHeader& h, int64_t dataSize, int64_t available,
                             const TByteReader& read);
// 16- or 32-bit rows converted to 24 bits as they are read; EReadError when
// the source holds fewer rows than the picture has.
TPixelBlock ReadBitFieldPixels(const TBitmapInfoHeader& h, const TChannelMasks& masks, int64_t available,
                               const TByteReader& read);

// The end of both readers: header, colour table and pixels replace the
// storage's own; a 16/32-bit header is rewritten as the 24-bit one it became,
// and a bit-field header of any other depth as the uncompressed one it is.
void TakeOverReadPicture(TIxInternalDIB& dib, const TBitmapInfo256& info, TPixelBlock pixels);

}  // namespace pixkura
