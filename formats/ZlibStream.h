// A write-only deflate stream over zlib: bytes written to it come out of the
// target stream as one zlib stream (header, deflate data, Adler-32 trailer).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Exception.h"
#include "base/Streams.h"

namespace pixkura {

PIXKURA_EXCEPTION(EZlibError, Exception);
// A negative zlib result ("error"), or a read or seek the stream does not
// allow ("Invalid stream operation").
PIXKURA_EXCEPTION(ECompressionError, EZlibError);

class TCustomZlibStream : public TStream {
 public:
  using TProgressEvent = std::function<void(TCustomZlibStream& sender)>;

  TCustomZlibStream(const TCustomZlibStream&) = delete;
  TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

  // Fired after each full output buffer has gone to the target.
  TProgressEvent OnProgress;

 protected:
  static constexpr size_t kBufferSize = 65536;

  explicit TCustomZlibStream(TStream& target);
  ~TCustomZlibStream() override;

  // Writes the first count bytes of the buffer to the target at the
  // remembered position (the target may have been moved in between).
  void WriteBufferToTarget(size_t count);

  TStream& target_;
  int64_t targetPosition_;
  z_stream zrec_{};
  std::unique_ptr<uint8_t[]> buffer_;
};

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCompressionStream : public TCustomZlibStream {
 public:
  TCompressionStream(TCompressionLevel level, TStream& target);
  // Finishes the stream when Finish has not run; an error there is lost, so
  // callers that need the whole stream call Finish themselves.
  ~TCompressionStream() override;

  // Feeds count bytes to deflate without flushing. Returns count.
  int64_t Write(const void* buffer, int64_t count) override;
  // Always raises ECompressionError.
  int64_t Read(void* buffer, int64_t count) override;
  // Only a move by 0 from the current position: returns the bytes fed so far.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Completes the zlib stream (pending output, end marker, Adler-32) and
  // writes the rest of the buffer to the target; then releases the zlib
  // state, also when finishing fails. Later writes are errors.
  void Finish();

 private:
  void ReleaseZlib();
  bool active_ = false;
};

}  // namespace pixkura
