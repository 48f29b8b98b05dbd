// The indexed bitmap's error classes; each carries only its message, which
// names the failing class and operation.
#pragma once

#include "base/Exception.h"

namespace pixkura {

PIXKURA_EXCEPTION(EIxDIBInvalidDIB, Exception);
PIXKURA_EXCEPTION(EIxDIBInvalidDIBFile, Exception);
PIXKURA_EXCEPTION(EIxDIBInvalidDIBPara, Exception);
PIXKURA_EXCEPTION(EIxDIBBadDIBType, Exception);
PIXKURA_EXCEPTION(EIxDIBPaletteIndexRange, Exception);
PIXKURA_EXCEPTION(EIxDIBPixelPositionRange, Exception);
PIXKURA_EXCEPTION(EIxDIBInvalidPalette, Exception);
PIXKURA_EXCEPTION(EIxDIBCompressionFailed, Exception);
PIXKURA_EXCEPTION(EIxDIBAssert, Exception);

}  // namespace pixkura
