// The editor without Qt: the façade over the main window's controls and the state's owners (document/,
// view/, tools/, editing/, commands/). Handlers are named after their control and event; they hand on.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "app/core/EditorHost.h"
#include "app/core/EditorSettings.h"
#include "app/core/MainWindowControls.h"
#include "app/core/commands/FileState.h"
#include "app/core/commands/PaletteOperations.h"
#include "app/core/document/SheetDocument.h"
#include "app/core/editing/BlockCopy.h"
#include "app/core/recovery/RecoveryKeeper.h"
#include "app/core/tools/LoupeTools.h"
#include "app/core/view/LoupeRenderer.h"
#include "app/core/view/LoupeViewport.h"
#include "app/core/view/OnionSkin.h"
#include "app/core/view/ViewBitmaps.h"
#include "formats/PaletteColors.h"

namespace pixkura {

class TEditor : public TMainWindowControls {
 public:
  // Builds every control with its handler (EditorLayout.cpp); FormCreate builds the state.
  explicit TEditor(TEditorHost& host);

  TEditorHost& Host;

  // ---- The parts that own the state -------------------------------------------------
  TSheetDocument Doc;     // the sheet, its palette and file, Modified, undo, palette tables
  TLoupeViewport View;    // the selected cell, the loupe's scroll and zoom
  TViewBitmaps Views;     // the view bitmaps, layer composites and display state
  TOnionSkin Onion;       // the neighbouring frames shown in the loupe
  TToolBox Tools{*this};  // the loupe tools and the working cell
  TBlockCopy Copy{*this};  // the block copy of the sheet view
  TFileState Files;       // what the file commands remember, the overwrite save
  TLoupeRenderer Renderer{*this};
  TRecoveryKeeper Recovery;  // the copies of unsaved work, read from the document
  TPaletteOperations PalOps{*this};  // swatch drags, reorders with the pixels following, unused marks

  uint8_t MainColor = 0;    // palette index the tools draw with (cMainBox, PalSel)
  uint8_t Toumei = 255;     // the transparent palette index: holes in layers, left out of copies (TOUSel)

  const TBlendTable& Blend() { return Doc.Tables.Blend(*Doc.PalDib); }
  uint8_t DarkIdx() const { return Doc.Tables.DarkIdx(); }
  uint8_t LightIdx() const { return Doc.Tables.LightIdx(); }

  // ---- Start-up and settings (EditorCreate.cpp, EditorSettings.cpp) --------------------
  void FormCreate();  // FormCreate(ReadStoredSettings()); tests pass their own settings
  void FormCreate(const TEditorSettings& stored);
  // Applies stored values in the settings' read order, then SelSizeBar's and StepBar's handlers.
  void ReadSettings();
  void ReadSettings(const TEditorSettings& stored);
  TEditorSettings ReadStoredSettings();     // the file's values, defaults where none
  TEditorSettings CurrentSettings() const;  // the values the close writes
  void WriteSettings();
  void LayoutPanels();  // the three panels by their Pos settings (EditorPanels.cpp)

  // ---- Palette changes (EditorPaletteChange.cpp) -----------------------------------------
  // Every change of the master palette ends here: spread to every bitmap but the undo slots,
  // the palette tables told, swatches, colour boxes and cursor recoloured, the views redrawn.
  void ApplyPaletteChange();
  void SpreadPalette();

  // ---- Loupe (view/LoupeRenderer.cpp, EditorDraw.cpp) -------------------------------------
  void RedrawLoupe() { Renderer.Redraw(); PalOps.ShowUnusedMarks(); }  // every change of the sheet ends here
  void StoreCell();      // the working cell into the sheet (tools/WorkingCell.h)
  void RefreshChrDib();  // the selected cell of the sheet into the working cell
  void CommitCell();     // StoreCell, invalidate the sheet view, RedrawLoupe
  void LupeViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void LupeViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void LupeViewMouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void PlaceAnchorMarker();  // DrawTg on the shape anchor's loupe square, hidden when none

  // ---- Undo (EditorUndo.cpp) ---------------------------------------------------------------
  void TakeSnapshot();  // a change begins: one undo step
  void btUndoClick(TComponent* Sender);
  void btRedoClick(TComponent* Sender);

  // ---- Mode commands (EditorCommands.cpp) ---------------------------------------------------
  void btToolClick(TComponent* Sender);
  void XClick(TComponent* Sender);
  void PClick(TComponent* Sender);
  void GridClick(TComponent* Sender);           // the grid lines on or off
  void ChuouClick(TComponent* Sender);          // the centre lines on or off
  void SFreeClick(TComponent* Sender);          // the free start of the copy grid
  void DisplayOptionClick(TComponent* Sender);  // the other check boxes and both radio groups
  void OnionClick(TComponent* Sender);          // the onion skin on or off
  void LupeBtClick(TComponent* Sender);
  void MenuClick(TComponent* Sender);
  void SetZoom(uint8_t bairitu);
  void SelectZoom(uint8_t bairitu);  // as its button would (6 and 7, which have none, as settings do)

