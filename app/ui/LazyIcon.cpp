#include "app/ui/LazyIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <memory>
#include <utility>

namespace pixkura {
namespace {

// Behaves as Qt's engine for an icon made of one pixmap: a smaller request
// gets the picture scaled down, a larger one the picture as it is, and the
// disabled and selected looks come from the style.
class TLazyPixmapEngine : public QIconEngine {
 public:
  TLazyPixmapEngine(QSize size, std::function<QPixmap()> draw)
      : picture_(std::make_shared<TPicture>(TPicture{size, std::move(draw), {}})) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QPaintDevice* device = painter->device();
    const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return Fitted(size); }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    QPixmap pm = Picture();
    if (pm.isNull()) return pm;
    if (const QSize fitted = Fitted(size); fitted != pm.size())
      pm = pm.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal) {
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
      if (!generated.isNull()) pm = generated;
    }
    return pm;
  }

  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    if (mode != QIcon::Normal || state != QIcon::Off) return {};
    return {picture_->Size};
  }

  QString key() const override { return QStringLiteral("pixkura.lazy"); }
  QIconEngine* clone() const override { return new TLazyPixmapEngine(*this); }
  bool isNull() override { return false; }

 private:
  // Shared by the clones, so the picture is drawn once.
  struct TPicture {
    QSize Size;
    std::function<QPixmap()> Draw;
    QPixmap Drawn;
  };

  TLazyPixmapEngine(const TLazyPixmapEngine& other) = default;

  const QPixmap& Picture() {
    if (picture_->Draw) {
      picture_->Drawn = picture_->Draw();
      picture_->Draw = nullptr;
    }
    return picture_->Drawn;
  }

  // The picture's size, scaled down (keeping its shape) to fit a smaller request.
  QSize Fitted(const QSize& request) const {
    QSize size = picture_->Size;
    if (!size.isNull() && (size.width() > request.width() || size.height() > request.height()))
      size.scale(request, Qt::KeepAspectRatio);
    return size;
  }

  std::shared_ptr<TPicture> picture_;
};

}  // namespace

QIcon LazyPixmapIcon(QSize size, std::function<QPixmap()> draw) {
  return QIcon(new TLazyPixmapEngine(size, std::move(draw)));
}

}  // namespace pixkura
