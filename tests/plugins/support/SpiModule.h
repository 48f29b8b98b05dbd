// A shipped plug-in loaded as the host loads it, and the checks every test
// makes on what it hands back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/SusiePlugin.h"

namespace pixkura::test {

std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string FixturePath(const std::string& name);

// What the independent reader saw in a fixture (see make_fixtures.py).
struct TExpectedPicture {
  uint32_t width = 0, height = 0, depth = 0;
  std::vector<uint8_t> palette;  // R, G, B per entry
  std::vector<uint8_t> pixels;   // top-down; an index, or R, G, B, per pixel
};
TExpectedPicture ReadExpected(const std::string& fixture);

// A decoded picture, unpacked from the two blocks after checking that they
// agree with each other.
struct TDecodedPicture {
  int32_t result = SPI_OTHER_ERROR;
  int32_t width = 0, height = 0, bitCount = 0;
  int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
  std::vector<uint8_t> palette;  // R, G, B per entry in use
  std::vector<uint8_t> pixels;   // top-down; an index, or R, G, B, per pixel
};

class TSpiModule {
 public:
  explicit TSpiModule(const std::string& fileName);  // e.g. "pixkura-png.spi"
  ~TSpiModule();
  TSpiModule(const TSpiModule&) = delete;
  TSpiModule& operator=(const TSpiModule&) = delete;

  bool Loaded() const { return getPicture_ != nullptr; }
  std::string Info(int32_t n, int32_t buflen = 255, int32_t* stored = nullptr) const;
  // The file's first bytes as the host offers them: at least 2048, zero-padded.
  bool Supports(const std::vector<uint8_t>& file) const;
  int32_t PictureInfo(const std::vector<uint8_t>& file, SusiePictureInfo& info, uint32_t flag = 1) const;
  // Decodes from a buffer exactly `file.size()` bytes long, so that a read
  // past the end shows under AddressSanitizer. Adds a test failure when the
  // blocks disagree with their header.
  TDecodedPicture Picture(const std::vector<uint8_t>& file, SusieProgressCallback progress = nullptr,
                          intptr_t data = 0, uint32_t flag = 1) const;
  // The raw call, for the argument checks.
  int32_t RawPicture(const char* buf, int32_t len, uint32_t flag, void** hInfo, void** hBits) const;

 private:
  void* handle_ = nullptr;
  SusieGetPluginInfoFn getPluginInfo_ = nullptr;
  SusieIsSupportedFn isSupported_ = nullptr;
  SusieGetPictureInfoFn getPictureInfo_ = nullptr;
  SusieGetPictureFn getPicture_ = nullptr;
};

// Unpacks the blocks of a successful GetPicture (and frees them).
TDecodedPicture UnpackBlocks(void* hInfo, void* hBits);

}  // namespace pixkura::test
