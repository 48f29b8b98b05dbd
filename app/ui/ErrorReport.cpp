#include "app/ui/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <exception>
#include <utility>

#include "app/ui/Translation.h"
#include "base/Exception.h"

namespace pixkura {
namespace {

int openReports = 0;

void ShowError(QWidget* parent, const QString& message) {
  ++openReports;
  // The box must not outlive a failure inside itself: count it closed on every path.
  struct Closer {
    ~Closer() { --openReports; }
  } closer;
  QMessageBox::critical(parent, QApplication::applicationName(), message, QMessageBox::Ok);
}

std::function<void()>& AfterActionHook() {
  static std::function<void()> hook;
  return hook;
}

bool Run(QWidget* parent, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const EAbort&) {
    return false;
  } catch (const std::exception& e) {
    ShowError(parent, TrMessage(e.what()));
  } catch (...) {
    ShowError(parent, QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace

bool ReportErrors(QWidget* parent, const std::function<void()>& action) {
  const bool done = Run(parent, action);
  if (const auto& hook = AfterActionHook()) hook();
  return done;
}

void SetAfterActionHook(std::function<void()> hook) { AfterActionHook() = std::move(hook); }

bool IsReportingError() { return openReports > 0; }

}  // namespace pixkura
