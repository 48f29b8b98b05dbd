#include "app/ui/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

namespace pixkura {
namespace {

const QString kWatchName = QStringLiteral("AfterFirstPaint");

// Watches the window for its first paint event. The window paints before its
// children, and the whole picture is painted and flushed in the same pass, so
// work posted from here runs after the picture is on the screen.
class TFirstPaintWatch : public QObject {
 public:
  explicit TFirstPaintWatch(QWidget& window) : QObject(&window) {
    setObjectName(kWatchName);
    window.installEventFilter(this);
  }
  bool Painted() const { return painted_; }
  void Add(std::function<void()> work) { queued_.push_back(std::move(work)); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        for (auto& work : std::exchange(queued_, {})) work();
      });
    }
    return false;
  }

 private:
  std::vector<std::function<void()>> queued_;
  bool painted_ = false;
};

}  // namespace

void RunAfterFirstPaint(QWidget& window, std::function<void()> work) {
  auto* watch =
      static_cast<TFirstPaintWatch*>(window.findChild<QObject*>(kWatchName, Qt::FindDirectChildrenOnly));
  if (!watch) watch = new TFirstPaintWatch(window);
  if (watch->Painted())
    QTimer::singleShot(0, &window, std::move(work));
  else
    watch->Add(std::move(work));
}

}  // namespace pixkura