  // ---- File commands (commands/FileCommands.cpp) ----------------------------------------------
  void mLoadClick(TComponent* Sender);
  void mSaveClick(TComponent* Sender);
  void mSave2Click(TComponent* Sender);
  void FormCloseQuery(TComponent* Sender, bool& CanClose);
  void FormClose(TComponent* Sender);
  void Exit1Click(TComponent* Sender);
  // Makes fileName the sheet (every command that opens a picture), unsaved changes settled first.
  bool OpenPicture(const std::string& fileName);
  // Asks about unsaved changes when Modified is set. True when the caller may go on: nothing
  // to save, a completed save (Yes), or No; false for Cancel and for a save that did not complete.
  bool SettleUnsavedChanges();
  bool MayReplace(const std::string& fileName);  // true when fileName is new or the user lets it be replaced

  // ---- Recovery of unsaved work (EditorRecovery.cpp): copies kept in this editor's locked folder
  // under root; the start-up question (Recover the newest, Discard all, Later); the timer's write.
  void StartRecovery(const std::string& root);
  void OfferRecovery();
  void RecoveryTimerTick(std::chrono::steady_clock::time_point now);

  // ---- Sheet view (EditorSheet.cpp, editing/BlockCopy.cpp) --------------------------------------
  void AllbtClick(TComponent* Sender);
  void AllViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void AllViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void SelSizeBarChange(TComponent* Sender);
  void BlockCancelKey(TComponent* Sender);  // Escape: as the right button on the sheet view

  // ---- Palette view (view/PaletteSwatches.cpp) and palette commands (commands/) -----------------
  void DrawPaletteSwatches();
  void PalMouse(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void PalMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void PalDblClick(TComponent* Sender);
  void ShowMainColor();  // recolour cMainBox, put PalSel on the swatch
  void ShowToumei();     // recolour cTOUMEIBox, put TOUSel on the swatch
  // From the menu (a sender) a load is one undo step; start-up (no sender) has nothing to undo.
  void PalLoad(TComponent* Sender = nullptr);
  void PalSave(TComponent* Sender = nullptr);
  std::string PaletteFilePath() const;
  void MnPalColorClick(TComponent* Sender);
  void MnPalRampClick(TComponent* Sender);
  void MnPalOpenClick(TComponent* Sender);
  void MnPalExportClick(TComponent* Sender);
  std::array<TColor, 256> MasterColors() const { return ColorsOf(*Doc.PalDib); }
  TPaletteColors MasterPaletteColors() const;
  void ChangePalette(const std::array<TColor, 256>& colors);     // one undo step, if they differ
  void SetMasterPalette(const std::array<TColor, 256>& colors);  // within an undo step begun
  void EditPaletteColor(uint8_t index);  // the colour dialog on the entry; OK changes it

  // ---- Cell operations (editing/CellOperations.cpp) --------------------------------------------
  void btMirrorClick(TComponent* Sender);
  void ShiftClick(TComponent* Sender);
  void btCSClick(TComponent* Sender);

  // ---- The desktop's clipboard (editing/ClipboardCommands.cpp) ----------------------------------
  // Copy and cut take the waiting block, else the selected cell; cut leaves the transparent
  // colour behind (one undo step). Paste makes the clipboard's picture a waiting block.
  void MnCopyClick(TComponent* Sender);
  void MnCutClick(TComponent* Sender);
  void MnPasteClick(TComponent* Sender);

  // ---- Previews and layers (view/Previews.cpp, view/LayerComposites.cpp) ---------------------------
  void RedrawSpecialViews();
  void MovMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void MovMouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void MovTimTimer(TComponent* Sender);
  void StepBarChange(TComponent* Sender);
  static constexpr std::chrono::microseconds kAnimationRound{2500};  // shortest preview round
  bool AnimationFits(int32_t frames) const;
  void ComposeAnimationFrame(int32_t X, int32_t Y, TIxDIB& target);
  std::chrono::microseconds AnimationFrameTime() const;
  void ComposeLayerFrame(int32_t X, int32_t Y, bool All);
  void BuildCellComposites();
  void mGifExportClick(TComponent* Sender);  // commands/AnimationExport.cpp

  struct TSheetPoint { int32_t x, y, c; };  // a mouse position over the sheet view, its snap step
  TSheetPoint SheetPointOf(TComponent* Sender, int32_t X, int32_t Y) const;
  // A mouse event over the loupe as the tools take it.
  TLoupeEvent LoupeEventOf(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y) const;

 private:
  void BuildLayout();  // EditorLayout.cpp
  void ShowUndoSlot(int32_t slot);
  void ShowMagnifier(int32_t left, int32_t top);
  enum class TSavedPicture { Sheet, CopyBlock };
  bool SaveAs(TSavedPicture what, const std::string& proposal);
  bool SaveSheet();
  void RunStartUpStep(const std::function<void()>& step);
  void ShapeViewBitmaps();
  void ShowStartUpState();
  void CreateWorkBuffers();
  void CreateUndoSlots();
  void ReadPaletteFileAtStartUp();
  void SetGreyRamp();
  void WriteGreyRampPaletteFile();
  TIxDIB& SpecialViewSource();
  void DrawSpecialView(TIxDIB& source, TIxDIB& view, bool mirrored);
  void RedrawSpecialView(const TCheckBox& box, TImage& view, bool& shown, TIxDIB& source, bool mirrored);
  void PlaceSwatchMarker(TShape& marker, uint8_t index);
};

}  // namespace pixkura
