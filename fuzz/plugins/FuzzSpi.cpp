// Feeds one input to a plug-in the way the host does: IsSupported on a
// zero-padded 2048-byte head, then GetPictureInfo and GetPicture on the
// exact bytes. A successful decode must hand back blocks as large as their
// header says; both are freed.
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/SusiePlugin.h"
#include "image/IxDIBTypes.h"

namespace {

int32_t KeepGoing(int32_t, int32_t, intptr_t) { return 0; }

// Traps when the blocks disagree with their header; reads every byte so
// that uninitialised or freed memory would show.
void CheckBlocks(const void* info, const void* bits) {
  if (info == nullptr || bits == nullptr) __builtin_trap();
  const pixkura::TBitmapInfoHeader* h = static_cast<const pixkura::TBitmapInfoHeader*>(info);
  if (h->biSize != 40 || h->biWidth <= 0 || h->biHeight == 0 || (h->biBitCount != 8 && h->biBitCount != 24))
    __builtin_trap();
  const size_t colors = h->biClrUsed != 0 || h->biBitCount != 8 ? h->biClrUsed : 256;
  const size_t rowSize = (size_t{h->biBitCount} * static_cast<size_t>(h->biWidth) + 31) / 32 * 4;
  const size_t rows = static_cast<size_t>(h->biHeight < 0 ? -int64_t{h->biHeight} : h->biHeight);
  if (colors > 256 || malloc_usable_size(const_cast<void*>(info)) < 40 + 4 * colors ||
      malloc_usable_size(const_cast<void*>(bits)) < rowSize * rows)
    __builtin_trap();
  const auto* pixels = static_cast<const uint8_t*>(bits);
  unsigned sum = 0;
  for (size_t i = 0; i < rowSize * rows; ++i) sum += pixels[i];
  if (h->biBitCount == 8) {
    // Every index must have its colour entry.
    for (size_t y = 0; y < rows; ++y)
      for (size_t x = 0; x < static_cast<size_t>(h->biWidth); ++x)
        if (pixels[y * rowSize + x] >= colors) __builtin_trap();
  }
  volatile unsigned sink = sum;
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > INT32_MAX) return 0;
  std::vector<char> head(std::max<size_t>(size, SPI_HEADER_BYTES), 0);
  std::copy(data, data + size, head.begin());
  IsSupported("fuzz", head.data());

  const auto* buf = reinterpret_cast<const char*>(data);
  const auto len = static_cast<int32_t>(size);
  SusiePictureInfo info{};
  GetPictureInfo(buf, len, SPI_INPUT_MEMORY, &info);

  void* hInfo = nullptr;
  void* hBits = nullptr;
  if (GetPicture(buf, len, SPI_INPUT_MEMORY, &hInfo, &hBits, KeepGoing, 0) == SPI_SUCCESS) {
    CheckBlocks(hInfo, hBits);
  } else if (hInfo != nullptr || hBits != nullptr) {
    __builtin_trap();  // a failure hands nothing back
  }
  std::free(hInfo);
  std::free(hBits);
  return 0;
}
