// The QImage-backed plug-in picture: what the open dialog's preview reads
// any registered picture file with.
#include "formats/qt/SPIBmp.h"

#include <gtest/gtest.h>

#include "base/Streams.h"
#include "tests/formats/support/TestPlugins.h"

namespace pixkura {
namespace {

using testing::SmallTpix;
using testing::StatsOf;
using testing::TTempFolder;
using testing::WriteBytes;

TEST(SPIBmp, PluginExtensionsAreRegisteredForThePluginBitmapWhileItsRegistrationLives) {
  {
    const TSPIBitmapRegistration registration;
    EXPECT_EQ(DefaultGraphicClass, &TSPIBitmap::GraphicClass);
  }
  EXPECT_EQ(DefaultGraphicClass, nullptr);
  EXPECT_EQ(GlobalPictureRegistry().ClassForFile("/x/A.BMP"), nullptr);
  const TSPIBitmapRegistration registration;
  ASSERT_EQ(DefaultGraphicClass, &TSPIBitmap::GraphicClass);
  EXPECT_EQ(GlobalPictureRegistry().ClassForFile("/x/A.BMP"), &TSPIBitmap::GraphicClass);
  EXPECT_EQ(GlobalPictureRegistry().ClassForFile("/x/a.dib"), IxDIBGraphicClass());
  TTempFolder folder;
  folder.AddPlugin("valid_in", "v.spi");
  TPictureRegistry registry;
  TSPIs spis(registry);
  spis.Search(folder.Str() + "/*.spi");
  ASSERT_EQ(spis.Count(), 1);
  const std::string file = folder.File("Pic.TPX");
  WriteBytes(file, SmallTpix());

  // The preview's way: class by extension, then a named load.
  const TGraphicClass graphicClass = registry.ClassForFile(file);
  ASSERT_EQ(graphicClass, &TSPIBitmap::GraphicClass);
  const std::unique_ptr<TGraphic> picture = graphicClass->Create();
  picture->LoadFromFile(file);
  const QImage& image = static_cast<TSPIBitmap&>(*picture).Image;
  ASSERT_EQ(image.width(), 4);
  ASSERT_EQ(image.height(), 2);
  EXPECT_EQ(image.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(3, 0), qRgb(250, 251, 252));
  EXPECT_EQ(image.pixel(0, 1), qRgb(250, 251, 252));
  EXPECT_EQ(image.pixel(1, 1), qRgb(70, 80, 90));
  EXPECT_EQ(StatsOf(spis.Items(0)).pictureCalls, 1);
}

TEST(SPIBmp, BmpIsReadByQtAndWrittenBack) {
  TSPIBitmap bitmap;
  QImage source(5, 3, QImage::Format_RGB32);
  source.fill(qRgb(1, 2, 3));
  source.setPixel(4, 2, qRgb(200, 100, 50));
  bitmap.Image = source;
  TMemoryStream stream;
  bitmap.SaveToStream(stream);

  TSPIBitmap read;
  int changes = 0;
  read.OnChange = [&](TGraphic&) { ++changes; };
  read.LoadFromStream(stream);  // no name: the built-in reader first
  EXPECT_EQ(read.GetWidth(), 5);
  EXPECT_EQ(read.Image.pixel(4, 2), qRgb(200, 100, 50));
  EXPECT_EQ(changes, 1);
}

TEST(SPIBmp, UnreadableDataIsAnInvalidGraphic) {
  TSPIBitmap bitmap;
  TMemoryStream stream(std::vector<uint8_t>{'B', 'M', 0, 0});
  try {
    bitmap.LoadFromStreamWithName(stream, "x.bmp");
    FAIL() << "four bytes were read as a picture";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "認識できない画像形式です");
  }
  EXPECT_TRUE(bitmap.GetEmpty());
}

}  // namespace
}  // namespace pixkura
