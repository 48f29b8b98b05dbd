#include "formats/SPIIxDIB.h"

#include <vector>

namespace pixkura {

bool PaletteDisplay = false;

const TGraphicClassInfo TSPIIxDIB::GraphicClass{"TSPIIxDIB",
                                                [] { return std::unique_ptr<TGraphic>(new TSPIIxDIB); }};

namespace {
// Takes the class out of the picture-format registry when the program ends.
struct TSPIIxDIBUnit {
  TSPIIxDIBUnit() { GlobalPictureRegistry(); }  // made first, so it is destroyed last
  ~TSPIIxDIBUnit() { GlobalPictureRegistry().UnregisterClass(&TSPIIxDIB::GraphicClass); }
};
const TSPIIxDIBUnit unit;
}  // namespace

TSPIIxDIB::TSPIIxDIB() : helper_(*this) {
  helper_.OldLoadFromStream = [this](TStream& stream) { TIxDIB::LoadFromStream(stream); };
  helper_.OnSetDIB = [this](const TSPIAnswer& answer, bool& result, const SusiePictureInfo&) {
    SetDIB(answer, result);
  };
}

TSPILoadFromStreamWithNameEvent TSPIIxDIB::OnLoadFromStreamWithName() {
  return [this](TStream& stream, const std::string& fileName) { LoadFromStreamWithName(stream, fileName); };
}

void TSPIIxDIB::Assign(const TIxDIB* source) {
  if (const auto* other = dynamic_cast<const TSPIIxDIB*>(source)) {
    SPI = other->SPI;
    AutoPalette = other->AutoPalette;
    MacBinary = other->MacBinary;
  }
  TIxDIB::Assign(source);
}

void TSPIIxDIB::SyncHelper() {
  helper_.MacBinary = MacBinary;
  helper_.SPI = SPI;
}

void TSPIIxDIB::LoadFromFile(const std::string& fileName) {
  SyncHelper();
  helper_.LoadFromFile(fileName);
}

void TSPIIxDIB::LoadFromStream(TStream& stream) {
  SyncHelper();
  helper_.LoadFromStream(stream);
}

void TSPIIxDIB::LoadFromStreamWithName(TStream& stream, const std::string& fileName) {
  SyncHelper();
  helper_.LoadFromStreamWithName(stream, fileName);
}

void TSPIIxDIB::SetDIB(const TSPIAnswer& answer, bool& result) {
  const std::vector<uint8_t> block = BuildPackedDIB(answer);
  LoadFromClipboardFormat(CF_DIB, TMemoryBlock(block.data(), block.size()), HPALETTE());
  result = true;
}

void TSPIIxDIB::Changed() {
  const int32_t bits = GetBitCount();
  const bool trueColor = bits == 16 || bits == 24 || bits == 32;
  const bool wanted = AutoPalette == 2 || (AutoPalette == 1 && PaletteDisplay);
  // Making the palette reports a change itself; that report must not start another.
  if (trueColor && wanted && GetPaletteSize() == 0 && !makingPalette_) {
    makingPalette_ = true;
    try {
      CreateTrueColorPalette();
    } catch (...) {
      makingPalette_ = false;
      throw;
    }
    makingPalette_ = false;
  }
  TIxDIB::Changed();
}

}  // namespace pixkura
