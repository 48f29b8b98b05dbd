#include "FileCommandsSupport.h"

#include <iconv.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pixkura::testing {

void MakeIndexedPicture(TIxDIB& dib, int32_t w, int32_t h, int32_t entries,
                        const std::function<TColor(int32_t)>& colour,
                        const std::function<uint8_t(int32_t, int32_t)>& index) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(8);
  dib.SetPixelFormat(ixPf8Bit);
  dib.SetPaletteSize(entries);
  for (int32_t i = 0; i < entries; ++i) dib.SetColors(i, colour(i));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) dib.SetPixels(x, y, index(x, y));
}

void MakeTrueColorPicture(TIxDIB& dib, int32_t w, int32_t h,
                          const std::function<TColor(int32_t, int32_t)>& colour) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(24);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = dib.GetScanLine(y);
    for (int32_t x = 0; x < w; ++x) {
      const TColor c = colour(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
}

std::shared_ptr<TSPIs> ShippedPlugins() {
  auto spis = std::make_shared<TSPIs>();
  spis->Search(std::string(PIXKURA_BIN_DIR) + "/*.spi");
  return spis;
}

std::string ToShiftJis(const std::string& utf8) {
  iconv_t cd = ::iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open CP932 failed");
  std::string in = utf8;
  std::string out(in.size() * 2 + 16, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t srcLeft = in.size(), dstLeft = out.size();
  const size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  ::iconv_close(cd);
  if (r == static_cast<size_t>(-1)) throw std::runtime_error("iconv failed");
  out.resize(out.size() - dstLeft);
  return out;
}

std::string FileHead(const std::string& fileName, size_t count) {
  std::ifstream in(fileName, std::ios::binary);
  std::string head(count, '\0');
  in.read(head.data(), static_cast<std::streamsize>(count));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

std::string TinyGif() {
  // Header, screen 1 x 1 with a 2-entry global table, image descriptor, LZW
  // (minimum code size 2: clear, index 1, end), trailer.
  static const unsigned char kBytes[] = {'G', 'I',  'F',  '8',  '9', 'a', 1, 0,    1,    0, 0x80, 0,
                                         0,   0xFF, 0xFF, 0xFF, 0,   0,   0, ',',  0,    0, 0,    0,
                                         1,   0,    1,    0,    0,   2,   2, 0x4C, 0x01, 0, ';'};
  return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

}  // namespace pixkura::testing
