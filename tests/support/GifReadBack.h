// Animated GIFs read back in tests, by two readers other than the writer:
// giflib with every frame and extension in memory, and Python's imaging
// library frame by frame as a viewer decodes them.
#pragma once

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace pixkura::testing {

struct TGifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using TGif = std::unique_ptr<GifFileType, TGifCloser>;

// The whole file through giflib; null, and a failed test, when giflib cannot
// read it.
inline TGif SlurpGif(const std::string& file) {
  int error = 0;
  TGif gif(DGifOpenFileName(file.c_str(), &error));
  if (!gif) {
    ADD_FAILURE() << file << ": " << GifErrorString(error);
    return gif;
  }
  if (DGifSlurp(gif.get()) != GIF_OK) {
    ADD_FAILURE() << file << ": " << GifErrorString(gif->Error);
    gif.reset();
  }
  return gif;
}

inline bool HavePil() { return std::system("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1") == 0; }

// Bytes as lowercase hex digits, as Python's bytes.hex() writes them.
inline std::string Hex(const std::vector<uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string s;
  for (const uint8_t b : bytes) s += {kDigits[b >> 4], kDigits[b & 15]};
  return s;
}

// What command writes to its standard output and error together.
inline std::string CommandOutput(const std::string& command) {
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return "cannot run " + command;
  std::string out;
  std::array<char, 4096> buf{};
  while (const size_t n = fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
  pclose(p);
  return out;
}

// What Python's imaging library reads from gif: "size W H frames N loop L",
// then per frame "frame I MODE DURATION TRANSPARENCY", "palette HEX" and
// "pixels HEX". script names a file the reading script may be written to.
inline std::string ReadGifWithPil(const std::string& gif, const std::string& script) {
  std::ofstream(script) << R"(import sys
from PIL import Image, GifImagePlugin
# Keep frames that share the global palette as palette pictures.
GifImagePlugin.LOADING_STRATEGY = GifImagePlugin.LoadingStrategy.RGB_AFTER_DIFFERENT_PALETTE_ONLY
im = Image.open(sys.argv[1])
print("size", im.size[0], im.size[1], "frames", im.n_frames, "loop", im.info.get("loop"))
for i in range(im.n_frames):
    im.seek(i)
    print("frame", i, im.mode, im.info.get("duration"), im.info.get("transparency"))
    print("palette", bytes(im.getpalette()).hex())
    print("pixels", im.tobytes().hex())
)";
  return CommandOutput("/usr/bin/python3 '" + script + "' '" + gif + "'");
}

}  // namespace pixkura::testing
