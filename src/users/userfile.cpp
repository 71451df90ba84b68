#include "users/userfile.h"

#include <QFileInfo>

#include "common/fileio.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "users/privatefiles.h"

namespace UserFile {

namespace {

// Splits the content at NUL bytes. A final text without its NUL (a file cut
// off after the zlib stream was finished) still counts as a text.
QList<QByteArrayView> splitTexts(const QByteArray& data) {
  QList<QByteArrayView> texts;
  qsizetype start = 0;
  const qsizetype n = data.size();
  while (start < n) {
    qsizetype end = data.indexOf('\0', start);
    if (end < 0) end = n;
    texts.append(QByteArrayView(data.constData() + start, end - start));
    start = end + 1;
  }
  return texts;
}

QString decodeTrimmed(QByteArrayView bytes) {
  return UserScores::trimText(Cp1252::decode(bytes.data(), bytes.size()));
}

void appendText(QByteArray& out, const QString& text) {
  out += Cp1252::encode(text);
  out += '\0';
}

}  // namespace

QByteArray credentials(const QString& name, const QString& password) {
  return Cp1252::encode(name + QLatin1Char(':') + password);
}

QString formatTimeOfDay(qint64 seconds) {
  qint64 s = seconds % kSecondsPerDay;
  if (s < 0) s += kSecondsPerDay;
  return QStringLiteral("%1:%2:%3")
      .arg(s / 3600, 2, 10, QLatin1Char('0'))
      .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> parseTimeOfDay(const QString& text) {
  const QStringList parts = text.trimmed().split(QLatin1Char(':'));
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  qint64 values[3] = {0, 0, 0};
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& p = parts[i];
    if (p.isEmpty() || p.size() > 2) return std::nullopt;
    for (QChar c : p)
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    values[i] = p.toInt();
  }
  if (values[0] > 23 || values[1] > 59 || values[2] > 59) return std::nullopt;
  return values[0] * 3600 + values[1] * 60 + values[2];
}

QByteArray serialize(const QByteArray& creds, qint64 learningSeconds, const std::deque<TXUserVoc>& records) {
  QByteArray out;
  out.reserve(64 + static_cast<qsizetype>(records.size()) * 32);
  out += creds;
  out += '\0';
  appendText(out, QLatin1Char('!') + formatTimeOfDay(learningSeconds));
  for (const TXUserVoc& r : records) {
    if (r.key.isEmpty()) continue;
    appendText(out, r.key);
    appendText(out, r.results);
    appendText(out, r.kinds);
  }
  return out;
}

std::optional<Content> parse(const QByteArray& data) {
  // Every user file ends its first text with a NUL; content without one is foreign.
  if (!data.contains('\0')) return std::nullopt;
  // Far more records and longer texts than any learner's history has: such
  // content is damaged (or made to exhaust the computer). Counted before the
  // texts are cut out, which would take memory of its own.
  if (data.count('\0') > 3 * kMaxRecords + 2) return std::nullopt;
  const QList<QByteArrayView> texts = splitTexts(data);
  Content content;
  qsizetype i = 0;
  content.credentials = i < texts.size() ? texts[i++].toByteArray() : QByteArray();
  if (i < texts.size() && texts[i].startsWith('!')) {
    const QString time = Cp1252::decode(texts[i].data() + 1, texts[i].size() - 1);
    // An unreadable time costs the learning time, not the history.
    content.learningSeconds = parseTimeOfDay(time).value_or(0);
    ++i;
  }
  for (qsizetype t = i; t < texts.size(); ++t)
    if (texts[t].size() > kMaxTextBytes) return std::nullopt;
  content.records.reserve((texts.size() - i) / 3 + 1);
  while (i < texts.size()) {
    TXUserVoc r;
    r.key = decodeTrimmed(texts[i++]);
    if (i < texts.size()) r.results = decodeTrimmed(texts[i++]);
    if (i < texts.size()) r.kinds = decodeTrimmed(texts[i++]);
    if (!r.key.isEmpty()) content.records.append(std::move(r));
  }
  return content;
}

ReadResult read(const QString& path) {
  ReadResult result;
  if (!QFileInfo(path).isFile()) {
    result.status = QFileInfo::exists(path) ? ReadStatus::Damaged : ReadStatus::Missing;
    return result;
  }
  const auto bytes = FileIO::readBytes(path);
  if (!bytes) {
    result.status = ReadStatus::Damaged;
    return result;
  }
  if (bytes->isEmpty()) {
    result.status = ReadStatus::Ok;
    result.empty = true;
    return result;
  }
  const auto inflated = ZStream::decompress(*bytes, kMaxInflatedBytes);
  if (!inflated) {
    result.status = ReadStatus::Damaged;
    return result;
  }
  if (inflated->isEmpty()) {
    result.status = ReadStatus::Ok;
    result.empty = true;
    return result;
  }
  auto content = parse(*inflated);
  if (!content) {
    result.status = ReadStatus::Damaged;
    return result;
  }
  result.status = ReadStatus::Ok;
  result.content = std::move(*content);
  return result;
}

bool write(const QString& path, const QByteArray& creds, qint64 learningSeconds,
           const std::deque<TXUserVoc>& records) {
  const QByteArray stream = ZStream::compress(serialize(creds, learningSeconds, records), 1);
  if (stream.isEmpty()) return false;
  return PrivateFiles::replace(path, stream);
}

}  // namespace UserFile
