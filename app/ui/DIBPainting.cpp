#include "app/ui/DIBPainting.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace pixkura {

void PaintIxDIB(QPainter& painter, const QRect& target, const TIxDIB& dib) {
  const TIxInternalDIB& storage = dib.InternalDIB();
  const TBitmapInfoHeader& header = storage.Header();
  if (header.biBitCount != 8 || header.biCompression != 0 || !storage.Data() || target.isEmpty()) return;

  // A full table: indices past the bitmap's palette show black rather than
  // whatever Qt would pick for a missing entry.
  QList<QRgb> table(256, qRgb(0, 0, 0));
  const int entries = std::clamp(dib.GetPaletteSize(), 0, 256);
  for (int i = 0; i < entries; ++i) {
    const TRGBQuad& q = storage.ColorTable()[i];
    table[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  // The writable constructor only so that setting the table does not detach
  // into a copy; nothing writes through the image.
  QImage image(const_cast<uint8_t*>(storage.Data()), storage.Width, storage.Height, storage.RowSize(),
               QImage::Format_Indexed8);
  image.setColorTable(table);

  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (!storage.TopDown()) {
    // Bottom-up rows: mirror vertically about the target instead of copying.
    painter.translate(0, target.top() * 2 + target.height());
    painter.scale(1, -1);
  }
  painter.drawImage(target, image);
  painter.restore();
}

}  // namespace pixkura
