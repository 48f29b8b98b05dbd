#include "app/ui/ControlViews.h"

#include <QButtonGroup>

#include "app/ui/CheckBoxView.h"
#include "app/ui/FontMapping.h"
#include "app/ui/ImageView.h"
#include "app/ui/PanelView.h"
#include "app/ui/RadioGroupView.h"
#include "app/ui/ScrollBarView.h"
#include "app/ui/ShapeView.h"
#include "app/ui/SpeedButtonView.h"
#include "app/ui/StatusBarView.h"
#include "app/ui/TextView.h"
#include "app/ui/Translation.h"

namespace pixkura {
namespace {

bool SameFont(const TFontSpec& a, const TFontSpec& b) {
  return a.Name == b.Name && a.Height == b.Height && a.Bold == b.Bold && a.Italic == b.Italic;
}

Qt::CursorShape ToCursor(TCursorKind kind) {
  switch (kind) {
    case TCursorKind::crHandPoint:
      return Qt::PointingHandCursor;
    case TCursorKind::crCross:
      return Qt::CrossCursor;
    case TCursorKind::crDefault:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

TControlViews::TControlViews(const std::vector<TControl*>& controls, QWidget& client,
                             const TFontSpec& windowFont)
    : controls_(controls) {
  client.setFont(ToQFont(windowFont));
  for (TControl* control : controls_) {
    QWidget* parent = control->Parent ? ViewOf(*control->Parent) : &client;
    if (!parent) parent = &client;  // a parent missing from the list: keep the control visible
    QWidget* view = Create(*control, *parent);
    // Fonts are inherited; only a control whose font differs from its parent's sets one.
    const TFontSpec& inherited = control->Parent ? control->Parent->Font : windowFont;
    if (!SameFont(control->Font, inherited)) view->setFont(ToQFont(control->Font));
    if (!control->Hint.empty()) view->setToolTip(Tr(TTextRole::Hint, control->Hint));
    if (control->Cursor != TCursorKind::crDefault) view->setCursor(ToCursor(control->Cursor));
    views_[control] = view;
    Bind(*control, *view);
  }
}

TControlViews::~TControlViews() {
  // The models outlive the widgets: leave no hook pointing at a dead widget.
  for (TControl* control : controls_) {
    control->OnModelChanged = nullptr;
    control->OnRepaint = nullptr;
  }
  for (auto& [image, previous] : pictureHooks_) image->Picture.OnChange = std::move(previous);
}

QWidget* TControlViews::ViewOf(const TControl& control) const {
  auto it = views_.find(&control);
  return it == views_.end() ? nullptr : it->second;
}

QWidget* TControlViews::Create(TControl& control, QWidget& parent) {
  if (auto* image = dynamic_cast<TImage*>(&control)) return new TImageView(*image, &parent);
  if (auto* shape = dynamic_cast<TShape*>(&control)) return new TShapeView(*shape, &parent);
  if (auto* button = dynamic_cast<TSpeedButton*>(&control))
    return new TSpeedButtonView(*button, &parent, GroupFor(*button, parent));
  if (auto* box = dynamic_cast<TCheckBox*>(&control)) return new TCheckBoxView(*box, &parent);
  if (auto* radio = dynamic_cast<TRadioGroup*>(&control)) return new TRadioGroupView(*radio, &parent);
  if (auto* bar = dynamic_cast<TScrollBar*>(&control)) return new TScrollBarView(*bar, &parent);
  if (auto* text = dynamic_cast<TTextControl*>(&control)) {
    if (text->IsLabel) return new TLabelView(*text, &parent);
    return new TEditView(*text, &parent);
  }
  if (auto* status = dynamic_cast<TStatusBar*>(&control)) return new TStatusBarView(*status, &parent);
  if (auto* panel = dynamic_cast<TPanel*>(&control)) return new TPanelView(*panel, &parent);
  // A plain control: an empty area at its place.
  return new QWidget(&parent);
}

void TControlViews::Bind(TControl& control, QWidget& view) {
  auto* mirror = dynamic_cast<TControlView*>(&view);
  if (mirror) {
    control.OnModelChanged = [mirror] { mirror->Sync(); };
    mirror->Sync();
  } else {
    control.OnModelChanged = [&control, &view] { SyncPlacement(control, view); };
    SyncPlacement(control, view);
  }
  control.OnRepaint = [&view](bool now) {
    if (now)
      view.repaint();
    else
      view.update();
  };
  if (auto* image = dynamic_cast<TImage*>(&control)) {
    // Keep a hook the core may have set, and repaint after it.
    TGraphic::TNotifyEvent previous = image->Picture.OnChange;
    pictureHooks_.emplace_back(image, previous);
    image->Picture.OnChange = [previous, &view](TGraphic& sender) {
      if (previous) previous(sender);
      view.update();
    };
  }
}

QButtonGroup* TControlViews::GroupFor(const TSpeedButton& button, QWidget& parent) {
  if (button.GroupIndex == 0 && !button.Group) return nullptr;
  QButtonGroup*& group = groups_[{&parent, button.GroupIndex}];
  if (!group) {
    group = new QButtonGroup(&parent);
    group->setExclusive(true);
  }
  return group;
}

}  // namespace pixkura
