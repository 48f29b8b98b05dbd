#include "image/IxDIB.h"

#include <cstring>
#include <limits>
#include <new>

#include "base/Checked.h"
#include "base/Exception.h"
#include "base/Streams.h"

namespace pixkura {

TPixelMemory AllocatePixelMemory(size_t size) {
  // calloc: large blocks come as fresh zero pages, so blank storage costs no
  // memset. A zero-size request still yields a valid block.
  auto* p = static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
  if (!p) throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
  return TPixelMemory(p);
}

// TIxInternalDIB -----------------------------------------------------------------

std::unique_ptr<TIxInternalDIB> TIxInternalDIB::CreateDIB(int32_t width, int32_t height, int32_t bitCount,
                                                          int32_t paletteSize) {
  const bool depthOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
  if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min() || paletteSize < 0 ||
      paletteSize > 256 || !depthOk)
    throw EIxDIBInvalidDIBPara("TIxInternalDIB.CreateDIB: Invalid Parameters");
  const int64_t row = BmpRowSize(bitCount, width);
  const int64_t absHeight = height < 0 ? -int64_t{height} : height;
  int64_t bits = 0;
  if (row < 0 || !CheckedMul<int64_t>(row, absHeight, bits) || bits > std::numeric_limits<int32_t>::max())
    throw EIxDIBInvalidDIBPara("TIxInternalDIB.CreateDIB: Invalid Parameters");

  auto dib = std::make_unique<TIxInternalDIB>();
  dib->Bits = AllocatePixelMemory(static_cast<size_t>(bits));
  dib->BitsSize = static_cast<uint32_t>(bits);
  dib->Width = width;
  dib->Height = static_cast<int32_t>(absHeight);
  TBitmapInfoHeader& h = dib->Info.Header;
  h.biSize = 40;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bitCount);
  h.biCompression = BI_RGB;
  h.biClrUsed = static_cast<uint32_t>(paletteSize);
  dib->PaletteChanged = true;
  return dib;
}

std::unique_ptr<TIxInternalDIB> TIxInternalDIB::CreateDefault() { return CreateDIB(1, 1, 8, 2); }

std::unique_ptr<TIxInternalDIB> TIxInternalDIB::Clone() const {
  auto copy = std::make_unique<TIxInternalDIB>();
  copy->Width = Width;
  copy->Height = Height;
  copy->Info = Info;
  copy->BitsSize = BitsSize;
  auto* p = static_cast<uint8_t*>(std::malloc(BitsSize == 0 ? 1 : BitsSize));
  if (!p) throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
  copy->Bits.reset(p);
  if (BitsSize) std::memcpy(p, Bits.get(), BitsSize);
  copy->PaletteChanged = true;
  return copy;
}

int32_t TIxInternalDIB::RowSize() const {
  return static_cast<int32_t>(BmpRowSize(Info.Header.biBitCount, Info.Header.biWidth));
}

void TIxInternalDIB::UpdatePalette() {
  if (RefCount != 1) throw EIxDIBAssert("TIxInternalDIB.UpdatePalette: RefCount Must be 1");
  Palette.reset();
  PaletteChanged = true;
}

