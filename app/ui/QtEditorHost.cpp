#include "app/ui/QtEditorHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "app/ui/FileDialogs.h"
#include "app/ui/Translation.h"

namespace pixkura {

bool TQtEditorHost::ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) {
  if (openAnswer_) {
    fileName = std::move(*openAnswer_);
    openAnswer_.reset();
    return true;
  }
  return ExecuteFileDialog(spec, false, fileName);
}

bool TQtEditorHost::ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, true, fileName);
}

bool TQtEditorHost::ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName) {
  return ExecutePictureDialog(&window_, spec, save, fileName);
}

TModalResult TQtEditorHost::MessageBox(const std::string& text, TMsgDlgType type) {
  const QString message = TrMessage(text);
  switch (type) {
    case TMsgDlgType::mtConfirmation: {
      const auto answer = QMessageBox::question(&window_, Tr(TTextRole::Dialog, kConfirmTitle), message,
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
      return answer == QMessageBox::Yes ? TModalResult::mrYes : TModalResult::mrNo;
    }
    case TMsgDlgType::mtInformation:
      QMessageBox::information(&window_, Tr(TTextRole::Dialog, kInformationTitle), message, QMessageBox::Ok);
      return TModalResult::mrOk;
    case TMsgDlgType::mtError:
      break;
  }
  QMessageBox::critical(&window_, Tr(TTextRole::Dialog, kErrorTitle), message, QMessageBox::Ok);
  return TModalResult::mrOk;
}

void TQtEditorHost::Close() { window_.close(); }

}  // namespace pixkura
