// Feeds arbitrary answers of an import plug-in through the host: the checks
// of the two blocks GetPicture returns, the packed DIB built from them and
// the bitmap's packed-DIB reader.
//
// Input: byte 0 selects the result code (odd: a failure code), bytes 1-2 the
// header block's length (little-endian, cut to what is left), then the
// header block, then the pixel block.
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"
#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"

namespace {

using SetAnswerFn = void (*)(const void*, size_t, const void*, size_t, int32_t);

struct TAnswerPlugin {
  pixkura::TSPIs spis;
  pixkura::TInSPI* plugin = nullptr;
  SetAnswerFn setAnswer = nullptr;

  TAnswerPlugin() {
    spis.Add(pixkura::CreateSPI(PIXKURA_FUZZ_PLUGIN));
    if (spis.Count() != 1) std::abort();
    plugin = dynamic_cast<pixkura::TInSPI*>(&spis.Items(0));
    setAnswer = reinterpret_cast<SetAnswerFn>(::dlsym(plugin->Handle.get(), "SetAnswer"));
    if (!plugin || !setAnswer) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TAnswerPlugin host;
  if (size < 3) return 0;
  const int32_t code = (data[0] & 1) ? SPI_BROKEN_DATA : SPI_SUCCESS;
  size_t headerSize = data[1] | (size_t{data[2]} << 8);
  data += 3;
  size -= 3;
  if (headerSize > size) headerSize = size;
  host.setAnswer(data, headerSize, data + headerSize, size - headerSize, code);

  pixkura::TSPIIxDIB dib;
  dib.SPI = host.plugin;
  dib.MacBinary = false;
  // One byte no built-in reader takes, so only the plug-in's answer counts.
  pixkura::TMemoryStream stream(std::vector<uint8_t>{0});
  try {
    dib.LoadFromStreamWithName(stream, "x.ans");
    // An accepted picture must be whole: touch its last row.
    if (dib.GetBitCount() == 8) (void)dib.GetPixels(dib.GetWidth() - 1, dib.GetHeight() - 1);
  } catch (const pixkura::Exception&) {
  }
  return 0;
}
