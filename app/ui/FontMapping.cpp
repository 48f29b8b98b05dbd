#include "app/ui/FontMapping.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace pixkura {

QFont ToQFont(const TFontSpec& spec) {
  QFont font;
  QStringList families;
  // A face that is not installed is left out rather than asked for: Qt would
  // search the system for a stand-in for every such name, which costs more
  // than the rest of the window's fonts, and end at the same Gothic anyway.
  if (const QString face = QString::fromStdString(spec.Name);
      !face.isEmpty() && QFontDatabase::hasFamily(face))
    families << face;
  families << QStringLiteral("IPAPGothic") << QStringLiteral("IPA Pゴシック");
  font.setFamilies(families);
  const int height = spec.Height < 0 ? -spec.Height : (spec.Height * 7 + 4) / 8;
  if (height > 0) font.setPixelSize(height);
  font.setBold(spec.Bold);
  font.setItalic(spec.Italic);
  return font;
}

}  // namespace pixkura
