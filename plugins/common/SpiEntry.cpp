#include "plugins/common/SpiEntry.h"

#include <new>

namespace pixkura::spi {

namespace {

// No exception may cross the C boundary into the host.
template <typename F>
int32_t Contained(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return SPI_NO_MEMORY;
  } catch (...) {
    return SPI_OTHER_ERROR;
  }
}

// The host passes the whole file in memory (flag 1); reading from a file
// name is not offered.
int32_t CheckInput(const char* buf, int32_t len, uint32_t flag) {
  if (flag != SPI_INPUT_MEMORY) return SPI_NOT_IMPLEMENTED;
  if (buf == nullptr) return SPI_OTHER_ERROR;
  if (len <= 0) return SPI_BROKEN_DATA;
  return SPI_SUCCESS;
}

TBytes BytesOf(const char* buf, int32_t len) {
  return TBytes(reinterpret_cast<const uint8_t*>(buf), static_cast<size_t>(len));
}

}  // namespace

int32_t EntryGetPluginInfo(const TPluginFunctions& plugin, int32_t infono, char* buf, int32_t buflen) {
  return GetInfoEntry(*plugin.description, infono, buf, buflen);
}

int32_t EntryIsSupported(const TPluginFunctions& plugin, const void* data) {
  if (data == nullptr) return 0;
  return Contained(
      [&]() -> int32_t { return plugin.isSupported(static_cast<const uint8_t*>(data)) ? 1 : 0; });
}

int32_t EntryGetPictureInfo(const TPluginFunctions& plugin, const char* buf, int32_t len, uint32_t flag,
                            SusiePictureInfo* info) {
  if (info == nullptr) return SPI_OTHER_ERROR;
  if (const int32_t checked = CheckInput(buf, len, flag); checked != SPI_SUCCESS) return checked;
  return Contained([&]() -> int32_t {
    TPictureFacts facts;
    const int32_t result = plugin.readFacts(BytesOf(buf, len), facts);
    if (result != SPI_SUCCESS) return result;
    *info = SusiePictureInfo{0, 0, facts.width, facts.height, facts.xDpi, facts.yDpi, facts.colorDepth, 0};
    return SPI_SUCCESS;
  });
}

int32_t EntryGetPicture(const TPluginFunctions& plugin, const char* buf, int32_t len, uint32_t flag,
                        void** pHBInfo, void** pHBm, SusieProgressCallback progress, intptr_t data) {
  if (pHBInfo == nullptr || pHBm == nullptr) return SPI_OTHER_ERROR;
  *pHBInfo = nullptr;
  *pHBm = nullptr;
  if (const int32_t checked = CheckInput(buf, len, flag); checked != SPI_SUCCESS) return checked;
  return Contained([&]() -> int32_t {
    TDibBlocks out;
    TProgress reporter(progress, data);
    if (!reporter.Report(0, 1)) return SPI_ABORT;
    const int32_t result = plugin.decode(BytesOf(buf, len), out, reporter);
    if (result != SPI_SUCCESS) return result;
    return out.Release(pHBInfo, pHBm);
  });
}

}  // namespace pixkura::spi
