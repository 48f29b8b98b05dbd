#include "formats/ZlibStream.h"

#include <algorithm>

namespace pixkura {

namespace {
// zlib's results are errors when negative.
int Check(int result) {
  if (result < 0) throw ECompressionError("error");
  return result;
}
[[noreturn]] void ThrowInvalidOperation() { throw ECompressionError("Invalid stream operation"); }

int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case TCompressionLevel::clNone:
      return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest:
      return Z_BEST_SPEED;
    case TCompressionLevel::clMax:
      return Z_BEST_COMPRESSION;
    case TCompressionLevel::clDefault:
      break;
  }
  return Z_DEFAULT_COMPRESSION;
}
}  // namespace

// TCustomZlibStream -----------------------------------------------------------

TCustomZlibStream::TCustomZlibStream(TStream& target)
    : target_(target), targetPosition_(target.Position()), buffer_(new uint8_t[kBufferSize]) {
  zrec_.next_out = buffer_.get();
  zrec_.avail_out = kBufferSize;
}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::WriteBufferToTarget(size_t count) {
  if (target_.Position() != targetPosition_) target_.SetPosition(targetPosition_);
  target_.WriteBuffer(buffer_.get(), static_cast<int64_t>(count));
  targetPosition_ = target_.Position();
  zrec_.next_out = buffer_.get();
  zrec_.avail_out = kBufferSize;
}

// TCompressionStream ----------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& target) : TCustomZlibStream(target) {
  // 15-bit window, memory level 8, default strategy.
  Check(deflateInit2(&zrec_, ZlibLevel(level), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
  active_ = true;
}

TCompressionStream::~TCompressionStream() {
  if (!active_) return;
  try {
    Finish();
  } catch (...) {
    // Nothing can be reported from a destructor; Finish has released zlib.
  }
}

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
  if (!active_) ThrowInvalidOperation();
  const auto* p = static_cast<const uint8_t*>(buffer);
  int64_t left = count;
  while (left > 0) {
    // avail_in is 32 bits wide: feed very large writes in slices.
    const auto slice = static_cast<uInt>(std::min<int64_t>(left, 1 << 30));
    zrec_.next_in = const_cast<Bytef*>(p);
    zrec_.avail_in = slice;
    while (zrec_.avail_in > 0) {
      Check(deflate(&zrec_, Z_NO_FLUSH));
      if (zrec_.avail_out == 0) {
        WriteBufferToTarget(kBufferSize);
        if (OnProgress) OnProgress(*this);
      }
    }
    p += slice;
    left -= slice;
  }
  return count;
}

int64_t TCompressionStream::Read(void*, int64_t) { ThrowInvalidOperation(); }

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (offset != 0 || origin != TSeekOrigin::soCurrent) ThrowInvalidOperation();
  return static_cast<int64_t>(zrec_.total_in);
}

void TCompressionStream::Finish() {
  if (!active_) return;
  try {
    zrec_.next_in = nullptr;
    zrec_.avail_in = 0;
    while (Check(deflate(&zrec_, Z_FINISH)) != Z_STREAM_END && zrec_.avail_out == 0) {
      WriteBufferToTarget(kBufferSize);
      if (OnProgress) OnProgress(*this);
    }
    if (zrec_.avail_out < kBufferSize) WriteBufferToTarget(kBufferSize - zrec_.avail_out);
  } catch (...) {
    ReleaseZlib();
    throw;
  }
  ReleaseZlib();
}

void TCompressionStream::ReleaseZlib() {
  if (!active_) return;
  deflateEnd(&zrec_);
  active_ = false;
}

}  // namespace pixkura
