// The application's error report: every call from a Qt event into the editor
// core goes through ReportErrors, so an exception that escapes a handler ends
// in an error box with its message instead of ending the program. The event
// loop goes on and whatever the handler changed before it failed stays changed.
#pragma once

#include <functional>

class QWidget;

namespace pixkura {

// Runs action; an escaping exception is shown in a critical message box over
// parent (EAbort, the user's quiet stop, is swallowed). Returns false when the
// action raised.
bool ReportErrors(QWidget* parent, const std::function<void()>& action);

// Runs after every action that went through ReportErrors, failed or not: the
// window's title follows the editor's state this way. One hook; null clears it.
void SetAfterActionHook(std::function<void()> hook);

// True while an error box is open. Repeating sources (the animation timer)
// hold back while it is, so one failure does not pile up boxes.
bool IsReportingError();

}  // namespace pixkura
