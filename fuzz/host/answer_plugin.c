/* An import plug-in whose answer the fuzz target sets before each call:
 * GetPicture hands the host fresh malloc'ed copies of the two blocks it was
 * given, with the result code it was given. */
#define PIXKURA_SPI_EXPORTS
#include <stdlib.h>
#include <string.h>

#include "formats/SusiePlugin.h"

static const unsigned char* gHeader;
static size_t gHeaderSize;
static const unsigned char* gBits;
static size_t gBitsSize;
static int32_t gCode;

__attribute__((visibility("default"))) void SetAnswer(const void* header, size_t headerSize, const void* bits,
                                                      size_t bitsSize, int32_t code) {
  gHeader = (const unsigned char*)header;
  gHeaderSize = headerSize;
  gBits = (const unsigned char*)bits;
  gBitsSize = bitsSize;
  gCode = code;
}

SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
  const char* text = infono == 0   ? "00IN"
                     : infono == 1 ? "answer"
                     : infono == 2 ? "*.ans"
                     : infono == 3 ? "Answer"
                                   : NULL;
  if (!text || buflen <= 0) return 0;
  strncpy(buf, text, (size_t)buflen - 1);
  buf[buflen - 1] = '\0';
  return (int32_t)strlen(buf);
}

SPI_EXPORT int32_t IsSupported(const char* filename, const void* data) {
  (void)filename, (void)data;
  return 1;
}

SPI_EXPORT int32_t GetPictureInfo(const char* buf, int32_t len, uint32_t flag, SusiePictureInfo* info) {
  (void)buf, (void)len, (void)flag;
  memset(info, 0, sizeof *info);
  return SPI_SUCCESS;
}

static void* Copy(const unsigned char* data, size_t size) {
  /* The host measures blocks with malloc_usable_size: a block of exactly
   * size bytes (at least one) keeps the measure honest under the sanitizers. */
  void* p = malloc(size ? size : 1);
  if (p && size) memcpy(p, data, size);
  return p;
}

SPI_EXPORT int32_t GetPicture(const char* buf, int32_t len, uint32_t flag, void** pHBInfo, void** pHBm,
                              SusieProgressCallback progress, intptr_t data) {
  (void)buf, (void)len, (void)flag;
  if (progress && progress(1, 2, data)) return SPI_ABORT;
  if (gCode != SPI_SUCCESS) return gCode;
  *pHBInfo = Copy(gHeader, gHeaderSize);
  *pHBm = Copy(gBits, gBitsSize);
  return SPI_SUCCESS;
}
