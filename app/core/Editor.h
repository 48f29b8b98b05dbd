// The editor: the one window's controls (as plain models), its state and its
// handlers, without Qt. Handlers carry the names of the control and event they
// serve; controls that share a handler are told apart by the sender. The
// handlers are defined in one file per concern (Editor*.cpp).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/BlendTable.h"
#include "app/core/Controls.h"
#include "app/core/EditorHost.h"
#include "app/core/EditorSettings.h"
#include "formats/PaletteColors.h"
#include "image/IxDIB.h"

namespace pixkura {

class TRegManager;
class TSPIs;

class TEditor {
 public:
  // Builds every control at its place with its caption, hint, group and
  // handler. FormCreate then builds the state.
  explicit TEditor(TEditorHost& host);
  TEditor(const TEditor&) = delete;
  TEditor& operator=(const TEditor&) = delete;

  TEditorHost& Host;

  // ---- The window -----------------------------------------------------------
  // Caption, place on the screen (Left/Top, from the settings) and client size.
  TControl MainForm{"MainForm", nullptr, 5, 35, 785, 518};
  std::string Caption = "Pixkura";

  // Left panel: loupe, palette, tool bar.
  TPanel PanelLeft{"PanelLeft", nullptr, 0, 0, 305, 501};
  TImage LupeView{"LupeView", &PanelLeft, 20, 20, 256, 256};
  TShape Cur{"Cur", &PanelLeft, 112, 48, 29, 29};
  TShape DrawTg{"DrawTg", &PanelLeft, 60, 48, 50, 53};
  TSpeedButton LupeUp{"LupeUp", &PanelLeft, 20, 4, 257, 13};
  TSpeedButton LupeDown{"LupeDown", &PanelLeft, 20, 280, 257, 13};
  TSpeedButton LupeLeft{"LupeLeft", &PanelLeft, 4, 20, 13, 257};
  TSpeedButton LupeRight{"LupeRight", &PanelLeft, 280, 20, 13, 257};
  TSpeedButton btUndo{"btUndo", &PanelLeft, 224, 296, 33, 21};
  TSpeedButton btRedo{"btRedo", &PanelLeft, 260, 296, 33, 21};
  TImage PalView{"PalView", &PanelLeft, 20, 320, 256, 96};
  TShape PalSel{"PalSel", &PanelLeft, 20, 320, 8, 12};
  TShape TOUSel{"TOUSel", &PanelLeft, 20, 320, 8, 12};
  TShape cMainBox{"cMainBox", &PanelLeft, 4, 320, 13, 97};
  TShape cTOUMEIBox{"cTOUMEIBox", &PanelLeft, 280, 320, 13, 97};
  TPanel Panel6{"Panel6", &PanelLeft, 2, 420, 295, 57};
  TSpeedButton btPset{"btPset", &Panel6, 4, 4, 21, 21};
  TSpeedButton btPaint{"btPaint", &Panel6, 28, 4, 21, 21};
  TSpeedButton btBox{"btBox", &Panel6, 56, 4, 21, 21};
  TSpeedButton btCircle{"btCircle", &Panel6, 80, 4, 21, 21};
  TSpeedButton btLine{"btLine", &Panel6, 104, 4, 21, 21};
  TSpeedButton btMarge{"btMarge", &Panel6, 4, 28, 23, 22};
  TSpeedButton x1{"x1", &Panel6, 144, 4, 21, 21};
  TSpeedButton x2{"x2", &Panel6, 168, 4, 21, 21};
  TSpeedButton x4{"x4", &Panel6, 192, 4, 21, 21};
  TSpeedButton x8{"x8", &Panel6, 216, 4, 21, 21};
  TSpeedButton x16{"x16", &Panel6, 240, 4, 21, 21};
  TSpeedButton x32{"x32", &Panel6, 264, 4, 21, 21};
  TSpeedButton p1{"p1", &Panel6, 84, 28, 21, 21};
  TSpeedButton p2{"p2", &Panel6, 108, 28, 21, 21};
  TSpeedButton p3{"p3", &Panel6, 132, 28, 21, 21};
  TSpeedButton p4{"p4", &Panel6, 156, 28, 21, 21};
  TSpeedButton p5{"p5", &Panel6, 180, 28, 21, 21};
  TSpeedButton Chuou{"Chuou", &Panel6, 208, 28, 21, 21};
  TSpeedButton Grid{"Grid", &Panel6, 232, 28, 21, 21};
  TSpeedButton btMirror{"btMirror", &Panel6, 256, 28, 29, 21};
  TCheckBox LupeBack{"LupeBack", &PanelLeft, 4, 478, 64, 17};
  TCheckBox KURO{"KURO", &PanelLeft, 72, 478, 64, 17};
  TCheckBox Hamidasi{"Hamidasi", &PanelLeft, 180, 478, 109, 17};
  TSpeedButtonGroup ToolGroup, ZoomGroup, PenGroup;  // groups 20, 15, 12

