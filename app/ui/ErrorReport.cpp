#include "app/ui/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <exception>

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

}  // namespace

bool ReportErrors(QWidget* parent, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const EAbort&) {
    return false;
  } catch (const std::exception& e) {
    ShowError(parent, QString::fromUtf8(e.what()));
  } catch (...) {
    ShowError(parent, QStringLiteral("Unknown error"));
  }
  return false;
}

bool IsReportingError() { return openReports > 0; }

}  // namespace pixkura
