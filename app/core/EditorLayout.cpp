// The window's controls: captions, hints, groups, brushes, fonts and the
// handler each event goes to. Places and sizes are in Editor.h.
#include <initializer_list>

#include "app/core/Editor.h"
#include "app/core/commands/SheetDataExport.h"

namespace pixkura {
namespace {

const TFontSpec kWindowFont{"ＦＡ Ｐ ゴシック", -13, false, false};

template <typename F>
TNotifyEvent Notify(TEditor* e, F f) {
  return [e, f](TComponent* sender) { (e->*f)(sender); };
}

// An image and the shapes over it send their mouse events to the same handlers.
void WireMouse(std::initializer_list<TControl*> controls, const TMouseEvent& down,
               const TMouseMoveEvent& move, const TMouseEvent& up) {
  for (TControl* c : controls) {
    c->OnMouseDown = down;
    c->OnMouseMove = move;
    c->OnMouseUp = up;
  }
}

}  // namespace

TEditor::TEditor(TEditorHost& host) : Host(host) { BuildLayout(); }

void TEditor::BuildLayout() {
  // Creation order: every parent before its children, so the view can build
  // its widgets in one pass.
  Controls = {&PanelLeft,  &LupeView, &Cur,       &DrawTg,     &LupeUp,      &LupeDown, &LupeLeft,
              &LupeRight,  &btUndo,   &btRedo,    &PalView,    &PalSel,      &TOUSel,   &cMainBox,
              &cTOUMEIBox, &Panel6,   &btPset,    &btPaint,    &btBox,       &btCircle, &btLine,
              &btMarge,    &x1,       &x2,        &x4,         &x8,          &x16,      &x32,
              &p1,         &p2,       &p3,        &p4,         &p5,          &Chuou,    &Grid,
              &btMirror,   &LupeBack, &KURO,      &Hamidasi,   &PanelCenter, &AllView,  &SelA,
              &SelC,       &CopySel,  &AllUp,     &AllDown,    &AllLeft,     &AllRight, &RightDownPanel,
              &Panel8,     &CopyView, &TOUMEIChk, &SelSizeBar, &SelSizeLab,  &Panel11,  &MovUp,
              &MovLeft,    &MovDown,  &MovRight,  &Panel12,    &StepBar,     &Step,     &WaitBar,
              &Panel4,     &MovView,  &MovChk,    &Panel3,     &SUp,         &SLeft,    &SDown,
              &SRight,     &kasane,   &YONBUN,    &SFree,      &PanelRight,  &Panel13,  &btCSXDown,
              &CSXLab,     &btCSXUp,  &Label1,    &Panel14,    &btCSYDown,   &CSYLab,   &btCSYUp,
              &Label2,     &Panel2,   &NomView,   &RevView,    &NomChk,      &RevChk,   &Panel9,
              &ViewLay,    &LupeLay,  &CLS,       &NARABE,     &NiBai,       &SBar,     &OnionChk};
  for (TControl* c : Controls) c->Font = kWindowFont;
  MainForm.Font = kWindowFont;

  // Left panel ---------------------------------------------------------------------
  LupeView.Stretch = true;
  LupeView.Cursor = TCursorKind::crHandPoint;
  Cur.SetBrushStyle(TBrushStyle::bsDiagCross);
  Cur.PenColor = clFuchsia;
  Cur.PenStyle = TPenStyle::psDot;
  Cur.PenWidth = 2;
  DrawTg.SetBrushStyle(TBrushStyle::bsCross);
  DrawTg.PenMode = TPenMode::pmNot;
  DrawTg.PenWidth = 3;
  DrawTg.Hide();
  WireMouse(
      {&LupeView, &Cur, &DrawTg},
      [this](TComponent* s, TMouseButton b, TShiftState sh, int32_t x, int32_t y) {
        LupeViewMouseDown(s, b, sh, x, y);
      },
      [this](TComponent* s, TShiftState sh, int32_t x, int32_t y) { LupeViewMouseMove(s, sh, x, y); },
      [this](TComponent* s, TMouseButton b, TShiftState sh, int32_t x, int32_t y) {
        LupeViewMouseUp(s, b, sh, x, y);
      });

  for (TSpeedButton* b : {&LupeUp, &LupeDown, &LupeLeft, &LupeRight}) {
    b->Hint = "ルーペをずらします";
    b->OnClick = Notify(this, &TEditor::LupeBtClick);
  }
  btUndo.Caption = "Undo";
  btUndo.Hint = "直前の作業をやり直します";
  btUndo.OnClick = Notify(this, &TEditor::btUndoClick);
  btRedo.Caption = "Redo";
  btRedo.Hint = "直前のUndoを取り消します";
  btRedo.OnClick = Notify(this, &TEditor::btRedoClick);

  PalView.Cursor = TCursorKind::crHandPoint;
  PalSel.SetBrushStyle(TBrushStyle::bsClear);
  PalSel.PenMode = TPenMode::pmNot;
  PalSel.PenWidth = 2;
  TOUSel.Shape = TShapeType::stCircle;
  TOUSel.SetBrushStyle(TBrushStyle::bsClear);
  TOUSel.PenMode = TPenMode::pmNot;
  TOUSel.PenColor = clGray;
  // One handler serves the press and the release.
  const TMouseEvent palMouse = [this](TComponent* s, TMouseButton b, TShiftState sh, int32_t x, int32_t y) {
    PalMouse(s, b, sh, x, y);
  };
  WireMouse(
      {&PalView, &PalSel, &TOUSel}, palMouse,
      [this](TComponent* s, TShiftState sh, int32_t x, int32_t y) { PalMove(s, sh, x, y); }, palMouse);
  for (TControl* c :
       {static_cast<TControl*>(&PalView), static_cast<TControl*>(&PalSel), static_cast<TControl*>(&TOUSel)})
    c->OnDblClick = Notify(this, &TEditor::PalDblClick);
  cMainBox.SetBrushColor(clBlack);
  cTOUMEIBox.SetBrushColor(clBlack);

  // Tool bar.
  const std::initializer_list<std::pair<TSpeedButton*, const char*>> tools = {
      {&btPset, "ペンで描きます"}, {&btPaint, "塗りつぶします"}, {&btBox, "四角を描きます"},
      {&btCircle, "円を描きます"}, {&btLine, "線を描きます"},    {&btMarge, "半透明合成"}};
  for (auto [b, hint] : tools) {
    b->GroupIndex = 20;
    b->Hint = hint;
    b->OnClick = Notify(this, &TEditor::btToolClick);
    ToolGroup.Add(*b);
  }
  btPset.SetDown(true);
  for (TSpeedButton* b : {&x1, &x2, &x4, &x8, &x16, &x32}) {
    b->GroupIndex = 15;
    b->Hint = "ルーペの倍率を設定します";
    b->OnClick = Notify(this, &TEditor::XClick);
    ZoomGroup.Add(*b);
  }
  for (TSpeedButton* b : {&p1, &p2, &p3, &p4, &p5}) {
    b->GroupIndex = 12;
    b->Hint = "ペンのサイズを変更します";
    b->OnClick = Notify(this, &TEditor::PClick);
    PenGroup.Add(*b);
  }
  Chuou.Hint = "センターラインを表示します";
  Chuou.OnClick = Notify(this, &TEditor::ChuouClick);
  Grid.Hint = "グリッドを表示します";
  Grid.OnClick = Notify(this, &TEditor::GridClick);
  btMirror.Caption = "反転";
  btMirror.Hint = "選択しているキャラクタを左右反転します";
  btMirror.OnClick = Notify(this, &TEditor::btMirrorClick);

  LupeBack.Caption = "濃度50%";
  LupeBack.Hint = "レイヤー時に下のレイヤーを透かして見ます";
  KURO.Caption = "黒強制";
  KURO.Hint = "濃度50％を黒で行います";
  Hamidasi.Caption = "ルーペはみ出し";
  Hamidasi.Hint = "ルーペからはみ出した分も描画します";

  // Centre panel -------------------------------------------------------------------
  AllView.Cursor = TCursorKind::crCross;
  SelA.SetBrushStyle(TBrushStyle::bsClear);
  SelA.PenMode = TPenMode::pmNot;
  SelA.PenStyle = TPenStyle::psDot;
  SelC.SetBrushStyle(TBrushStyle::bsClear);
  SelC.PenMode = TPenMode::pmXor;
  SelC.PenColor = clWhite;
  SelC.PenWidth = 2;
  CopySel.SetBrushStyle(TBrushStyle::bsClear);
  CopySel.PenMode = TPenMode::pmNot;
  CopySel.PenStyle = TPenStyle::psDot;
  CopySel.PenWidth = 4;
  CopySel.Cursor = TCursorKind::crHandPoint;
  WireMouse(
      {&AllView, &SelA, &SelC, &CopySel},
      [this](TComponent* s, TMouseButton b, TShiftState sh, int32_t x, int32_t y) {
        AllViewMouseDown(s, b, sh, x, y);
      },
      [this](TComponent* s, TShiftState sh, int32_t x, int32_t y) { AllViewMouseMove(s, sh, x, y); },
      nullptr);
  for (TSpeedButton* b : {&AllUp, &AllDown, &AllLeft, &AllRight}) {
    b->Hint = "キャラクターを選択します";
    b->OnClick = Notify(this, &TEditor::AllbtClick);
  }
  Panel8.Font = TFontSpec{"ＤＦ行書体", 16, false, true};
  CopyView.Font = Panel8.Font;
  SelSizeBar.Font = Panel8.Font;
  CopyView.Stretch = true;
  TOUMEIChk.Caption = "透過処理";
  TOUMEIChk.Font = TFontSpec{"ＦＡ Ｐ ゴシック", 11, false, false};
  TOUMEIChk.Hint = "コピーする時に透明色をくり抜きます";
  SelSizeBar.Kind = TScrollBarKind::sbVertical;
  SelSizeBar.Min = 1;
  SelSizeBar.Max = 32;
  SelSizeBar.PageSize = 4;
  SelSizeBar.SetPosition(8);
  SelSizeBar.Hint = "コピー用グリッドのサイズを変更します";
  SelSizeBar.OnChange = Notify(this, &TEditor::SelSizeBarChange);
  SelSizeLab.Font = TFontSpec{"ＤＨＰ平成明朝体W7", 13, false, false};
  SelSizeLab.SetText("16");

  const TFontSpec animFont{"ＤＨＰ行書体", 21, true, false};
  for (TControl* c :
       {static_cast<TControl*>(&Panel11), static_cast<TControl*>(&Panel12), static_cast<TControl*>(&StepBar),
        static_cast<TControl*>(&Step), static_cast<TControl*>(&WaitBar), static_cast<TControl*>(&Panel4),
        static_cast<TControl*>(&MovView), static_cast<TControl*>(&MovChk)})
    c->Font = animFont;
  for (TSpeedButton* b : {&MovUp, &MovLeft, &MovDown, &MovRight}) {
    b->Font = animFont;
    b->Hint = "キャラクタのアニメーションをチェックします";
    b->OnMouseDown = [this](TComponent* s, TMouseButton bt, TShiftState sh, int32_t x, int32_t y) {
      MovMouseDown(s, bt, sh, x, y);
    };
    b->OnMouseUp = [this](TComponent* s, TMouseButton bt, TShiftState sh, int32_t x, int32_t y) {
      MovMouseUp(s, bt, sh, x, y);
    };
  }
  StepBar.Min = 1;
  StepBar.Max = 8;
  StepBar.PageSize = 2;
  StepBar.SetPosition(2);
  StepBar.Hint = "アニメ枚数を変更します";
  StepBar.OnChange = Notify(this, &TEditor::StepBarChange);
  Step.SetText("2");
  WaitBar.Min = 1;
  WaitBar.Max = 100;
  WaitBar.PageSize = 2;
  WaitBar.SetPosition(40);
  WaitBar.Hint = "アニメーションスピードを変更します";
  MovChk.BlackBox = true;

  for (TSpeedButton* b : {&SUp, &SLeft, &SDown, &SRight}) {
    b->Hint = "選択しているキャラを指定した方向にシフトします";
    b->OnClick = Notify(this, &TEditor::ShiftClick);
  }
  OnionChk.Caption = "オニオンスキン";
  OnionChk.Hint = "前後のコマを色付きで薄くルーペに重ねます";
  kasane.Caption = "偽レイヤー";
  kasane.Hint = "レイヤー機能を発動します";
  YONBUN.Caption = "四分割";
  YONBUN.Hint = "四分割レイヤーモードに移行します";
  SFree.Caption = "選択フリー";
  SFree.Hint = "コピー時の枠の開始位置を１ドット単位で行います";

  // Right panel --------------------------------------------------------------------
  PanelRight.Bevel = TBevel::bvNone;
  for (TSpeedButton* b : {&btCSXDown, &btCSXUp, &btCSYDown, &btCSYUp}) {
    b->Hint = "キャラクタのサイズを変更します";
    b->OnClick = Notify(this, &TEditor::btCSClick);
  }
  CSXLab.SetText("32");
  CSYLab.SetText("32");
  Label1.IsLabel = true;
  Label1.SetText("横サイズ");
  Label2.IsLabel = true;
  Label2.SetText("縦サイズ");
  Panel2.Hint = "特殊表示画面";
  ViewLay.Caption = "レイヤー処理設定";
  ViewLay.Items = {"無効", "下", "全部"};
  ViewLay.Columns = 3;
  ViewLay.SetItemIndex(2);
  ViewLay.Hint = "特殊表示画面用レイヤー設定";
  LupeLay.Caption = "ルーペレイヤー処理設定";
  LupeLay.Items = {"無効", "下", "全部"};
  LupeLay.Columns = 3;
  LupeLay.SetItemIndex(1);
  LupeLay.Hint = "ルーペ用のレイヤーを設定します";
  CLS.Caption = "ゴミ消し";
  CLS.Hint = "自動的にゴミを消します";
  NARABE.Caption = "並べて表示";
  NARABE.Hint = "キャラクタを並べて表示します";
  NiBai.Caption = "2倍表示";
  NiBai.Hint = "特殊表示用画面で２倍表示します";

  // Every option check box and both radio groups redraw; the free start of
  // the copy grid also restarts a span. Their handlers are attached after the
  // design-time state above is set, so building the window runs no handler.
  for (TCheckBox* c : {&KURO, &LupeBack, &Hamidasi, &kasane, &YONBUN, &NomChk, &RevChk, &NiBai, &CLS, &NARABE})
    c->OnClick = Notify(this, &TEditor::DisplayOptionClick);
  SFree.OnClick = Notify(this, &TEditor::SFreeClick);
  OnionChk.OnClick = Notify(this, &TEditor::OnionClick);
  ViewLay.OnClick = Notify(this, &TEditor::DisplayOptionClick);
  LupeLay.OnClick = Notify(this, &TEditor::DisplayOptionClick);

  // Status bar.
  SBar.Panels[0] = {320, TAlignment::taRightJustify, "無題.bmp"};
  SBar.Panels[1] = {70, TAlignment::taLeftJustify, "横座標"};
  SBar.Panels[2] = {70, TAlignment::taLeftJustify, "縦座標"};
  SBar.Panels[3] = {100, TAlignment::taLeftJustify, "点描画"};
  SBar.Panels[4] = {50, TAlignment::taLeftJustify, ""};

  // Menu ------------------------------------------------------------------------------
  N2.Separator = true;
  N6.Separator = true;
  N7.Separator = true;
  N8.Separator = true;
  N9.Separator = true;
  N10.Separator = true;
  N11.Separator = true;
  File1.Items = {&mLoad, &N2, &mSave, &mSave2, &mGifExport, &mPngTransparent, &mSheetData, &N6, &mExit};
  Edit1.Items = {&MnUndo, &MnRedo, &N10, &MnCut, &MnCopy, &MnPaste};
  N1.Items = {&N3,         &N4,           &N8,          &MnPalOpen,    &MnPalExport,  &N9,
              &MnPalColor, &MnPalRamp,    &N11,         &MnPalSortLum, &MnPalSortHue, &MnPalSortUse,
              &MnPalMerge, &MnPalCompact, &MnPalToZero, &MnPalUnused};
  Tool1.Items = {&MnPen, &MnPaint, &MnBox, &MnCircle, &MnLine, &MnMarge};
  MenuPen.Items = {&MnP1, &MnP2, &MnP3, &MnP4, &MnP5};
  MenuBai.Items = {&MnBai1, &MnBai2, &MnBai4, &MnBai8, &MnBai16, &MnBai32, &N7, &MnZoomIn, &MnZoomOut};
  N5.Items = {&MnGrid, &MnGrid2, &MnOnion};
  // The edit menu follows the palette menu, so that the menus of old keep their order.
  MainMenu1 = {&File1, &N1, &Edit1, &Tool1, &MenuPen, &MenuBai, &N5, &Exit1};
  mLoad.OnClick = Notify(this, &TEditor::mLoadClick);
  mSave.OnClick = Notify(this, &TEditor::mSaveClick);
  mSave2.OnClick = Notify(this, &TEditor::mSave2Click);
  N3.OnClick = Notify(this, &TEditor::PalLoad);
  N4.OnClick = Notify(this, &TEditor::PalSave);
  MnPalOpen.OnClick = Notify(this, &TEditor::MnPalOpenClick);
  MnPalExport.OnClick = Notify(this, &TEditor::MnPalExportClick);
  MnPalColor.OnClick = Notify(this, &TEditor::MnPalColorClick);
  MnPalRamp.OnClick = Notify(this, &TEditor::MnPalRampClick);
  mGifExport.OnClick = Notify(this, &TEditor::mGifExportClick);
  const std::initializer_list<std::pair<TMenuItem*, void (TPaletteOperations::*)()>> paletteItems = {
      {&MnPalSortLum, &TPaletteOperations::SortByLuminance},
      {&MnPalSortHue, &TPaletteOperations::SortByHue},
      {&MnPalSortUse, &TPaletteOperations::SortByUse},
      {&MnPalMerge, &TPaletteOperations::MergeDuplicates},
      {&MnPalCompact, &TPaletteOperations::Compact},
      {&MnPalToZero, &TPaletteOperations::TransparentToZero},
      {&MnPalUnused, &TPaletteOperations::UnusedMarksClick}};
  for (auto [item, operation] : paletteItems)
    item->OnClick = [this, f = operation](TComponent*) { (PalOps.*f)(); };
  MnPalUnused.Checked = [this] { return PalOps.Marks.On; };
  mPngTransparent.OnClick = [this](TComponent*) { PalOps.PngTransparent = !PalOps.PngTransparent; };
  mPngTransparent.Checked = [this] { return PalOps.PngTransparent; };
  mSheetData.OnClick = [this](TComponent*) { TSheetDataExport(*this).Run(); };
  MnCut.OnClick = Notify(this, &TEditor::MnCutClick);
  MnCopy.OnClick = Notify(this, &TEditor::MnCopyClick);
  MnPaste.OnClick = Notify(this, &TEditor::MnPasteClick);
  for (TMenuItem* m : {&MnPen,  &MnPaint, &MnBox,   &MnCircle, &MnLine,    &MnMarge, &MnP1,
                       &MnP2,   &MnP3,    &MnP4,    &MnP5,     &MnBai1,    &MnBai2,  &MnBai4,
                       &MnBai8, &MnBai16, &MnBai32, &MnZoomIn, &MnZoomOut, &MnGrid,  &MnGrid2, &MnOnion})
    m->OnClick = Notify(this, &TEditor::MenuClick);
  Exit1.OnClick = Notify(this, &TEditor::Exit1Click);
  mExit.OnClick = Notify(this, &TEditor::Exit1Click);
  // Undo and redo in the menu are clicks of their buttons.
  MnUndo.OnClick = [this](TComponent*) { btUndo.Click(); };
  MnRedo.OnClick = [this](TComponent*) { btRedo.Click(); };

  // Non-visual components.
  OpenD.DefaultExt = "bmp";
  OpenD.Filter = "対応しているファイル (*.bmp;*.png;*.dib)|*.bmp;*.png;*.dib|全てのファイル (*.*)|*.*";
  SaveD.DefaultExt = "bmp";
  SaveD.Filter =
      "すべての対応ファイル (*.bmp;*.png;*.dib)|*.bmp;*.png;*.dib|256Colors Bitmap (*.bmp)|*.bmp|Portable "
      "Network "
      "Graphics (*.png)|*.png|Device Independent Bitmap (*.dib)|*.dib";
  // Palette files: any format the palette reader knows, pictures included;
  // written in the format of the extension chosen.
  PalOpenD.Title = "読み込むパレットファイルを選択して下さい";
  PalOpenD.Filter =
      "パレットと画像 "
      "(*.gpl;*.pal;*.act;*.hex;*.bmp;*.dib;*.png;*.gif)|*.gpl;*.pal;*.act;*.hex;*.bmp;*.dib;*.png;"
      "*.gif|パレットファイル (*.gpl;*.pal;*.act;*.hex)|*.gpl;*.pal;*.act;*.hex|全てのファイル (*.*)|*.*";
  PalSaveD.Title = "パレットファイルに名前を付けて下さい";
  PalSaveD.Filter =
      "GIMP パレット (*.gpl)|*.gpl|JASC パレット (*.pal)|*.pal|Adobe カラーテーブル "
      "(*.act)|*.act|16進カラーリスト "
      "(*.hex)|*.hex";
  PalSaveD.DefaultExt = "gpl";
  GifD.Title = "GIFアニメの書き出し";
  GifD.DirectionCaption = "向き";
  GifD.Directions = {"上", "右", "下", "左"};
  GifD.TransparentCaption = "透明色を抜く";
  GifSaveD.Title = "GIFアニメに名前を付けて下さい";
  GifSaveD.Filter = "GIFアニメ (*.gif)|*.gif";
  GifSaveD.DefaultExt = "gif";
  MovTim.Interval = 1;
  MovTim.OnTimer = Notify(this, &TEditor::MovTimTimer);
}

}  // namespace pixkura
