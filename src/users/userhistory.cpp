#include "users/userhistory.h"

#include <QVarLengthArray>
#include <algorithm>

#include "common/textcodec.h"

namespace UserScores {

QChar resultChar(int score) {
  return QChar(65 + std::clamp(score, kMinStoredScore, kMaxStoredScore));
}

QChar kindChar(QChar kind) {
  const char16_t u = kind.unicode();
  if (u <= 0x20 || (u >= 0x7F && u <= 0xA0) || Cp1252::codeOf(kind) < 0) return QLatin1Char('?');
  return kind;
}

int scoreOf(QChar c) {
  int code = Cp1252::codeOf(c);
  if (code < 0) code = '?';
  return code - 65;
}

int absolute(const QString& results) {
  int sum = 0;
  for (QChar c : results) sum += scoreOf(c);
  return std::clamp(sum, -100, 100);
}

int weight(const QString& kinds) {
  if (kinds.isEmpty()) return 100;
  int w = 0;
  for (QChar c : kinds) {
    switch (c.unicode()) {
      case 'e': w += 20; break;
      case 'f': w += 16; break;
      case 'm': w += 12; break;
      case 'v': w += 8; break;
      default: w += 10; break;
    }
  }
  return w;
}

int relative(const QString& results, const QString& kinds) {
  const int a = absolute(results);
  const int w = weight(kinds);
  const int scaled = a * 100;
  // Nearest integer, halves away from zero.
  const int r = scaled >= 0 ? (2 * scaled + w) / (2 * w) : -((-2 * scaled + w) / (2 * w));
  return std::clamp(r, -100, 100);
}

QString trimText(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

QString makeKey(const QString& text, bool deutsch, int wortart) {
  QString t = trimText(text);
  t.remove(QChar(0));
  return QString(deutsch ? QLatin1Char('<') : QLatin1Char('>')) + QString::number(wortart) + t;
}

}  // namespace UserScores

namespace {

// The index form of a key: the first two characters (language mark and word
// class) as they are, the rest folded to one letter case character by
// character. Built on the stack, so that a lookup allocates nothing.
class IndexKey {
 public:
  void addExact(QChar c) { chars_.append(c); }
  void addFolded(QChar c) { chars_.append(c.toCaseFolded()); }
  void addKey(QStringView key) {
    for (qsizetype i = 0; i < key.size(); ++i) i < 2 ? addExact(key[i]) : addFolded(key[i]);
  }
  void addNumber(int n) {
    if (n < 0) chars_.append(QLatin1Char('-'));
    unsigned int u = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
    char digits[12];
    int length = 0;
    do {
      digits[length++] = static_cast<char>('0' + u % 10);
      u /= 10;
    } while (u != 0);
    while (length > 0) chars_.append(QLatin1Char(digits[--length]));
  }
  // Valid while this object lives.
  QString view() const { return QString::fromRawData(chars_.constData(), chars_.size()); }
  QString copy() const { return QString(chars_.constData(), chars_.size()); }

 private:
  QVarLengthArray<QChar, 128> chars_;
};

}  // namespace

void UserHistory::clear() {
  index_.clear();
  records_.clear();
}

void UserHistory::index(TXUserVoc& record) {
  IndexKey folded;
  folded.addKey(record.key);
  const QString k = folded.copy();
  // The first record of a key wins; later duplicates (from a file) stay unreachable.
  if (!index_.contains(k)) index_.insert(k, &record);
}

void UserHistory::append(TXUserVoc record) {
  records_.push_back(std::move(record));
  index(records_.back());
}

const TXUserVoc* UserHistory::find(QStringView key) const {
  IndexKey folded;
  folded.addKey(key);
  return index_.value(folded.view(), nullptr);
}

const TXUserVoc* UserHistory::findItem(const QString& text, bool deutsch, int wortart) const {
  // Word class digits and the language mark are the same folded or not, so
  // the text alone needs folding; it is trimmed and NULs are skipped as in makeKey.
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  IndexKey folded;
  folded.addExact(deutsch ? QLatin1Char('<') : QLatin1Char('>'));
  folded.addNumber(wortart);
  for (qsizetype i = begin; i < end; ++i)
    if (!text[i].isNull()) folded.addFolded(text[i]);
  return index_.value(folded.view(), nullptr);
}

TXUserVoc* UserHistory::findMutable(QStringView key) { return const_cast<TXUserVoc*>(find(key)); }

void UserHistory::record(const QString& key, QChar kind, int score) {
  const QChar result = UserScores::resultChar(score);
  kind = UserScores::kindChar(kind);
  if (TXUserVoc* r = findMutable(key)) {
    r->results = result + r->results.left(UserScores::kMaxAnswers - 1);
    r->kinds = kind + r->kinds.left(UserScores::kMaxAnswers - 1);
    return;
  }
  TXUserVoc fresh{key, QString(result), QString(kind)};
  if (key.startsWith(QLatin1Char('<'))) {
    records_.push_back(std::move(fresh));
    index(records_.back());
  } else {
    records_.push_front(std::move(fresh));
    index(records_.front());
  }
}

int UserHistory::resetNewest(const QString& key, int n) {
  TXUserVoc* r = findMutable(key);
  if (!r) return 0;
  if (n > 0) {
    r->results.remove(0, n);
    r->kinds.remove(0, n);
  }
  return UserScores::absolute(r->results);
}

void UserHistory::resetAllNewest(bool positiveOnly, int n) {
  if (n <= 0) return;
  for (TXUserVoc& r : records_) {
    if (positiveOnly && UserScores::absolute(r.results) <= 0) continue;
    r.results.remove(0, n);
    r.kinds.remove(0, n);
  }
}
