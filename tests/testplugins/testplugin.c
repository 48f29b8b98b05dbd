/* A small import plug-in for the host's tests, built in several variants
 * (see CMakeLists.txt). It reads a private format:
 *
 *   "TPIX", width (1 byte), height (1 byte), colours (1 byte, 0 = 256),
 *   mode (1 byte), colours x (red, green, blue), width x height indices from
 *   the top row.
 *
 * and answers with an 8-bit bottom-up picture. Built with BAD_ANSWER, the
 * mode byte picks a malformed answer instead (0 still answers correctly).
 * Every variant counts its calls in TestPluginStats, which the tests read
 * through dlsym.
 */
#define PIXKURA_SPI_EXPORTS
#include "formats/SusiePlugin.h"

#ifdef JPEG_FILTER
#undef SPI_FILTER
#define SPI_FILTER "*.jpg;*.jpeg"
#endif

#include <limits.h>
#include <stdlib.h>
#include <string.h>

typedef struct TestPluginState {
  int32_t isSupportedCalls;
  int32_t pictureInfoCalls;
  int32_t pictureCalls;
  int32_t lastLength;                   /* len of the last GetPictureInfo/GetPicture */
  unsigned char seen[SPI_HEADER_BYTES]; /* the bytes IsSupported was shown */
  int32_t progressCalls;
  int32_t lastProgressResult;
} TestPluginState;

__attribute__((visibility("default"))) TestPluginState TestPluginStats;

static int32_t Store(const char* text, char* buf, int32_t buflen) {
  if (buflen <= 0) return 0;
  int32_t n = (int32_t)strlen(text);
  if (n > buflen - 1) n = buflen - 1;
  memcpy(buf, text, (size_t)n);
  buf[n] = '\0';
  return n;
}

SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
#ifdef ENDLESS_INFO
  /* Answers every info number past the version and description. */
  if (infono >= 2) return Store(infono % 2 == 0 ? SPI_FILTER : "Endless", buf, buflen);
#endif
  switch (infono) {
    case 0:
      return Store(SPI_VERSION, buf, buflen);
    case 1:
#ifdef LONG_INFO
      /* Fills the whole buffer without a NUL and claims far more. */
      memset(buf, 'x', (size_t)buflen);
      return 100000;
#else
      return Store("Pixkura test plug-in", buf, buflen);
#endif
    case 2:
      return Store(SPI_FILTER, buf, buflen);
#ifndef NO_INFO3
    case 3:
      return Store("Test pixels", buf, buflen);
#endif
    default:
      return 0;
  }
}

#ifdef HAVE_READING

enum { kFixed = 8 };

typedef struct Picture {
  int width, height, colors, mode;
  const unsigned char* palette;
  const unsigned char* indices;
} Picture;

static int Parse(const char* buf, int32_t len, Picture* p) {
  const unsigned char* b = (const unsigned char*)buf;
  if (len < kFixed || memcmp(b, "TPIX", 4) != 0) return 0;
  p->width = b[4];
  p->height = b[5];
  p->colors = b[6] ? b[6] : 256;
  p->mode = b[7];
  if (p->width == 0 || p->height == 0) return 0;
  if (len < kFixed + 3 * p->colors + p->width * p->height) return 0;
  p->palette = b + kFixed;
  p->indices = p->palette + 3 * p->colors;
  return 1;
}

SPI_EXPORT int32_t IsSupported(const char* filename, const void* data) {
  (void)filename;
  ++TestPluginStats.isSupportedCalls;
  memcpy(TestPluginStats.seen, data, SPI_HEADER_BYTES);
  return memcmp(data, "TPIX", 4) == 0;
}

SPI_EXPORT int32_t GetPictureInfo(const char* buf, int32_t len, uint32_t flag, SusiePictureInfo* info) {
  Picture p;
  ++TestPluginStats.pictureInfoCalls;
  TestPluginStats.lastLength = len;
  if (flag != SPI_INPUT_MEMORY || !Parse(buf, len, &p)) return SPI_UNKNOWN_FORMAT;
  memset(info, 0, sizeof *info);
  info->width = p.width;
  info->height = p.height;
  info->colorDepth = 8;
  info->hInfo = 0xDEADBEEFu; /* the host must not touch it */
  return SPI_SUCCESS;
}

typedef struct Header {
  uint32_t biSize;
  int32_t biWidth, biHeight;
  uint16_t biPlanes, biBitCount;
  uint32_t biCompression, biSizeImage;
  int32_t biXPelsPerMeter, biYPelsPerMeter;
  uint32_t biClrUsed, biClrImportant;
} Header;

