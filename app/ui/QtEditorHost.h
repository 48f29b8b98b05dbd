// The editor's host on Qt: Qt's own (non-native) file dialogs, message boxes
// and closing the window.
#pragma once

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

 private:
  bool ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName);
  QWidget& window_;
};

}  // namespace pixkura
