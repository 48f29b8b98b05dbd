#include "app/core/editing/PasteConversion.h"

#include <algorithm>

#include "image/PaletteMapping.h"

namespace pixkura {
namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

TColor ColorOf(uint32_t argb) {
  return RGB(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8), static_cast<uint8_t>(argb));
}
uint32_t ArgbOf(TColor c) {
  return kOpaque | uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
}

// The picture's colour of every pixel, through its palette when it has one.
std::vector<uint32_t> PixelsOf(const TClipboardPicture& picture) {
  if (!picture.Indexed()) return picture.Pixels;
  std::array<uint32_t, 256> lookup;
  lookup.fill(kOpaque);
  std::copy_n(picture.Palette.begin(), std::min<size_t>(picture.Palette.size(), 256), lookup.begin());
  std::vector<uint32_t> pixels(picture.Indices.size());
  std::transform(picture.Indices.begin(), picture.Indices.end(), pixels.begin(),
                 [&](uint8_t i) { return lookup[i]; });
  return pixels;
}

template <typename T>
void CutRows(std::vector<T>& data, int32_t width, int32_t newWidth, int32_t newHeight) {
  if (data.empty()) return;
  for (int32_t y = 0; y < newHeight; ++y)
    std::copy_n(data.begin() + static_cast<ptrdiff_t>(y) * width, newWidth,
                data.begin() + static_cast<ptrdiff_t>(y) * newWidth);
  data.resize(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
}

}  // namespace

bool TClipboardPicture::Whole() const {
  if (Width <= 0 || Height <= 0) return false;
  const size_t pixels = static_cast<size_t>(Width) * static_cast<size_t>(Height);
  return Indexed() ? Palette.size() <= 256 && Indices.size() == pixels : Pixels.size() == pixels;
}

TClipboardPicture PictureOfBlock(const TIndexedBlock& block) {
  TClipboardPicture picture{block.Width, block.Height, {}, block.Indices, {}};
  std::transform(block.Colors.begin(), block.Colors.end(), std::back_inserter(picture.Palette), ArgbOf);
  picture.Palette[block.Transparent] &= 0x00FFFFFF;
  return picture;
}

bool CutToSheet(TClipboardPicture& picture) {
  const int32_t w = std::min(picture.Width, kMaxBlockSide), h = std::min(picture.Height, kMaxBlockSide);
  if (w == picture.Width && h == picture.Height) return false;
  CutRows(picture.Indices, picture.Width, w, h);
  CutRows(picture.Pixels, picture.Width, w, h);
  picture.Width = w;
  picture.Height = h;
  return true;
}

bool NeedsAnswer(const TClipboardPicture& picture, const std::array<TColor, 256>& sheet) {
  for (size_t i = 0; i < std::min<size_t>(picture.Palette.size(), 256); ++i)
    if (ColorOf(picture.Palette[i]) != sheet[i]) return true;
  return false;
}

TPastedBlock ConvertPaste(const TClipboardPicture& picture, const std::array<TColor, 256>& sheet,
                          uint8_t transparent, TPasteAnswer answer) {
  TPastedBlock block{picture.Width, picture.Height, picture.Indices, std::nullopt};
  if (!picture.Indexed() || answer == TPasteAnswer::Nearest) {
    block.Indices = MapToPalette(PixelsOf(picture), sheet, transparent);
  } else if (answer == TPasteAnswer::TakePalette) {
    block.Palette = sheet;
    std::transform(picture.Palette.begin(),
                   picture.Palette.begin() + std::min<ptrdiff_t>(std::ssize(picture.Palette), 256),
                   block.Palette->begin(), ColorOf);
  }
  return block;
}

}  // namespace pixkura
