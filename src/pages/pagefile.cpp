#include "pages/pagefile.h"

#include <QStringList>

#include "common/fileio.h"
#include "common/textcodec.h"
#include "common/zstream.h"

namespace PageFile {

bool isCompressedName(const QString& fileName) {
  const QString lower = fileName.toLower();
  for (const char* ext : {".htx", ".hzvk", ".xtml", ".xtm"})
    if (lower.endsWith(QLatin1String(ext))) return true;
  return false;
}

Conversion toStoredText(const QByteArray& source) {
  QByteArray bytes = source;
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  const QString utf8 = QString::fromUtf8(bytes);
  const bool isUtf8 = utf8.toUtf8() == bytes;
  const QString text = isUtf8 ? utf8 : Cp1252::decode(bytes);

  QByteArray out;
  const QStringList lines = FileIO::splitLines(text);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    bool ok = true;
    out += Cp1252::encode(lines[i], &ok);
    if (!ok)
      return {{}, QStringLiteral("Zeile %1: Zeichen ohne Windows-1252-Code").arg(i + 1)};
    out += "\r\n";
  }
  return {out, {}};
}

Conversion pack(const QByteArray& source) {
  Conversion c = toStoredText(source);
  if (c.error.isEmpty()) c.bytes = ZStream::compress(c.bytes, 1);
  return c;
}

std::optional<QByteArray> unpack(const QByteArray& stored) { return ZStream::decompress(stored); }

}  // namespace PageFile
