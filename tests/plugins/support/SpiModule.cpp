#include "tests/plugins/support/SpiModule.h"

#include <dlfcn.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "image/IxDIBTypes.h"

namespace pixkura::test {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FixturePath(const std::string& name) {
  return std::string(PIXKURA_TEST_DATA) + "/plugins/" + name;
}

TExpectedPicture ReadExpected(const std::string& fixture) {
  const std::vector<uint8_t> bytes = ReadFileBytes(FixturePath(fixture) + ".expected");
  TExpectedPicture e;
  uint32_t fields[4] = {};
  if (bytes.size() < 20 || std::memcmp(bytes.data(), "PXEX", 4) != 0) {
    ADD_FAILURE() << "bad expected data for " << fixture;
    return e;
  }
  std::memcpy(fields, bytes.data() + 4, sizeof fields);
  e.width = fields[0];
  e.height = fields[1];
  e.depth = fields[2];
  const size_t paletteBytes = size_t{fields[3]} * 3;
  const size_t pixelBytes = size_t{e.width} * e.height * (e.depth == 8 ? 1 : 3);
  if (bytes.size() != 20 + paletteBytes + pixelBytes) {
    ADD_FAILURE() << "expected data for " << fixture << " has the wrong size";
    return e;
  }
  e.palette.assign(bytes.begin() + 20, bytes.begin() + 20 + static_cast<ptrdiff_t>(paletteBytes));
  e.pixels.assign(bytes.begin() + 20 + static_cast<ptrdiff_t>(paletteBytes), bytes.end());
  return e;
}

TSpiModule::TSpiModule(const std::string& fileName) {
  const std::string path = std::string(PIXKURA_BIN_DIR) + "/" + fileName;
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
    return;
  }
  getPluginInfo_ = reinterpret_cast<SusieGetPluginInfoFn>(dlsym(handle_, "GetPluginInfo"));
  isSupported_ = reinterpret_cast<SusieIsSupportedFn>(dlsym(handle_, "IsSupported"));
  getPictureInfo_ = reinterpret_cast<SusieGetPictureInfoFn>(dlsym(handle_, "GetPictureInfo"));
  getPicture_ = reinterpret_cast<SusieGetPictureFn>(dlsym(handle_, "GetPicture"));
  if (!getPluginInfo_ || !isSupported_ || !getPictureInfo_ || !getPicture_) {
    ADD_FAILURE() << path << " lacks one of the four import exports";
    getPicture_ = nullptr;
  }
}

TSpiModule::~TSpiModule() {
  if (handle_ != nullptr) dlclose(handle_);
}

std::string TSpiModule::Info(int32_t n, int32_t buflen, int32_t* stored) const {
  std::vector<char> buf(static_cast<size_t>(buflen) + 16, '\x7f');
  const int32_t r = getPluginInfo_(n, buf.data(), buflen);
  if (stored != nullptr) *stored = r;
  for (size_t i = static_cast<size_t>(std::max(buflen, 0)); i < buf.size(); ++i)
    EXPECT_EQ(buf[i], '\x7f') << "info " << n << " wrote past its " << buflen << "-byte buffer";
  if (r <= 0) return {};
  EXPECT_LT(r, buflen);
  EXPECT_EQ(buf[static_cast<size_t>(r)], '\0');
  return std::string(buf.data(), static_cast<size_t>(r));
}

bool TSpiModule::Supports(const std::vector<uint8_t>& file) const {
  std::vector<char> head(std::max<size_t>(file.size(), SPI_HEADER_BYTES), 0);
  std::copy(file.begin(), file.end(), head.begin());
  return isSupported_("picture.name-is-not-used", head.data()) != 0;
}

int32_t TSpiModule::PictureInfo(const std::vector<uint8_t>& file, SusiePictureInfo& info,
                                uint32_t flag) const {
  const std::unique_ptr<char[]> exact(new char[std::max<size_t>(file.size(), 1)]);
  std::copy(file.begin(), file.end(), exact.get());
  return getPictureInfo_(exact.get(), static_cast<int32_t>(file.size()), flag, &info);
}

int32_t TSpiModule::RawPicture(const char* buf, int32_t len, uint32_t flag, void** hInfo,
                               void** hBits) const {
  return getPicture_(buf, len, flag, hInfo, hBits, nullptr, 0);
}

