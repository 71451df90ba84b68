#include "dictdfile.h"

#include <zlib.h>

#include <QFile>
#include <QSet>

namespace DictdFile {

namespace {

// The whole text of a gzip file; dictzip is gzip with an extra header field
// that readers may ignore.
std::optional<QByteArray> readGzip(const QString& path) {
  gzFile file = gzopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return std::nullopt;
  QByteArray data;
  char buffer[1 << 16];
  int n;
  while ((n = gzread(file, buffer, sizeof buffer)) > 0) data.append(buffer, n);
  const bool ok = n == 0;
  gzclose(file);
  if (!ok) return std::nullopt;
  return data;
}

}  // namespace

std::optional<qint64> DecodeNumber(const QString& digits) {
  static const QString kAlphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
  if (digits.isEmpty() || digits.size() > 10) return std::nullopt;
  qint64 value = 0;
  for (const QChar c : digits) {
    const qsizetype d = kAlphabet.indexOf(c);
    if (d < 0) return std::nullopt;
    value = value * 64 + d;
  }
  return value;
}

std::optional<QStringList> ReadArticles(const QString& indexPath, const QString& dictPath, QString* error) {
  auto fail = [&](const QString& why) -> std::optional<QStringList> {
    if (error) *error = why;
    return std::nullopt;
  };
  QFile index(indexPath);
  if (!index.open(QIODevice::ReadOnly)) return fail(indexPath + QStringLiteral(" kann nicht gelesen werden"));
  const std::optional<QByteArray> text = readGzip(dictPath);
  if (!text) return fail(dictPath + QStringLiteral(" kann nicht gelesen werden"));

  QStringList articles;
  QSet<qint64> seen;
  int lineNumber = 0;
  while (!index.atEnd()) {
    ++lineNumber;
    QString line = QString::fromUtf8(index.readLine());
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char('\t'));
    const QString where = indexPath + QLatin1Char(':') + QString::number(lineNumber);
    if (fields.size() < 3) return fail(where + QStringLiteral(": Zeile ohne Wort, Anfang und Länge"));
    if (fields[0].startsWith(QLatin1String("00database")) || fields[0].startsWith(QLatin1String("00-database")))
      continue;
    const std::optional<qint64> offset = DecodeNumber(fields[1]);
    const std::optional<qint64> length = DecodeNumber(fields[2]);
    if (!offset || !length) return fail(where + QStringLiteral(": Anfang oder Länge ist keine Zahl"));
    if (*offset + *length > text->size()) return fail(where + QStringLiteral(": Artikel liegt hinter dem Ende des Textes"));
    if (seen.contains(*offset)) continue;
    seen.insert(*offset);
    articles << QString::fromUtf8(text->constData() + *offset, static_cast<qsizetype>(*length));
  }
  return articles;
}

}  // namespace DictdFile