  // Centre panel: sheet view, copying, animation.
  TPanel PanelCenter{"PanelCenter", nullptr, 308, 0, 305, 501};
  TImage AllView{"AllView", &PanelCenter, 20, 20, 256, 256};
  TShape SelA{"SelA", &PanelCenter, 20, 20, 32, 32};
  TShape SelC{"SelC", &PanelCenter, 20, 20, 32, 32};
  TShape CopySel{"CopySel", &PanelCenter, 21, 20, 16, 16};
  TSpeedButton AllUp{"AllUp", &PanelCenter, 24, 4, 257, 13};
  TSpeedButton AllDown{"AllDown", &PanelCenter, 20, 280, 257, 13};
  TSpeedButton AllLeft{"AllLeft", &PanelCenter, 4, 20, 13, 257};
  TSpeedButton AllRight{"AllRight", &PanelCenter, 280, 20, 13, 257};
  TPanel RightDownPanel{"RightDownPanel", &PanelCenter, 2, 295, 295, 130};
  TPanel Panel8{"Panel8", &RightDownPanel, 2, 2, 99, 119};
  TImage CopyView{"CopyView", &Panel8, 4, 5, 64, 64};
  TCheckBox TOUMEIChk{"TOUMEIChk", &Panel8, 4, 72, 65, 13};
  TScrollBar SelSizeBar{"SelSizeBar", &Panel8, 74, 4, 15, 105};
  TTextControl SelSizeLab{"SelSizeLab", &Panel8, 4, 88, 65, 22};
  TPanel Panel11{"Panel11", &RightDownPanel, 104, 2, 185, 119};
  TSpeedButton MovUp{"MovUp", &Panel11, 36, 4, 21, 21};
  TSpeedButton MovLeft{"MovLeft", &Panel11, 12, 24, 21, 21};
  TSpeedButton MovDown{"MovDown", &Panel11, 36, 36, 21, 21};
  TSpeedButton MovRight{"MovRight", &Panel11, 60, 24, 21, 21};
  TPanel Panel12{"Panel12", &Panel11, 4, 76, 91, 33};
  TScrollBar StepBar{"StepBar", &Panel12, 4, 4, 57, 21};
  TTextControl Step{"Step", &Panel12, 66, 4, 17, 22};
  TScrollBar WaitBar{"WaitBar", &Panel11, 4, 60, 89, 13};
  TPanel Panel4{"Panel4", &Panel11, 96, 4, 77, 105};
  TImage MovView{"MovView", &Panel4, 4, 6, 64, 64};
  TCheckBox MovChk{"MovChk", &Panel4, 27, 81, 13, 12};
  TPanel Panel3{"Panel3", &PanelCenter, 2, 428, 295, 57};
  TSpeedButton SUp{"SUp", &Panel3, 156, 4, 21, 21};
  TSpeedButton SLeft{"SLeft", &Panel3, 132, 16, 21, 21};
  TSpeedButton SDown{"SDown", &Panel3, 156, 28, 21, 21};
  TSpeedButton SRight{"SRight", &Panel3, 180, 16, 21, 21};
  TCheckBox kasane{"kasane", &Panel3, 204, 3, 85, 18};
  TCheckBox YONBUN{"YONBUN", &Panel3, 204, 18, 61, 17};
  TCheckBox SFree{"SFree", &Panel3, 204, 34, 85, 17};

