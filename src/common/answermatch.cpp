#include "common/answermatch.h"

#include <algorithm>

#include "common/random.h"
#include "common/accentkey.h"

namespace AnswerMatch {

namespace {

QString reversed(const QString& s) {
  QString r = s;
  std::reverse(r.begin(), r.end());
  return r;
}

int commonPrefixLength(const QString& a, const QString& b) {
  const int n = static_cast<int>(std::min(a.size(), b.size()));
  int i = 0;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

int commonSuffixLength(const QString& a, const QString& b) {
  const int n = static_cast<int>(std::min(a.size(), b.size()));
  int i = 0;
  while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i]) ++i;
  return i;
}

}  // namespace

QString Chain(const QString& x, const QString& y, int start) {
  QString chain;
  qsizetype search = 0;
  for (qsizetype i = start - 1; i < x.size() && search < y.size(); ++i) {
    const qsizetype at = y.indexOf(x[i], search);
    if (at < 0 || at - search > 3) continue;
    chain += x[i];
    search = at + 1;
  }
  return chain;
}

QString LongestChain(const QString& x, const QString& y) {
  QString best;
  const int starts = static_cast<int>(std::min<qsizetype>(y.size() / 2, 5));
  for (int i = 1; i <= starts; ++i) {
    const QString c = Chain(x, y, i);
    if (c.size() > best.size()) best = c;
  }
  return best;
}

QString CommonPart(const QString& answer, const QString& solution) {
  const int p = commonPrefixLength(answer, solution);
  const QString a = answer.mid(p), s = solution.mid(p);
  const int q = commonSuffixLength(a, s);
  const QString middleA = a.left(a.size() - q), middleS = s.left(s.size() - q);
  QString middle;
  if (!middleA.isEmpty() && !middleS.isEmpty()) {
    const QString candidates[] = {
        LongestChain(middleA, middleS),
        LongestChain(middleS, middleA),
        reversed(LongestChain(reversed(middleA), reversed(middleS))),
        reversed(LongestChain(reversed(middleS), reversed(middleA))),
    };
    for (const QString& c : candidates)
      if (c.size() > middle.size()) middle = c;
  }
  return answer.left(p) + middle + a.right(q);
}

Nearest NearestAnswer(const QString& answer, const QStringList& solutions) {
  Nearest best;
  const qsizetype n = answer.size();
  for (int i = 0; i < solutions.size(); ++i) {
    const QString& s = solutions[i];
    if (!(s.size() - 4 < n && n < s.size() + 6)) continue;
    const QString c = CommonPart(answer, s);
    if (2 * n > 3 * c.size()) continue;
    if (best.index < 0 || c.size() > best.common.size()) best = Nearest{i, c};
  }
  return best;
}

std::vector<bool> RedLetters(const QString& answer, const QString& common) {
  std::vector<bool> red(static_cast<size_t>(answer.size()), false);
  qsizetype next = 0;
  for (qsizetype i = 0; i < answer.size(); ++i) {
    if (next < common.size() && answer[i] == common[next]) ++next;
    else red[static_cast<size_t>(i)] = true;
  }
  return red;
}

int CursorAfterMismatch(const QString& answer, const QString& solution) {
  const int k = commonPrefixLength(answer, solution);
  if (k < answer.size() && k < solution.size() && AccentKey::SameGroup(answer[k], solution[k], true)) return k + 1;
  return k;
}

QString MaskedHelp(const QString& answer, QChar mask) {
  const qsizetype n = answer.size();
  if (n == 0) return {};
  if (n <= 2) return QString(n, mask);
  static const QString kKept = QStringLiteral(" !',-.?");
  QString help = answer;
  // 1-based positions 2 .. n-1 are hidden; with three letters the last one too.
  const qsizetype last = n == 3 ? 3 : n - 1;
  for (qsizetype pos = 2; pos <= last; ++pos) {
    const QChar c = answer[pos - 1];
    if (kKept.contains(c)) continue;
    if (pos >= 5 && Random::below(5) == 3) continue;
    help[pos - 1] = mask;
  }
  return help;
}

}  // namespace AnswerMatch
