#include "common/markuptext.h"

#include "common/textcodec.h"

namespace MarkupText {

namespace {

bool isBlank(QChar c) { return c.unicode() <= 32; }

// One word (no blanks) made safe.
QString escapeWord(const QString& word) {
  QString out;
  bool entityUsed = false;  // the current element already holds an entity
  bool atStart = true;      // the next character starts an element (token)
  for (QChar c : word) {
    if (c == QLatin1Char('&') || (c == QLatin1Char('$') && atStart)) {
      if (entityUsed) out += QStringLiteral("<!>");  // a new element for the next entity
      out += c == QLatin1Char('&') ? QStringLiteral("&amp;") : QStringLiteral("&nil;$");
      entityUsed = true;
    } else if (c == QLatin1Char('<')) {
      out += QStringLiteral("<<");
      // "<<" ends the word before it: the literal "<" starts a new element.
      entityUsed = false;
    } else {
      out += c;
    }
    atStart = false;
  }
  return out;
}

}  // namespace

QString EscapeText(const QString& text) {
  QString out;
  qsizetype i = 0;
  while (i < text.size()) {
    if (isBlank(text[i])) {
      out += text[i++];
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && !isBlank(text[end])) ++end;
    out += escapeWord(text.mid(i, end - i));
    i = end;
  }
  return out;
}

QString EscapeTarget(const QString& text) {
  static const QString kSpecial = QStringLiteral("\"@°],%<>&\r\n");
  QString out;
  for (QChar c : text) {
    if (kSpecial.contains(c)) out += QStringLiteral("%%1").arg(Cp1252::codeOf(c), 2, 16, QLatin1Char('0')).toUpper();
    else out += c;
  }
  return out;
}

QString UnescapeTarget(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    bool ok = false;
    if (text[i] == QLatin1Char('%') && i + 2 < text.size()) {
      const int code = text.mid(i + 1, 2).toInt(&ok, 16);
      if (ok) {
        out += Cp1252::decode(QByteArray(1, static_cast<char>(code)));
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace MarkupText