  // Right panel: cell size, special views, layer settings.
  TPanel PanelRight{"PanelRight", nullptr, 612, 0, 177, 501};
  TPanel Panel13{"Panel13", &PanelRight, 4, 0, 169, 39};
  TSpeedButton btCSXDown{"btCSXDown", &Panel13, 8, 4, 17, 21};
  TTextControl CSXLab{"CSXLab", &Panel13, 28, 4, 37, 21};
  TSpeedButton btCSXUp{"btCSXUp", &Panel13, 68, 4, 17, 21};
  TTextControl Label1{"Label1", &Panel13, 112, 8, 48, 13};
  TPanel Panel14{"Panel14", &PanelRight, 4, 39, 169, 38};
  TSpeedButton btCSYDown{"btCSYDown", &Panel14, 8, 4, 17, 21};
  TTextControl CSYLab{"CSYLab", &Panel14, 28, 4, 37, 21};
  TSpeedButton btCSYUp{"btCSYUp", &Panel14, 68, 4, 17, 21};
  TTextControl Label2{"Label2", &Panel14, 112, 8, 48, 13};
  TPanel Panel2{"Panel2", &PanelRight, 4, 79, 169, 278};
  TImage NomView{"NomView", &Panel2, 12, 4, 128, 128};
  TImage RevView{"RevView", &Panel2, 12, 136, 128, 128};
  TCheckBox NomChk{"NomChk", &Panel2, 144, 60, 17, 17};
  TCheckBox RevChk{"RevChk", &Panel2, 144, 192, 17, 17};
  TPanel Panel9{"Panel9", &PanelRight, 4, 360, 169, 141};
  TRadioGroup ViewLay{"ViewLay", &Panel9, 4, 3, 149, 38};
  TRadioGroup LupeLay{"LupeLay", &Panel9, 4, 44, 149, 37};
  TCheckBox CLS{"CLS", &Panel9, 4, 86, 65, 17};
  TCheckBox NARABE{"NARABE", &Panel9, 72, 86, 85, 17};
  TCheckBox NiBai{"NiBai", &Panel9, 4, 102, 65, 17};

  TStatusBar SBar{"SBar", nullptr, 0, 503, 785, 15};

