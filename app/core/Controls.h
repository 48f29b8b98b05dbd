// Plain models of the window's controls. The editor's handlers read and move
// them; the Qt layer mirrors each model in a widget and forwards the widget's
// events to the model's event slots. Nothing here knows Qt.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Color.h"
#include "image/IxDIB.h"

namespace pixkura {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
struct TShiftState {
  bool Shift = false, Alt = false, Ctrl = false;
  bool Left = false, Right = false, Middle = false;
};

class TComponent;
using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int32_t x, int32_t y)>;

struct TFontSpec {
  std::string Name;  // requested face; the UI substitutes a Japanese Gothic when missing
  int32_t Height = -13;  // negative: pixel height of the characters
  bool Bold = false, Italic = false;
};

// Anything with a name that can send events.
class TComponent {
 public:
  explicit TComponent(std::string name) : Name(std::move(name)) {}
  virtual ~TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  std::string Name;
};

enum class TCursorKind { crDefault, crHandPoint, crCross };

// A control with a place in its parent panel (client pixels of the parent).
class TControl : public TComponent {
 public:
  TControl(std::string name, TControl* parent, int32_t left, int32_t top, int32_t width, int32_t height)
      : TComponent(std::move(name)), Parent(parent), Left_(left), Top_(top), Width_(width), Height_(height) {}

  TControl* Parent;
  std::string Hint;
  TCursorKind Cursor = TCursorKind::crDefault;
  TFontSpec Font;  // only meaningful where the window sets a font

  int32_t Left() const { return Left_; }
  int32_t Top() const { return Top_; }
  int32_t Width() const { return Width_; }
  int32_t Height() const { return Height_; }
  bool Visible() const { return Visible_; }
  void SetLeft(int32_t v) { SetBounds(v, Top_, Width_, Height_); }
  void SetTop(int32_t v) { SetBounds(Left_, v, Width_, Height_); }
  void SetWidth(int32_t v) { SetBounds(Left_, Top_, v, Height_); }
  void SetHeight(int32_t v) { SetBounds(Left_, Top_, Width_, v); }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void SetVisible(bool v);

  // Asks the view to repaint now (Repaint) or when the event loop is idle (Invalidate).
  void Repaint() { if (OnRepaint) OnRepaint(true); }
  void Invalidate() { if (OnRepaint) OnRepaint(false); }

  // Mouse events as the control receives them, in its own coordinates. A
  // double-click arrives as a press, then OnDblClick, then the release.
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnDblClick;

  // The view's hooks: told when the model changed, and asked to repaint.
  std::function<void()> OnModelChanged;
  std::function<void(bool now)> OnRepaint;

 protected:
  void NotifyModelChanged() { if (OnModelChanged) OnModelChanged(); }

 private:
  int32_t Left_, Top_, Width_, Height_;
  bool Visible_ = true;
};

enum class TBevel { bvNone, bvRaised, bvLowered };

class TPanel : public TControl {
 public:
  using TControl::TControl;
  TBevel Bevel = TBevel::bvRaised;
};

// An image control showing an indexed bitmap it owns.
class TImage : public TControl {
 public:
  using TControl::TControl;
  TIxDIB Picture;
  bool Stretch = false;
};

enum class TBrushStyle { bsSolid, bsClear, bsCross, bsDiagCross };
enum class TPenStyle { psSolid, psDot };
enum class TPenMode { pmCopy, pmNot, pmXor };
enum class TShapeType { stRectangle, stCircle };

// A marker laid over an image; it passes its mouse events to the image's handlers.
class TShape : public TControl {
 public:
  using TControl::TControl;
  TShapeType Shape = TShapeType::stRectangle;
  TPenStyle PenStyle = TPenStyle::psSolid;
  TPenMode PenMode = TPenMode::pmCopy;
  TColor PenColor = clBlack;
  int32_t PenWidth = 1;

  TBrushStyle BrushStyle() const { return BrushStyle_; }
  TColor BrushColor() const { return BrushColor_; }
  void SetBrushStyle(TBrushStyle s);
  void SetBrushColor(TColor c);

