#include "formats/qt/SPIBmp.h"

#include <QBuffer>
#include <QByteArray>

#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"

namespace pixkura {

const TGraphicClassInfo TSPIBitmap::GraphicClass{"TSPIBitmap",
                                                 [] { return std::unique_ptr<TGraphic>(new TSPIBitmap); }};

TSPIBitmapRegistration::TSPIBitmapRegistration() {
  GlobalPictureRegistry().Register("bmp", "Bitmaps", &TSPIBitmap::GraphicClass);
  DefaultGraphicClass = &TSPIBitmap::GraphicClass;
}

TSPIBitmapRegistration::~TSPIBitmapRegistration() {
  if (DefaultGraphicClass == &TSPIBitmap::GraphicClass) DefaultGraphicClass = nullptr;
  GlobalPictureRegistry().UnregisterClass(&TSPIBitmap::GraphicClass);
}

TSPIBitmap::TSPIBitmap() : helper_(*this) {
  helper_.OldLoadFromStream = [this](TStream& stream) { ReadBitmap(stream); };
  helper_.OnSetDIB = [this](const TSPIAnswer& answer, bool& result, const SusiePictureInfo&) {
    TMemoryStream file(BuildBitmapFile(answer));
    ReadBitmap(file);
    result = true;
  };
}

TSPILoadFromStreamWithNameEvent TSPIBitmap::OnLoadFromStreamWithName() {
  return [this](TStream& stream, const std::string& fileName) { LoadFromStreamWithName(stream, fileName); };
}

void TSPIBitmap::Assign(const TSPIBitmap& source) {
  SPI = source.SPI;
  MacBinary = source.MacBinary;
  Image = source.Image;
  Changed();
}

void TSPIBitmap::SyncHelper() {
  helper_.MacBinary = MacBinary;
  helper_.SPI = SPI;
}

void TSPIBitmap::LoadFromFile(const std::string& fileName) {
  SyncHelper();
  helper_.LoadFromFile(fileName);
}

void TSPIBitmap::LoadFromStream(TStream& stream) {
  SyncHelper();
  helper_.LoadFromStream(stream);
}

void TSPIBitmap::LoadFromStreamWithName(TStream& stream, const std::string& fileName) {
  SyncHelper();
  helper_.LoadFromStreamWithName(stream, fileName);
}

void TSPIBitmap::ReadBitmap(TStream& stream) {
  const int64_t size = stream.Remaining();
  QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
  stream.ReadBuffer(bytes.data(), size);
  QImage image;
  if (!image.loadFromData(bytes, "BMP")) {
    Image = QImage();
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  Image = std::move(image);
  Changed();
}

void TSPIBitmap::SaveToStream(TStream& stream) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!Image.save(&buffer, "BMP")) throw EWriteError(kStreamWriteError);
  stream.WriteBuffer(bytes.constData(), bytes.size());
}

}  // namespace pixkura
