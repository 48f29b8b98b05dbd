#include "fuzz/editor/EditorSession.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/core/Editor.h"
#include "app/core/view/LayerStack.h"
#include "base/ProgramFolder.h"
#include "formats/PaletteFile.h"
#include "image/DIB256.h"
#include "image/PaletteEntryUse.h"

namespace pixkura::fuzz {
namespace {

constexpr int32_t kSheet = 256;
// Enough for strokes, spans and undo chains; more only slows each run.
constexpr size_t kMaxActions = 200;
// Actions named in a failure report, the last one being the failing one.
constexpr size_t kReportedActions = 16;

// The input, read from the front; an exhausted input reads as zeros.
class TBytes {
 public:
  TBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  // A value in lo..hi (hi - lo below 65536).
  int32_t InRange(int32_t lo, int32_t hi) {
    const auto span = static_cast<uint32_t>(hi - lo) + 1;
    uint32_t raw = Byte();
    if (span > 256) raw |= static_cast<uint32_t>(Byte()) << 8;
    return lo + static_cast<int32_t>(raw % span);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// File dialogs are cancelled, questions answered No, time does not pass;
// the colour dialog picks a colour of the input or is cancelled; every
// message box is remembered, since no action of a session should show one
// (but the refusal of an animation that does not fit).
class TSessionHost final : public TEditorHost {
 public:
  bool ExecuteOpenDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteSaveDialog(const TFileDialogSpec&, std::string&) override { return false; }
  bool ExecuteColorDialog(const std::string&, TColor& color) override {
    if (!In || !In->Bool()) return false;
    color = RGB(In->Byte(), In->Byte(), In->Byte());
    return true;
  }
  bool ExecuteAnimationDialog(const TAnimationDialogSpec&, TAnimationChoice&) override { return false; }
  using TEditorHost::MessageBox;
  TModalResult MessageBox(const std::string& text, TMsgDlgType, TMsgDlgButtons) override {
    Shown.push_back(text);
    return TModalResult::mrNo;
  }
  void Close() override {}
  void WaitUntil(std::chrono::steady_clock::time_point) override {}
  // A paste's question takes any answer or is cancelled.
  int Ask(const std::string&, const std::vector<std::string>&) override {
    return In ? In->InRange(-1, 2) : -1;
  }
  // A paste finds what the last copy left, or another program's damaged
  // block bytes or picture (indexed with any palette size, or true colour),
  // up to a little past the sheet's size.
  TClipboardContent ReadClipboard() override {
    if (!In || In->Bool()) return TEditorHost::ReadClipboard();
    TClipboardContent c;
    for (int32_t n = In->InRange(0, 16); n > 0; --n) c.Block.push_back(In->Byte());
    TClipboardPicture& p = c.Picture;
    p.Width = In->InRange(0, 260);
    p.Height = In->InRange(0, 260);
    const uint32_t seed = In->Byte() * 0x9E3779B9u;
    if (In->Bool()) p.Palette.assign(static_cast<size_t>(In->InRange(1, 256)), seed);
    for (size_t i = 0; i < static_cast<size_t>(p.Width * p.Height); ++i)
      p.Indexed() ? p.Indices.push_back(static_cast<uint8_t>(seed + i * 7))
                  : p.Pixels.push_back(seed + uint32_t(i) * 0x01020304u);
    return c;
  }
  std::vector<std::string> Shown;
  TBytes* In = nullptr;
};

// The program folder of every session: a palette file of well spread colours
// (black at 0, white at 255), which keeps the blend table quick to build.
// The palette menu may write the file; each session writes it afresh, so
// that a session plays the same whatever ran before it.
class TSessionFolder {
 public:
  TSessionFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-session-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a session folder");
    path_ = pattern;
  }
  void WritePalette() const {
    TPaletteValues values{};
    for (size_t i = 0; i < values.size(); ++i)
      values[i] = RGB(static_cast<uint8_t>((i & 7) * 255 / 7), static_cast<uint8_t>(((i >> 3) & 7) * 255 / 7),
                      static_cast<uint8_t>((i >> 6) * 85));
    WritePaletteFile(path_ + "/Pixkura.pal", values);
  }
  ~TSessionFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TSessionFolder(const TSessionFolder&) = delete;
  TSessionFolder& operator=(const TSessionFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

void UseSessionFolder() {
  static const TSessionFolder folder;
  folder.WritePalette();
  SetProgramFolderForTesting(folder.Path());
}

// Start-up values: the usual cell sizes or any size, every zoom the settings
// allow, pen sizes beyond the buttons' range, any transparent index.
TEditorSettings SessionSettings(TBytes& in) {
  static constexpr std::array<int32_t, 9> kCellSizes{8, 16, 24, 32, 40, 48, 64, 128, 256};
  auto cellSize = [&in] { return in.Bool() ? in.InRange(1, 256) : kCellSizes[in.InRange(0, 8)]; };
  TEditorSettings s;
  s.CHRX = cellSize();
  s.CHRY = cellSize();
  s.Bairitu = in.InRange(0, 7);
  s.PenSize = in.InRange(0, 7);
  s.Toumei = in.Byte();
  s.SelSize = in.InRange(0, 33);
  s.Undo = in.InRange(0, 20);
  const uint8_t flags = in.Byte();
  s.Grid = (flags & 1) != 0;
  s.CLine = (flags & 2) != 0;
  s.Hamidasi = (flags & 4) != 0;
  s.SentakuFree = (flags & 8) != 0;
  s.View1 = (flags & 16) != 0;
  s.View2 = (flags & 32) != 0;
  s.View3 = (flags & 64) != 0;
  s.Narabe = (flags & 128) != 0;
  s.LupeLay = in.InRange(-1, 2);
  s.ViewLay = in.InRange(-1, 2);
  s.NarabeMAX = in.InRange(0, 4);
  s.Maisuu = in.InRange(1, 8);
  s.Speed = in.InRange(1, 4);  // rounds per animation frame: only time, nothing to test
  return s;
}

// A sheet of stripes and checks in a few indices, the transparent one among
// them, so that every change shows and the layers have holes.
void PaintSheet(TEditor& e, TBytes& in) {
  const int32_t across = in.InRange(1, 16), down = in.InRange(1, 16), seed = in.Byte();
  const std::array<uint8_t, 6> values{0, 7, 56, 200, e.Toumei, 255};
  for (int32_t y = 0; y < kSheet; ++y) {
    uint8_t* row = e.Doc.AllDib->GetScanLine(y);
    for (int32_t x = 0; x < kSheet; ++x)
      row[x] = values[static_cast<size_t>((x / across + 3 * (y / down) + seed) % 6)];
  }
  e.RefreshChrDib();
  e.RedrawLoupe();
}

// The rows of an 8-bit bitmap, read without copying or checking per pixel:
// the checks compare whole bitmaps after every action.
class TPixels {
 public:
  explicit TPixels(const TIxDIB& dib) : d_(dib.InternalDIB()) {
    if (d_.Header().biBitCount != 8 || d_.Header().biCompression != BI_RGB)
      throw ESessionCheck("an editor bitmap is not 8-bit uncompressed");
  }
  int32_t Width() const { return d_.Width; }
  int32_t Height() const { return d_.Height; }
  const uint8_t* Row(int32_t y) const { return d_.Row(y); }

 private:
  const TIxInternalDIB& d_;
};

// The first of n pixels where two rows differ, or -1.
int32_t FirstDifference(const uint8_t* a, const uint8_t* b, int32_t n) {
  if (std::memcmp(a, b, static_cast<size_t>(n)) == 0) return -1;
  return static_cast<int32_t>(std::mismatch(a, a + n, b).first - a);
}

std::vector<uint8_t> SheetPixels(const TIxDIB& sheet) {
  const TPixels pixels(sheet);
  std::vector<uint8_t> copy(static_cast<size_t>(kSheet * kSheet));
  for (int32_t y = 0; y < kSheet; ++y)
    std::copy_n(pixels.Row(y), kSheet, copy.begin() + static_cast<ptrdiff_t>(y) * kSheet);
  return copy;
}

// A box of pixels, both corners included; empty when a corner passes the other.
struct TBox {
  int64_t Left = 0, Top = 0, Right = -1, Bottom = -1;
  bool Contains(int64_t x, int64_t y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
  TBox Clipped(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    return {std::max(Left, left), std::max(Top, top), std::min(Right, right), std::min(Bottom, bottom)};
  }
  TBox Shifted(int64_t dx, int64_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
};

// Sheet pixels an action may change: some boxes, or any pixel.
struct TRegion {
  bool Any = false;
  std::vector<TBox> Boxes;
  bool Contains(int32_t x, int32_t y) const {
    return Any || std::any_of(Boxes.begin(), Boxes.end(), [&](const TBox& b) { return b.Contains(x, y); });
  }
};

// The square a pen of penSize covers around its point: the dot's square, and
// for the square pen a square of larger sizes from the point too.
TDotSquare PenSquare(int32_t penSize, bool squarePen) {
  const auto size = static_cast<uint8_t>(penSize);  // as the handlers pass it on
  const TDotSquare dot = DotSquare(size);
  return dot.Side == 0 && squarePen ? TDotSquare{0, size} : dot;
}

// The box that the squares of a pen moving from (x1, y1) to (x2, y2) stay in.
TBox PenSpan(int64_t x1, int64_t y1, int64_t x2, int64_t y2, TDotSquare sq) {
  if (sq.Side == 0) return {};
  return {std::min(x1, x2) + sq.Offset, std::min(y1, y2) + sq.Offset,
          std::max(x1, x2) + sq.Offset + sq.Side - 1, std::max(y1, y2) + sq.Offset + sq.Side - 1};
}

enum class TActionKind { Down, Move, Up, Button, Box, Radio, Bar, Menu, Tick };

struct TAction {
  TActionKind Kind = TActionKind::Tick;
  TComponent* Target = nullptr;
  TMouseButton Button = TMouseButton::mbLeft;
  TShiftState Shift;
  int32_t X = 0, Y = 0;  // mouse actions: in the target's own coordinates
  int32_t Value = 0;     // radio groups and scroll bars

  std::string Describe() const {
    static constexpr std::array<const char*, 9> kKinds{"down",  "move",   "up",   "click", "check",
                                                       "radio", "scroll", "menu", "tick"};
    std::string s = kKinds[static_cast<size_t>(Kind)];
    if (Target) s += " " + Target->Name;
    if (Kind == TActionKind::Down || Kind == TActionKind::Up)
      s += Button == TMouseButton::mbLeft ? " left" : Button == TMouseButton::mbRight ? " right" : " middle";
    if (Kind == TActionKind::Down || Kind == TActionKind::Move || Kind == TActionKind::Up) {
      if (Shift.Shift) s += " shift";
      s += " (" + std::to_string(X) + ", " + std::to_string(Y) + ")";
    }
    if (Kind == TActionKind::Radio || Kind == TActionKind::Bar) s += " " + std::to_string(Value);
    return s;
  }
};

// What the checks of one action reason from: the editor as the action found it.
struct TBefore {
  std::vector<uint8_t> Sheet;
  std::array<TColor, 256> Colors{};
  uint8_t Tool = 0, MainColor = 0, Bai = 1;
  int32_t PenSize = 1, LupeSpan = 0, ChrX = 0, ChrY = 0, CellX = 0, CellY = 0, LupeX = 0, LupeY = 0;
  int32_t StartX = 0, StartY = 0, AnchorX = 0, AnchorY = 0, CopyW = 0, CopyH = 0, CornerX = 0, CornerY = 0;
  bool FromSheet = false;
  bool PenDown = false, PenFirst = false, ShapeAnchor = false, CopyOn = false, CopyReady = false,
       AllDrag = false, Hamidasi = false;
  TLoupeEvent LoupeAt{};                  // the action's point as a loupe pixel
  TEditor::TSheetPoint SheetAt{0, 0, 1};  // and as a sheet point
};

class TSession {
 public:
  TSession(TEditor& e, TSessionHost& host, TBytes& in) : e_(e), host_(host), in_(in) {
    for (TControl* c : e.Controls) {
      if (c->OnMouseDown || c->OnMouseMove || c->OnMouseUp) mouseTargets_.push_back(c);
      if (auto* b = dynamic_cast<TSpeedButton*>(c); b && (b->OnClick || b->Group)) buttons_.push_back(b);
      if (auto* b = dynamic_cast<TCheckBox*>(c)) boxes_.push_back(b);
      if (auto* r = dynamic_cast<TRadioGroup*>(c)) radios_.push_back(r);
      if (auto* s = dynamic_cast<TScrollBar*>(c)) bars_.push_back(s);
    }
    for (TMenuItem* top : e.MainMenu1) {
      if (top->Items.empty() && top->OnClick) items_.push_back(top);
      for (TMenuItem* item : top->Items)
        if (item->OnClick) items_.push_back(item);
    }
  }

  void Play() {
    for (size_t n = 0; n < kMaxActions && !in_.Empty(); ++n) {
      const TAction a = NextAction();
      log_.push_back(a.Describe());
      const TBefore b = Capture(a);
      if (trace_) Trace(a);
      e_.Doc.Saved();  // as a save would leave it: each change must set it anew
      Perform(a);
      CheckChanges(a, b);
      CheckPalettes(b);
      CheckWorkingCopy();
      CheckLoupe();
      CheckComposites();
      CheckUnusedMarks();
      CheckUndoRedo(in_.InRange(0, 3));
    }
  }

 private:
  // With PIXKURA_SESSION_TRACE set, each action and the state it meets go
  // to stderr: the way to read a session the fuzzer reports.
  void Trace(const TAction& a) const {
    std::fprintf(stderr,
                 "%zu: %s | tool %d pen %d colour %d zoom %d cell %dx%d at (%d, %d) loupe (%d, %d) start "
                 "(%d, %d)%s%s%s\n",
                 log_.size() - 1, a.Describe().c_str(), e_.Tools.ToolNumber(), e_.Tools.PenSize, e_.MainColor, e_.View.Bai, e_.View.ChrX,
                 e_.View.ChrY, e_.View.CellX, e_.View.CellY, e_.View.LupeX, e_.View.LupeY, e_.Tools.Pen.StartX, e_.Tools.Pen.StartY,
                 e_.Tools.Pen.PenDown ? " pen-down" : "", e_.Tools.Anchor.ShapeAnchor ? " anchored" : "",
                 e_.Hamidasi.Checked() ? " past-loupe" : "");
  }

  template <typename T>
  T* Pick(const std::vector<T*>& from) {
    return from.empty() ? nullptr
                        : from[static_cast<size_t>(in_.InRange(0, static_cast<int32_t>(from.size()) - 1))];
  }

  // A control a user could reach with the mouse: a visible one, or the one
  // that holds the mouse since a press.
  TControl* MouseTarget(bool preferHeld) {
    if (held_ && (preferHeld || in_.Bool())) return held_;
    std::vector<TControl*> visible;
    for (TControl* c : mouseTargets_)
      if (c->Visible()) visible.push_back(c);
    return Pick(visible);
  }

  TAction NextAction() {
    TAction a;
    switch (in_.InRange(0, 11)) {
      case 0:
      case 1:
        a.Kind = TActionKind::Down;
        break;
      case 2:
      case 3:
      case 4:
      case 5:
        a.Kind = TActionKind::Move;
        break;
      case 6:
        a.Kind = TActionKind::Up;
        break;
      case 7:
        a.Kind = TActionKind::Button;
        a.Target = Pick(buttons_);
        return a;
      case 8:
        a.Kind = TActionKind::Box;
        a.Target = Pick(boxes_);
        return a;
      case 9: {
        if (in_.Bool()) {
          a.Kind = TActionKind::Radio;
          a.Target = Pick(radios_);
          a.Value = in_.InRange(-1, 3);
        } else {
          a.Kind = TActionKind::Bar;
          auto* bar = Pick(bars_);
          a.Target = bar;
          a.Value = bar ? in_.InRange(bar->Min - 1, bar->Max + 1) : 0;
        }
        return a;
      }
      case 10:
        a.Kind = TActionKind::Menu;
        a.Target = Pick(items_);
        return a;
      default:
        a.Kind = TActionKind::Tick;
        return a;
    }
    auto* target = MouseTarget(a.Kind != TActionKind::Down);
    a.Target = target;
    static constexpr std::array<TMouseButton, 4> kButtons{TMouseButton::mbLeft, TMouseButton::mbLeft,
                                                          TMouseButton::mbRight, TMouseButton::mbMiddle};
    a.Button = kButtons[static_cast<size_t>(in_.InRange(0, 3))];
    a.Shift.Shift = in_.Bool();
    // A press lands on the control under the pointer; moves and releases
    // reach the pressed control wherever the pointer is.
    const int32_t w = target ? target->Width() : 0, h = target ? target->Height() : 0;
    const int32_t margin = a.Kind == TActionKind::Down ? 0 : 48;
    a.X = in_.InRange(-margin, std::max(w - 1, 0) + margin);
    a.Y = in_.InRange(-margin, std::max(h - 1, 0) + margin);
    return a;
  }

  bool OverLoupe(const TComponent* c) const { return c == &e_.LupeView || c == &e_.Cur || c == &e_.DrawTg; }
  bool OverSheet(const TComponent* c) const {
    return c == &e_.AllView || c == &e_.SelA || c == &e_.SelC || c == &e_.CopySel;
  }

  TBefore Capture(const TAction& a) const {
    TBefore b;
    b.Sheet = SheetPixels(*e_.Doc.AllDib);
    b.Colors = e_.MasterColors();
    b.Tool = e_.Tools.ToolNumber();
    b.MainColor = e_.MainColor;
    b.Bai = e_.View.Bai;
    b.PenSize = e_.Tools.PenSize;
    b.LupeSpan = e_.View.LupeSpan;
    b.ChrX = e_.View.ChrX;
    b.ChrY = e_.View.ChrY;
    b.CellX = e_.View.CellX;
    b.CellY = e_.View.CellY;
    b.LupeX = e_.View.LupeX;
    b.LupeY = e_.View.LupeY;
    b.StartX = e_.Tools.Pen.StartX;
    b.StartY = e_.Tools.Pen.StartY;
    b.AnchorX = e_.Tools.Anchor.StartX;
    b.AnchorY = e_.Tools.Anchor.StartY;
    b.CopyW = e_.Copy.CopyDib->GetWidth();
    b.CopyH = e_.Copy.CopyDib->GetHeight();
    b.CornerX = e_.Copy.CornerX;
    b.CornerY = e_.Copy.CornerY;
    b.FromSheet = e_.Copy.FromSheet;
    b.PenDown = e_.Tools.Pen.PenDown;
    b.PenFirst = e_.Tools.Pen.PenFirst;
    b.ShapeAnchor = e_.Tools.Anchor.ShapeAnchor;
    b.CopyOn = e_.Copy.CopyOn();
    b.CopyReady = e_.Copy.CopyReady();
    b.AllDrag = e_.Copy.AllDrag();
    b.Hamidasi = e_.Hamidasi.Checked();
    if (a.Target && OverLoupe(a.Target)) b.LoupeAt = e_.LoupeEventOf(a.Target, {}, a.X, a.Y);
    if (a.Target && OverSheet(a.Target)) b.SheetAt = e_.SheetPointOf(a.Target, a.X, a.Y);
    return b;
  }

  void Perform(const TAction& a) {
    try {
      auto* control = dynamic_cast<TControl*>(a.Target);
      switch (a.Kind) {
        case TActionKind::Down:
          if (!control) return;
          held_ = control;
          if (const TMouseEvent slot = control->OnMouseDown) slot(control, a.Button, a.Shift, a.X, a.Y);
          return;
        case TActionKind::Move:
          if (!control) return;
          if (const TMouseMoveEvent slot = control->OnMouseMove) slot(control, a.Shift, a.X, a.Y);
          return;
        case TActionKind::Up:
          if (!control) return;
          if (control == held_) held_ = nullptr;
          if (const TMouseEvent slot = control->OnMouseUp) slot(control, a.Button, a.Shift, a.X, a.Y);
          return;
        case TActionKind::Button:
          if (auto* b = dynamic_cast<TSpeedButton*>(a.Target)) b->Click();
          return;
        case TActionKind::Box:
          if (auto* b = dynamic_cast<TCheckBox*>(a.Target)) b->Click();
          return;
        case TActionKind::Radio:
          if (auto* r = dynamic_cast<TRadioGroup*>(a.Target)) r->SetItemIndex(a.Value);
          return;
        case TActionKind::Bar:
          if (auto* s = dynamic_cast<TScrollBar*>(a.Target)) s->SetPosition(a.Value);
          return;
        case TActionKind::Menu:
          if (auto* m = dynamic_cast<TMenuItem*>(a.Target)) m->Click();
          return;
        case TActionKind::Tick:
          // The timer fires only while an animation button is held.
          if (e_.MovTim.Enabled() && e_.MovTim.OnTimer) e_.MovTim.OnTimer(&e_.MovTim);
          return;
      }
    } catch (const std::exception& x) {
      Fail(std::string("the action raised: ") + x.what());
    }
  }

  [[noreturn]] void Fail(const std::string& what) const {
    std::string report = "editor session check failed: " + what + "\nlast actions:";
    const size_t first = log_.size() > kReportedActions ? log_.size() - kReportedActions : 0;
    for (size_t i = first; i < log_.size(); ++i) report += "\n  " + std::to_string(i) + ": " + log_[i];
    throw ESessionCheck(report);
  }

  // The sheet pixels a loupe action may change: the pen's squares along its
  // segment, a shape's box, the fill's cell, the blend's pixel; all inside
  // the cell and, unless drawing past the loupe is on, the loupe window.
  TRegion LoupeRegion(const TAction& a, const TBefore& b) const {
    const int64_t cx = b.LupeX + b.LoupeAt.x, cy = b.LupeY + b.LoupeAt.y;
    std::vector<TBox> boxes;
    // During a stroke any press or move draws the segment to the pointer.
    if (b.PenDown && !b.AllDrag && a.Kind != TActionKind::Up)
      boxes.push_back(PenSpan(b.StartX + b.LupeX, b.StartY + b.LupeY, cx, cy, PenSquare(b.PenSize, true)));
    if (a.Kind == TActionKind::Down && a.Button == TMouseButton::mbLeft && !b.CopyOn && !b.CopyReady) {
      switch (b.Tool) {
        case 0:
          boxes.push_back(PenSpan(cx, cy, cx, cy, PenSquare(b.PenSize, true)));
          break;
        case 1:
        case 2:
        case 4:
          if (b.ShapeAnchor)
            boxes.push_back(PenSpan(b.AnchorX, b.AnchorY, cx, cy, PenSquare(b.PenSize, false)));
          break;
        case 3:
          boxes.push_back({0, 0, b.ChrX - 1, b.ChrY - 1});
          break;
        case 5:
          boxes.push_back({cx, cy, cx, cy});
          break;
        default:
          break;
      }
    }
    TRegion r;
    for (const TBox& box : boxes) {
      TBox inside = box.Clipped(0, 0, b.ChrX - 1, b.ChrY - 1);
      if (!b.Hamidasi)
        inside = inside.Clipped(b.LupeX, b.LupeY, std::min(b.LupeX + b.LupeSpan, b.ChrX) - 1,
                                std::min(b.LupeY + b.LupeSpan, b.ChrY) - 1);
      r.Boxes.push_back(inside.Shifted(b.CellX, b.CellY));
    }
    return r;
  }

  TRegion AllowedChange(const TAction& a, const TBefore& b) const {
    const TComponent* t = a.Target;
    if (t && OverLoupe(t)) return LoupeRegion(a, b);
    if (t && OverSheet(t) && a.Kind == TActionKind::Down && a.Button == TMouseButton::mbLeft && b.CopyReady) {
      // The drop: the block at the grid point under the pointer.
      const int64_t dx = b.SheetAt.x / b.SheetAt.c * b.SheetAt.c,
                    dy = b.SheetAt.y / b.SheetAt.c * b.SheetAt.c;
      return {false, {{dx, dy, dx + b.CopyW - 1, dy + b.CopyH - 1}}};
    }
    if (IsUndoOrRedo(a)) return {true, {}};
    if (a.Kind == TActionKind::Menu && t == &e_.MnCut) {
      // The transparent colour where the cut block was picked, or in the cell.
      if (b.CopyReady && !b.FromSheet) return {};
      if (b.CopyReady)
        return {false, {{b.CornerX, b.CornerY, b.CornerX + b.CopyW - 1, b.CornerY + b.CopyH - 1}}};
      return {false, {{b.CellX, b.CellY, b.CellX + b.ChrX - 1, b.CellY + b.ChrY - 1}}};
    }
    if (a.Kind == TActionKind::Button) {
      if (t == &e_.btMirror || t == &e_.SUp || t == &e_.SDown || t == &e_.SLeft || t == &e_.SRight)
        return {false, {{b.CellX, b.CellY, b.CellX + b.ChrX - 1, b.CellY + b.ChrY - 1}}};
    }
    return {};
  }

  // The palette operations: a drag on the swatches and the reorders of the
  // palette menu move entries with their pixels, so any pixel's index may
  // change but none of the sheet's colours.
  bool IsPaletteOperation(const TAction& a) const {
    const TComponent* t = a.Target;
    if (t == &e_.PalView || t == &e_.PalSel || t == &e_.TOUSel) return true;
    for (const TMenuItem* m : {&e_.MnPalSortLum, &e_.MnPalSortHue, &e_.MnPalSortUse, &e_.MnPalMerge,
                               &e_.MnPalCompact, &e_.MnPalToZero})
      if (t == m) return true;
    return false;
  }

  void CheckColoursKept(const std::vector<uint8_t>& after, const TBefore& b) const {
    const std::array<TColor, 256> colors = e_.MasterColors();
    for (size_t i = 0; i < after.size(); ++i)
      if (colors[after[i]] != b.Colors[b.Sheet[i]])
        Fail("a palette operation changed the colour of sheet pixel (" + std::to_string(i % kSheet) + ", " +
             std::to_string(i / kSheet) + ")");
  }

  bool IsUndoOrRedo(const TAction& a) const {
    return (a.Kind == TActionKind::Button && (a.Target == &e_.btUndo || a.Target == &e_.btRedo)) ||
           (a.Kind == TActionKind::Menu && (a.Target == &e_.MnUndo || a.Target == &e_.MnRedo));
  }

  void CheckChanges(const TAction& a, const TBefore& b) {
    // The animation export refuses, with its message, what the preview would not play; the sprite-sheet
    // export asks first to save a sheet without a file (the session saves none).
    if (host_.Shown.size() == 1 && ((a.Target == &e_.mGifExport && !e_.AnimationFits(e_.StepBar.Position())) ||
                                    (a.Target == &e_.mSheetData && e_.Doc.FileName.empty())))
      host_.Shown.clear();
    if (!host_.Shown.empty()) Fail("a message was shown: " + host_.Shown.front());
    const std::vector<uint8_t> after = SheetPixels(*e_.Doc.AllDib);
    if (after == b.Sheet) return;
    // Undo and redo too: what they change differs from the file.
    if (!e_.Doc.Modified()) Fail("the sheet changed but Modified was not set");
    if (IsPaletteOperation(a)) return CheckColoursKept(after, b);
    const TRegion allowed = AllowedChange(a, b);
    const bool tool = a.Target && OverLoupe(a.Target);
    // Every loupe tool but the blend paints the drawing colour itself.
    const bool blend = b.Tool == 5 && a.Kind == TActionKind::Down && a.Button == TMouseButton::mbLeft;
    const bool plainColour = tool && !blend;
    for (int32_t y = 0; y < kSheet; ++y)
      for (int32_t x = 0; x < kSheet; ++x) {
        const auto i = static_cast<size_t>(y * kSheet + x);
        if (after[i] == b.Sheet[i]) continue;
        const auto where = [&] {
          return "sheet pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") went from " +
                 std::to_string(b.Sheet[i]) + " to " + std::to_string(after[i]);
        };
        if (!allowed.Contains(x, y)) Fail(where() + ", outside what the action may change");
        if (plainColour && after[i] != b.MainColor) Fail(where() + ", not the drawing colour");
      }
  }

  // The master palette reaches every bitmap that shows the sheet, and a
  // change of it is a change of the sheet's file.
  void CheckPalettes(const TBefore& b) {
    const std::array<TColor, 256> colors = e_.MasterColors();
    if (colors != b.Colors && !e_.Doc.Modified()) Fail("the palette changed but Modified was not set");
    for (const TIxDIB* dib : {e_.Doc.AllDib, e_.Views.LupeDib, &e_.Tools.Cell.ChrDib, e_.Views.MovDib, &e_.Views.LayDib, &e_.Views.LayAllDib})
      for (int32_t i = 0; i < 256; ++i)
        if (dib->GetColors(i) != colors[static_cast<size_t>(i)])
          Fail("a bitmap does not have the master palette at entry " + std::to_string(i));
    if (e_.cMainBox.BrushColor() != colors[e_.MainColor]) Fail("the main colour's box shows another colour");
  }

  // The loupe tools draw into the working copy; it must hold what the sheet
  // holds, or a later store brings back what the sheet never showed.
  void CheckWorkingCopy() {
    if (e_.Tools.Cell.ChrDib.GetWidth() != e_.View.ChrX || e_.Tools.Cell.ChrDib.GetHeight() != e_.View.ChrY)
      Fail("the working copy is not the cell's size");
    const TPixels cell(e_.Tools.Cell.ChrDib), sheet(*e_.Doc.AllDib);
    for (int32_t y = 0; y < e_.View.ChrY; ++y)
      if (const int32_t x = FirstDifference(cell.Row(y), sheet.Row(e_.View.CellY + y) + e_.View.CellX, e_.View.ChrX); x >= 0)
        Fail("the working copy differs from the sheet at cell pixel (" + std::to_string(x) + ", " +
             std::to_string(y) + ")");
  }

  // Every loupe pixel block shows its sheet pixel (or composite pixel), where
  // some screen pixel of the block lies on none of the loupe's lines.
  void CheckLoupe() {
    TIxDIB* source = e_.Doc.AllDib;
    if (e_.kasane.Checked()) {
      switch (e_.LupeLay.ItemIndex()) {
        case 0:
          break;
        case 1:
          if (e_.LupeBack.Checked()) return;  // a pattern where the cell has holes
          source = &e_.Views.LayDib;
          break;
        case 2:
          source = &e_.Views.LayAllDib;
          break;
        default:
          return;  // no item: the loupe keeps its picture
      }
    }
    std::array<bool, kSheet> column{}, row{};
    const auto mark = [](std::array<bool, kSheet>& lines, int64_t at) {
      if (at >= 0 && at < kSheet) lines[static_cast<size_t>(at)] = true;
    };
    const int64_t bai = e_.View.Bai;
    if (e_.Views.GridOn)
      for (int64_t p = 0; p < (e_.View.LupeSpan / 2) * 2 * bai; p += 2 * bai) {
        mark(column, p);
        mark(row, p);
      }
    const int64_t edgeX = int64_t{e_.View.ChrX - e_.View.LupeX} << e_.View.Bairitu,
                  edgeY = int64_t{e_.View.ChrY - e_.View.LupeY} << e_.View.Bairitu;
    for (int64_t d : {0, 1}) {
      mark(column, edgeX + d);
      mark(row, edgeY + d);
    }
    if (e_.Views.CLineOn)
      for (int64_t p : {127, 128}) {
        mark(column, p);
        mark(row, p);
      }
    const auto free = [&](const std::array<bool, kSheet>& lines, int64_t block) -> int64_t {
      for (int64_t p = block * bai; p < std::min<int64_t>((block + 1) * bai, kSheet); ++p)
        if (!lines[static_cast<size_t>(p)]) return p;
      return -1;
    };
    const TPixels loupe(*e_.Views.LupeDib), shown(*source);
    const int32_t w = e_.View.LupeX + e_.View.LupeSpan <= e_.View.ChrX ? e_.View.LupeSpan : e_.View.ChrX - e_.View.LupeX;
    const int32_t h = e_.View.LupeY + e_.View.LupeSpan <= e_.View.ChrY ? e_.View.LupeSpan : e_.View.ChrY - e_.View.LupeY;
    std::vector<int64_t> xs(static_cast<size_t>(std::max(w, 0)));
    for (int32_t i = 0; i < w; ++i) xs[static_cast<size_t>(i)] = free(column, i);
    for (int32_t j = 0; j < h; ++j) {
      const int64_t y = free(row, j);
      if (y < 0) continue;
      const int32_t sy = e_.View.CellY + e_.View.LupeY + j;
      const uint8_t* screen = loupe.Row(static_cast<int32_t>(y));
      const uint8_t* sheet = shown.Row(sy) + e_.View.CellX + e_.View.LupeX;
      for (int32_t i = 0; i < w; ++i) {
        const int64_t x = xs[static_cast<size_t>(i)];
        if (x < 0) continue;
        const int32_t sx = e_.View.CellX + e_.View.LupeX + i;
        // The onion skin's ghosts fill the cell's holes; the unit tests check their pixels.
        const bool ghost = e_.Onion.On && e_.Doc.AllDib->GetPixels(sx, sy) == e_.Toumei;
        if (screen[x] != sheet[i] && !ghost)
          Fail("the loupe does not show sheet pixel (" + std::to_string(sx) + ", " + std::to_string(sy) +
               ")");
      }
    }
  }

  // In layer mode the special views and the eyedropper read the composites
  // over the whole cell: composing the cell again must change nothing.
  void CheckComposites() {
    if (!e_.kasane.Checked()) return;
    const bool fourWay = e_.YONBUN.Checked();
    const TLayerStack stack = LayerStackOf(e_.View.CellX, e_.View.CellY, e_.View.ChrX, e_.View.ChrY, fourWay);
    TIxDIB below;
    below.Assign(&e_.Views.LayDib);
    LayLayersBelow(stack, e_.View.CellX, e_.View.CellY, e_.View.ChrX, e_.View.ChrY, *e_.Doc.AllDib, below, e_.Toumei);
    CheckCellEqual(below, e_.Views.LayDib, "the composite below");
    if (fourWay && e_.LupeLay.ItemIndex() != 2 && e_.ViewLay.ItemIndex() != 2) return;
    TIxDIB all;
    all.Assign(&e_.Views.LayAllDib);
    CopyLayerBlock(e_.View.CellX, e_.View.CellY, e_.View.ChrX, e_.View.ChrY, below, all);
    LayLayersAbove(stack, e_.View.CellX, e_.View.CellY, e_.View.ChrX, e_.View.ChrY, *e_.Doc.AllDib, all, e_.Toumei);
    CheckCellEqual(all, e_.Views.LayAllDib, "the composite of all layers");
  }

  void CheckCellEqual(const TIxDIB& expected, const TIxDIB& actual, const std::string& what) const {
    const TPixels want(expected), have(actual);
    const int32_t width = std::min(e_.View.ChrX, kSheet - e_.View.CellX);
    for (int32_t y = e_.View.CellY; y < std::min(e_.View.CellY + e_.View.ChrY, kSheet); ++y)
      if (const int32_t x = FirstDifference(want.Row(y) + e_.View.CellX, have.Row(y) + e_.View.CellX, width); x >= 0)
        Fail(what + " is stale at sheet pixel (" + std::to_string(e_.View.CellX + x) + ", " + std::to_string(y) +
             ")");
  }

  // While shown, the marks are on exactly the entries no sheet pixel uses.
  void CheckUnusedMarks() const {
    const TEntryUse use = CountEntryUse(*e_.Doc.AllDib);
    for (int32_t i = 0; i < 256; ++i)
      if (e_.PalOps.Marks.Marked(static_cast<uint8_t>(i)) != (e_.PalOps.Marks.On && use[static_cast<size_t>(i)] == 0))
        Fail("the unused-entry mark of entry " + std::to_string(i) + " is stale");
  }

  // Undo k steps, redo them: the sheet and its palette are back exactly as
  // they were.
  void CheckUndoRedo(int32_t k) {
    k = std::min(k, e_.Doc.History.UndoNum - e_.Doc.History.UndoPos);
    if (k <= 0) return;
    const std::vector<uint8_t> before = SheetPixels(*e_.Doc.AllDib);
    const std::array<TColor, 256> colors = e_.MasterColors();
    try {
      for (int32_t i = 0; i < k; ++i) e_.btUndo.Click();
      for (int32_t i = 0; i < k; ++i) e_.btRedo.Click();
    } catch (const std::exception& x) {
      Fail(std::string("undo or redo raised: ") + x.what());
    }
    if (SheetPixels(*e_.Doc.AllDib) != before)
      Fail("undoing " + std::to_string(k) + " steps and redoing them did not restore the sheet");
    if (e_.MasterColors() != colors)
      Fail("undoing " + std::to_string(k) + " steps and redoing them did not restore the palette");
  }

  TEditor& e_;
  TSessionHost& host_;
  TBytes& in_;
  std::vector<TControl*> mouseTargets_;
  std::vector<TSpeedButton*> buttons_;
  std::vector<TCheckBox*> boxes_;
  std::vector<TRadioGroup*> radios_;
  std::vector<TScrollBar*> bars_;
  std::vector<TMenuItem*> items_;
  const bool trace_ = std::getenv("PIXKURA_SESSION_TRACE") != nullptr;
  TControl* held_ = nullptr;  // the control a press went to, until its release
  std::vector<std::string> log_;
};

}  // namespace

void PlayEditorSession(const uint8_t* data, size_t size) {
  UseSessionFolder();
  TBytes in(data, size);
  TSessionHost host;
  auto editor = std::make_unique<TEditor>(host);
  host.In = &in;
  try {
    editor->FormCreate(SessionSettings(in));
  } catch (const std::exception& x) {
    throw ESessionCheck(std::string("start-up raised: ") + x.what());
  }
  if (!host.Shown.empty()) throw ESessionCheck("start-up showed a message: " + host.Shown.front());
  PaintSheet(*editor, in);
  TSession(*editor, host, in).Play();
}

}  // namespace pixkura::fuzz
