// What one change costs on screen: the loupe, sheet and palette views
// repainted at once after their pictures changed, and a whole pen segment as
// the mouse delivers it (handler, sheet repaint, loupe redraw and repaint).
// Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "app/ui/MainForm.h"

namespace pixkura {
namespace {

// The window, built once in main.
TMainForm* window = nullptr;
TMainForm& Window() { return *window; }

std::unique_ptr<TMainForm> OpenWindow() {
  auto form = std::make_unique<TMainForm>();
  form->RunFormCreate();
  form->show();
  QElapsedTimer clock;
  clock.start();
  while (!(form->windowHandle() && form->windowHandle()->isExposed()) && clock.elapsed() < 2000)
    QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  return form;
}

void BM_RepaintViewsAfterChange(benchmark::State& state) {
  TEditor& ed = Window().Editor();
  int i = 0;
  for (auto _ : state) {
    ++i;
    ed.Views.LupeDib->SetPixels(i & 255, (i >> 8) & 255, i & 255);
    ed.Doc.AllDib->SetPixels(i & 255, (i >> 8) & 255, i & 255);
    ed.Doc.PalDib->SetPixels(i & 255, (i >> 8) % 96, i & 255);
    ed.LupeView.Repaint();
    ed.AllView.Repaint();
    ed.PalView.Repaint();
  }
}
BENCHMARK(BM_RepaintViewsAfterChange)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void SendMouse(QWidget& window, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               QPoint pos) {
  QMouseEvent event(type, QPointF(pos), QPointF(pos), QPointF(window.windowHandle()->mapToGlobal(pos)),
                    button, held, Qt::NoModifier, QPointingDevice::primaryPointingDevice());
  QCoreApplication::sendEvent(window.windowHandle(), &event);
}

// One pen segment per iteration: the drag goes back and forth across the loupe.
void BM_PenSegmentThroughTheWindow(benchmark::State& state) {
  TMainForm& form = Window();
  TEditor& ed = form.Editor();
  QWidget* loupe = form.ViewOf(ed.LupeView);
  const int bai = ed.View.Bai;
  const QPoint origin = loupe->mapTo(&form, QPoint(bai / 2, bai / 2));
  SendMouse(form, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, origin);
  SendMouse(form, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, origin);
  int step = 0;
  for (auto _ : state) {
    step = (step + 1) % 60;
    const int px = step < 30 ? step : 60 - step;
    SendMouse(form, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
              origin + QPoint(px * bai / 2, px * bai / 3));
  }
  SendMouse(form, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, origin);
}
BENCHMARK(BM_PenSegmentThroughTheWindow)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pixkura

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int qtArgc = 1;
  static char name[] = "bench_ui";
  static char* qtArgv[] = {name, nullptr};
  QApplication app(qtArgc, qtArgv);
  const std::unique_ptr<pixkura::TMainForm> form = pixkura::OpenWindow();
  pixkura::window = form.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
