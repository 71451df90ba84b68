#include "common/fileio.h"

#include <QFile>
#include <QSaveFile>

#include "common/textcodec.h"

namespace FileIO {

std::optional<QByteArray> readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) return std::nullopt;
  return data;
}

bool writeAtomically(const QString& path, const QByteArray& data) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (f.write(data) != data.size()) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

std::optional<QString> readText(const QString& path) {
  const auto bytes = readBytes(path);
  if (!bytes) return std::nullopt;
  return Cp1252::decode(*bytes);
}

QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines.append(text.mid(start, i - start));
      if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

bool writeTextLines(const QString& path, const QStringList& lines, bool strict) {
  QString text;
  for (const QString& line : lines) {
    text += line;
    text += QStringLiteral("\r\n");
  }
  bool ok = true;
  const QByteArray bytes = Cp1252::encode(text, &ok);
  if (!ok && strict) return false;
  return writeAtomically(path, bytes);
}

}  // namespace FileIO
