// JPEG through libjpeg-turbo: every picture arrives as 24-bit; grey pictures
// have the grey in all three channels, CMYK and YCCK pictures are turned
// into RGB. Damaged or cut data fail rather than come back half grey.
#pragma once

#include "plugins/common/SpiEntry.h"

namespace pixkura::spi::jpeg {

bool IsJpeg(const uint8_t* head);
int32_t ReadFacts(TBytes file, TPictureFacts& facts);
int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::jpeg
