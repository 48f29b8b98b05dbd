// TSPIBitmap: a QImage-backed picture that reads BMP files through Qt and
// every other format through the import plug-ins. It is the class the plug-in
// host registers for plug-in file extensions, so the open dialog's preview
// shows any picture a plug-in reads.
#pragma once

#include <QImage>

#include <string>

#include "formats/InSPIAble.h"
#include "formats/PictureRegistry.h"
#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"

namespace pixkura {

class TSPIBitmap : public TGraphic {
 public:
  TSPIBitmap();

  TInSPI* SPI = nullptr;
  bool MacBinary = true;
  QImage Image;

  // Always this object's own LoadFromStreamWithName.
  TSPILoadFromStreamWithNameEvent OnLoadFromStreamWithName();

  // Copies SPI, MacBinary and the picture.
  void Assign(const TSPIBitmap& source);
  int32_t GetWidth() const override { return Image.width(); }
  int32_t GetHeight() const override { return Image.height(); }
  bool GetEmpty() const override { return Image.isNull(); }
  void LoadFromFile(const std::string& fileName) override;
  void LoadFromStream(TStream& stream) override;
  virtual void LoadFromStreamWithName(TStream& stream, const std::string& fileName);
  // Writes the picture as a BMP file.
  void SaveToStream(TStream& stream) const override;

  static const TGraphicClassInfo GraphicClass;

 private:
  void SyncHelper();
  // Qt's BMP reader; EInvalidGraphic when it cannot read the data.
  void ReadBitmap(TStream& stream);

  TInSPIAble helper_;
};

// While one lives, plug-in file types are registered for TSPIBitmap, and BMP
// files too, as the platform bitmap they stand for; it must be made before
// the plug-ins are searched. An object, not a static initialiser of this
// library: nothing in a program refers to such an initialiser, so the linker
// leaves it out of the program, and the registration never runs.
class TSPIBitmapRegistration {
 public:
  TSPIBitmapRegistration();
  ~TSPIBitmapRegistration();
  TSPIBitmapRegistration(const TSPIBitmapRegistration&) = delete;
  TSPIBitmapRegistration& operator=(const TSPIBitmapRegistration&) = delete;
};

}  // namespace pixkura
