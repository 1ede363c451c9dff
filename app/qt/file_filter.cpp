#include "app/qt/file_filter.h"

#include <QStringList>

namespace kv5 {

namespace {

// "*.*" means every file; on this system a file need not have a dot.
QString QtPatterns(const QString& patterns) {
  QStringList parts;
  for (QString part : patterns.split(';', Qt::SkipEmptyParts)) {
    part = part.trimmed();
    if (part.isEmpty()) continue;
    parts << (part == "*.*" ? QString("*") : part);
  }
  return parts.join(' ');
}

}  // namespace

QString QtFileFilter(const std::string& pairedFilter) {
  const QStringList fields = QString::fromStdString(pairedFilter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i < fields.size(); i += 2) {
    const QString description = fields[i].trimmed();
    const QString patterns = QtPatterns(i + 1 < fields.size() ? fields[i + 1] : fields[i]);
    if (patterns.isEmpty()) continue;
    filters << (description.isEmpty() ? patterns : description) + " (" + patterns + ")";
  }
  if (filters.isEmpty()) return "* (*)";
  return filters.join(";;");
}

}  // namespace kv5