static int Report(SusieProgressCallback progress, int32_t num, int32_t denom, intptr_t data) {
  if (!progress) return 0;
  ++TestPluginStats.progressCalls;
  TestPluginStats.lastProgressResult = progress(num, denom, data);
  return TestPluginStats.lastProgressResult;
}

SPI_EXPORT int32_t GetPicture(const char* buf, int32_t len, uint32_t flag, void** pHBInfo, void** pHBm,
                              SusieProgressCallback progress, intptr_t data) {
  Picture p;
  ++TestPluginStats.pictureCalls;
  TestPluginStats.lastLength = len;
  if (flag != SPI_INPUT_MEMORY || !Parse(buf, len, &p)) return SPI_UNKNOWN_FORMAT;
  /* A count before the total is known must not trouble the host. */
  if (Report(progress, 0, 0, data)) return SPI_ABORT;

  const int row = (p.width + 3) / 4 * 4;
  const size_t headerSize = sizeof(Header) + 4 * (size_t)p.colors;
  size_t pixelSize = (size_t)row * (size_t)p.height;
  int mode = 0;
#ifdef BAD_ANSWER
  mode = p.mode;
#endif
  Header* h =
      (Header*)calloc(1, mode == 4 ? sizeof(Header) + 16 : (mode == 3 ? sizeof(Header) + 1200 : headerSize));
  unsigned char* bits = (unsigned char*)calloc(1, pixelSize ? pixelSize : 1);
  if (!h || !bits) {
    free(h);
    free(bits);
    return SPI_NO_MEMORY;
  }
  h->biSize = sizeof(Header);
  h->biWidth = p.width;
  h->biHeight = p.height;
  h->biPlanes = 1;
  h->biBitCount = 8;
  h->biClrUsed = (uint32_t)p.colors;
  if (mode != 4) {
    unsigned char* table = (unsigned char*)(h + 1);
    for (int i = 0; i < p.colors; ++i) {
      table[4 * i] = p.palette[3 * i + 2];
      table[4 * i + 1] = p.palette[3 * i + 1];
      table[4 * i + 2] = p.palette[3 * i];
    }
  }
  for (int y = 0; y < p.height; ++y) {
    memcpy(bits + (size_t)(p.height - 1 - y) * (size_t)row, p.indices + y * p.width, (size_t)p.width);
    if (Report(progress, y + 1, p.height, data)) {
      free(h);
      free(bits);
      return SPI_ABORT;
    }
  }
  switch (mode) {
    case 1:
      /* The header claims far more rows than the pixel block holds: more
         than malloc's rounding of the block could make up for. */
      h->biHeight = p.height * 64;
      break;
    case 2:
      h->biBitCount = 7;
      break;
    case 3:
      h->biClrUsed = 300;
      break;
    case 4:
      h->biClrUsed = 0;
      break; /* 256 colours implied, 16 bytes given */
    case 5:
      h->biSize = 12;
      break;
    case 6:
      h->biWidth = 0;
      break;
    case 7:
      free(bits);
      bits = NULL;
      break;
    case 8:
      h->biHeight = INT_MIN;
      break;
    case 9:
      free(bits);
      bits = (unsigned char*)h;
      break; /* one block named twice */
    case 10:
      h->biWidth = INT_MAX;
      h->biHeight = INT_MAX;
      break;
    case 11:
      h->biCompression = 1;
      break; /* RLE8 with uncompressed rows */
    case 12:
      h->biBitCount = 16;
      h->biCompression = 3;
      break; /* bit fields, masks all zero */
    default:
      break;
  }
  *pHBInfo = h;
  *pHBm = bits;
  return SPI_SUCCESS;
}

#endif /* HAVE_READING */

#ifdef HAVE_ARCHIVE
/* Present but never called by the host; an archive plug-in without GetFile. */
SPI_EXPORT int32_t GetArchiveInfo(const char* buf, int32_t len, uint32_t flag, void** lphInf) {
  (void)buf, (void)len, (void)flag, (void)lphInf;
  return SPI_NOT_IMPLEMENTED;
}
SPI_EXPORT int32_t GetFileInfo(const char* buf, int32_t len, const char* filename, uint32_t flag,
                               void* lpInfo) {
  (void)buf, (void)len, (void)filename, (void)flag, (void)lpInfo;
  return SPI_NOT_IMPLEMENTED;
}
SPI_EXPORT int32_t IsSupported(const char* filename, const void* data) {
  (void)filename, (void)data;
  return 0;
}
#endif
