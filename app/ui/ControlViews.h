// Builds the widget of every control model and ties the two together: the
// model's change hook re-reads it, its repaint hook repaints it (at once or
// deferred), and an image also repaints when its picture reports a change.
#pragma once

#include <QWidget>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/core/Controls.h"

class QButtonGroup;

namespace pixkura {

class TControlViews {
 public:
  // Creates the widgets of controls (parents listed before their children);
  // controls without a parent go into client.
  TControlViews(const std::vector<TControl*>& controls, QWidget& client, const TFontSpec& windowFont);
  ~TControlViews();
  TControlViews(const TControlViews&) = delete;
  TControlViews& operator=(const TControlViews&) = delete;

  // The widget of a control, or null for one that is not in the list.
  QWidget* ViewOf(const TControl& control) const;

 private:
  QWidget* Create(TControl& control, QWidget& parent);
  void Bind(TControl& control, QWidget& view);
  QButtonGroup* GroupFor(const TSpeedButton& button, QWidget& parent);

  std::vector<TControl*> controls_;
  std::unordered_map<const TControl*, QWidget*> views_;
  std::map<std::pair<QWidget*, int32_t>, QButtonGroup*> groups_;
  std::vector<std::pair<TImage*, TGraphic::TNotifyEvent>> pictureHooks_;  // to restore
};

}  // namespace pixkura
