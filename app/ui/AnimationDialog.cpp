#include "app/ui/AnimationDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/ui/Translation.h"

namespace pixkura {
namespace {

// Grid places of the rows up, right, down, left: a cross, as the preview's buttons.
constexpr std::array<std::pair<int, int>, 4> kPlaces{{{0, 1}, {1, 2}, {2, 1}, {1, 0}}};

}  // namespace

TAnimationDialog::TAnimationDialog(QWidget* parent, const TAnimationDialogSpec& spec,
                                   const TAnimationChoice& choice)
    : QDialog(parent), transparent_(new QCheckBox(Tr(TTextRole::Dialog, spec.TransparentCaption), this)) {
  setObjectName(QStringLiteral("AnimationDialog"));
  setWindowTitle(Tr(TTextRole::Dialog, spec.Title));
  auto* group = new QGroupBox(Tr(TTextRole::Dialog, spec.DirectionCaption), this);
  auto* cross = new QGridLayout(group);
  for (size_t row = 0; row < directions_.size(); ++row) {
    directions_[row] = new QRadioButton(Tr(TTextRole::Dialog, spec.Directions[row]), group);
    cross->addWidget(directions_[row], kPlaces[row].first, kPlaces[row].second, Qt::AlignCenter);
  }
  directions_[std::min<size_t>(choice.Direction, 3)]->setChecked(true);
  transparent_->setChecked(choice.Transparent);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(transparent_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TAnimationChoice TAnimationDialog::Choice() const {
  TAnimationChoice choice;
  for (size_t row = 0; row < directions_.size(); ++row)
    if (directions_[row]->isChecked()) choice.Direction = static_cast<uint8_t>(row);
  choice.Transparent = transparent_->isChecked();
  return choice;
}

bool ExecuteAnimationDialog(QWidget* parent, const TAnimationDialogSpec& spec, TAnimationChoice& choice) {
  TAnimationDialog dialog(parent, spec, choice);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.Choice();
  return true;
}

}  // namespace pixkura
