// Start-up: the editor state is built once, in a fixed order, when the window
// is created.
#include <algorithm>
#include <exception>
#include <functional>
#include <string>

#include "app/core/Editor.h"
#include "app/core/document/BitmapShape.h"
#include "base/Streams.h"
#include "image/IxDIB.h"

namespace pixkura {

void TEditor::FormCreate() { FormCreate(ReadStoredSettings()); }

void TEditor::FormCreate(const TEditorSettings& stored) {
  // Start-up never half-fails: a step that fails is reported once and the
  // steps after it still run, so the window always opens with a palette, a
  // blend table, swatches and a loupe, however much of the rest could be had.
  RunStartUpStep([this] {
    // The view bitmaps are the pictures of their images: drawing into them
    // and repainting the view shows the result.
    Views.LupeDib = &LupeView.Picture;
    Doc.AllDib = &AllView.Picture;
    Doc.PalDib = &PalView.Picture;
    Views.NomDib = &NomView.Picture;
    Views.RevDib = &RevView.Picture;
    Views.MovDib = &MovView.Picture;
    Copy.CopyDib = &CopyView.Picture;  // left as it is until the sheet view fills it
    ShapeViewBitmaps();
  });

  Tools.Pen.PenDown = false;
  MainColor = 0;
  Views.BufW = 256;
  Views.BufH = 256;
  View.LupeX = View.LupeY = View.CellX = View.CellY = 0;
  Tools.Tool = TToolKind::Pen;
  Doc.History.UndoNum = 0;

  RunStartUpStep([this, &stored] { ReadSettings(stored); });

  View.CellX = View.CellY = View.LupeX = View.LupeY = 0;
  RunStartUpStep([this] { ShowStartUpState(); });

  Doc.FileName.clear();
  RunStartUpStep([this] {
    CreateWorkBuffers();
    CreateUndoSlots();
  });
  FillUnitTable(Doc.Tables.UnitTable);
  // Ends with ApplyPaletteChange: tables, swatches, colour boxes, loupe.
  RunStartUpStep([this] { ReadPaletteFileAtStartUp(); });
  Files.Uwagaki = false;
}

void TEditor::RunStartUpStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    Host.MessageBox(e.what(), TMsgDlgType::mtError);
  }
}

void TEditor::ShowStartUpState() {
  SelC.SetBounds(AllView.Left() + View.LupeX + View.CellX, AllView.Top() + View.LupeY + View.CellY, View.LupeSpan, View.LupeSpan);
  PlaceSwatchMarker(TOUSel, Toumei);
  Step.SetText(std::to_string(StepBar.Position()));
  CSXLab.SetText(std::to_string(View.ChrX));
  CSYLab.SetText(std::to_string(View.ChrY));
  SelA.SetBounds(AllView.Left(), AllView.Top(), View.ChrX, View.ChrY);
  SelSizeLab.SetText(std::to_string(SelSizeBar.Position()));
  CopySel.SetBounds(CopySel.Left(), CopySel.Top(), Copy.SelSize, Copy.SelSize);
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
  ShapeBitmap(*Views.LupeDib, 256, 256);
  ShapeBitmap(*Doc.AllDib, 256, 256);
  ShapeBitmap(*Doc.PalDib, 256, 96);
  ShapeBitmap(*Views.NomDib, 128, 128);
  ShapeBitmap(*Views.RevDib, 128, 128);
  ShapeBitmap(*Views.MovDib, 64, 64);
}

void TEditor::CreateWorkBuffers() {
  ShapeBitmap(Tools.Cell.ChrDib, View.ChrX, View.ChrY);
  ShapeBitmap(Views.LayDib, Views.BufW, Views.BufH);
  ShapeBitmap(Views.LayAllDib, Views.BufW, Views.BufH);
}

void TEditor::CreateUndoSlots() { Doc.History.CreateSlots(); }

void TEditor::SetGreyRamp() {
  for (int32_t i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    Doc.PalDib->SetColors(i, RGB(v, v, v));
  }
}

void TEditor::WriteGreyRampPaletteFile() {
  SetGreyRamp();
  PalSave();
}

}  // namespace pixkura
