#include "formats/GifDelays.h"

#include <string>

#include "base/Exception.h"

namespace pixkura {

namespace {
int64_t HundredthsAt(int64_t ms) { return (ms + 5) / 10; }
}  // namespace

std::vector<uint16_t> GifDelaysOf(const std::vector<int32_t>& delaysMs) {
  std::vector<uint16_t> stored;
  stored.reserve(delaysMs.size());
  int64_t end = 0;
  for (const int32_t ms : delaysMs) {
    if (ms < kGifMinDelayMs || ms > kGifMaxDelayMs) {
      throw ERangeError("コマの表示時間 " + std::to_string(ms) + " ms が " + std::to_string(kGifMinDelayMs) +
                        "〜" + std::to_string(kGifMaxDelayMs) + " ms の範囲にありません");
    }
    const int64_t start = end;
    end += ms;
    stored.push_back(static_cast<uint16_t>(HundredthsAt(end) - HundredthsAt(start)));
  }
  return stored;
}

}  // namespace pixkura
