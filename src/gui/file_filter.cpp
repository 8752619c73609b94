#include "gui/file_filter.h"

#include <QStringList>

namespace tavrello::gui {

QString qtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << (pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed());
    }
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) description = description.left(open).trimmed();
    entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

}  // namespace tavrello::gui
