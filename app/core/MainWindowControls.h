// The main window's controls as plain models: places, sizes, captions and
// the menu, without Qt. TEditor derives from it, so every control is reached
// as before (e.btUndo, e.LupeView); the handlers are wired in EditorLayout.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/core/Controls.h"

namespace pixkura {

class TRegManager;
class TSPIs;

class TMainWindowControls {
 public:
  TMainWindowControls() = default;
  TMainWindowControls(const TMainWindowControls&) = delete;
  TMainWindowControls& operator=(const TMainWindowControls&) = delete;

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
  TCheckBox OnionChk{"OnionChk", &Panel3, 6, 4, 120, 17};

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
  TMenuItem N5{"N5", "その他"}, MnGrid{"MnGrid", "グリッド"}, MnGrid2{"MnGrid2", "センターライン"},
      MnOnion{"MnOnion", "オニオンスキン"};
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
  TMenuItem mGifExport{"mGifExport", "GIFアニメ書き出し"}, mSheetData{"mSheetData", "スプライトシート情報書き出し"};
  // The edit menu also copies, cuts and pastes through the desktop's clipboard.
  TMenuItem N10{"N10", "-"}, MnCut{"MnCut", "切り取り"}, MnCopy{"MnCopy", "コピー"},
      MnPaste{"MnPaste", "貼り付け"};
  // The palette menu reorders the palette with the pixels following their
  // entries and marks the unused entries; the file menu chooses whether the
  // transparent colour is a PNG's transparency.
  TMenuItem N11{"N11", "-"}, MnPalSortLum{"MnPalSortLum", "明るさ順に並べ替え"},
      MnPalSortHue{"MnPalSortHue", "色相順に並べ替え"}, MnPalSortUse{"MnPalSortUse", "使用数順に並べ替え"},
      MnPalMerge{"MnPalMerge", "同じ色をまとめる"}, MnPalCompact{"MnPalCompact", "未使用の色を後ろへ詰める"},
      MnPalToZero{"MnPalToZero", "透明色を0番へ"}, MnPalUnused{"MnPalUnused", "未使用の色に印を付ける"};
  TMenuItem mPngTransparent{"mPngTransparent", "透明色をPNGの透明にする"};
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

  // Order of the three panels from left to right, 1..3 (EditorPanels.cpp).
  int32_t LeftPanelPos = 1, CenterPanelPos = 2, RightPanelPos = 3;
};

}  // namespace pixkura
