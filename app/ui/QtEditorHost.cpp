#include "app/ui/QtEditorHost.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include "app/ui/FileFilter.h"

namespace pixkura {

bool TQtEditorHost::ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, false, fileName);
}

bool TQtEditorHost::ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return ExecuteFileDialog(spec, true, fileName);
}

bool TQtEditorHost::ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName) {
  QFileDialog dialog(&window_, QString::fromStdString(spec.Title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QString filter = ToQtFileFilter(spec.Filter);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
  if (!spec.DefaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(spec.DefaultExt));
  if (!fileName.empty()) {
    // File names are bytes in the system's encoding; decode them as Qt would.
    const QFileInfo previous(QFile::decodeName(fileName.c_str()));
    dialog.setDirectory(previous.absolutePath());
    dialog.selectFile(previous.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
  return true;
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
