#include "plugins/stbimage/StbDecoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

// Only the formats this plug-in claims are compiled in; the dimension cap
// backs up the plug-in's own checks, which run before stb sees the file.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 65536
#include <stb/stb_image.h>

namespace pixkura::spi::misc {

namespace {

// stb reads through callbacks so that it can be told where the file ends.
// stb itself treats reading past the end as reading zeros, which would turn
// a cut file into a picture with a black tail; the source notes any attempt
// to read past the end, and the decode then fails.
struct TStbSource {
  TBytes file;
  size_t pos = 0;
  bool overran = false;
};

int ReadCallback(void* user, char* out, int size) {
  auto* src = static_cast<TStbSource*>(user);
  if (size <= 0) return 0;
  const size_t n = std::min(static_cast<size_t>(size), src->file.size() - src->pos);
  if (n == 0) src->overran = true;
  std::memcpy(out, src->file.data() + src->pos, n);
  src->pos += n;
  return static_cast<int>(n);
}

void SkipCallback(void* user, int n) {
  auto* src = static_cast<TStbSource*>(user);
  if (n < 0) {
    src->pos -= std::min(src->pos, static_cast<size_t>(-static_cast<int64_t>(n)));
    return;
  }
  if (static_cast<size_t>(n) > src->file.size() - src->pos) src->overran = true;
  src->pos += std::min(static_cast<size_t>(n), src->file.size() - src->pos);
}

int EofCallback(void* user) {
  const auto* src = static_cast<TStbSource*>(user);
  return src->pos >= src->file.size() ? 1 : 0;
}

struct TStbFree {
  void operator()(stbi_uc* p) const noexcept { stbi_image_free(p); }
};

}  // namespace

int32_t DecodeWithStb(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress) {
  TStbSource source{file};
  const stbi_io_callbacks callbacks{ReadCallback, SkipCallback, EofCallback};
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, TStbFree> rgb(
      stbi_load_from_callbacks(&callbacks, &source, &width, &height, &channels, 3));
  if (!rgb) return SPI_BROKEN_DATA;
  if (source.overran || width != header.width || height != header.height) return SPI_BROKEN_DATA;
  if (!progress.Report(1, 2)) return SPI_ABORT;

  if (const int32_t made = out.Allocate(width, height, 24, 0); made != SPI_SUCCESS) return made;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int32_t y = 0; y < height; ++y) {
    const stbi_uc* src = rgb.get() + static_cast<size_t>(y) * rowBytes;
    uint8_t* dst = out.Row(y);
    for (size_t x = 0; x < rowBytes; x += 3)
      dst[x] = src[x + 2], dst[x + 1] = src[x + 1], dst[x + 2] = src[x];
    if (!progress.Step(y + 1, height)) return SPI_ABORT;
  }
  return SPI_SUCCESS;
}

}  // namespace pixkura::spi::misc
