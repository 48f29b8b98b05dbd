// Reads arbitrary bytes as a BMP file; a picture that was read must write
// and read back to identical storage.
#include <cstdint>
#include <vector>

#include "base/Streams.h"
#include "fuzz/image/FuzzChecks.h"

using namespace pixkura;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIxDIB dib;
  try {
    TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    dib.LoadFromStream(stream);
  } catch (const Exception&) {
    return 0;
  }
  fuzz::CheckReadPicture(dib);
  if (!fuzz::HasPixelFormat(dib)) return 0;
  TMemoryStream written;
  dib.SaveToStream(written);
  written.SetPosition(0);
  TIxDIB back;
  back.LoadFromStream(written);
  if (!fuzz::SameStorage(dib.InternalDIB(), back.InternalDIB())) std::abort();
  return 0;
}
