// Placeholder until the BMP/DIB reader and writer land.
#include "image/IxDIB.h"

namespace pixkura {
void TIxInternalDIB::LoadFromStream(TStream&) { throw EIxDIBInvalidDIBFile("TIxInternalDIB.LoadFromFile: File type is invalid"); }
void TIxInternalDIB::SaveToStream(TStream&) const { throw EIxDIBAssert("not yet"); }
void TIxInternalDIB::LoadFromClipboardFormat(TMemoryBlock) { throw EIxDIBInvalidDIB("TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Data"); }
}  // namespace pixkura