TDecodedPicture TSpiModule::Picture(const std::vector<uint8_t>& file, SusieProgressCallback progress,
                                    intptr_t data, uint32_t flag) const {
  const std::unique_ptr<char[]> exact(new char[std::max<size_t>(file.size(), 1)]);
  std::copy(file.begin(), file.end(), exact.get());
  void* hInfo = reinterpret_cast<void*>(uintptr_t{1});
  void* hBits = reinterpret_cast<void*>(uintptr_t{1});
  const int32_t r =
      getPicture_(exact.get(), static_cast<int32_t>(file.size()), flag, &hInfo, &hBits, progress, data);
  if (r != SPI_SUCCESS) {
    // A failed call hands nothing back.
    EXPECT_EQ(hInfo, nullptr);
    EXPECT_EQ(hBits, nullptr);
    TDecodedPicture failed;
    failed.result = r;
    return failed;
  }
  return UnpackBlocks(hInfo, hBits);
}

TDecodedPicture UnpackBlocks(void* hInfo, void* hBits) {
  struct TFree {
    void operator()(void* p) const { std::free(p); }
  };
  const std::unique_ptr<void, TFree> infoBlock(hInfo), bitsBlock(hBits);
  TDecodedPicture d;
  if (hInfo == nullptr || hBits == nullptr || malloc_usable_size(hInfo) < sizeof(TBitmapInfoHeader)) {
    ADD_FAILURE() << "GetPicture succeeded without two usable blocks";
    return d;
  }
  TBitmapInfoHeader h;
  std::memcpy(&h, hInfo, sizeof h);
  const bool shapeOk = h.biSize == 40 && h.biWidth > 0 && h.biHeight != 0 && h.biPlanes == 1 &&
                       (h.biBitCount == 8 || h.biBitCount == 24) && h.biCompression == BI_RGB;
  if (!shapeOk) {
    ADD_FAILURE() << "unexpected header: size " << h.biSize << ", " << h.biWidth << " x " << h.biHeight
                  << ", " << h.biBitCount << " bits, compression " << h.biCompression;
    return d;
  }
  const uint32_t colors = h.biClrUsed != 0 || h.biBitCount != 8 ? h.biClrUsed : 256;
  const size_t rowSize = (size_t{h.biBitCount} * static_cast<size_t>(h.biWidth) + 31) / 32 * 4;
  const size_t rows = static_cast<size_t>(h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight);
  if (colors > 256 || malloc_usable_size(hInfo) < 40 + 4 * size_t{colors} ||
      malloc_usable_size(hBits) < rowSize * rows) {
    ADD_FAILURE() << "blocks smaller than the header says (" << colors << " colours, " << rowSize * rows
                  << " pixel bytes)";
    return d;
  }
  d.width = h.biWidth;
  d.height = static_cast<int32_t>(rows);
  d.bitCount = h.biBitCount;
  d.xPelsPerMeter = h.biXPelsPerMeter;
  d.yPelsPerMeter = h.biYPelsPerMeter;
  const auto* table = static_cast<const uint8_t*>(hInfo) + 40;
  for (uint32_t i = 0; i < colors; ++i)
    d.palette.insert(d.palette.end(), {table[4 * i + 2], table[4 * i + 1], table[4 * i]});
  const size_t pixelBytes = static_cast<size_t>(h.biWidth) * (h.biBitCount / 8);
  const auto* bits = static_cast<const uint8_t*>(hBits);
  for (size_t y = 0; y < rows; ++y) {
    const uint8_t* row = bits + (h.biHeight > 0 ? rows - 1 - y : y) * rowSize;
    for (size_t x = 0; x < pixelBytes; x += h.biBitCount / 8) {
      if (h.biBitCount == 8) {
        if (row[x] >= colors) {
          ADD_FAILURE() << "index " << int{row[x]} << " past the " << colors << "-entry table";
          return d;
        }
        d.pixels.push_back(row[x]);
      } else {
        d.pixels.insert(d.pixels.end(), {row[x + 2], row[x + 1], row[x]});
      }
    }
  }
  d.result = SPI_SUCCESS;
  return d;
}

}  // namespace pixkura::test
