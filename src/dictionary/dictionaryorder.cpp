#include "dictionary/dictionaryorder.h"

namespace DictionaryOrder {

namespace {

// The letters a character counts as for the first comparison: its lower-case
// base letter, "n~" for "ñ" (after every "n..."), "ss" for "ß". Writes one or
// two characters and returns how many.
int baseLetters(QChar c, QChar out[2]) {
  const char16_t u = c.toLower().unicode();
  switch (u) {
    case u'á': case u'à': case u'â': case u'ä': case u'ã': case u'å': out[0] = u'a'; return 1;
    case u'é': case u'è': case u'ê': case u'ë': out[0] = u'e'; return 1;
    case u'í': case u'ì': case u'î': case u'ï': out[0] = u'i'; return 1;
    case u'ó': case u'ò': case u'ô': case u'ö': case u'õ': out[0] = u'o'; return 1;
    case u'ú': case u'ù': case u'û': case u'ü': out[0] = u'u'; return 1;
    case u'ç': out[0] = u'c'; return 1;
    case u'ý': case u'ÿ': out[0] = u'y'; return 1;
    case u'ñ': out[0] = u'n'; out[1] = u'~'; return 2;
    case u'ß': out[0] = u's'; out[1] = u's'; return 2;
    default: out[0] = QChar(u); return 1;
  }
}

// Walks a word's base letters one at a time.
class BaseLetters {
 public:
  explicit BaseLetters(const QString& s) : s_(s) {}
  bool atEnd() const { return pending_ == 0 && pos_ >= s_.size(); }
  QChar next() {
    if (pending_ == 0) {
      count_ = baseLetters(s_[pos_++], buffer_);
      pending_ = count_;
    }
    return buffer_[count_ - pending_--];
  }

 private:
  const QString& s_;
  qsizetype pos_ = 0;
  QChar buffer_[2];
  int count_ = 0;
  int pending_ = 0;
};

}  // namespace

int Compare(const QString& a, const QString& b) {
  BaseLetters x(a), y(b);
  while (!x.atEnd() && !y.atEnd()) {
    const QChar p = x.next(), q = y.next();
    if (p != q) return p.unicode() < q.unicode() ? -1 : 1;
  }
  if (!x.atEnd()) return 1;
  if (!y.atEnd()) return -1;
  // The same base letters: the accents decide, letter case never does.
  return QString::compare(a, b, Qt::CaseInsensitive);
}

bool SameWord(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

}  // namespace DictionaryOrder
