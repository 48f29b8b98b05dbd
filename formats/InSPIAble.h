// Loading a picture through the built-in reader or the import plug-ins, in
// an order chosen by the file's extension. A graphic class owns one helper
// and routes its loading operations through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "base/Graphic.h"
#include "formats/SPIAnswer.h"
#include "formats/SPIs.h"
#include "formats/SusiePlugin.h"

namespace pixkura {

class TMemoryStream;
class TStream;

class TInSPIAble {
 public:
  using TLoadFromFileProc = std::function<void(const std::string& fileName)>;
  using TLoadFromStreamProc = std::function<void(TStream& stream)>;
  // Turns a checked plug-in answer into the owner's picture; sets result
  // when the owner took it.
  using TSetDIBEvent =
      std::function<void(const TSPIAnswer& answer, bool& result, const SusiePictureInfo& info)>;

  explicit TInSPIAble(TGraphic& graphic);
  TInSPIAble(const TInSPIAble&) = delete;
  TInSPIAble& operator=(const TInSPIAble&) = delete;

  TGraphic& Graphic;
  std::string Ext;       // extension of the file being loaded, with the dot; only during a named load
  std::string FileName;  // name of the file being loaded; empty for a bare stream
  std::string DefaultExt = "BMP";
  // The framework's file loader: reads the file and hands it to the owner's
  // LoadFromStream (EFOpenError when it cannot be opened).
  TLoadFromFileProc OldLoadFromFile;
  // The owner's built-in reader.
  TLoadFromStreamProc OldLoadFromStream;
  TSetDIBEvent OnSetDIB;
  TInSPI* SPI = nullptr;  // when set, the only plug-in tried
  bool MacBinary = true;  // also try the data after a 128-byte header

  void LoadFromFile(const std::string& fileName);
  void LoadFromStreamWithName(TStream& stream, const std::string& fileName);
  // Built-in reader or plug-ins first by extension; EInvalidGraphic
  // "認識できない画像形式です" when neither reads the data.
  void LoadFromStream(TStream& stream);

  bool LoadByDefault(TMemoryStream& stream);
  bool LoadByPlugins(TMemoryStream& stream);
  bool LoadWithSPI(TInSPI& plugin, TMemoryStream& stream);
  bool TryBuffer(TInSPI& plugin, const uint8_t* data, size_t size);

  // Handed to the plug-in's GetPicture with the helper as caller value.
  static int32_t ProgressCallback(int32_t num, int32_t denom, intptr_t helper);

 private:
  TRect OwnerRect() const;
  // An error the progress handler raised while a plug-in was decoding: it
  // must not unwind through the plug-in's frames, so it waits here until
  // GetPicture has returned.
  std::exception_ptr pendingError_;
};

// Progress percent for a plug-in's count: num * 98 / denom rounded, plus 1,
// kept within 1..99; 1 when denom is 0.
uint8_t SPIProgressPercent(int32_t num, int32_t denom);

}  // namespace pixkura
