// Run-length coded storage: the decoders turn RLE8 / RLE4 storage into new
// uncompressed storage of the same depth; the encoders do the reverse.
// Each returns a new record; the caller takes it over (TIxInternalDIB::TakeOver).
#pragma once

#include <memory>

#include "image/IxDIB.h"

namespace pixkura {

std::unique_ptr<TIxInternalDIB> Convert8BitRLETo8BitRGB(const TIxInternalDIB& src);
std::unique_ptr<TIxInternalDIB> Convert4BitRLETo4BitRGB(const TIxInternalDIB& src);
std::unique_ptr<TIxInternalDIB> Convert8BitRGBTo8BitRLE(const TIxInternalDIB& src);
std::unique_ptr<TIxInternalDIB> Convert4BitRGBTo4BitRLE(const TIxInternalDIB& src);

}  // namespace pixkura
