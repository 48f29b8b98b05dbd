// The clipboard through Qt: the block's PNG read back by Qt's decoder keeps
// indices, palette and the transparent entry; the own format
// survives the application's clipboard.
#include <gtest/gtest.h>

#include <QImage>

#include "app/ui/ClipboardBridge.h"
#include "formats/BlockPng.h"
#include "tests/app/ui/support/QtTestApp.h"

namespace pixkura {

TEST(ClipboardBridge, PngAndOwnFormatReadBackExactly) {
  test::QtTestApp();
  TIndexedBlock block{3, 2, {}, 9, {0, 9, 255, 1, 2, 3}};
  for (size_t i = 0; i < 256; ++i) block.Colors[i] = RGB(uint8_t(i), uint8_t(i / 2), uint8_t(255 - i));
  const std::vector<uint8_t> png = EncodeBlockPng(block);
  const TClipboardPicture picture =
      PictureOfImage(QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG"));
  EXPECT_EQ(picture.Indices, block.Indices);
  ASSERT_EQ(picture.Palette.size(), 256u);
  EXPECT_EQ(picture.Palette[9], 0x000904F6u);
  EXPECT_EQ(picture.Palette[255], 0xFFFF7F00u);
  PutOnClipboard(TClipboardOffer{EncodeIndexedBlock(block), png});
  EXPECT_EQ(DecodeIndexedBlock(ReadFromClipboard().Block), block);
}

}  // namespace pixkura
