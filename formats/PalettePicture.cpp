#include "formats/PalettePicture.h"

#include <vector>

#include "base/Streams.h"
#include "formats/PaletteFileError.h"
#include "formats/SPIIxDIB.h"

namespace pixkura {

namespace {

size_t ColorTableCount(const TIxDIB& picture) {
  const auto tableMax = size_t{1} << picture.GetBitCount();
  const auto stated = static_cast<size_t>(picture.GetPaletteSize());
  return stated == 0 ? tableMax : std::min(stated, tableMax);
}

TPaletteColors DistinctColors(const TIxDIB& picture, const std::string& fileName) {
  TPaletteColors colors;
  std::vector<bool> seen(size_t{1} << 24);  // one bit per RGB value
  const TIxInternalDIB& dib = picture.InternalDIB();
  for (int32_t y = 0; y < picture.GetHeight(); ++y) {
    const uint8_t* bgr = dib.Row(y);
    for (int32_t x = 0; x < picture.GetWidth(); ++x, bgr += 3) {
      const TColor color = RGB(bgr[2], bgr[1], bgr[0]);
      if (seen[color]) continue;
      if (colors.Full()) {
        ThrowPaletteFileError(
            fileName, "256 色を超えるフルカラー画像にはパレットがありません (先に 256 色に減色してください)");
      }
      seen[color] = true;
      colors.Add(color);
    }
  }
  return colors;
}

}  // namespace

TPaletteColors PaletteOfPicture(const TIxDIB& picture, const std::string& fileName) {
  if (picture.GetBitCount() > 8) {
    // The loader keeps a depth and compression it cannot decode as it read them.
    if (picture.GetBitCount() != 24 || picture.InternalDIB().Header().biCompression != BI_RGB)
      ThrowPaletteFileError(fileName, "色を読み取れない画素の形式です");
    return DistinctColors(picture, fileName);
  }
  TPaletteColors colors;
  const size_t count = ColorTableCount(picture);
  for (size_t i = 0; i < count; ++i) colors.Add(picture.GetColors(static_cast<int32_t>(i)));
  return colors;
}

TPaletteColors DecodePicturePalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  TSPIIxDIB picture;
  try {
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    picture.LoadFromStreamWithName(stream, fileName);
  } catch (const EAbort&) {
    throw;
  } catch (const EInvalidGraphic&) {
    ThrowPaletteFileError(fileName, "パレットファイルとしても画像としても読めない形式です");
  } catch (const Exception& e) {
    ThrowPaletteFileError(fileName, e.Message());
  }
  return PaletteOfPicture(picture, fileName);
}

}  // namespace pixkura