  // Menu (top-level items in order) and the non-visual components.
  TMenuItem File1{"File1", "ファイル"}, mLoad{"mLoad", "読み込み"}, N2{"N2", "-"},
      mSave{"mSave", "名前を付けて保存"}, mSave2{"mSave2", "上書き保存"};
  TMenuItem N1{"N1", "パレット"}, N3{"N3", "パレット読み込み"}, N4{"N4", "パレット保存"};
  TMenuItem Tool1{"Tool1", "ツール"}, MnPen{"MnPen", "ペンツール", 0}, MnPaint{"MnPaint", "塗りつぶし", 1},
      MnBox{"MnBox", "塗りつぶし四角型", 2}, MnCircle{"MnCircle", "楕円型", 3}, MnLine{"MnLine", "直線", 4},
      MnMarge{"MnMarge", "半透明合成", 5};
  TMenuItem MenuPen{"MenuPen", "ペンサイズ"}, MnP1{"MnP1", "１ドット", 6}, MnP2{"MnP2", "２ドット", 7},
      MnP3{"MnP3", "３ドット", 8}, MnP4{"MnP4", "４ドット", 9}, MnP5{"MnP5", "５ドット", 10};
  TMenuItem MenuBai{"MenuBai", "倍率"}, MnBai1{"MnBai1", "１倍", 11}, MnBai2{"MnBai2", "２倍", 12},
      MnBai4{"MnBai4", "４倍", 13}, MnBai8{"MnBai8", "８倍", 14}, MnBai16{"MnBai16", "１６倍", 15},
      MnBai32{"MnBai32", "３２倍", 16};
  TMenuItem N5{"N5", "その他"}, MnGrid{"MnGrid", "グリッド"}, MnGrid2{"MnGrid2", "センターライン"};
  TMenuItem Exit1{"Exit1", "終了"};
  // Desktop additions: the file menu ends with its own exit item, an edit menu
  // holds undo and redo, the zoom menu steps in and out. Keys are shown on them.
  TMenuItem N6{"N6", "-"}, mExit{"mExit", "終了"};
  TMenuItem Edit1{"Edit1", "編集"}, MnUndo{"MnUndo", "元に戻す"}, MnRedo{"MnRedo", "やり直し"};
  TMenuItem N7{"N7", "-"}, MnZoomIn{"MnZoomIn", "拡大"}, MnZoomOut{"MnZoomOut", "縮小"};
  // The palette menu also reads and writes palette files of other programs,
  // edits an entry's colour and makes a ramp; the file menu exports the
  // animation as a GIF file.
  TMenuItem N8{"N8", "-"}, MnPalOpen{"MnPalOpen", "外部パレット読み込み"},
      MnPalExport{"MnPalExport", "外部パレット書き出し"};
  TMenuItem N9{"N9", "-"}, MnPalColor{"MnPalColor", "色の編集"}, MnPalRamp{"MnPalRamp", "グラデーション作成"};
  TMenuItem mGifExport{"mGifExport", "GIFアニメ書き出し"};
  std::vector<TMenuItem*> MainMenu1;  // the top-level menus in order

  TFileDialogSpec OpenD, SaveD;
  TFileDialogSpec PalOpenD, PalSaveD, GifSaveD;  // palette files of other programs; the animation
  TAnimationDialogSpec GifD;
  TTimer MovTim{"MovTim"};
  // Owned; shared_ptr only so that this header needs no complete types.
  std::shared_ptr<TRegManager> RegM;
  std::shared_ptr<TSPIs> SPI;

  // Every control, in creation order (parents before their children): the
  // view builds its widgets from this list.
  std::vector<TControl*> Controls;

  // ---- Editor state ------------------------------------------------------------
  // Three pixel systems: sheet pixels (AllDib), cell pixels (ChrDib, from the
  // selected cell's top-left), loupe pixels (from the loupe window's top-left,
  // one per sheet pixel, Bai screen pixels wide).
  //
  // The view bitmaps are the pictures of their images: drawing into one and
  // repainting the view shows it. All are 8-bit with 256 palette entries.
  TIxDIB* LupeDib = nullptr;  // the loupe as rendered, 256 x 256 screen pixels
  TIxDIB* AllDib = nullptr;   // the sheet: the one picture loaded, saved and undone; always 256 x 256
  TIxDIB* PalDib = nullptr;   // the 32 x 8 palette swatches; its colour table is the master palette
  TIxDIB* NomDib = nullptr;   // special view of the cell as it is, 128 x 128
  TIxDIB* RevDib = nullptr;   // special view of the cell mirrored left-right, 128 x 128
  TIxDIB* MovDib = nullptr;   // animation preview and sheet magnifier, 64 x 64
  TIxDIB* CopyDib = nullptr;  // the picked copy block while one waits to be dropped, else 1 x 1 of index 0
  TIxDIB ChrDib;              // working copy of the selected cell (ChrX x ChrY): the loupe tools draw here
  TIxDIB LayDib;              // layer composite "below" of the selected cell, at its sheet position
  TIxDIB LayAllDib;           // layer composite "all" of the selected cell (and the animation's frames)
  std::vector<std::unique_ptr<TIxDIB>> UndoDibs;  // whole-sheet snapshots; slot k: the sheet k changes back

