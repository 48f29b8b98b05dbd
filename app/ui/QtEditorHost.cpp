#include "app/ui/QtEditorHost.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "app/core/EditorTexts.h"
#include "app/ui/AnimationDialog.h"
#include "app/ui/ClipboardBridge.h"
#include "app/ui/ColorDialog.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/Translation.h"

namespace pixkura {
namespace {

QMessageBox::StandardButtons StandardButtonsOf(TMsgDlgButtons buttons) {
  switch (buttons) {
    case TMsgDlgButtons::mbYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case TMsgDlgButtons::mbYesNoCancel:
    case TMsgDlgButtons::mbRecoverDiscardLater:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case TMsgDlgButtons::mbOK:
      break;
  }
  return QMessageBox::Ok;
}

// What Escape and the box's close button answer: Cancel, else No, else OK.
QMessageBox::StandardButton EscapeButtonOf(TMsgDlgButtons buttons) {
  switch (buttons) {
    case TMsgDlgButtons::mbYesNo:
      return QMessageBox::No;
    case TMsgDlgButtons::mbYesNoCancel:
    case TMsgDlgButtons::mbRecoverDiscardLater:
      return QMessageBox::Cancel;
    case TMsgDlgButtons::mbOK:
      break;
  }
  return QMessageBox::Ok;
}

TModalResult ResultOf(int answer) {
  switch (answer) {
    case QMessageBox::Yes:
      return TModalResult::mrYes;
    case QMessageBox::No:
      return TModalResult::mrNo;
    case QMessageBox::Ok:
      return TModalResult::mrOk;
    default:
      return TModalResult::mrCancel;
  }
}

}  // namespace

bool TQtEditorHost::ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, false, fileName);
}

bool TQtEditorHost::ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, true, fileName);
}

bool TQtEditorHost::ExecuteColorDialog(const std::string& title, TColor& color) {
  return pixkura::ExecuteColorDialog(&window_, title, color);
}

bool TQtEditorHost::ExecuteAnimationDialog(const TAnimationDialogSpec& spec, TAnimationChoice& choice) {
  return pixkura::ExecuteAnimationDialog(&window_, spec, choice);
}

bool TQtEditorHost::ExecuteTextDialog(const std::string& title, const std::string& label, std::string& text) {
  QInputDialog dialog(&window_);
  dialog.setObjectName(QStringLiteral("TextDialog"));
  dialog.setWindowTitle(Tr(TTextRole::Dialog, title));
  dialog.setLabelText(Tr(TTextRole::Dialog, label));
  dialog.setTextValue(QString::fromStdString(text));
  if (dialog.exec() != QDialog::Accepted) return false;
  text = dialog.textValue().toStdString();
  return true;
}

bool TQtEditorHost::ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName) {
  return ExecutePictureDialog(&window_, spec, save, fileName);
}

TModalResult TQtEditorHost::MessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(&window_, text, type, buttons);
  return ResultOf(box->exec());
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text, TMsgDlgType type,
                                            TMsgDlgButtons buttons) {
  QMessageBox::Icon icon = QMessageBox::Critical;
  std::string_view title = kErrorTitle;
  switch (type) {
    case TMsgDlgType::mtConfirmation:
      icon = QMessageBox::Question;
      title = kConfirmTitle;
      break;
    case TMsgDlgType::mtInformation:
      icon = QMessageBox::Information;
      title = kInformationTitle;
      break;
    case TMsgDlgType::mtError:
      break;
  }
  auto box = std::make_unique<QMessageBox>(icon, Tr(TTextRole::Dialog, title), TrMessage(text),
                                           StandardButtonsOf(buttons), parent);
  box->setDefaultButton(buttons == TMsgDlgButtons::mbOK ? QMessageBox::Ok : QMessageBox::Yes);
  box->setEscapeButton(EscapeButtonOf(buttons));
  if (buttons == TMsgDlgButtons::mbRecoverDiscardLater) {
    box->button(QMessageBox::Yes)->setText(Tr(TTextRole::Dialog, kRecoverButton));
    box->button(QMessageBox::No)->setText(Tr(TTextRole::Dialog, kDiscardButton));
    box->button(QMessageBox::Cancel)->setText(Tr(TTextRole::Dialog, kLaterButton));
  }
  return box;
}

int TQtEditorHost::Ask(const std::string& text, const std::vector<std::string>& answers) {
  QMessageBox box(QMessageBox::Question, Tr(TTextRole::Dialog, kConfirmTitle), TrMessage(text),
                  QMessageBox::Cancel, &window_);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& answer : answers)
    buttons.push_back(box.addButton(Tr(TTextRole::Dialog, answer), QMessageBox::AcceptRole));
  box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  return chosen == buttons.end() ? -1 : static_cast<int>(chosen - buttons.begin());
}

void TQtEditorHost::OfferToClipboard(const TClipboardOffer& offer) { PutOnClipboard(offer); }

TClipboardContent TQtEditorHost::ReadClipboard() { return ReadFromClipboard(); }

void TQtEditorHost::Close() { window_.close(); }

}  // namespace pixkura
