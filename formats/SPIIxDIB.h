// TSPIIxDIB: the indexed bitmap the editor opens pictures with. It reads BMP
// and DIB files itself and every other format through the import plug-ins,
// in an order chosen by the file's extension.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "formats/InSPIAble.h"
#include "formats/PictureRegistry.h"
#include "formats/SPIs.h"
#include "image/IxDIB.h"

namespace pixkura {

// Whether the screen shows at most 256 colours. Qt screens here always show
// true colour, so no bitmap needs a display palette made for it.
extern bool PaletteDisplay;

using TSPILoadFromStreamWithNameEvent = std::function<void(TStream& stream, const std::string& fileName)>;

class TSPIIxDIB : public TIxDIB {
 public:
  TSPIIxDIB();

  TInSPI* SPI = nullptr;
  // When a true-colour picture gets a display palette: 0 never, 1 only on a
  // palette display, 2 always.
  uint8_t AutoPalette = 1;
  bool MacBinary = true;

  // Always this object's own LoadFromStreamWithName.
  TSPILoadFromStreamWithNameEvent OnLoadFromStreamWithName();

  // Copies SPI, AutoPalette and MacBinary from another TSPIIxDIB, then shares
  // the source's pixels as TIxDIB does.
  void Assign(const TIxDIB* source);
  void LoadFromFile(const std::string& fileName) override;
  void LoadFromStream(TStream& stream) override;
  virtual void LoadFromStreamWithName(TStream& stream, const std::string& fileName);
  void Changed() override;

  static const TGraphicClassInfo GraphicClass;

 private:
  void SyncHelper();
  void SetDIB(const TSPIAnswer& answer, bool& result);

  TInSPIAble helper_;
  bool makingPalette_ = false;
};

}  // namespace pixkura
