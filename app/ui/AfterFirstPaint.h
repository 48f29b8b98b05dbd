// Work that the window's first picture need not wait for: it runs once, from
// the event loop, right after the window has first been painted, so start-up
// shows the window as early as it can and does the rest at once after it.
#pragma once

#include <functional>

class QWidget;

namespace pixkura {

// Runs work once after the window's first paint. Work queued before that paint
// runs in the order it was queued; work queued after it runs from the event
// loop at once. Nothing runs if the window is destroyed first.
void RunAfterFirstPaint(QWidget& window, std::function<void()> work);

}  // namespace pixkura