  uint8_t MainColor = 0;   // palette index the tools draw with (cMainBox, PalSel)
  uint8_t Toumei = 255;    // the transparent palette index: holes in layers, left out of copies (TOUSel)
  uint8_t Bairitu = 3;     // zoom exponent of the loupe, 0..5 from the buttons (6, 7 from the settings)
  uint8_t Bai = 8;         // screen pixels per sheet pixel in the loupe: 1 shl Bairitu
  uint16_t LupeSpan = 32;  // sheet pixels across the loupe: 256 div Bai
  uint8_t Tool = 0;        // 0 pen, 1 line, 2 ellipse, 3 flood fill, 4 filled box, 5 blend
  int32_t PenSize = 1;     // side of the pen's square, 1..5 from the buttons
  int32_t ChrX = 32, ChrY = 32;  // cell size in pixels, 1..256
  // Sheet pixel of the selected cell's top-left; whole multiples of the cell size.
  int32_t CellX = 0, CellY = 0;
  int32_t LupeX = 0, LupeY = 0;    // cell pixel at the loupe window's top-left (the loupe's scroll)
  int32_t BufW = 256, BufH = 256;  // size of the layer composites
  uint8_t SelSize = 8;             // copy grid in sheet pixels (SelSizeBar)
  uint8_t UndoMax = 15;            // undo slots; UndoMax - 1 changes can be undone
  uint8_t UndoNum = 0;             // filled slots among 1..UndoMax - 1
  int32_t UndoPos = 0;             // steps currently undone; the sheet shows slot UndoPos
  bool UndoFresh = false;  // a snapshot since the last undo: the next undo first keeps the sheet in slot 0
  // Pen: the last drawn loupe pixel; line, ellipse, box: the anchor in cell pixels.
  int32_t StartX = 0, StartY = 0;
  bool PenDown = false;      // a pen stroke is under way (left button held)
  bool PenFirst = false;     // the next pen move draws even without moving (the stroke's first dot)
  bool SpoitDown = false;    // the right button is held on the loupe: the eyedropper picks
  bool ShapeAnchor = false;  // a line, ellipse or box has its first corner (marked by DrawTg)
  bool GridOn = true;        // grid lines in the loupe, every second sheet pixel
  bool CLineOn = true;       // centre lines of the loupe
  int32_t NarabeMax = 3;  // side-by-side special views repeat the cell at most NarabeMax + 1 times each way
  int32_t LeftPanelPos = 1, CenterPanelPos = 2, RightPanelPos = 3;  // order of the three panels, 1..3
  std::string FileName;   // the current picture file; empty until one is loaded or saved
  bool Modified = false;  // the sheet changed since it was loaded or saved
  bool Uwagaki = false;   // an overwrite save is under way (Save As then skips its question)
  bool PalDown = false;   // the left button is held on the palette: the main colour follows the pointer
  int32_t CopyX = 0, CopyY = 0;  // grid point of the copy block's top-left corner (in the span's grid)
  bool CopyOn = false;           // a copy block is being spanned (after the first click)
  bool CopyReady = false;        // a copy block is picked and waits for its drop (the saves write it instead)
  bool AllDrag = false;          // a copy is under way, from the first click to the drop or a cancel
  uint8_t MovDir = 0;            // row the animation plays: 0 up, 1 right, 2 down, 3 left
  uint8_t MovFrames = 0;         // frames the animation plays (StepBar when the button was pressed)
  bool NomShown = false, RevShown = false;  // the special view shows the current cell (its box was checked)
  bool PalDblDown = false;      // a double-click's press is held on the palette: its release edits the colour
  std::string PaletteFileName;  // the palette file last opened or exported: the palette dialogs start there
  std::string GifFileName;      // the animation file last exported
  bool GifToumei = false;       // the animation export leaves out the transparent colour (its tick box)

