// The palette file reader on arbitrary file contents: it reads at most the one
// 1024-byte block and only whole entries, whatever the file holds.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Exception.h"
#include "formats/PaletteFile.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path = [] {
    std::string pattern = "/tmp/pixkura-fuzz-pal-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::close(fd);
    return pattern;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = ScratchFile();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  pixkura::TPaletteValues values{};
  values.fill(0xABCDEF);
  try {
    const size_t entries = pixkura::ReadPaletteFile(path, values);
    if (entries > values.size() || entries != std::min<size_t>(size, pixkura::kPaletteFileSize) / 4) abort();
    for (size_t i = entries; i < values.size(); ++i)
      if (values[i] != 0xABCDEF) abort();
  } catch (const pixkura::Exception&) {
  }
  return 0;
}
