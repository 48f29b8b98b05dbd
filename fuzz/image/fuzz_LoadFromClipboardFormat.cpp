// Reads arbitrary bytes as a packed DIB; a picture that was read must pack
// and read back to identical storage.
#include <cstdint>
#include <vector>

#include "fuzz/image/FuzzChecks.h"

using namespace pixkura;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so that any read past the block is caught.
  const std::vector<uint8_t> block(data, data + size);
  if (block.empty()) return 0;
  TIxDIB dib;
  try {
    dib.LoadFromClipboardFormat(CF_DIB, TMemoryBlock(block), nullptr);
  } catch (const Exception&) {
    return 0;
  }
  fuzz::CheckReadPicture(dib);
  if (!fuzz::HasPixelFormat(dib)) return 0;
  uint16_t format = 0;
  std::vector<uint8_t> packed;
  HPALETTE palette;
  dib.SaveToClipboardFormat(format, packed, palette);
  TIxDIB back;
  back.LoadFromClipboardFormat(format, TMemoryBlock(packed), palette);
  if (!fuzz::SameStorage(dib.InternalDIB(), back.InternalDIB())) std::abort();
  return 0;
}