  // Palette-derived tables.
  // MixTable, DarkIdx and LightIdx of the master palette. DarkIdx and LightIdx
  // are current as soon as the palette changes; MixTable (32,640 colour
  // searches) is built when first asked for after a change: by the blend
  // tool, or by the window once it is on the screen, never on the way there.
  const TBlendTable& Blend();
  // Entry i = i / 255: a channel byte as 0..1 for the HSL helpers.
  std::array<double, 256> UnitTable{};
  uint8_t DarkIdx() const { return blend_.DarkIdx; }    // darkest entry: grid marks, black dither
  uint8_t LightIdx() const { return blend_.LightIdx; }  // lightest entry: grid and marks

  // ---- Start-up and palette (EditorCreate.cpp) ----------------------------------
  void FormCreate();
  // Every change of the master palette ends here: the palette spread to every
  // bitmap but the undo slots, which keep their own (SpreadPalette, the copy
  // block included), DarkIdx and LightIdx found and MixTable due again (MakeMixTable),
  // the swatches, both colour boxes and the pen cursor recoloured, the loupe
  // and the views redrawn (EditorPaletteChange.cpp).
  void ApplyPaletteChange();
  void SpreadPalette();
  void MakeMixTable();
  // Reads the settings and applies them (EditorSettings.cpp).
  void ReadSettings();
  void WriteSettings();

  // ---- Loupe (EditorLoupe.cpp, EditorLayers.cpp) -------------------------------
  void RedrawLoupe();
  void StoreCell();

  // ---- Loupe drawing input (EditorDraw.cpp) -------------------------------------
  void LupeViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void LupeViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void LupeViewMouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);

  // ---- Undo (EditorUndo.cpp) ------------------------------------------------------
  void TakeSnapshot();
  void btUndoClick(TComponent* Sender);
  void btRedoClick(TComponent* Sender);

  // ---- Mode commands (EditorCommands.cpp) ------------------------------------------
  void btToolClick(TComponent* Sender);
  void XClick(TComponent* Sender);
  void PClick(TComponent* Sender);
  void GridClick(TComponent* Sender);
  void LupeBtClick(TComponent* Sender);
  void MenuClick(TComponent* Sender);

  // ---- File commands (EditorFiles.cpp) -----------------------------------------------
  void mLoadClick(TComponent* Sender);
  void mSaveClick(TComponent* Sender);
  void mSave2Click(TComponent* Sender);
  void FormCloseQuery(TComponent* Sender, bool& CanClose);
  void FormClose(TComponent* Sender);
  void Exit1Click(TComponent* Sender);
  // Makes fileName the sheet, the one way every command that opens a picture
  // takes (the open dialog, a file named at start, a dropped file). Unsaved
  // changes are settled first (the question: Yes saves, No discards, Cancel
  // opens nothing). True when the picture was loaded; a failed transfer
  // shows the load message, other errors propagate with nothing changed.
  bool OpenPicture(const std::string& fileName);
  // Asks about unsaved changes when Modified is set. True when the caller may
  // go on: nothing to save, saved (Yes; only a completed save counts), or
  // discarded (No). False for Cancel and for a save that did not complete.
  bool SettleUnsavedChanges();

  // ---- Sheet view and block copy (EditorSheet.cpp) -------------------------------------
  void AllbtClick(TComponent* Sender);
  void AllViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void AllViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void SelSizeBarChange(TComponent* Sender);

  // ---- Palette view (EditorPalette.cpp) and palette file (EditorPaletteFile.cpp) -------
  void DrawPaletteSwatches();
  void PalMouse(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void PalMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y);
  // From the menu (a sender) a load that changes the palette is one undo
  // step; start-up (no sender) has nothing to undo.
  void PalLoad(TComponent* Sender = nullptr);
  void PalSave(TComponent* Sender = nullptr);
  std::string PaletteFilePath() const;

