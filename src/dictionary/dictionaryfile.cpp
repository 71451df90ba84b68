#include "dictionary/dictionaryfile.h"

#include <QFileInfo>

#include "common/fileio.h"
#include "common/textcodec.h"
#include "common/zstream.h"

namespace DictionaryFile {

namespace {

// The compressed form's content: NUL-terminated fields, three per entry. A
// last entry cut short keeps what it has.
QList<RawEntry> parseFields(const QByteArray& data) {
  QList<RawEntry> entries;
  qsizetype pos = 0;
  const auto field = [&]() -> std::optional<QString> {
    if (pos >= data.size()) return std::nullopt;
    qsizetype end = data.indexOf('\0', pos);
    if (end < 0) end = data.size();
    const QString text = Cp1252::decode(data.constData() + pos, end - pos);
    pos = end + 1;
    return text;
  };
  while (pos < data.size()) {
    RawEntry e;
    const auto word = field();
    if (!word) break;
    e.Word = *word;
    e.Class = field().value_or(QString());  // one digit, "1".."8"
    e.Meaning = field().value_or(QString());
    entries.append(e);
  }
  return entries;
}

// Of a stream cut short, the entries whose three fields all arrived.
QByteArray wholeEntries(const QByteArray& data) {
  qsizetype end = 0;
  int fields = 0;
  for (qsizetype i = 0; i < data.size(); ++i)
    if (data[i] == '\0' && ++fields % 3 == 0) end = i + 1;
  return data.left(end);
}

QList<RawEntry> parseLines(const QByteArray& data) {
  const QStringList lines = FileIO::splitLines(Cp1252::decode(data));
  QList<RawEntry> entries;
  for (qsizetype i = 0; i < lines.size(); i += 3)
    entries.append({lines[i], i + 1 < lines.size() ? lines[i + 1] : QString(),
                    i + 2 < lines.size() ? lines[i + 2] : QString()});
  return entries;
}

// Text as a text file may hold it: no NUL and no other control character
// than tabulators and line ends.
bool looksLikeText(const QByteArray& data) {
  for (const char c : data) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 && u != '\t' && u != '\r' && u != '\n') return false;
  }
  return true;
}

QByteArray classText(int wortart) { return QByteArray::number(wortart); }

}  // namespace

bool IsCompressedName(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  return suffix.compare(QLatin1String("zvk"), Qt::CaseInsensitive) == 0 ||
         suffix.compare(QLatin1String("xtm"), Qt::CaseInsensitive) == 0;
}

Content Parse(const QByteArray& bytes, const QString& path) {
  const QList<RawEntry> empty{{QStringLiteral("_leer"), QStringLiteral("1"), QStringLiteral("leer")}};
  if (ZStream::looksCompressed(bytes)) {
    bool complete = false;
    const QByteArray data = ZStream::decompressPrefix(bytes, &complete);
    if (!complete) return {parseFields(wholeEntries(data)), true};
    return {data.isEmpty() ? empty : parseFields(data), false};
  }
  if (IsCompressedName(path)) {
    if (bytes.isEmpty()) return {empty, false};
    if (!looksLikeText(bytes)) return {{}, true};
  }
  return {parseLines(bytes), false};
}

int ClassOf(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  const int byte = value & 0xFF;
  return ok && byte >= Dictionary::kMinWortart && byte <= Dictionary::kMaxWortart ? byte : Dictionary::kMinWortart;
}

QByteArray Compressed(const QList<TXDBEintrag>& entries) {
  QByteArray data;
  for (const TXDBEintrag& e : entries) {
    data += Cp1252::encode(e.Word);
    data += '\0';
    data += classText(e.Wortart);
    data += '\0';
    data += Cp1252::encode(e.Meaning);
    data += '\0';
  }
  return ZStream::compress(data, 1);
}

QByteArray Text(const QList<TXDBEintrag>& entries) {
  QByteArray data;
  for (const TXDBEintrag& e : entries) {
    data += Cp1252::encode(e.Word) + "\r\n";
    data += classText(e.Wortart) + "\r\n";
    data += Cp1252::encode(e.Meaning) + "\r\n";
  }
  return data;
}

QByteArray Serialize(const QList<TXDBEintrag>& entries, const QString& path) {
  return IsCompressedName(path) ? Compressed(entries) : Text(entries);
}

}  // namespace DictionaryFile