TIxPixelFormat TIxInternalDIB::GetPixelFormat() const {
  const uint32_t c = Info.Header.biCompression;
  switch (Info.Header.biBitCount) {
    case 1:
      if (c == BI_RGB) return ixPf1Bit;
      throw EIxDIBInvalidDIB("TIxInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
    case 4:
      if (c == BI_RGB) return ixPf4Bit;
      if (c == BI_RLE4) return ixPf4BitRLE;
      throw EIxDIBInvalidDIB("TIxInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
    case 8:
      if (c == BI_RGB) return ixPf8Bit;
      if (c == BI_RLE8) return ixPf8BitRLE;
      throw EIxDIBInvalidDIB("TIxInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
    case 24:
      if (c == BI_RGB) return ixPf24Bit;
      throw EIxDIBInvalidDIB("TIxInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
    default:
      throw EIxDIBInvalidDIB("TIxInternalDIB.GetPixelFormat: Invalid DIB(Illegal BitCount)");
  }
}

void TIxInternalDIB::TakeOver(TIxInternalDIB&& other) {
  Width = other.Width;
  Height = other.Height;
  Info = other.Info;
  BitsSize = other.BitsSize;
  Bits = std::move(other.Bits);
  UpdatePalette();
}

// TIxDIB -------------------------------------------------------------------------

TIxDIB::TIxDIB() {
  internal_ = TIxInternalDIB::CreateDefault().release();
  UpdatePaletteModified();
}

TIxDIB::~TIxDIB() { ReleaseInternalDIB(); }

void TIxDIB::ReleaseInternalDIB() {
  if (!internal_) return;
  if (--internal_->RefCount == 0) delete internal_;
  internal_ = nullptr;
}

void TIxDIB::ReplaceInternalDIB(std::unique_ptr<TIxInternalDIB> storage) {
  ReleaseInternalDIB();
  internal_ = storage.release();
}

TIxInternalDIB& TIxDIB::Checked(const char* operation) const {
  if (!internal_) throw EIxDIBAssert(std::string(operation) + ": InternalDIB Should not be Nil");
  return *internal_;
}

const TIxInternalDIB& TIxDIB::InternalDIB() const { return Checked("TIxDIB.InternalDIB"); }
TIxInternalDIB& TIxDIB::MutableInternalDIB() { return Checked("TIxDIB.InternalDIB"); }

int32_t TIxDIB::GetWidth() const { return Checked("TIxDIB.GetWidth").Width; }
int32_t TIxDIB::GetHeight() const { return Checked("TIxDIB.GetHeight").Height; }
int32_t TIxDIB::GetBitCount() const { return Checked("TIxDIB.GetBitCount").Header().biBitCount; }
int32_t TIxDIB::GetPaletteSize() const {
  return static_cast<int32_t>(Checked("TIxDIB.GetPaletteSize").Header().biClrUsed);
}

void TIxDIB::SetWidth(int32_t value) {
  const TIxInternalDIB& d = Checked("TIxDIB.SetWidth");
  if (value <= 0) throw EIxDIBInvalidDIBPara("TIxDIB.SetWidth: Invalid Width");
  if (value == d.Width) return;
  ReplaceInternalDIB(
      TIxInternalDIB::CreateDIB(value, d.Height, d.Header().biBitCount, static_cast<int32_t>(d.Header().biClrUsed)));
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::SetHeight(int32_t value) {
  const TIxInternalDIB& d = Checked("TIxDIB.SetHeight");
  if (value == 0) throw EIxDIBInvalidDIBPara("TIxDIB.SetHeight: Invalid Height");
  if (value == d.Height) return;
  ReplaceInternalDIB(
      TIxInternalDIB::CreateDIB(d.Width, value, d.Header().biBitCount, static_cast<int32_t>(d.Header().biClrUsed)));
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::SetBitCount(int32_t value) {
  const TIxInternalDIB& d = Checked("TIxDIB.SetBitCount");
  int32_t paletteSize = 0;
  switch (value) {
    case 1: paletteSize = 2; break;
    case 4: paletteSize = 16; break;
    case 8: paletteSize = 256; break;
    case 24: paletteSize = 0; break;
    default: throw EIxDIBInvalidDIBPara("TIxDIB.SetBitCount: Invalid BitCount");
  }
  if (value == d.Header().biBitCount) return;
  ReplaceInternalDIB(TIxInternalDIB::CreateDIB(d.Width, d.Height, value, paletteSize));
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::SetPaletteSize(int32_t value) {
  const TIxInternalDIB& d = Checked("TIxDIB.SetPaletteSize");
  if (d.Header().biBitCount == 24) {
    if (value < 0 || value > 256)
      throw EIxDIBPaletteIndexRange("TIxDIB.SetPaletteSize: Palette Index is Out of Range 1");
  } else if (value < 1 || value > 256) {
    throw EIxDIBPaletteIndexRange("TIxDIB.SetPaletteSize: Palette Index is Out of Range 2");
  }
  if (static_cast<uint32_t>(value) == d.Header().biClrUsed) return;
  UniqueDIB();
  internal_->Header().biClrUsed = static_cast<uint32_t>(value);
  internal_->Header().biClrImportant = 0;
  internal_->UpdatePalette();
  UpdatePaletteModified();
  Changed();
}

TColor TIxDIB::GetColors(int32_t index) const {
  const TIxInternalDIB& d = Checked("TIxDIB.GetColors");
  if (index < 0 || index > 255) throw EIxDIBPaletteIndexRange("TIxDIB.GetColors: Palette Index is Out of Range");
  const TRGBQuad& q = d.ColorTable()[index];
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void TIxDIB::SetColors(int32_t index, TColor color) {
  Checked("TIxDIB.SetColors");
  if (index < 0 || index > 255) throw EIxDIBPaletteIndexRange("TIxDIB.SetColors: Palette Index is Out of Range");
  UniqueDIB();
  const TColor rgb = ColorToRGB(color);
  internal_->ColorTable()[index] = TRGBQuad{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 0};
  internal_->UpdatePalette();
  UpdatePaletteModified();
  Changed();
}

HPALETTE TIxDIB::GetPalette() const {
  TIxInternalDIB& d = Checked("TIxDIB.GetPalette");
  if (HalftoneMode == 1) return HalftonePalette();
  if (HalftoneMode == 2) return HalftonePaletteBW();
  if (!d.Palette && d.Header().biClrUsed != 0) {
    auto pal = std::make_shared<TLogPalette>();
    const uint32_t n = std::min<uint32_t>(d.Header().biClrUsed, 256);
    pal->entries.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
      const TRGBQuad& q = d.ColorTable()[i];
      pal->entries[i] = TPaletteEntry{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    d.Palette = std::move(pal);  // a cache; the colour table stays the truth
  }
  return d.Palette;
}

void TIxDIB::SetPalette(HPALETTE value) {
  Checked("TIxDIB.SetPalette");
  UniqueDIB();
  TIxInternalDIB& d = *internal_;
  if (value) {
    const size_t n = std::min<size_t>(value->entries.size(), 256);
    if (n == 0) throw EIxDIBInvalidPalette("TIxDIB.SetPalette: Invalid Palette");
    d.Header().biClrUsed = static_cast<uint32_t>(n);
    for (size_t i = 0; i < n; ++i) {
      const TPaletteEntry& e = value->entries[i];
      d.ColorTable()[i] = TRGBQuad{e.peBlue, e.peGreen, e.peRed, 0};
    }
  } else {
    d.Header().biClrUsed = 0;
  }
  d.Palette = std::move(value);
  d.PaletteChanged = true;
  UpdatePaletteModified();
  Changed();
}

int32_t TIxDIB::GetPixels(int32_t x, int32_t y) const {
  const TIxInternalDIB& d = Checked("TIxDIB.GetPixels");
  if (d.Header().biCompression != BI_RGB) throw EIxDIBBadDIBType("TIxDIB.GetPixels: Bad DIB Type");
  if (x < 0 || x >= d.Width || y < 0 || y >= d.Height)
    throw EIxDIBPixelPositionRange("TIxDIB.GetPixels: Pixel Position is Out of Range");
  const uint8_t* row = d.Row(y);
  switch (d.Header().biBitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 24: {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      return static_cast<int32_t>(RGB(p[2], p[1], p[0]));
    }
    default: throw EIxDIBBadDIBType("TIxDIB.GetPixels: Bad DIB Type");
  }
}

void TIxDIB::SetPixels(int32_t x, int32_t y, int32_t value) {
  Checked("TIxDIB.SetPixels");
  if (internal_->RefCount != 1) {
    UniqueDIB();
  }
  TIxInternalDIB& d = *internal_;
  if (d.Header().biCompression != BI_RGB) throw EIxDIBBadDIBType("TIxDIB.SetPixels: Bad DIB Type");
  if (x < 0 || x >= d.Width || y < 0 || y >= d.Height)
    throw EIxDIBPixelPositionRange("TIxDIB.SetPixels: Pixel Position is Out of Range");
  uint8_t* row = d.Row(y);
  switch (d.Header().biBitCount) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = value != 0 ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x >> 1];
      const uint8_t v = static_cast<uint8_t>(value & 0x0F);
      b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | v) : static_cast<uint8_t>((b & 0x0F) | (v << 4));
      break;
    }
    case 8:
      if (value < 0 || value > 255) throw ERangeError("Range check error");
      row[x] = static_cast<uint8_t>(value);
      break;
    case 24: {
      if (value < 0) throw ERangeError("Range check error");
      uint8_t* p = row + 3 * static_cast<size_t>(x);
      const auto c = static_cast<TColor>(value);
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
      break;
    }
    default: throw EIxDIBBadDIBType("TIxDIB.SetPixels: Bad DIB Type");
  }
}

uint8_t* TIxDIB::GetScanLine(int32_t y) {
  Checked("TIxDIB.GetScanLine");
  if (internal_->RefCount != 1) {
    UniqueDIB();
    UpdatePaletteModified();
  }
  TIxInternalDIB& d = *internal_;
  if (y < 0 || y >= d.Height) throw EIxDIBPixelPositionRange("TIxDIB.GetScanLine: y is Out of Range");
  if (d.Header().biCompression != BI_RGB) throw EIxDIBBadDIBType("TIxDIB.GetScanLine: Bad DIB Type");
  return d.Row(y);
}

TIxPixelFormat TIxDIB::GetPixelFormat() const { return Checked("TIxDIB.GetPixelFormat").GetPixelFormat(); }

namespace {
struct TProgressRun {
  int32_t maximum;
  const char* message;
};

// Conversions that report progress, by current and requested format.
const TProgressRun* ProgressRunFor(TIxPixelFormat from, TIxPixelFormat to) {
  static constexpr TProgressRun k8To4{16, "PixelFormat 8Bit -> 4Bit"}, k8To4R{16, "PixelFormat 8Bit -> 4BitRLE"},
      k8RTo4{16, "PixelFormat 8BitRLE -> 4Bit"}, k8RTo4R{16, "PixelFormat 8BitRLE -> 4BitRLE"},
      k24To4{16, "PixelFormat 24Bit -> 4Bit"}, k24To4R{16, "PixelFormat 24Bit -> 4BitRLE"},
      k24To8{256, "PixelFormat 24Bit -> 8Bit"}, k24To8R{256, "PixelFormat 24Bit -> 8BitRLE"};
  if (from == ixPf8Bit && to == ixPf4Bit) return &k8To4;
  if (from == ixPf8Bit && to == ixPf4BitRLE) return &k8To4R;
  if (from == ixPf8BitRLE && to == ixPf4Bit) return &k8RTo4;
  if (from == ixPf8BitRLE && to == ixPf4BitRLE) return &k8RTo4R;
  if (from == ixPf24Bit && to == ixPf4Bit) return &k24To4;
  if (from == ixPf24Bit && to == ixPf4BitRLE) return &k24To4R;
  if (from == ixPf24Bit && to == ixPf8Bit) return &k24To8;
  if (from == ixPf24Bit && to == ixPf8BitRLE) return &k24To8R;
  return nullptr;
}
}  // namespace

void TIxDIB::SetPixelFormat(TIxPixelFormat value) {
  const TIxPixelFormat current = GetPixelFormat();
  if (value == current) return;
  UniqueDIB();
  const TProgressRun* run = ProgressRunFor(current, value);
  if (run) ProgressStart(run->maximum, run->message);
  try {
    ConvertInternalDIB(*internal_, value, ConvertMode, [this] { ProgressStep(); }, BkColor);
  } catch (...) {
    UpdatePaletteModified();
    if (run) ProgressEnd();
    throw;
  }
  UpdatePaletteModified();
  if (run) ProgressEnd();
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::CreateTrueColorPalette() {
  UniqueDIB();
  ProgressStart(256, "Create True Color Palette");
  try {
    if (internal_->Header().biBitCount != 24)
      throw EIxDIBBadDIBType("TIxInternalDIB.CreateTrueColorPalette: Bad DIB Type");
    CreateTrueColorPaletteOf(*internal_, ConvertMode, [this] { ProgressStep(); });
    internal_->UpdatePalette();
  } catch (...) {
    UpdatePaletteModified();
    ProgressEnd();
    throw;
  }
  UpdatePaletteModified();
  ProgressEnd();
  Changed();
}

void TIxDIB::Assign(const TIxDIB* source) {
  if (source == this) return;
  if (!source) {
    ReplaceInternalDIB(TIxInternalDIB::CreateDefault());
    return;
  }
  TIxInternalDIB& shared = source->Checked("TIxDIB.Assign");
  ++shared.RefCount;
  ReleaseInternalDIB();
  internal_ = &shared;
  BkColor = source->BkColor;
  ConvertMode = source->ConvertMode;
  HalftoneMode = source->HalftoneMode;
  PaletteModified = true;
}

void TIxDIB::UniqueDIB() {
  TIxInternalDIB& d = Checked("TIxDIB.UniqueDIB");
  if (d.RefCount == 1) return;
  auto copy = d.Clone();
  ReleaseInternalDIB();
  internal_ = copy.release();
  UpdatePaletteModified();
}

void TIxDIB::UpdatePaletteModified() {
  TIxInternalDIB& d = Checked("TIxDIB.UpdatePaletteModified");
  if (d.RefCount != 1) throw EIxDIBAssert("TIxDIB.UpdatePaletteModified RefCount Must be 1");
  if (d.PaletteChanged) {
    d.PaletteChanged = false;
    PaletteModified = true;
  }
}

void TIxDIB::LoadFromStream(TStream& stream) {
  ReplaceInternalDIB(TIxInternalDIB::CreateDefault());
  internal_->LoadFromStream(stream);
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::SaveToStream(TStream& stream) const { Checked("TIxDIB.SaveToStream").SaveToStream(stream); }

void TIxDIB::LoadFromClipboardFormat(uint16_t format, TMemoryBlock data, const HPALETTE& /*palette*/) {
  if (format != CF_DIB || data.data() == nullptr)
    throw EInvalidGraphic("TIxDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  ReplaceInternalDIB(TIxInternalDIB::CreateDefault());
  internal_->LoadFromClipboardFormat(data);
  UpdatePaletteModified();
  Changed();
}

void TIxDIB::SaveToClipboardFormat(uint16_t& format, std::vector<uint8_t>& data, HPALETTE& palette) const {
  const TIxInternalDIB& d = Checked("TIxDIB.SaveToClipboardFormat");
  const size_t colors = std::min<uint32_t>(d.Header().biClrUsed, 256);
  const size_t size = sizeof(TBitmapInfoHeader) + colors * sizeof(TRGBQuad) + d.BitsSize;
  try {
    data.assign(size, 0);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("TIxInternalDIB.SaveToClipboardFormat: Out Of Memory");
  }
  std::memcpy(data.data(), &d.Info, sizeof(TBitmapInfoHeader) + colors * sizeof(TRGBQuad));
  if (d.BitsSize) std::memcpy(data.data() + size - d.BitsSize, d.Data(), d.BitsSize);
  format = CF_DIB;
  palette.reset();
}

void TIxDIB::ProgressStart(int32_t maximum, const std::string& message) {
  progressMax_ = maximum;
  progressCount_ = 0;
  progressMessage_ = message;
  Progress(TProgressStage::psStarting, 0, false, TRect{0, 0, GetWidth(), GetHeight()}, progressMessage_);
}

void TIxDIB::ProgressStep() {
  ++progressCount_;
  if (progressMax_ <= 0 || progressCount_ >= progressMax_) return;
  const auto percent = static_cast<uint8_t>(int64_t{progressCount_} * 100 / progressMax_);
  Progress(TProgressStage::psRunning, percent, false, TRect{0, 0, GetWidth(), GetHeight()}, progressMessage_);
}

void TIxDIB::ProgressEnd() {
  Progress(TProgressStage::psEnding, 100, true, TRect{0, 0, GetWidth(), GetHeight()}, progressMessage_);
}

// Half-tone palettes -------------------------------------------------------------

const HPALETTE& HalftonePalette() {
  static const HPALETTE palette = [] {
    auto pal = std::make_shared<TLogPalette>();
    // 6 red x 7 green x 5 blue levels spread evenly, then five greys.
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 5; ++b) {
          pal->entries.push_back(TPaletteEntry{static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 255 / 6),
                                               static_cast<uint8_t>(b * 255 / 4), 0});
        }
    for (const uint8_t grey : {32, 64, 96, 160, 224}) pal->entries.push_back(TPaletteEntry{grey, grey, grey, 0});
    return HPALETTE(std::move(pal));
  }();
  return palette;
}

const HPALETTE& HalftonePaletteBW() {
  static const HPALETTE palette = [] {
    auto pal = std::make_shared<TLogPalette>();
    pal->entries = {TPaletteEntry{0, 0, 0, 0}, TPaletteEntry{255, 255, 255, 0}};
    return HPALETTE(std::move(pal));
  }();
  return palette;
}

}  // namespace pixkura