  // ---- Palette editing (EditorPaletteEdit.cpp) ----------------------------------------
  // A double-click on a swatch edits the colour its click has picked, once
  // the button is released; the menu item edits the main colour's entry.
  void PalDblClick(TComponent* Sender);
  void MnPalColorClick(TComponent* Sender);
  // Fills the entries between the main colour's and the transparent colour's
  // with an even ramp between their colours (PaletteRamp.h).
  void MnPalRampClick(TComponent* Sender);
  // Palette files of other programs and the colour tables of pictures: the
  // colours read replace the first entries; the whole palette is exported.
  void MnPalOpenClick(TComponent* Sender);
  void MnPalExportClick(TComponent* Sender);
  // The master palette's 256 colours, and the same as a palette to write.
  std::array<TColor, 256> MasterColors() const;
  TPaletteColors MasterPaletteColors() const;
  // Makes colors the master palette as one undo step that counts as a
  // change of the sheet; nothing happens when they are the palette already.
  void ChangePalette(const std::array<TColor, 256>& colors);

  // ---- Character operations (EditorCharacter.cpp) --------------------------------------
  void btMirrorClick(TComponent* Sender);
  void ShiftClick(TComponent* Sender);
  void btCSClick(TComponent* Sender);

  // ---- Previews (EditorPreview.cpp) ---------------------------------------------------
  void RedrawSpecialViews();
  void MovMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void MovMouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void MovTimTimer(TComponent* Sender);
  void StepBarChange(TComponent* Sender);
  // Shortest time of one compose-and-repaint round of the animation preview.
  static constexpr std::chrono::microseconds kAnimationRound{2500};
  // Whether frames cells of a row and all four rows from the selected cell
  // lie inside the sheet: the preview and the export play nothing else.
  bool AnimationFits(int32_t frames) const;
  // Composes the frame whose cell has its top-left sheet pixel at (X, Y) as
  // the preview shows it (the layer composite by ViewLay, doubled with NiBai)
  // into target at (0, 0), through LayAllDib.
  void ComposeAnimationFrame(int32_t X, int32_t Y, TIxDIB& target);
  // How long the preview shows each frame: WaitBar.Position + 1 rounds.
  std::chrono::microseconds AnimationFrameTime() const;

  // ---- Animation export (EditorAnimationExport.cpp) ------------------------------------
  // Writes the animation the preview plays as a GIF file: the row chosen in
  // a small dialog, StepBar frames, each shown as long as in the preview.
  void mGifExportClick(TComponent* Sender);

  // Copies the selected cell of the sheet into ChrDib.
  void RefreshChrDib();

  // A mouse position as a loupe pixel, and as a sheet point with its snap step.
  struct TLoupePoint {
    int32_t x, y;
  };
  struct TSheetPoint {
    int32_t x, y, c;
  };
  TLoupePoint LoupePixelOf(TComponent* Sender, int32_t X, int32_t Y) const;
  TSheetPoint SheetPointOf(TComponent* Sender, int32_t X, int32_t Y) const;

  // ---- Start-up with given stored values, and the settings seam -------------------------
  // FormCreate() is FormCreate(ReadStoredSettings()); tests start the editor
  // with chosen values this way (EditorCreate.cpp).
  void FormCreate(const TEditorSettings& stored);
  // Applies stored values to the state and the controls in the settings' read
  // order, then runs the change handlers of SelSizeBar and StepBar; ReadSettings()
  // is ReadSettings(ReadStoredSettings()) (EditorSettings.cpp).
  void ReadSettings(const TEditorSettings& stored);
  // The values kept in the settings file; every value not stored is its
  // default (EditorSettings.cpp: the one place that reads the store).
  TEditorSettings ReadStoredSettings();
  // The values the close writes back.
  TEditorSettings CurrentSettings() const;
  // Places the three panels from left to right by LeftPanelPos, CenterPanelPos,
  // RightPanelPos (EditorPanels.cpp).
  void LayoutPanels();

  // ---- Layers (EditorLayers.cpp) ----------------------------------------------------------
  // Composes the ChrX x ChrY frame whose top-left sheet pixel is (X, Y) straight
  // into LayAllDib at (X, Y): "below" (the frame's layer over the layers beneath
  // it), and with All also every layer above it. The frame's layer is decided by
  // its right and bottom edges; YONBUN chooses the split.
  void ComposeLayerFrame(int32_t X, int32_t Y, bool All);

