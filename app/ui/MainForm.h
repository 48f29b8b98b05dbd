// The editor's one window: the menu bar above a fixed 785 x 518 client area
// that holds a widget for every control of the editor core. It owns the core
// (TEditor) and its host, turns Qt events into handler calls through the
// error report, and mirrors the animation timer.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "app/core/Editor.h"
#include "app/ui/QtEditorHost.h"

class QCloseEvent;
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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void PlaceFromModel();
  void SyncTimer();
  void TimerTick();

  TQtEditorHost host_;
  TEditor editor_;
  QWidget* client_;
  std::unique_ptr<TControlViews> views_;
  QTimer movTimer_;
  bool placing_ = false;  // moving the window to the model's place
};

}  // namespace pixkura
