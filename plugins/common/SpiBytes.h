// Little-endian field reads from a file in memory, bounds-checked: a field
// that lies past the end reads as 0 and clears `ok`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pixkura::spi {

class TByteReader {
 public:
  explicit TByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint8_t U8(size_t at) { return Has(at, 1) ? bytes_[at] : 0; }
  uint16_t U16(size_t at) { return Has(at, 2) ? static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8) : 0; }
  uint32_t U32(size_t at) {
    if (!Has(at, 4)) return 0;
    return static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<uint32_t>(bytes_[at + 2]) << 16 | static_cast<uint32_t>(bytes_[at + 3]) << 24;
  }
  int32_t I32(size_t at) { return static_cast<int32_t>(U32(at)); }
  bool Ok() const { return ok_; }

 private:
  bool Has(size_t at, size_t n) {
    if (at <= bytes_.size() && n <= bytes_.size() - at) return true;
    ok_ = false;
    return false;
  }
  std::span<const uint8_t> bytes_;
  bool ok_ = true;
};

}  // namespace pixkura::spi
