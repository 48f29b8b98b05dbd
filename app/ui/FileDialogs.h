// The picture dialogs: Qt's own (non-native) file dialog with the editor's
// title, filter and default suffix, and a preview pane that shows the
// selected file as the load command would read it (built-in reader or
// import plug-in), scaled to fit.
#pragma once

#include <QFileDialog>
#include <QWidget>
#include <memory>
#include <string>

#include "app/core/Controls.h"
#include "image/IxDIB.h"

class QLabel;

namespace pixkura {

// Shows one picture file, or says why it cannot.
class TPicturePreview : public QWidget {
 public:
  explicit TPicturePreview(QWidget* parent = nullptr);
  ~TPicturePreview() override;

  // Reads fileName through the plug-in-aware loader; anything unreadable
  // (a folder, a file no reader takes, a damaged file) shows no picture.
  // Asking again for the file shown last reads nothing.
  void ShowFile(const QString& fileName);
  void Clear();
  bool HasPicture() const { return picture_ != nullptr; }
  const TIxDIB* Picture() const { return picture_.get(); }
  // The box the picture is painted into, its aspect kept.
  QRect PictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<TIxDIB> picture_;
  QString shownFile_;  // the file last asked for, shown or not
  QLabel* caption_;
};

// The dialog for spec: open (an existing file) or save (any name; a name
// without extension gets spec.DefaultExt), starting at fileName's folder and
// name when one is given.
std::unique_ptr<QFileDialog> MakePictureDialog(QWidget* parent, const TFileDialogSpec& spec, bool save,
                                               const std::string& fileName);
// The preview pane of a dialog made by MakePictureDialog.
TPicturePreview* PreviewOf(QFileDialog& dialog);

// Runs the dialog modally; true with the chosen name (in the file system's
// encoding), false when cancelled.
bool ExecutePictureDialog(QWidget* parent, const TFileDialogSpec& spec, bool save, std::string& fileName);

}  // namespace pixkura
