#include "app/ui/FileFilter.h"

#include <QStringList>

#include "app/ui/Translation.h"

namespace pixkura {

QString ToQtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      if (open >= 0) description = description.left(open).trimmed();
    }
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) continue;
    if (description.isEmpty())
      description = patterns.join(QLatin1Char(' '));
    else
      description = Tr(TTextRole::Dialog, description.toStdString());
    entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

QString SingleSuffixOf(const QString& qtFilterEntry) {
  const qsizetype open = qtFilterEntry.lastIndexOf(QLatin1Char('('));
  const qsizetype close = qtFilterEntry.lastIndexOf(QLatin1Char(')'));
  if (open < 0 || close < open) return {};
  const QStringList patterns =
      qtFilterEntry.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (patterns.size() != 1 || !patterns[0].startsWith(QStringLiteral("*."))) return {};
  const QString suffix = patterns[0].mid(2);
  if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) return {};
  return suffix;
}

}  // namespace pixkura
