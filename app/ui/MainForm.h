// The editor's one window: the menu bar above a fixed 785 x 518 client area
// that holds a widget for every control of the editor core. It owns the core
// (TEditor) and its host, turns Qt events into handler calls through the
// error report, and mirrors the animation timer.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "app/core/Editor.h"
#include "app/ui/QtEditorHost.h"
#include "formats/qt/SPIBmp.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMoveEvent;

namespace pixkura {

class TControlViews;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  TMainForm();
  ~TMainForm() override;

  TEditor& Editor() { return editor_; }
  // Builds the editor state; a failure is reported and the window still opens.
  void RunFormCreate();
  // The widget that mirrors a control, or null.
  QWidget* ViewOf(const TControl& control) const;
  QWidget* Client() const { return client_; }
  QTimer& AnimationTimer() { return movTimer_; }

  // Opens fileName as the open command does after its dialog (the editor's
  // OpenPicture): with unsaved changes the question comes first, Yes saves
  // and opens only when the save completed, No opens, Cancel keeps the sheet.
  // The file named on the command line and dropped files open through here.
  void OpenPictureFile(const std::string& fileName);

  // Recovery of unsaved work: copies kept in the recovery folder on a timer
  // from now on, and the start-up question about copies left by editors that
  // died (the program asks it before opening a file named on its command line).
  void StartRecovery();
  void OfferRecovery();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PlaceFromModel();
  void KeepReachable();
  void SyncTimer();
  void TimerTick();
  // The title: the file's name with the modified marker, then "Pixkura".
  void SyncTitle();
  // One wheel step over the loupe: scroll, Shift scrolls sideways, Ctrl zooms.
  void WheelStep(int steps, bool sideways, bool zoom);

  // Made first and released last: the plug-ins register their file types
  // for the plug-in bitmap while the window lives.
  TSPIBitmapRegistration pictureClasses_;
  TQtEditorHost host_;
  TEditor editor_;
  QWidget* client_;
  std::unique_ptr<TControlViews> views_;
  QTimer movTimer_;
  QTimer recoveryTimer_;  // asks the editor whether a recovery copy is due
  bool placing_ = false;  // moving the window to the model's place
  int wheelRest_ = 0;     // wheel angle not yet worth a whole step (fine-grained wheels)
};

// True when a window frame of the given size placed at topLeft can be
// reached: the middle of its title bar lies on one of the screens.
bool IsReachablePlace(QPoint topLeft, QSize frame);

}  // namespace pixkura
