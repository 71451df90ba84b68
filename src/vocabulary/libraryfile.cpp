#include "vocabulary/libraryfile.h"

#include <optional>

#include "common/textcodec.h"

namespace LibraryFile {

namespace {

const QString kCommentPrefix = QStringLiteral("// ");
const QString kEmptyComment = QStringLiteral("//");
const QString kNotSaved = QStringLiteral("Die Bibliothek wurde nicht gespeichert!");

// Hands out the trimmed lines of the decoded text one after another.
class LineReader {
 public:
  explicit LineReader(const QString& text) : text_(text) {}

  std::optional<QString> next() {
    const qsizetype n = text_.size();
    if (pos_ >= n) return std::nullopt;
    const QChar* data = text_.constData();
    qsizetype end = pos_;
    while (end < n && data[end] != QLatin1Char('\r') && data[end] != QLatin1Char('\n')) ++end;
    const QString line = Vocabulary::TrimBlanks(text_.mid(pos_, end - pos_));
    pos_ = end;
    if (pos_ < n) {
      const bool cr = data[pos_] == QLatin1Char('\r');
      ++pos_;
      if (cr && pos_ < n && data[pos_] == QLatin1Char('\n')) ++pos_;
    }
    return line;
  }

 private:
  const QString& text_;
  qsizetype pos_ = 0;
};

bool hasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool readsAsComment(const QString& vokabel) {
  const QString trimmed = Vocabulary::TrimBlanks(vokabel);
  return trimmed.startsWith(kCommentPrefix) || trimmed == kEmptyComment;
}

QString recordName(qsizetype index, const TVokabel& v) {
  return QStringLiteral("Der Eintrag %1 (%2)").arg(index + 1).arg(v.Vokabel);
}

QString flag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

Content parse(const QByteArray& bytes) {
  Content content;
  // The last byte is the LF of the final line end; a file that does not end
  // with one keeps its last character.
  qsizetype size = bytes.size();
  if (size > 0 && bytes[size - 1] == '\n') --size;
  const QString text = Cp1252::decode(bytes.constData(), size);
  LineReader lines(text);

  while (auto first = lines.next()) {
    if (first->startsWith(kCommentPrefix)) {
      content.comments.append(first->mid(kCommentPrefix.size()));
      continue;
    }
    if (*first == kEmptyComment) {
      content.comments.append(QString());
      continue;
    }
    TVokabel v;
    v.Vokabel = *first;
    std::array<QString, 9> rest;
    bool complete = true;
    for (int i = 0; i < 9; ++i) {
      auto line = lines.next();
      if (!line) {
        complete = false;
        break;
      }
      rest[i] = *line;
      // Number lines are checked as they come, so that a bad one ends the
      // reading even in a record that is cut off later.
      if (i == 6 || i == 8) {
        bool ok = false;
        const int value = rest[i].toInt(&ok, 10);
        if (!ok) {
          content.malformed = true;
          return content;
        }
        (i == 6 ? v.Wortart : v.Schwierigkeit) = value;
      }
    }
    if (!complete) break;  // a record cut off by the end of the file is left out
    v.Bedeutung[0] = rest[0];
    v.Bedeutung[1] = rest[1];
    v.Kontext[0] = rest[2];
    v.KontextBedeutung[0] = rest[3] != QLatin1String("0");
    v.Kontext[1] = rest[4];
    v.KontextBedeutung[1] = rest[5] != QLatin1String("0");
    v.Deutsch = rest[7] != QLatin1String("0");
    v.Score = 0;
    content.records.append(std::move(v));
  }
  return content;
}

QByteArray serialize(const QStringList& comments, const QList<TVokabel>& records) {
  QString text;
  text.reserve(records.size() * 64 + comments.size() * 32);
  const QString crlf = QStringLiteral("\r\n");
  for (const QString& comment : comments) {
    QString c = comment;
    c.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& piece : c.split(QLatin1Char('\n'))) text += kCommentPrefix + piece + crlf;
  }
  for (const TVokabel& v : records) {
    text += v.Vokabel + crlf;
    text += v.Bedeutung[0] + crlf;
    text += v.Bedeutung[1] + crlf;
    text += v.Kontext[0] + crlf;
    text += flag(v.KontextBedeutung[0]) + crlf;
    text += v.Kontext[1] + crlf;
    text += flag(v.KontextBedeutung[1]) + crlf;
    text += QString::number(v.Wortart) + crlf;
    text += flag(v.Deutsch) + crlf;
    text += QString::number(v.Schwierigkeit) + crlf;
  }
  return Cp1252::encode(text);
}

QString problemText(const QStringList& comments, const QList<TVokabel>& records) {
  for (const QString& comment : comments)
    if (!Cp1252::canEncode(comment))
      return QStringLiteral("Die Informationen zur Bibliothek enthalten Zeichen, die in einer Bibliothek nicht "
                            "gespeichert werden können.\n") +
             kNotSaved;
  for (qsizetype i = 0; i < records.size(); ++i) {
    const TVokabel& v = records[i];
    const std::array<const QString*, 5> fields = {&v.Vokabel, &v.Bedeutung[0], &v.Bedeutung[1], &v.Kontext[0],
                                                  &v.Kontext[1]};
    for (const QString* f : fields)
      if (hasLineBreak(*f)) return recordName(i, v) + QStringLiteral(" enthält einen Zeilenumbruch.\n") + kNotSaved;
    if (readsAsComment(v.Vokabel))
      return recordName(i, v) +
             QStringLiteral(" beginnt mit \"//\" und würde beim Laden als Kommentar gelesen.\n") + kNotSaved;
    for (const QString* f : fields)
      if (!Cp1252::canEncode(*f))
        return recordName(i, v) +
               QStringLiteral(" enthält Zeichen, die in einer Bibliothek nicht gespeichert werden können.\n") +
               kNotSaved;
  }
  return {};
}

}  // namespace LibraryFile
