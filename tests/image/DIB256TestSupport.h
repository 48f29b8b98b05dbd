// Small helpers shared by the drawing-primitive tests: bitmaps made the
// editor's way and pictures of their indices as text.
#pragma once

#include <cstdint>
#include <string>

#include "image/IxDIB.h"

namespace pixkura::testing {

// An 8-bit bitmap of w x h with 256 palette entries, every pixel = fill.
inline void Shape8(TIxDIB& dib, int32_t w, int32_t h, uint8_t fill = 0) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(8);
  dib.SetPaletteSize(256);
  if (fill != 0)
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) dib.SetPixels(x, y, fill);
}

// One character per pixel, rows separated by '\n': '.' for 0, '1'..'9',
// then 'a'.. for 10 and up.
inline std::string Picture(const TIxDIB& dib) {
  std::string s;
  for (int32_t y = 0; y < dib.GetHeight(); ++y) {
    if (y) s += '\n';
    for (int32_t x = 0; x < dib.GetWidth(); ++x) {
      const int32_t v = dib.GetPixels(x, y);
      s += v == 0 ? '.' : (v < 10 ? static_cast<char>('0' + v) : static_cast<char>('a' + (v - 10) % 26));
    }
  }
  return s;
}

// Sets the pixels from a picture in Picture's notation (w x h taken from it).
inline void Paint(TIxDIB& dib, const std::string& picture) {
  int32_t x = 0, y = 0;
  for (const char c : picture) {
    if (c == '\n') {
      ++y;
      x = 0;
      continue;
    }
    const int32_t v = c == '.' ? 0 : (c <= '9' ? c - '0' : c - 'a' + 10);
    dib.SetPixels(x++, y, v);
  }
}

// Counts the pixels equal to value.
inline int32_t Count(const TIxDIB& dib, int32_t value) {
  int32_t n = 0;
  for (int32_t y = 0; y < dib.GetHeight(); ++y)
    for (int32_t x = 0; x < dib.GetWidth(); ++x) n += dib.GetPixels(x, y) == value;
  return n;
}

}  // namespace pixkura::testing