 private:
  TBrushStyle BrushStyle_ = TBrushStyle::bsSolid;
  TColor BrushColor_ = clWhite;
};

class TSpeedButtonGroup;

// A flat button; buttons of one group stay down one at a time.
class TSpeedButton : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;
  int32_t GroupIndex = 0;
  TNotifyEvent OnClick;

  bool Down() const { return Down_; }
  // Puts the button down (releasing the others of its group) or up.
  void SetDown(bool down);
  // A click as the user makes it: puts a grouped button down, then runs OnClick.
  void Click();
  TSpeedButtonGroup* Group = nullptr;

 private:
  bool Down_ = false;
};

class TSpeedButtonGroup {
 public:
  std::vector<TSpeedButton*> Buttons;
  void Add(TSpeedButton& b) { Buttons.push_back(&b); b.Group = this; }
  TSpeedButton* DownButton() const;
};

class TCheckBox : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;
  bool BlackBox = false;  // drawn as a black box (the magnifier switch)
  TNotifyEvent OnClick;
  bool Checked() const { return Checked_; }
  // Changing the state runs OnClick, as a user's click would.
  void SetChecked(bool v);
  void Click() { SetChecked(!Checked_); }

 private:
  bool Checked_ = false;
};

class TRadioGroup : public TControl {
 public:
  using TControl::TControl;
  std::string Caption;
  std::vector<std::string> Items;
  int32_t Columns = 1;
  TNotifyEvent OnClick;
  int32_t ItemIndex() const { return ItemIndex_; }
  // Clamps to -1 .. Items.size() - 1; a change runs OnClick.
  void SetItemIndex(int32_t v);

 private:
  int32_t ItemIndex_ = -1;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TControl {
 public:
  using TControl::TControl;
  TScrollBarKind Kind = TScrollBarKind::sbHorizontal;
  int32_t Min = 0, Max = 100, PageSize = 1;
  TNotifyEvent OnChange;
  int32_t Position() const { return Position_; }
  // Clamps to Min .. Max; a change runs OnChange.
  void SetPosition(int32_t v);

 private:
  int32_t Position_ = 0;
};

// A read-only edit box or a label.
class TTextControl : public TControl {
 public:
  using TControl::TControl;
  bool IsLabel = false;
  const std::string& Text() const { return Text_; }
  void SetText(const std::string& t);

 private:
  std::string Text_;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TStatusBar : public TControl {
 public:
  struct TPanelText {
    int32_t Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
    std::string Text;
  };
  using TControl::TControl;
  std::array<TPanelText, 5> Panels;
  void SetText(size_t panel, const std::string& text);
};

class TMenuItem : public TComponent {
 public:
  TMenuItem(std::string name, std::string caption, int32_t imageIndex = -1)
      : TComponent(std::move(name)), Caption(std::move(caption)), ImageIndex(imageIndex) {}
  std::string Caption;
  int32_t ImageIndex;
  bool Separator = false;
  TNotifyEvent OnClick;
  std::function<bool()> Checked;  // set for a check item: whether its check shows
  std::vector<TMenuItem*> Items;  // sub-items, in order
  void Click() { if (OnClick) OnClick(this); }
};

class TTimer : public TComponent {
 public:
  using TComponent::TComponent;
  int32_t Interval = 1000;
  TNotifyEvent OnTimer;
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool v);
  std::function<void()> OnModelChanged;

 private:
  bool Enabled_ = false;
};

// A picture file dialog's settings.
struct TFileDialogSpec {
  std::string Title;
  std::string Filter;  // "description|patterns|description|patterns..."
  std::string DefaultExt;
};

// The animation export dialog's texts: a title, a group of the four
// directions (the rows of the animation preview, in its order up, right,
// down, left) and a tick box for the transparent colour.
struct TAnimationDialogSpec {
  std::string Title;
  std::string DirectionCaption;
  std::array<std::string, 4> Directions;
  std::string TransparentCaption;
};

// What the user chooses in it: the row (0 up, 1 right, 2 down, 3 left) and
// whether the transparent colour is left out.
struct TAnimationChoice {
  uint8_t Direction = 0;
  bool Transparent = false;
};

}  // namespace pixkura
