// The four exported functions of a plug-in, written once: argument checks,
// the flag, exception containment and handing the blocks over live here;
// each plug-in supplies only its format's recogniser, header reader and
// decoder and expands PIXKURA_SPI_DEFINE_EXPORTS once.
#pragma once

#include <cstdint>
#include <span>

#include "formats/SusiePlugin.h"
#include "plugins/common/SpiDib.h"
#include "plugins/common/SpiInfo.h"
#include "plugins/common/SpiProgress.h"

namespace pixkura::spi {

using TBytes = std::span<const uint8_t>;

// What a header says about the picture, as the picture-info record reports it.
struct TPictureFacts {
  int32_t width = 0;
  int32_t height = 0;
  int16_t colorDepth = 24;  // 8 for palette pictures, 24 otherwise
  uint16_t xDpi = 0;        // 0 when the file gives no density
  uint16_t yDpi = 0;
};

struct TPluginFunctions {
  const TPluginDescription* description;
  // head: the file's first bytes, SPI_HEADER_BYTES of them readable.
  bool (*isSupported)(const uint8_t* head);
  int32_t (*readFacts)(TBytes file, TPictureFacts& facts);
  // Decodes into `out`; on failure `out` is simply dropped by the caller.
  int32_t (*decode)(TBytes file, TDibBlocks& out, TProgress& progress);
};

int32_t EntryGetPluginInfo(const TPluginFunctions& plugin, int32_t infono, char* buf, int32_t buflen);
int32_t EntryIsSupported(const TPluginFunctions& plugin, const void* data);
int32_t EntryGetPictureInfo(const TPluginFunctions& plugin, const char* buf, int32_t len, uint32_t flag,
                            SusiePictureInfo* info);
int32_t EntryGetPicture(const TPluginFunctions& plugin, const char* buf, int32_t len, uint32_t flag,
                        void** pHBInfo, void** pHBm, SusieProgressCallback progress, intptr_t data);

}  // namespace pixkura::spi

// Defines the exported C functions of the plug-in described by `plugin`, a
// pixkura::spi::TPluginFunctions constant.
#define PIXKURA_SPI_DEFINE_EXPORTS(plugin)                                                                 \
  extern "C" int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {                            \
    return pixkura::spi::EntryGetPluginInfo(plugin, infono, buf, buflen);                                  \
  }                                                                                                        \
  extern "C" int32_t IsSupported(const char*, const void* data) {                                          \
    return pixkura::spi::EntryIsSupported(plugin, data);                                                   \
  }                                                                                                        \
  extern "C" int32_t GetPictureInfo(const char* buf, int32_t len, uint32_t flag, SusiePictureInfo* info) { \
    return pixkura::spi::EntryGetPictureInfo(plugin, buf, len, flag, info);                                \
  }                                                                                                        \
  extern "C" int32_t GetPicture(const char* buf, int32_t len, uint32_t flag, void** pHBInfo, void** pHBm,  \
                                SusieProgressCallback progress, intptr_t data) {                           \
    return pixkura::spi::EntryGetPicture(plugin, buf, len, flag, pHBInfo, pHBm, progress, data);           \
  }
