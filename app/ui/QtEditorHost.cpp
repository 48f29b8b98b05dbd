#include "app/ui/QtEditorHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "app/ui/FileDialogs.h"

namespace pixkura {

bool TQtEditorHost::ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, false, fileName);
}

bool TQtEditorHost::ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, true, fileName);
}

bool TQtEditorHost::ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName) {
  return ExecutePictureDialog(&window_, spec, save, fileName);
}

TModalResult TQtEditorHost::MessageBox(const std::string& text, TMsgDlgType type) {
  const QString message = QString::fromStdString(text);
  switch (type) {
    case TMsgDlgType::mtConfirmation: {
      const auto answer = QMessageBox::question(&window_, QStringLiteral("確認"), message,
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
      return answer == QMessageBox::Yes ? TModalResult::mrYes : TModalResult::mrNo;
    }
    case TMsgDlgType::mtInformation:
      QMessageBox::information(&window_, QStringLiteral("情報"), message, QMessageBox::Ok);
      return TModalResult::mrOk;
    case TMsgDlgType::mtError:
      break;
  }
  QMessageBox::critical(&window_, QStringLiteral("エラー"), message, QMessageBox::Ok);
  return TModalResult::mrOk;
}

void TQtEditorHost::Close() { window_.close(); }

}  // namespace pixkura
