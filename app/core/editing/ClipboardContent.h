// What passes between the editor and the desktop's clipboard, without Qt:
// the bytes a copy offers, and what a paste finds. The window reads and
// writes the real clipboard (EditorHost.h); the editor decides what it means.
#pragma once

#include <cstdint>
#include <vector>

namespace pixkura {

// A copy: the block in the editor's own format and as an indexed PNG.
struct TClipboardOffer {
  std::vector<uint8_t> Block;  // application/x-pixkura-block
  std::vector<uint8_t> Png;    // image/png
};

// A picture another program put on the clipboard, decoded by the window.
// Indexed: Palette holds its entries (0xAARRGGBB, 1..256) and Indices one
// per pixel; an index past the palette reads as opaque black. True colour:
// Palette is empty and Pixels holds 0xAARRGGBB per pixel. Rows from the top.
struct TClipboardPicture {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Palette;
  std::vector<uint8_t> Indices;
  std::vector<uint32_t> Pixels;

  bool Indexed() const { return !Palette.empty(); }
  // Width, height and the pixel data agree (a picture from outside may not).
  bool Whole() const;
};

// What a paste finds: the editor's own format when present, else a picture
// (Width 0 when none).
struct TClipboardContent {
  std::vector<uint8_t> Block;
  TClipboardPicture Picture;
};

}  // namespace pixkura
