#include "tests/app/ui/support/UiEvents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace pixkura::test {
namespace {

Qt::MouseButtons held;  // buttons down, as the window system would remember them

void Send(QWidget& window, QEvent::Type type, Qt::MouseButton button, QPointF pos,
          Qt::KeyboardModifiers mods) {
  QWindow* handle = window.windowHandle();
  if (!handle) return;
  const QPointF global = QPointF(handle->mapToGlobal(QPoint(0, 0))) + pos;
  QMouseEvent event(type, pos, pos, global, button, held, mods, QPointingDevice::primaryPointingDevice());
  QCoreApplication::sendEvent(handle, &event);
}

}  // namespace

void MousePress(QWidget& window, Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods) {
  held |= button;
  Send(window, QEvent::MouseButtonPress, button, pos, mods);
}

void MouseMove(QWidget& window, QPointF pos, Qt::KeyboardModifiers mods) {
  Send(window, QEvent::MouseMove, Qt::NoButton, pos, mods);
}

void MouseRelease(QWidget& window, Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods) {
  held &= ~Qt::MouseButtons(button);
  Send(window, QEvent::MouseButtonRelease, button, pos, mods);
}

void MouseDoubleClick(QWidget& window, Qt::MouseButton button, QPoint pos) {
  if (QWindow* handle = window.windowHandle()) QTest::mouseDClick(handle, button, {}, pos);
}

void Click(QWidget& widget, Qt::MouseButton button, QPoint pos) {
  if (pos == QPoint(-1, -1)) pos = widget.rect().center();
  QWidget& window = *widget.window();
  const QPoint at = widget.mapTo(&window, pos);
  MousePress(window, button, at);
  MouseRelease(window, button, at);
}

bool WaitExposed(QWidget& window) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 1000) {
    if (window.windowHandle() && window.windowHandle()->isExposed()) return true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return false;
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace pixkura::test
