#include "plugins/jpeg/JpegDecoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>

#include "plugins/common/SpiLimits.h"

namespace pixkura::spi::jpeg {

namespace {

// Every 8 x 8 block of the first scan costs at least one bit, and one block
// of a subsampled component covers at most 16 x 64 pixels.
constexpr int64_t kMaxPixelsPerByte = 8 * 16 * 64;
// A progressive file may hold any number of scans, each re-read over the
// whole picture; real files have about a dozen.
constexpr int kMaxScans = 500;
// Ceiling for libjpeg's own working memory (a progressive picture is kept
// whole as coefficients while its scans are read).
constexpr long kMaxLibraryMemory = 512L * 1024 * 1024;

struct TErrorJump {
  jpeg_error_mgr manager;  // first: libjpeg sees only this part
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<TErrorJump*>(cinfo->err)->jump, 1);
}

// libjpeg fills data it runs out of with zeros and only warns; a cut file
// would come back as a grey picture. Those warnings count as errors here.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) OnError(cinfo);
}

void LimitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    OnError(cinfo);
}

// Owns libjpeg's decompression state for one call. The state is created and
// used only inside functions that set the jump first (CreateAndReadHeader).
class TJpegSession {
 public:
  TJpegSession() {
    cinfo_.err = jpeg_std_error(&error_.manager);
    error_.manager.error_exit = OnError;
    error_.manager.emit_message = OnMessage;
    monitor_.progress_monitor = LimitScans;
  }
  ~TJpegSession() {
    if (created_) jpeg_destroy_decompress(&cinfo_);
  }
  TJpegSession(const TJpegSession&) = delete;
  TJpegSession& operator=(const TJpegSession&) = delete;

  j_decompress_ptr Cinfo() { return &cinfo_; }
  std::jmp_buf& Jump() { return error_.jump; }
  void MarkCreated() {
    created_ = true;
    cinfo_.progress = &monitor_;
    cinfo_.mem->max_memory_to_use = kMaxLibraryMemory;
  }

 private:
  jpeg_decompress_struct cinfo_{};
  TErrorJump error_{};
  jpeg_progress_mgr monitor_{};
  bool created_ = false;
};

// The functions below run between a setjmp and libjpeg's possible longjmp:
// they hold no object with a destructor.

void CreateAndReadHeader(TJpegSession& session, TBytes file) {
  jpeg_create_decompress(session.Cinfo());
  session.MarkCreated();
  jpeg_mem_src(session.Cinfo(), file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(session.Cinfo(), TRUE);
}

// Pixels per metre for a density in the file's unit (1: per inch, 2: per cm).
int64_t PelsPerMeter(int unit, int density) {
  if (unit == 1) return (int64_t{density} * 10000 + 127) / 254;
  if (unit == 2) return int64_t{density} * 100;
  return 0;
}

void FillFacts(j_decompress_ptr cinfo, TPictureFacts& facts) {
  facts.width = static_cast<int32_t>(cinfo->image_width);
  facts.height = static_cast<int32_t>(cinfo->image_height);
  facts.colorDepth = 24;
  facts.xDpi = PelsPerMeterToDpi(PelsPerMeter(cinfo->density_unit, cinfo->X_density));
  facts.yDpi = PelsPerMeterToDpi(PelsPerMeter(cinfo->density_unit, cinfo->Y_density));
}

bool IsInk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// CMYK samples to blue, green, red. Adobe's files store the inks inverted
// (255 = no ink); others store them as they are.
void CmykRowToBgr(const JSAMPLE* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
    const unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
    const unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

int32_t ReadHeaderOnly(TJpegSession& session, TBytes file, TPictureFacts& facts) {
  if (setjmp(session.Jump())) return SPI_BROKEN_DATA;
  CreateAndReadHeader(session, file);
  FillFacts(session.Cinfo(), facts);
  return CheckPictureSize(facts.width, facts.height);
}

int32_t DecodeInto(TJpegSession& session, TBytes file, TDibBlocks& out, TProgress& progress) {
  if (setjmp(session.Jump())) return SPI_BROKEN_DATA;
  CreateAndReadHeader(session, file);
  j_decompress_ptr cinfo = session.Cinfo();
  TPictureFacts facts;
  FillFacts(cinfo, facts);
  if (const int32_t sized = CheckPictureSize(facts.width, facts.height); sized != SPI_SUCCESS) return sized;
  if (const int32_t fits = CheckInputCanDeliver(int64_t{facts.width} * facts.height,
                                                static_cast<int64_t>(file.size()), kMaxPixelsPerByte);
      fits != SPI_SUCCESS)
    return fits;

  const bool ink = IsInk(cinfo->jpeg_color_space);
  cinfo->out_color_space = ink ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height ||
      cinfo->output_components != (ink ? 4 : 3))
    return SPI_BROKEN_DATA;
  if (const int32_t made = out.Allocate(facts.width, facts.height, 24, 0); made != SPI_SUCCESS) return made;
  out.SetPelsPerMeter(PelsPerMeter(cinfo->density_unit, cinfo->X_density),
                      PelsPerMeter(cinfo->density_unit, cinfo->Y_density));

  // Ink rows go through a buffer that libjpeg owns and frees itself.
  JSAMPARRAY inkRow = ink ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                        cinfo->output_width * 4, 1)
                          : nullptr;
  while (cinfo->output_scanline < cinfo->output_height) {
    const auto y = static_cast<int32_t>(cinfo->output_scanline);
    JSAMPROW row = ink ? inkRow[0] : out.Row(y);
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return SPI_BROKEN_DATA;
    if (ink) CmykRowToBgr(inkRow[0], out.Row(y), cinfo->output_width, cinfo->saw_Adobe_marker);
    if (!progress.Step(y + 1, facts.height)) return SPI_ABORT;
  }
  // Read on to the end marker, so that a file cut after its last row fails too.
  jpeg_finish_decompress(cinfo);
  return SPI_SUCCESS;
}

}  // namespace

bool IsJpeg(const uint8_t* head) { return head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF; }

int32_t ReadFacts(TBytes file, TPictureFacts& facts) {
  TJpegSession session;
  return ReadHeaderOnly(session, file, facts);
}

int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress) {
  TJpegSession session;
  return DecodeInto(session, file, out, progress);
}

}  // namespace pixkura::spi::jpeg
