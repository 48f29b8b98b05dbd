// Copy, cut and paste with the desktop's clipboard. The clipboard reads the
// document (the sheet, its palette, the transparent index) and hands a
// pasted picture to the block copy, which places it as it places a picked
// block; it never reaches into the views.
#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "app/core/editing/PasteConversion.h"
#include "formats/BlockPng.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

// The indices of w x h sheet pixels from (x, y) of source, with the master
// palette and the transparent index.
TIndexedBlock BlockOf(const TIxDIB& source, int32_t x, int32_t y, int32_t w, int32_t h,
                      const std::array<TColor, 256>& colors, uint8_t transparent) {
  TIndexedBlock block{w, h, colors, transparent, {}};
  block.Indices.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
  const TIxInternalDIB& d = source.InternalDIB();
  for (int32_t row = y; row < y + h; ++row)
    block.Indices.insert(block.Indices.end(), d.Row(row) + x, d.Row(row) + x + w);
  return block;
}

// The picture a paste finds: the editor's own block first, else the
// window's picture; Width 0 when there is none it can use.
TClipboardPicture PictureOf(const TClipboardContent& content) {
  if (const auto block = DecodeIndexedBlock(content.Block)) return PictureOfBlock(*block);
  return content.Picture.Whole() ? content.Picture : TClipboardPicture{};
}

}  // namespace

void TEditor::MnCopyClick(TComponent*) {
  // A waiting block is offered in the colours it waits with.
  const TIndexedBlock block =
      Copy.CopyReady()
          ? BlockOf(*Copy.CopyDib, 0, 0, Copy.CopyDib->GetWidth(), Copy.CopyDib->GetHeight(),
                    ColorsOf(*Copy.CopyDib), Toumei)
          : BlockOf(*Doc.AllDib, View.CellX, View.CellY, View.ChrX, View.ChrY, MasterColors(), Toumei);
  Host.OfferToClipboard(TClipboardOffer{EncodeIndexedBlock(block), EncodeBlockPng(block)});
}

void TEditor::MnCutClick(TComponent* Sender) {
  MnCopyClick(Sender);
  // A pasted block has no place in the sheet yet: cutting it only ends its wait.
  const bool waiting = Copy.CopyReady();
  if (waiting && !Copy.FromSheet) {
    Copy.Cancel();
    return;
  }
  const int32_t x = waiting ? Copy.CornerX : View.CellX, y = waiting ? Copy.CornerY : View.CellY;
  const int32_t w = waiting ? Copy.CopyDib->GetWidth() : View.ChrX;
  const int32_t h = waiting ? Copy.CopyDib->GetHeight() : View.ChrY;
  if (waiting) Copy.Cancel();
  TakeSnapshot();
  FillBox(x, y, x + w - 1, y + h - 1, Toumei, *Doc.AllDib);
  AllView.Invalidate();
  RefreshChrDib();
  RedrawLoupe();
}

void TEditor::MnPasteClick(TComponent*) {
  TClipboardPicture picture = PictureOf(Host.ReadClipboard());
  if (picture.Width == 0) {
    SBar.SetText(4, "クリップボードに貼り付けられる絵がありません");
    return;
  }
  const std::array<TColor, 256> colors = MasterColors();
  TPasteAnswer answer = TPasteAnswer::KeepIndices;
  if (picture.Indexed() && NeedsAnswer(picture, colors)) {
    const int chosen = Host.Ask("貼り付ける絵のパレットがこのパレットと違います。",
                                {"近い色に置き換える", "番号をそのまま使う", "パレットも取り込む"});
    if (chosen < 0) return;
    answer = static_cast<TPasteAnswer>(chosen);
  }
  const bool cut = CutToSheet(picture);
  const TPastedBlock block = ConvertPaste(picture, colors, Toumei, answer);
  Copy.Hold(block.Width, block.Height, block.Indices.data(), block.Palette);
  if (cut) SBar.SetText(4, "256 x 256 を超える部分は切り捨てました");
}

}  // namespace pixkura
