#include "tools/pixkura-convert/ReorderCommand.h"

#include "formats/SaveDispatch.h"
#include "tools/pixkura-convert/PictureLoading.h"

namespace pixkura {

TPaletteReorder ReorderOf(const TReorderOperation& operation, const TIxDIB& picture) {
  const std::vector<TColor> palette = PaletteColorsOf(picture);
  switch (operation.Kind) {
    case TReorderKind::Swap:
      return SwapEntries(palette, operation.A, operation.B);
    case TReorderKind::Move:
      return MoveEntry(palette, operation.A, operation.B);
    case TReorderKind::SortLuminance:
      return SortByLuminance(palette, operation.A, operation.B);
    case TReorderKind::SortHue:
      return SortByHue(palette, operation.A, operation.B);
    case TReorderKind::SortUse:
      return SortByUse(palette, CountEntryUse(picture), operation.A, operation.B);
    case TReorderKind::MergeDuplicates:
      return MergeDuplicates(palette);
    case TReorderKind::Compact:
      return CompactEntries(palette, CountEntryUse(picture), std::nullopt);
    case TReorderKind::TransparentToZero:
      break;
  }
  return SwapEntries(palette, operation.A, 0);
}

void ReorderPicture(const std::string& input, const std::string& output,
                    const std::vector<TReorderOperation>& operations, const TPNGOptions& png) {
  TIxDIB picture;
  LoadPicture(input, picture);
  // An RLE8 picture holds the same indices; anything else would need its
  // colours changed first, which is not what a reorder is for.
  const TIxPixelFormat format = picture.GetPixelFormat();
  if (format != ixPf8Bit && format != ixPf8BitRLE)
    throw EIxDIBBadDIBType(input + ": not an 8-bit palette picture (" +
                           std::to_string(picture.GetBitCount()) + " bits per pixel); --reorder needs one");
  picture.SetPixelFormat(ixPf8Bit);
  for (const TReorderOperation& operation : operations)
    ApplyPaletteReorder(picture, ReorderOf(operation, picture));
  SavePicture(output, picture, png);
}

}  // namespace pixkura
