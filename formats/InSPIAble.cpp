#include "formats/InSPIAble.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"

namespace pixkura {
namespace {

constexpr size_t kMacBinaryHeader = 128;

struct TFreeBlock {
  void operator()(void* p) const { std::free(p); }
};
using TPluginBlock = std::unique_ptr<void, TFreeBlock>;

// Clears the named-load fields however the load ends.
class TNamedLoad {
 public:
  TNamedLoad(TInSPIAble& helper, const std::string& fileName) : helper_(helper) {
    helper_.Ext = ExtractFileExt(fileName);
    helper_.FileName = fileName;
  }
  ~TNamedLoad() {
    helper_.Ext.clear();
    helper_.FileName.clear();
  }
  TNamedLoad(const TNamedLoad&) = delete;
  TNamedLoad& operator=(const TNamedLoad&) = delete;

 private:
  TInSPIAble& helper_;
};

}  // namespace

uint8_t SPIProgressPercent(int32_t num, int32_t denom) {
  if (denom == 0) return 1;
  // Rounded to nearest, ties to even, as the count has always been shown.
  const double share = std::nearbyint(static_cast<double>(int64_t{num} * 98) / static_cast<double>(denom));
  return static_cast<uint8_t>(std::clamp(share, 0.0, 98.0) + 1);
}

TInSPIAble::TInSPIAble(TGraphic& graphic) : Graphic(graphic) {
  OldLoadFromFile = [this](const std::string& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    Graphic.LoadFromStream(stream);
  };
}

TRect TInSPIAble::OwnerRect() const { return TRect{0, 0, Graphic.GetWidth(), Graphic.GetHeight()}; }

void TInSPIAble::LoadFromFile(const std::string& fileName) {
  const TNamedLoad named(*this, fileName);
  OldLoadFromFile(fileName);
}

void TInSPIAble::LoadFromStreamWithName(TStream& stream, const std::string& fileName) {
  const TNamedLoad named(*this, fileName);
  LoadFromStream(stream);
}

void TInSPIAble::LoadFromStream(TStream& stream) {
  std::optional<TMemoryStream> copy;
  auto* memory = dynamic_cast<TMemoryStream*>(&stream);
  if (!memory) {
    copy.emplace();
    copy->LoadFromStream(stream);
    memory = &*copy;
  }
  const std::string_view ext = Ext.empty() ? std::string_view() : std::string_view(Ext).substr(1);
  const bool pluginsFirst = !ext.empty() && !SameTextAscii(ext, DefaultExt);
  const bool loaded = pluginsFirst ? (LoadByPlugins(*memory) || LoadByDefault(*memory))
                                   : (LoadByDefault(*memory) || LoadByPlugins(*memory));
  if (!loaded) throw EInvalidGraphic("認識できない画像形式です");
}

bool TInSPIAble::LoadByDefault(TMemoryStream& stream) {
  if (!OldLoadFromStream) return false;
  try {
    stream.SetPosition(0);
    OldLoadFromStream(stream);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TInSPIAble::LoadByPlugins(TMemoryStream& stream) {
  if (SPI) return LoadWithSPI(*SPI, stream);
  const TSPIs* spis = ActiveSPIs();
  if (!spis) return false;
  std::vector<TSPI*> plugins;
  spis->FindPlugins({SPIClassOf<TInSPI>()}, plugins, Ext);
  for (TSPI* plugin : plugins)
    if (LoadWithSPI(static_cast<TInSPI&>(*plugin), stream)) return true;
  return false;
}

bool TInSPIAble::LoadWithSPI(TInSPI& plugin, TMemoryStream& stream) {
  Graphic.Progress(TProgressStage::psStarting, 0, false, OwnerRect(), "");
  bool result = false;
  try {
    const size_t size = static_cast<size_t>(stream.Size());
    result = TryBuffer(plugin, stream.Memory(), size);
    if (!result && MacBinary && size > kMacBinaryHeader)
      result = TryBuffer(plugin, stream.Memory() + kMacBinaryHeader, size - kMacBinaryHeader);
  } catch (...) {
    Graphic.Progress(TProgressStage::psEnding, 100, true, OwnerRect(), "");
    throw;
  }
  Graphic.Progress(TProgressStage::psEnding, 100, true, OwnerRect(), "");
  return result;
}

bool TInSPIAble::TryBuffer(TInSPI& plugin, const uint8_t* data, size_t size) {
  // Lengths cross the interface as 32-bit values; a larger file cannot be handed over.
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  const auto length = static_cast<int32_t>(size);
  // Plug-ins may look at the first 2048 bytes whatever the file's length.
  std::vector<uint8_t> padded;
  if (size < SPI_HEADER_BYTES) {
    padded.assign(SPI_HEADER_BYTES, 0);
    if (size) std::memcpy(padded.data(), data, size);
    data = padded.data();
  }
  const auto* buffer = reinterpret_cast<const char*>(data);
  if (plugin.IsSupported(FileName.c_str(), data) == 0) return false;

  SusiePictureInfo info{};
  if (plugin.GetPictureInfo(buffer, length, SPI_INPUT_MEMORY, &info) != SPI_SUCCESS)
    info = SusiePictureInfo{};
  // A 32-bit handle cannot carry a pointer here: any text the plug-in names is ignored.
  info.hInfo = 0;

  void* headerHandle = nullptr;
  void* pixelHandle = nullptr;
  pendingError_ = nullptr;
  const int32_t code = plugin.GetPicture(buffer, length, SPI_INPUT_MEMORY, &headerHandle, &pixelHandle,
                                         &TInSPIAble::ProgressCallback, reinterpret_cast<intptr_t>(this));
  // Blocks exist only after success; a block named twice is freed once.
  TPluginBlock header(code == SPI_SUCCESS ? headerHandle : nullptr);
  TPluginBlock pixels(code == SPI_SUCCESS && pixelHandle != headerHandle ? pixelHandle : nullptr);
  if (pendingError_) std::rethrow_exception(std::exchange(pendingError_, nullptr));
  if (code != SPI_SUCCESS) return false;

  const std::optional<TSPIAnswer> answer = CheckSPIAnswerBlocks(header.get(), pixels.get());
  if (!answer) return false;
  bool result = false;
  if (OnSetDIB) OnSetDIB(*answer, result, info);
  return result;
}

int32_t TInSPIAble::ProgressCallback(int32_t num, int32_t denom, intptr_t helper) {
  if (helper == 0) return 0;
  auto& self = *reinterpret_cast<TInSPIAble*>(helper);
  if (self.pendingError_) return 1;
  try {
    self.Graphic.Progress(TProgressStage::psRunning, SPIProgressPercent(num, denom), false, self.OwnerRect(),
                          "");
  } catch (const EAbort&) {
    return 1;
  } catch (...) {
    self.pendingError_ = std::current_exception();
    return 1;
  }
  return 0;
}

}  // namespace pixkura
