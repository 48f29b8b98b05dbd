// TIxDIB: the indexed device-independent bitmap every picture of the editor
// is. Pixels live in shared, reference-counted storage (TIxInternalDIB) in
// exactly the BMP row layout, so copies made with Assign cost nothing until one
// side writes (copy-on-write).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "base/Color.h"
#include "image/IxDIBExceptions.h"
#include "image/IxDIBTypes.h"
#include "image/IxGraph.h"

namespace pixkura {

class TStream;

// Zero-filled pixel memory of a fixed size.
struct TFreeDeleter {
  void operator()(uint8_t* p) const { std::free(p); }
};
using TPixelMemory = std::unique_ptr<uint8_t, TFreeDeleter>;
// Allocates size bytes, zero-filled; EOutOfResources with the pixel-memory
// messages when it cannot.
TPixelMemory AllocatePixelMemory(size_t size);

// Header and colour table lie contiguously: a ready BITMAPINFO.
struct TBitmapInfo256 {
  TBitmapInfoHeader Header;
  TRGBQuad ColorTable[256];
};

// Shared storage: header, colour table, pixel memory, cached palette.
class TIxInternalDIB {
 public:
  // New blank storage; EIxDIBInvalidDIBPara "TIxInternalDIB.CreateDIB: Invalid
  // Parameters" for a bad size, depth or palette size, or a size whose
  // arithmetic overflows.
  static std::unique_ptr<TIxInternalDIB> CreateDIB(int32_t width, int32_t height, int32_t bitCount,
                                                   int32_t paletteSize);
  // The default storage: 1 x 1, 8 bits, palette size 2, all black.
  static std::unique_ptr<TIxInternalDIB> CreateDefault();
  // A private copy: same header, colour table and pixel bytes; no cached palette.
  std::unique_ptr<TIxInternalDIB> Clone() const;

  int32_t RefCount = 1;
  int32_t Width = 1;
  int32_t Height = 1;
  HPALETTE Palette;
  uint32_t BitsSize = 0;
  TPixelMemory Bits;
  TBitmapInfo256 Info{};
  bool PaletteChanged = true;

  TBitmapInfoHeader& Header() { return Info.Header; }
  const TBitmapInfoHeader& Header() const { return Info.Header; }
  TRGBQuad* ColorTable() { return Info.ColorTable; }
  const TRGBQuad* ColorTable() const { return Info.ColorTable; }
  uint8_t* Data() { return Bits.get(); }
  const uint8_t* Data() const { return Bits.get(); }

  // Bytes per stored row for the header's bit count and width.
  int32_t RowSize() const;
  bool TopDown() const { return Info.Header.biHeight < 0; }
  // Address of picture row y (0 = top) in uncompressed storage; no checks.
  uint8_t* Row(int32_t y) { return Bits.get() + static_cast<size_t>(StoredRow(y)) * RowSize(); }
  const uint8_t* Row(int32_t y) const { return Bits.get() + static_cast<size_t>(StoredRow(y)) * RowSize(); }
  int32_t StoredRow(int32_t y) const { return TopDown() ? y : Height - 1 - y; }

  // Deletes the cached palette and marks the colour table changed.
  void UpdatePalette();
  TIxPixelFormat GetPixelFormat() const;
  // Takes over another record's header, colour table and pixel memory
  // (the end of every load and conversion).
  void TakeOver(TIxInternalDIB&& other);

  // BMP file and packed DIB (image/IxDIBFile.cpp).
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromClipboardFormat(TMemoryBlock block);
};

// One step of a long conversion's progress.
using TProgressStep = std::function<void()>;

class TIxDIB : public TIxGraphic {
 public:
  TIxDIB();
  ~TIxDIB() override;

  // Size and depth.
  int32_t GetWidth() const override;
  int32_t GetHeight() const override;
  bool GetEmpty() const override { return false; }
  void SetWidth(int32_t value);
  void SetHeight(int32_t value);
  int32_t GetBitCount() const;
  void SetBitCount(int32_t value);
  int32_t GetPaletteSize() const;
  void SetPaletteSize(int32_t value);

  // Palette and colours.
  TColor GetColors(int32_t index) const;
  void SetColors(int32_t index, TColor color);
  HPALETTE GetPalette() const;
  void SetPalette(HPALETTE value);

  // Pixels: x from the left, y from the top row.
  int32_t GetPixels(int32_t x, int32_t y) const;
  void SetPixels(int32_t x, int32_t y, int32_t value);
  uint8_t* GetScanLine(int32_t y);
  TIxPixelFormat GetPixelFormat() const;
  void SetPixelFormat(TIxPixelFormat value);
  // Builds a palette for a 24-bit picture without touching its pixels.
  void CreateTrueColorPalette();

  // Copying. Assign(nullptr) gives fresh default storage; assigning another
  // TIxDIB shares its storage.
  void Assign(const TIxDIB* source);
  void AssignTo(TIxDIB& dest) const { dest.Assign(this); }
  void UniqueDIB();
  void UpdatePaletteModified();

  // Streams and packed DIBs.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  uint16_t ClipboardFormat() const override { return CF_DIB; }
  void LoadFromClipboardFormat(uint16_t format, TMemoryBlock data, const HPALETTE& palette) override;
  void SaveToClipboardFormat(uint16_t& format, std::vector<uint8_t>& data, HPALETTE& palette) const override;

  // Read-only view of the storage (painting, writers, tests). Never copies.
  const TIxInternalDIB& InternalDIB() const;
  // Writable storage for the readers and conversions; callers make it unique first.
  TIxInternalDIB& MutableInternalDIB();

  uint8_t ConvertMode = 0;
  TColor BkColor = 0xFFFFFF;
  uint8_t HalftoneMode = 0;

  // Progress of a long conversion: maximum and message, then steps.
  void ProgressStart(int32_t maximum, const std::string& message);
  void ProgressStep();
  void ProgressEnd();

 protected:
  // Replaces the storage by a new, unshared one.
  void ReplaceInternalDIB(std::unique_ptr<TIxInternalDIB> storage);

 private:
  void ReleaseInternalDIB();
  TIxInternalDIB& Checked(const char* operation) const;

  TIxInternalDIB* internal_ = nullptr;  // reference-counted; released in ReleaseInternalDIB
  int32_t progressMax_ = 0;
  int32_t progressCount_ = 0;
  std::string progressMessage_;
};

// The two shared half-tone palettes (colour: 6 x 7 x 5 levels and 5 greys, 215
// entries; black and white: 2).
const HPALETTE& HalftonePalette();
const HPALETTE& HalftonePaletteBW();

// The storage conversion behind SetPixelFormat (image/IxDIBConvert.cpp): converts
// dib in place along the route the current and requested formats select.
void ConvertInternalDIB(TIxInternalDIB& dib, TIxPixelFormat value, uint8_t convertMode,
                        const TProgressStep& step, TColor bkColor);
// Builds the true-colour palette of a 24-bit storage (ConvertMode 0 "Low", 1 "High").
void CreateTrueColorPaletteOf(TIxInternalDIB& dib, uint8_t convertMode, const TProgressStep& step);

}  // namespace pixkura
