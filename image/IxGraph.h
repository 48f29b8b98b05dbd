// TIxGraphic: a graphic that can also be exchanged as a clipboard-style
// packed block (the form in which the import plug-ins hand pictures over).
#pragma once

#include <cstdint>
#include <span>

#include "base/Graphic.h"
#include "image/IxDIBTypes.h"

namespace pixkura {

// A block of memory handed over by reference (a global memory block).
using TMemoryBlock = std::span<const uint8_t>;

class TIxGraphic : public TGraphic {
 public:
  virtual uint16_t ClipboardFormat() const = 0;
  // Data empty (null) means "no data".
  virtual void LoadFromClipboardFormat(uint16_t format, TMemoryBlock data, const HPALETTE& palette) = 0;
  virtual void SaveToClipboardFormat(uint16_t& format, std::vector<uint8_t>& data, HPALETTE& palette) const = 0;
};

}  // namespace pixkura
