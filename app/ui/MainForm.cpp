#include "app/ui/MainForm.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <algorithm>

#include "app/core/EditorPlugins.h"
#include "app/ui/ControlViews.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/MenuBarBuilder.h"

namespace pixkura {

TMainForm::TMainForm() : host_(*this), editor_(host_), client_(new QWidget(this)) {
  setWindowTitle(QString::fromStdString(editor_.Caption));
  // Title bar, system menu and minimise button; no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  BuildMenuBar(*menuBar(), editor_.MainMenu1);
  client_->setFixedSize(editor_.MainForm.Width(), editor_.MainForm.Height());
  setCentralWidget(client_);
  views_ = std::make_unique<TControlViews>(editor_.Controls, *client_, editor_.MainForm.Font);
  // The window takes exactly the client area plus the menu bar, and keeps it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  editor_.MainForm.OnModelChanged = [this] { PlaceFromModel(); };
  PlaceFromModel();

  movTimer_.setTimerType(Qt::PreciseTimer);
  editor_.MovTim.OnModelChanged = [this] { SyncTimer(); };
  connect(&movTimer_, &QTimer::timeout, this, [this] { TimerTick(); });
  SyncTimer();
}

TMainForm::~TMainForm() {
  editor_.MainForm.OnModelChanged = nullptr;
  editor_.MovTim.OnModelChanged = nullptr;
  views_.reset();
}

void TMainForm::RunFormCreate() {
  // The plug-ins are found and loaded before the state is built, as the
  // window's components are created before its start-up handler runs.
  ReportErrors(this, [this] { CreatePluginManager(editor_); });
  ReportErrors(this, [this] { editor_.FormCreate(); });
}

QWidget* TMainForm::ViewOf(const TControl& control) const { return views_->ViewOf(control); }

void TMainForm::PlaceFromModel() {
  // Left/Top place the frame, as the settings store them.
  placing_ = true;
  move(editor_.MainForm.Left(), editor_.MainForm.Top());
  placing_ = false;
}

void TMainForm::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  // Where the user puts the window is what the settings keep at close.
  if (!placing_ && isVisible()) {
    const QPoint frame = pos();
    TControl& model = editor_.MainForm;
    model.SetBounds(frame.x(), frame.y(), model.Width(), model.Height());
  }
}

void TMainForm::SyncTimer() {
  movTimer_.setInterval(std::max(0, editor_.MovTim.Interval));
  if (editor_.MovTim.Enabled() && !movTimer_.isActive())
    movTimer_.start();
  else if (!editor_.MovTim.Enabled() && movTimer_.isActive())
    movTimer_.stop();
}

void TMainForm::TimerTick() {
  // While an error box is open, ticks wait; a tick that fails stops the
  // timer, or every tick after it would report the same failure again.
  if (IsReportingError() || !editor_.MovTim.OnTimer) return;
  if (!ReportErrors(this, [this] { editor_.MovTim.OnTimer(&editor_.MovTim); }))
    editor_.MovTim.SetEnabled(false);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  if (!ReportErrors(this, [this, &canClose] { editor_.FormCloseQuery(&editor_.MainForm, canClose); }) ||
      !canClose) {
    event->ignore();
    return;
  }
  // A failure while closing (the settings cannot be written) is reported,
  // but must not keep the user from quitting.
  ReportErrors(this, [this] { editor_.FormClose(&editor_.MainForm); });
  event->accept();
}

}  // namespace pixkura
