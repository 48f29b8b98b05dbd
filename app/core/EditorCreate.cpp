// Start-up: the editor state is built once, in a fixed order, when the window
// is created.
#include <algorithm>
#include <exception>
#include <functional>
#include <string>

#include "app/core/Editor.h"
#include "base/Streams.h"
#include "image/IxDIB.h"

namespace pixkura {
namespace {

// Every buffer of the editor is 8 bits per pixel in the uncompressed 8-bit
// format with a 256-entry colour table. Sizing gives blank storage, so every
// pixel starts as index 0.
void Shape(TIxDIB& dib, int32_t width, int32_t height) {
  dib.SetWidth(width);
  dib.SetHeight(height);
  dib.SetBitCount(8);
  dib.SetPixelFormat(ixPf8Bit);
  dib.SetPaletteSize(256);
}

}  // namespace

void TEditor::FormCreate() { FormCreate(ReadStoredSettings()); }

void TEditor::FormCreate(const TEditorSettings& stored) {
  // Start-up never half-fails: a step that fails is reported once and the
  // steps after it still run, so the window always opens with a palette, a
  // blend table, swatches and a loupe, however much of the rest could be had.
  RunStartUpStep([this] {
    // The view bitmaps are the pictures of their images: drawing into them
    // and repainting the view shows the result.
    LupeDib = &LupeView.Picture;
    AllDib = &AllView.Picture;
    PalDib = &PalView.Picture;
    NomDib = &NomView.Picture;
    RevDib = &RevView.Picture;
    MovDib = &MovView.Picture;
    CopyDib = &CopyView.Picture;  // left as it is until the sheet view fills it
    ShapeViewBitmaps();
  });

  PenDown = false;
  MainColor = 0;
  BufW = 256;
  BufH = 256;
  LupeX = LupeY = CellX = CellY = 0;
  Tool = 0;
  UndoNum = 0;

  RunStartUpStep([this, &stored] { ReadSettings(stored); });

  CellX = CellY = LupeX = LupeY = 0;
  RunStartUpStep([this] { ShowStartUpState(); });

  FileName.clear();
  RunStartUpStep([this] {
    CreateWorkBuffers();
    CreateUndoSlots();
  });
  FillUnitTable(UnitTable);
  // Ends with ApplyPaletteChange: tables, swatches, colour boxes, loupe.
  RunStartUpStep([this] { ReadPaletteFileAtStartUp(); });
  Uwagaki = false;
}

void TEditor::RunStartUpStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    Host.MessageBox(e.what(), TMsgDlgType::mtError);
  }
}

void TEditor::ShowStartUpState() {
  SelC.SetBounds(AllView.Left() + LupeX + CellX, AllView.Top() + LupeY + CellY, LupeSpan, LupeSpan);
  PlaceSwatchMarker(TOUSel, Toumei);
  Step.SetText(std::to_string(StepBar.Position()));
  CSXLab.SetText(std::to_string(ChrX));
  CSYLab.SetText(std::to_string(ChrY));
  SelA.SetBounds(AllView.Left(), AllView.Top(), ChrX, ChrY);
  SelSizeLab.SetText(std::to_string(SelSizeBar.Position()));
  CopySel.SetBounds(CopySel.Left(), CopySel.Top(), SelSize, SelSize);
  LayoutPanels();
}

void TEditor::ReadPaletteFileAtStartUp() {
  // A missing file is made as the grey ramp, then the file is read. A file
  // that cannot be made or read leaves the grey ramp, which then reaches
  // everything as a file's palette would; the error (naming the file) is the
  // one report.
  try {
    if (!FileExists(PaletteFilePath())) WriteGreyRampPaletteFile();
    PalLoad();  // ends with ApplyPaletteChange
  } catch (...) {
    SetGreyRamp();
    ApplyPaletteChange();
    throw;
  }
}

void TEditor::ShapeViewBitmaps() {
  Shape(*LupeDib, 256, 256);
  Shape(*AllDib, 256, 256);
  Shape(*PalDib, 256, 96);
  Shape(*NomDib, 128, 128);
  Shape(*RevDib, 128, 128);
  Shape(*MovDib, 64, 64);
}

void TEditor::CreateWorkBuffers() {
  Shape(ChrDib, ChrX, ChrY);
  Shape(LayDib, BufW, BufH);
  Shape(LayAllDib, BufW, BufH);
}

void TEditor::CreateUndoSlots() {
  // A snapshot needs one slot beside the state it may return to; with fewer
  // the undo bookkeeping would reach past its slots, so keep at least two.
  UndoMax = std::max(UndoMax, kMinUndoSlots);
  UndoDibs.clear();
  UndoDibs.reserve(UndoMax);
  for (int32_t i = 0; i < UndoMax; ++i) {
    auto slot = std::make_unique<TIxDIB>();
    Shape(*slot, 256, 256);
    UndoDibs.push_back(std::move(slot));
  }
}

void TEditor::SetGreyRamp() {
  for (int32_t i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    PalDib->SetColors(i, RGB(v, v, v));
  }
}

void TEditor::WriteGreyRampPaletteFile() {
  SetGreyRamp();
  PalSave();
}

}  // namespace pixkura
