#include "image/qt/IxDIBQt.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "image/IxDIBCanvas.h"
#include "image/IxDIBRLE.h"

namespace pixkura {

namespace {

// The palette entries as a Qt colour table: biClrUsed entries, or the full
// table of the depth when the header leaves it at 0.
QList<QRgb> ColorTableOf(const TIxInternalDIB& d) {
  const int bits = d.Header().biBitCount;
  const int n = d.Header().biClrUsed != 0 ? static_cast<int>(std::min<uint32_t>(d.Header().biClrUsed, 256))
                                          : (bits <= 8 ? 1 << bits : 0);
  QList<QRgb> table;
  table.reserve(n);
  for (int i = 0; i < n; ++i) {
    const TRGBQuad& q = d.ColorTable()[i];
    table.push_back(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue));
  }
  return table;
}

// Uncompressed storage of the bitmap: its own, or RLE storage decoded.
struct TPlainStorage {
  const TIxInternalDIB* Storage = nullptr;
  std::unique_ptr<TIxInternalDIB> Decoded;
};
TPlainStorage Uncompressed(const TIxDIB& dib) {
  TPlainStorage plain;
  const TIxInternalDIB& d = dib.InternalDIB();
  switch (d.GetPixelFormat()) {
    case ixPf8BitRLE:
      plain.Decoded = Convert8BitRLETo8BitRGB(d);
      break;
    case ixPf4BitRLE:
      plain.Decoded = Convert4BitRLETo4BitRGB(d);
      break;
    default:
      break;
  }
  plain.Storage = plain.Decoded ? plain.Decoded.get() : &d;
  return plain;
}

// Draws image (rows in storage order) into dest, turning bottom-up rows over.
void DrawRows(QPainter& painter, const QRect& dest, const QImage& image, bool bottomUp) {
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (bottomUp) {
    painter.translate(dest.left(), dest.top() + dest.height());
    painter.scale(1, -1);
    painter.drawImage(QRect(0, 0, dest.width(), dest.height()), image);
  } else {
    painter.drawImage(dest, image);
  }
  painter.restore();
}

}  // namespace

QImage WrapIndexed8(const TIxDIB& dib) {
  const TIxInternalDIB& d = dib.InternalDIB();
  if (d.Header().biBitCount != 8 || d.Header().biCompression != BI_RGB)
    throw EIxDIBBadDIBType("WrapIndexed8: Bad DIB Type");
  // The rows lie in memory in storage order: start at the first stored row.
  QImage image(d.Data(), d.Width, d.Height, d.RowSize(), QImage::Format_Indexed8);
  image.setColorTable(ColorTableOf(d));
  return image;
}

void Draw(QPainter& painter, const QRect& dest, const TIxDIB& dib) {
  if (dest.isEmpty()) return;
  if (dib.HalftoneMode == 1 || dib.HalftoneMode == 2) {
    // Stretched to the destination's size at the same depth and with the
    // bitmap's own palette, then reduced.
    TIxDIB source;
    TPlainStorage plain = Uncompressed(dib);
    if (plain.Decoded)
      source.MutableInternalDIB().TakeOver(std::move(*plain.Decoded));
    else
      source.Assign(&dib);
    source.HalftoneMode = 0;
    TIxDIB scaled;
    scaled.SetWidth(dest.width());
    scaled.SetHeight(dest.height());
    scaled.SetBitCount(dib.GetBitCount());
    scaled.SetPalette(source.GetPalette());
    {
      TIxDIBCanvas to(scaled), from(source);
      to.CopyRect(TRect{0, 0, dest.width(), dest.height()}, from,
                  TRect{0, 0, dib.GetWidth(), dib.GetHeight()});
    }
    scaled.SetPixelFormat(dib.HalftoneMode == 1 ? ixPfHalftone : ixPfHalftoneBW);
    Draw(painter, dest, scaled);
    return;
  }
  const TIxInternalDIB& d = dib.InternalDIB();
  if (d.Header().biBitCount == 8 && d.Header().biCompression == BI_RGB) {
    DrawRows(painter, dest, WrapIndexed8(dib), !d.TopDown());
    return;
  }
  DrawRows(painter, dest, AssignToQImage(dib), false);  // a converted copy, already upright
}

