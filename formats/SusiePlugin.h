/* Import plug-in interface (".spi" shared objects).
 *
 * A plug-in is an ELF shared object with the extension ".spi" that exports the
 * C functions below, with C linkage and the platform's default calling
 * convention. The host finds plug-ins in the plug-in folder named in the
 * per-user key store, in the program's folder, and loads each once.
 *
 * Contract for plug-in authors:
 *   - GetPluginInfo(n, buf, len): copies info n as a NUL-terminated string of at
 *     most len - 1 characters into buf and returns the number of characters
 *     stored; 0 or less when entry n does not exist. 0: API version, four
 *     characters ("00IN" picture import, "00AM" archive, "00XN" export);
 *     1: description; 2, 4, 6, ...: a file filter ("*.png", several joined by
 *     ";"); 3, 5, 7, ...: the name of that format.
 *   - IsSupported(name, data): non-zero when the plug-in reads the file. data
 *     points to the file's first bytes; at least 2048 bytes are readable (a
 *     shorter file is zero-padded).
 *   - GetPictureInfo(buf, len, flag, info): flag 1 means buf holds the whole
 *     file in memory (len bytes). Fills *info; returns 0 on success.
 *   - GetPicture(buf, len, flag, &hInfo, &hBits, progress, data): decodes the
 *     picture. On success returns 0 and two blocks allocated with malloc():
 *     *hInfo a BITMAPINFO (40-byte BITMAPINFOHEADER, then biClrUsed colour
 *     entries, or 2/16/256 for 1/4/8 bits when biClrUsed is 0), *hBits the
 *     pixel rows in BMP layout (rows padded to 4 bytes, bottom-up when
 *     biHeight > 0). The host releases both with free(). The host checks that
 *     the blocks are as large as the header says (malloc_usable_size) and
 *     treats a disagreeing answer as a failure. progress(num, denom, data) may
 *     be called during decoding; a non-zero result asks the plug-in to stop
 *     and return an error.
 *   - Strings are NUL-terminated single-byte strings; lengths are 32-bit.
 *     Caller values handed back to callbacks are pointer-sized.
 *   - The picture-info record is packed to 26 bytes. Its text handle is 32
 *     bits wide and cannot carry a pointer here: plug-ins set it to 0 and the
 *     host ignores other values.
 *
 * The archive exports (GetArchiveInfo, GetFileInfo, GetFile), GetPreview and
 * ConfigurationDlg are looked up by the host but never called.
 */
#ifndef PIXKURA_FORMATS_SUSIEPLUGIN_H
#define PIXKURA_FORMATS_SUSIEPLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 1)
typedef struct SusiePictureInfo {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  uint16_t x_density;
  uint16_t y_density;
  int16_t colorDepth;
  uint32_t hInfo;
} SusiePictureInfo;
#pragma pack(pop)

typedef int32_t (*SusieProgressCallback)(int32_t num, int32_t denom, intptr_t data);

typedef int32_t (*SusieGetPluginInfoFn)(int32_t infono, char* buf, int32_t buflen);
typedef int32_t (*SusieIsSupportedFn)(const char* filename, const void* data);
typedef int32_t (*SusieGetPictureInfoFn)(const char* buf, int32_t len, uint32_t flag, SusiePictureInfo* info);
typedef int32_t (*SusieGetPictureFn)(const char* buf, int32_t len, uint32_t flag, void** pHBInfo, void** pHBm,
                                     SusieProgressCallback progress, intptr_t data);

/* Result codes. */
enum {
  SPI_SUCCESS = 0,
  SPI_NOT_IMPLEMENTED = -1,
  SPI_ABORT = 1,
  SPI_UNKNOWN_FORMAT = 2,
  SPI_BROKEN_DATA = 3,
  SPI_NO_MEMORY = 4,
  SPI_MEMORY_ERROR = 5,
  SPI_FILE_READ_ERROR = 6,
  SPI_OTHER_ERROR = 8
};

/* Input flag: the buffer holds the whole file in memory. */
#define SPI_INPUT_MEMORY 1u
/* The host hands IsSupported at least this many readable bytes. */
#define SPI_HEADER_BYTES 2048

#ifdef PIXKURA_SPI_EXPORTS
#define SPI_EXPORT __attribute__((visibility("default")))
SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen);
SPI_EXPORT int32_t IsSupported(const char* filename, const void* data);
SPI_EXPORT int32_t GetPictureInfo(const char* buf, int32_t len, uint32_t flag, SusiePictureInfo* info);
SPI_EXPORT int32_t GetPicture(const char* buf, int32_t len, uint32_t flag, void** pHBInfo, void** pHBm,
                              SusieProgressCallback progress, intptr_t data);
#endif

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(SusiePictureInfo) == 26, "the picture-info record is packed to 26 bytes");
#endif

#endif
