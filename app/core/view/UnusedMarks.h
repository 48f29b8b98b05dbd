// Marks on the palette swatches whose entry no sheet pixel uses: a small
// cross in a contrasting entry, drawn into the swatches' own pixels. Kept
// current after every change of the sheet for the price of one count of the
// sheet's pixels; only the swatches whose mark comes or goes are drawn.
#pragma once

#include <array>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

class TUnusedMarks {
 public:
  bool On = false;

  // Brings the marks on swatches (the palette view's picture) up to the
  // entries sheet uses, or removes them all while off; dark and light are
  // the entries a cross may take. True when a swatch was drawn.
  bool Update(const TIxDIB& sheet, TIxDIB& swatches, uint8_t dark, uint8_t light);
  // The swatches were drawn afresh, without marks.
  void Forget() { shown_.fill(false); }
  bool Marked(uint8_t index) const { return shown_[index]; }

 private:
  std::array<bool, 256> shown_{};
};

}  // namespace pixkura