void AssignFromQImage(TIxDIB& dib, const QImage& image) {
  const int depth = image.depth();
  const int bits = depth == 1 ? 1 : (depth == 8 ? 8 : 24);
  const QImage::Format format = image.format();
  const bool grey = format == QImage::Format_Grayscale8 || format == QImage::Format_Alpha8;
  // The picture in the layout its rows are copied from.
  const QImage rows = bits == 1    ? image.convertToFormat(QImage::Format_Mono)
                      : bits == 24 ? image.convertToFormat(QImage::Format_BGR888)
                                   : image;
  QList<QRgb> table = bits == 24 ? QList<QRgb>() : rows.colorTable();
  if (grey) {
    table.clear();
    for (int i = 0; i < 256; ++i) table.push_back(qRgb(i, i, i));
  }
  const int defaultSize = bits == 1 ? 2 : (bits == 8 ? 256 : 0);
  const int paletteSize =
      table.isEmpty() ? defaultSize : static_cast<int>(std::min<qsizetype>(table.size(), 256));

  // Built aside: a failure leaves the bitmap as it was.
  auto storage = TIxInternalDIB::CreateDIB(image.width(), image.height(), bits, paletteSize);
  for (int i = 0; i < std::min<int>(static_cast<int>(table.size()), 256); ++i) {
    const QRgb c = table[i];
    storage->ColorTable()[i] = TRGBQuad{static_cast<uint8_t>(qBlue(c)), static_cast<uint8_t>(qGreen(c)),
                                        static_cast<uint8_t>(qRed(c)), 0};
  }
  const size_t rowBytes = static_cast<size_t>(bits == 1 ? (image.width() + 7) / 8 : image.width() * bits / 8);
  for (int y = 0; y < image.height(); ++y) std::memcpy(storage->Row(y), rows.constScanLine(y), rowBytes);

  {
    TIxDIB built;
    built.MutableInternalDIB().TakeOver(std::move(*storage));
    const TColor bk = dib.BkColor;
    const uint8_t convertMode = dib.ConvertMode, halftoneMode = dib.HalftoneMode;
    dib.Assign(&built);
    dib.BkColor = bk;
    dib.ConvertMode = convertMode;
    dib.HalftoneMode = halftoneMode;
  }
  dib.MutableInternalDIB().UpdatePalette();
  dib.UpdatePaletteModified();
  dib.Changed();
}

QImage AssignToQImage(const TIxDIB& dib) {
  const TIxPixelFormat format = dib.GetPixelFormat();
  const TPlainStorage plain = Uncompressed(dib);
  const TIxInternalDIB& d = *plain.Storage;
  const int w = d.Width, h = d.Height;
  switch (format) {
    case ixPf1Bit: {
      QImage image(w, h, QImage::Format_Mono);
      image.setColorTable(ColorTableOf(d));
      for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), d.Row(y), static_cast<size_t>((w + 7) / 8));
      return image;
    }
    case ixPf4Bit:
    case ixPf4BitRLE: {
      QImage image(w, h, QImage::Format_Indexed8);
      image.setColorTable(ColorTableOf(d));
      for (int y = 0; y < h; ++y) {
        const uint8_t* from = d.Row(y);
        uchar* to = image.scanLine(y);
        for (int x = 0; x < w; ++x) to[x] = (x & 1) ? (from[x >> 1] & 0x0F) : (from[x >> 1] >> 4);
      }
      return image;
    }
    case ixPf8Bit:
    case ixPf8BitRLE: {
      QImage image(w, h, QImage::Format_Indexed8);
      image.setColorTable(ColorTableOf(d));
      for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), d.Row(y), static_cast<size_t>(w));
      return image;
    }
    case ixPf24Bit: {
      QImage image(w, h, QImage::Format_RGB888);
      for (int y = 0; y < h; ++y) {
        const uint8_t* from = d.Row(y);
        uchar* to = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
          to[3 * x] = from[3 * x + 2];
          to[3 * x + 1] = from[3 * x + 1];
          to[3 * x + 2] = from[3 * x];
        }
      }
      return image;
    }
    default:
      throw EIxDIBAssert("TIxDIB.AssignTo: Illegal PixelFormat");
  }
}

}  // namespace pixkura
