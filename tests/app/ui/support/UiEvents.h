// Mouse input as the window system delivers it: events go to the window and
// Qt routes them to the widget under the mouse (or the one that holds the
// implicit grab), as for a user. Also waiting helpers.
#pragma once

#include <QPoint>
#include <QPointF>
#include <Qt>

class QWidget;

namespace pixkura::test {

// pos: in the coordinates of the top-level widget `window`; a fractional
// position is one between pixels, as fractional display scaling delivers.
void MousePress(QWidget& window, Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods = {});
void MouseMove(QWidget& window, QPointF pos, Qt::KeyboardModifiers mods = {});
void MouseRelease(QWidget& window, Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods = {});
// A double-click at pos of window, through the window system's queue as a
// platform delivers one: Qt recognises the second press as a double-click
// and hands widgets press, release, the double-click, release.
void MouseDoubleClick(QWidget& window, Qt::MouseButton button, QPoint pos);
// Press and release at pos of widget (default: its centre).
void Click(QWidget& widget, Qt::MouseButton button = Qt::LeftButton, QPoint pos = QPoint(-1, -1));

// Runs the event loop until the window is exposed or a second has passed.
bool WaitExposed(QWidget& window);
// Runs the event loop for ms milliseconds.
void Wait(int ms);

}  // namespace pixkura::test
