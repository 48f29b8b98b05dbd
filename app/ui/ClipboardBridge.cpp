#include "app/ui/ClipboardBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <algorithm>

#include "formats/ClipboardBlock.h"

namespace pixkura {
namespace {

const QString kBlockType =
    QString::fromLatin1(kBlockMimeType.data(), static_cast<qsizetype>(kBlockMimeType.size()));
const QString kPngType = QStringLiteral("image/png");

QByteArray BytesOf(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

std::vector<uint8_t> VectorOf(const QByteArray& bytes) {
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Our own PNG first (it keeps the indices), else whatever picture the
// desktop offers (Qt decodes BMP, JPEG and the rest).
QImage ImageOf(const QMimeData& mime) {
  if (mime.hasFormat(kPngType)) {
    QImage image;
    if (image.loadFromData(mime.data(kPngType), "PNG")) return image;
  }
  return mime.hasImage() ? qvariant_cast<QImage>(mime.imageData()) : QImage();
}

}  // namespace

void PutOnClipboard(const TClipboardOffer& offer) {
  auto* mime = new QMimeData;
  mime->setData(kBlockType, BytesOf(offer.Block));
  mime->setData(kPngType, BytesOf(offer.Png));
  QGuiApplication::clipboard()->setMimeData(mime);  // the clipboard owns it
}

TClipboardContent ReadFromClipboard() {
  TClipboardContent content;
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return content;
  if (mime->hasFormat(kBlockType)) content.Block = VectorOf(mime->data(kBlockType));
  // A damaged block falls back on the picture beside it.
  if (!DecodeIndexedBlock(content.Block)) content.Picture = PictureOfImage(ImageOf(*mime));
  return content;
}

TClipboardPicture PictureOfImage(const QImage& whole) {
  TClipboardPicture picture;
  if (whole.isNull()) return picture;
  // The editor cuts a picture at the sheet's size and says so: one row and
  // column more than it keeps tell it, so a huge screenshot is never copied whole.
  const QImage image = whole.copy(0, 0, std::min(whole.width(), kMaxBlockSide + 1),
                                  std::min(whole.height(), kMaxBlockSide + 1));
  picture.Width = image.width();
  picture.Height = image.height();
  const bool indexed = image.colorCount() > 0 && image.colorCount() <= 256;
  const QImage rows = image.convertToFormat(indexed ? QImage::Format_Indexed8 : QImage::Format_ARGB32);
  const size_t width = static_cast<size_t>(picture.Width);
  if (indexed) {
    const QList<QRgb> table = rows.colorTable();
    picture.Palette.assign(table.begin(), table.end());
    for (int y = 0; y < rows.height(); ++y)
      picture.Indices.insert(picture.Indices.end(), rows.constScanLine(y), rows.constScanLine(y) + width);
  } else {
    for (int y = 0; y < rows.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(rows.constScanLine(y));
      picture.Pixels.insert(picture.Pixels.end(), line, line + width);
    }
  }
  return picture;
}

}  // namespace pixkura