  // ---- Palette picks (EditorPalette.cpp) ----------------------------------------------------
  // Recolour cMainBox / cTOUMEIBox with the colour of MainColor / Toumei and put
  // PalSel / TOUSel on its swatch: what every pick does after setting the index.
  void ShowMainColor();
  void ShowToumei();
  // Opens the colour dialog on palette entry index; OK changes the entry
  // (one undo step).
  void EditPaletteColor(uint8_t index);

 private:
  void BuildLayout();  // EditorLayout.cpp

  TBlendTable blend_;             // see Blend()
  bool mixTableCurrent_ = false;  // blend_.MixTable belongs to the master palette

  // Loupe tools (EditorDraw.cpp): StoreCell, invalidate the sheet view, RedrawLoupe.
  void CommitCell();
  // Undo (EditorUndo.cpp): shows undo slot `slot` as the sheet.
  void ShowUndoSlot(int32_t slot);
  // Sheet view (EditorSheet.cpp).
  void ShowMagnifier(int32_t left, int32_t top);
  void PickCopyBlock();
  void RestartCopySpan();
  void DropCopyBlock(int32_t dx, int32_t dy);

  // Special views (EditorPreview.cpp).
  TIxDIB& SpecialViewSource();
  void DrawSpecialView(TIxDIB& source, TIxDIB& view, bool mirrored);
  void RedrawSpecialView(const TCheckBox& box, TImage& view, bool& shown, TIxDIB& source, bool mirrored);

  // Saving (EditorFiles.cpp). Each returns true when the file was written.
  enum class TSavedPicture { Sheet, CopyBlock };
  // Save As starting at the name proposal: the sheet (which then takes the
  // chosen name) or the waiting copy block (an export: FileName, the status
  // bar and Modified stay).
  bool SaveAs(TSavedPicture what, const std::string& proposal);
  // Overwrite save of the sheet, never the copy block.
  bool SaveSheet();
  // True when fileName may be written: it does not exist, or the user agrees
  // to replace it. Every save and export asks this one question.
  bool MayReplace(const std::string& fileName);

  // Start-up steps (EditorCreate.cpp).
  // Runs one step of FormCreate; an error it raises is shown in an error box
  // and start-up goes on.
  void RunStartUpStep(const std::function<void()>& step);
  void ShapeViewBitmaps();
  // The controls that show the state read from the settings.
  void ShowStartUpState();
  void CreateWorkBuffers();
  void CreateUndoSlots();
  void ReadPaletteFileAtStartUp();
  void SetGreyRamp();
  void WriteGreyRampPaletteFile();

  // The loupe window of one redraw: sheet pixel (sx, sy) at its top-left, w x h
  // sheet pixels of the cell visible (EditorLoupe.cpp).
  struct TLoupeWindow {
    int32_t sx, sy, w, h;
  };
  TLoupeWindow LoupeWindow() const;
  void StretchToLoupe(TIxDIB& source, const TLoupeWindow& r);
  void RenderLayerPicture(const TLoupeWindow& r);
  void FillBeyondCell(const TLoupeWindow& r);
  void DrawLoupeLines(const TLoupeWindow& r);
  // Builds LayDib (and LayAllDib when a view needs it) over the selected cell (EditorLayers.cpp).
  void BuildCellComposites();

  // Zoom and markers (EditorCommands.cpp, EditorPalette.cpp, EditorDraw.cpp).
  void SetZoom(uint8_t bairitu);
  // Puts DrawTg on the loupe square of the shape anchor (StartX, StartY), or
  // hides it when no anchor is set or the loupe does not show its pixel.
  void PlaceAnchorMarker();
  void PlaceSwatchMarker(TShape& marker, uint8_t index);
};

}  // namespace pixkura
