#include "app/ui/FontMapping.h"

#include <QString>
#include <QStringList>

namespace pixkura {

QFont ToQFont(const TFontSpec& spec) {
  QFont font;
  QStringList families;
  if (!spec.Name.empty()) families << QString::fromStdString(spec.Name);
  families << QStringLiteral("IPAPGothic") << QStringLiteral("IPA Pゴシック");
  font.setFamilies(families);
  const int height = spec.Height < 0 ? -spec.Height : (spec.Height * 7 + 4) / 8;
  if (height > 0) font.setPixelSize(height);
  font.setBold(spec.Bold);
  font.setItalic(spec.Italic);
  return font;
}

}  // namespace pixkura
