#include "pages/tparser.h"

#include <algorithm>

namespace {
bool isBlankOrControl(QChar c) { return c.unicode() <= 32; }
}  // namespace

QString TParser::ReadName() {
  qsizetype end = pos_;
  while (end < text_.size() && text_[end] != QLatin1Char(' ') && text_[end] != QLatin1Char('\r')) ++end;
  const QString name = text_.mid(pos_, end - pos_).toUpper();
  pos_ = end;
  return name;
}

void TParser::SkipBlanks() {
  while (pos_ < text_.size() && isBlankOrControl(text_[pos_])) ++pos_;
}

int TParser::MatchKeyword(const QStringList& keywords) {
  if (failed_) return -1;
  SkipBlanks();
  for (int i = 0; i < keywords.size(); ++i) {
    const QString& k = keywords[i];
    if (QStringView(text_).mid(pos_).startsWith(k, Qt::CaseInsensitive)) {
      pos_ += k.size();
      return i;
    }
  }
  return -1;
}

bool TParser::ExpectEquals() {
  while (pos_ < text_.size() && text_[pos_] == QLatin1Char(' ')) ++pos_;
  if (pos_ >= text_.size() || text_[pos_] != QLatin1Char('=')) {
    failed_ = true;
    return false;
  }
  ++pos_;
  while (pos_ < text_.size() && text_[pos_] == QLatin1Char(' ')) ++pos_;
  return true;
}

QString TParser::Unquote(const QString& value) {
  QString v = value;
  if (v.startsWith(QLatin1Char('"'))) v.remove(0, 1);
  if (v.endsWith(QLatin1Char('"'))) v.chop(1);
  return v;
}

QString TParser::ReadUntilBlank() {
  qsizetype end = pos_;
  while (end < text_.size() && text_[end] != QLatin1Char(' ') && text_[end] != QLatin1Char('\r')) ++end;
  const QString value = text_.mid(pos_, end - pos_);
  pos_ = end;
  return value;
}

QString TParser::PlainValue() {
  if (!ExpectEquals()) return {};
  return Unquote(ReadUntilBlank());
}

QString TParser::QuotedValue() {
  if (!ExpectEquals()) return {};
  return ReadQuoted();
}

QString TParser::ReadQuoted() {
  if (pos_ >= text_.size() || text_[pos_] != QLatin1Char('"')) {
    failed_ = true;
    return {};
  }
  const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
  if (close < 0) {
    pos_ = text_.size();
    return {};
  }
  const QString value = text_.mid(pos_ + 1, close - pos_ - 1);
  pos_ = close + 1;
  return value;
}

bool TParser::TryNumberValue(int low, int high, int* value) {
  const QString text = PlainValue();
  if (failed_) return false;
  bool ok = false;
  const qlonglong n = text.trimmed().toLongLong(&ok);
  if (!ok) return false;
  *value = static_cast<int>(std::clamp<qlonglong>(n, low, high));
  return true;
}

int TParser::NumberValue(int low, int high, int fallback) {
  int v = fallback;
  return TryNumberValue(low, high, &v) ? v : fallback;
}
