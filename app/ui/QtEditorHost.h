// The editor's host on Qt: Qt's own (non-native) file and colour dialogs,
// the animation export dialog, a line of text, message boxes and closing the window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/core/EditorHost.h"

class QMessageBox;
class QWidget;

namespace pixkura {

class TQtEditorHost : public TEditorHost {
 public:
  explicit TQtEditorHost(QWidget& window) : window_(window) {}
  using TEditorHost::MessageBox;
  bool ExecuteOpenDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  bool ExecuteSaveDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  bool ExecuteColorDialog(const std::string& title, TColor& color) override;
  bool ExecuteAnimationDialog(const TAnimationDialogSpec& spec, TAnimationChoice& choice) override;
  bool ExecuteTextDialog(const std::string& title, const std::string& label, std::string& text) override;
  TModalResult MessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  int Ask(const std::string& text, const std::vector<std::string>& answers) override;
  void OfferToClipboard(const TClipboardOffer& offer) override;
  TClipboardContent ReadClipboard() override;
  void Close() override;

 private:
  bool ExecuteFileDialog(const TFileDialogSpec& spec, bool save, std::string& fileName);
  QWidget& window_;
};

// The box MessageBox shows: the kind's icon and title, the buttons, Yes (or
// OK) as the default, and Escape and the close button answering Cancel when
// there is one, else No, else OK.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& text, TMsgDlgType type,
                                            TMsgDlgButtons buttons);

}  // namespace pixkura
