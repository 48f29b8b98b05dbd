#include "app/ui/MainForm.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QMoveEvent>
#include <QScreen>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/core/EditorPlugins.h"
#include "app/ui/AfterFirstPaint.h"
#include "app/ui/ControlViews.h"
#include "app/ui/ErrorReport.h"
#include "app/ui/FileNameBytes.h"
#include "app/ui/KeyBindings.h"
#include "app/ui/MenuBarBuilder.h"
#include "app/ui/Translation.h"
#include "base/UserFolders.h"

namespace pixkura {

TMainForm::TMainForm() : host_(*this), editor_(host_), client_(new QWidget(this)) {
  // Title bar, system menu and minimise button; no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  BuildMenuBar(*menuBar(), editor_.MainMenu1);
  AssignMenuKeys(*menuBar());
  AddButtonKeys(*this, editor_);
  setAcceptDrops(true);
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

  // Every handler runs through the error report; after each, the title
  // follows the file name and the modified flag.
  SetAfterActionHook([this] { SyncTitle(); });
  for (const TControl* c : {static_cast<TControl*>(&editor_.LupeView), static_cast<TControl*>(&editor_.Cur),
                            static_cast<TControl*>(&editor_.DrawTg)})
    if (QWidget* view = ViewOf(*c)) view->installEventFilter(this);
  SyncTitle();
}

TMainForm::~TMainForm() {
  SetAfterActionHook(nullptr);
  editor_.MainForm.OnModelChanged = nullptr;
  editor_.MovTim.OnModelChanged = nullptr;
  views_.reset();
}

void TMainForm::RunFormCreate() {
  // The plug-ins are found and loaded before the state is built, as the
  // window's components are created before its start-up handler runs.
  ReportErrors(this, [this] { CreatePluginManager(editor_); });
  ReportErrors(this, [this] { editor_.FormCreate(); });
  KeepReachable();
  // The blend table is ready before the user can pick the blend tool, but
  // not built on the way to the window's first picture.
  RunAfterFirstPaint(*this, [this] { ReportErrors(this, [this] { editor_.Blend(); }); });
}

QWidget* TMainForm::ViewOf(const TControl& control) const { return views_->ViewOf(control); }

void TMainForm::PlaceFromModel() {
  // Left/Top place the frame, as the settings store them.
  placing_ = true;
  move(editor_.MainForm.Left(), editor_.MainForm.Top());
  placing_ = false;
}

void TMainForm::KeepReachable() {
  // A stored place on no screen (a monitor since unplugged, an edited file)
  // would leave the window where nobody can reach it: the default place
  // stands in.
  TControl& model = editor_.MainForm;
  if (!IsReachablePlace(QPoint(model.Left(), model.Top()), frameGeometry().size()))
    model.SetBounds(0, 0, model.Width(), model.Height());
}

bool IsReachablePlace(QPoint topLeft, QSize frame) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return true;  // nothing to measure against
  // The middle of the title bar must lie on a screen: there it can be grabbed.
  const QPoint grip(topLeft.x() + std::max(frame.width(), 1) / 2, topLeft.y() + 8);
  return std::any_of(screens.begin(), screens.end(),
                     [&](const QScreen* screen) { return screen->geometry().contains(grip); });
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

void TMainForm::SyncTitle() {
  const QString path = QFile::decodeName(editor_.Doc.FileName.c_str());
  // Until a file is named the sheet goes by the status bar's untitled name.
  const QString name =
      path.isEmpty() ? Tr(TTextRole::Status, editor_.SBar.Panels[0].Text) : QFileInfo(path).fileName();
  const QString title = name + QStringLiteral("[*] \u2014 ") + QString::fromStdString(editor_.Caption);
  if (windowFilePath() != path) setWindowFilePath(path);
  if (windowTitle() != title) setWindowTitle(title);
  if (isWindowModified() != editor_.Doc.Modified()) setWindowModified(editor_.Doc.Modified());
}

void TMainForm::OpenPictureFile(const std::string& fileName) {
  ReportErrors(this, [this, &fileName] { editor_.OpenPicture(fileName); });
}

void TMainForm::StartRecovery() {
  editor_.StartRecovery(RecoveryFolder());
  // The editor decides; the timer only asks often enough for a one-second interval.
  recoveryTimer_.setInterval(250);
  connect(&recoveryTimer_, &QTimer::timeout, this, [this] {
    if (!IsReportingError())
      ReportErrors(this, [this] { editor_.RecoveryTimerTick(std::chrono::steady_clock::now()); });
  });
  recoveryTimer_.start();
}

void TMainForm::OfferRecovery() {
  ReportErrors(this, [this] { editor_.OfferRecovery(); });
}

void TMainForm::WheelStep(int steps, bool sideways, bool zoom) {
  // Wheel up (away from the user) scrolls up or left and zooms in.
  for (int i = 0; i < std::abs(steps); ++i) {
    const bool forward = steps > 0;
    ReportErrors(this, [&] {
      if (zoom)
        (forward ? editor_.MnZoomIn : editor_.MnZoomOut).Click();
      else if (sideways)
        (forward ? editor_.LupeLeft : editor_.LupeRight).Click();
      else
        (forward ? editor_.LupeUp : editor_.LupeDown).Click();
    });
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // The loupe and the markers on it take the wheel.
  if (event->type() != QEvent::Wheel) return QMainWindow::eventFilter(watched, event);
  auto* wheel = static_cast<QWheelEvent*>(event);
  wheel->accept();
  if (!KeysMayAct()) return true;
  const bool zoom = wheel->modifiers() & Qt::ControlModifier;
  // Shift turns the wheel sideways; some systems already report that as a
  // horizontal wheel.
  QPoint delta = wheel->angleDelta();
  bool sideways = wheel->modifiers() & Qt::ShiftModifier;
  if (delta.y() == 0 && delta.x() != 0) {
    delta.setY(delta.x());
    sideways = true;
  }
  // A notch is 120; finer wheels add up to notches.
  wheelRest_ += delta.y();
  const int steps = wheelRest_ / 120;
  wheelRest_ -= steps * 120;
  WheelStep(steps, sideways, zoom);
  return true;
}

namespace {

// The first dropped item as a local file name, or empty when it is no file.
std::string DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const std::string file = FileNameOfUrl(data->urls().constFirst());
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) ? AbsoluteFileName(file) : std::string();
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (KeysMayAct() && !DroppedFile(event->mimeData()).empty())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const std::string file = DroppedFile(event->mimeData());
  if (file.empty() || !KeysMayAct()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // The drop ends first: a question asked inside it would hold up the
  // program the file was dragged from.
  QTimer::singleShot(0, this, [this, file] { OpenPictureFile(file); });
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
