// The editor's host on Qt: Qt's own (non-native) file dialogs, message boxes
// and closing the window.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/core/EditorHost.h"

class QWidget;

namespace pixkura {

class TQtEditorHost : public TEditorHost {
 public:
  explicit TQtEditorHost(QWidget& window) : window_(window) {}
  bool ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  bool ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  TModalResult MessageBox(const std::string& text, TMsgDlgType type) override;
  void Close() override;
  // The next open dialog is not shown but answered with fileName: the file
  // named on the command line and dropped files run the open command this way.
  void AnswerNextOpenDialog(std::string fileName) { openAnswer_ = std::move(fileName); }

 private:
  std::optional<std::string> openAnswer_;
  bool ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName);
  QWidget& window_;
};

}  // namespace pixkura
