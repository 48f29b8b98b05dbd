// A read-only edit box or a label showing the model's text.
#pragma once

#include <QLabel>
#include <QLineEdit>

#include "app/ui/ControlView.h"

namespace pixkura {

class TEditView : public QLineEdit, public TControlView {
 public:
  TEditView(TTextControl& model, QWidget* parent);
  void Sync() override;

 private:
  TTextControl& text_;
};

class TLabelView : public QLabel, public TControlView {
 public:
  TLabelView(TTextControl& model, QWidget* parent);
  void Sync() override;

 private:
  TTextControl& text_;
};

}  // namespace pixkura
