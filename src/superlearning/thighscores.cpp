#include "superlearning/thighscores.h"

#include <algorithm>
#include <optional>

#include "common/fileio.h"
#include "common/markuptext.h"
#include "common/messagebox.h"
#include "common/textcodec.h"
#include "pages/txpage.h"

namespace {

constexpr int kScoreWidth = 7;
constexpr int kNameLength = 32;

// The score at the front of an entry, none when the entry does not begin
// with a number right-aligned in seven characters.
std::optional<int> scoreOf(const QString& entry) {
  if (entry.size() <= kScoreWidth) return std::nullopt;
  const QString field = entry.left(kScoreWidth);
  const QString digits = field.trimmed();
  if (digits.isEmpty() || !field.endsWith(digits)) return std::nullopt;
  bool ok = false;
  const int score = digits.toInt(&ok);
  if (!ok || score < 0 || digits.startsWith(QLatin1Char('+'))) return std::nullopt;
  return score;
}

// An entry that ends as entries end: "$" + date + "]", or the default name.
bool isComplete(const QString& entry) {
  const QString rest = entry.mid(kScoreWidth);
  if (rest == THighscores::kDefaultName) return true;
  const qsizetype dollar = rest.lastIndexOf(QLatin1Char('$'));
  return dollar >= 0 && rest.endsWith(QLatin1Char(']'));
}

QByteArray complemented(QByteArray bytes) {
  for (char& c : bytes) c = static_cast<char>(255 - static_cast<unsigned char>(c));
  return bytes;
}

}  // namespace

THighscores::THighscores(QString fileName) : fileName_(std::move(fileName)) {
  if (const auto bytes = FileIO::readBytes(fileName_)) entries_ = Decode(*bytes);
  fillWithDefaults();
}

THighscores::~THighscores() { Close(); }

QString THighscores::Entry(int score, const QString& name, const QDate& date) {
  QString entry = QString::number(std::clamp(score, 0, kMaxScore)).rightJustified(kScoreWidth, QLatin1Char(' '));
  entry += name.isEmpty() ? QStringLiteral("???") : name;
  if (name != kDefaultName) entry += QLatin1Char('$') + date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(']');
  return entry;
}

QByteArray THighscores::Encode(const QStringList& entries) {
  QByteArray out;
  for (const QString& entry : entries) out += complemented(Cp1252::encode(entry)) + "\r\n";
  return out;
}

QStringList THighscores::Decode(const QByteArray& bytes) {
  // Lines end with an uncomplemented CR LF. A name whose complement holds the
  // bytes CR LF ("ò" followed by "õ") splits its line: a piece that does not
  // begin with a score continues a line that has not ended with its date.
  QStringList entries;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf("\r\n", start);
    if (end < 0) end = bytes.size();
    const QString piece = Cp1252::decode(complemented(bytes.mid(start, end - start)));
    start = end + 2;
    // A blank line, unless it lies inside a name.
    if (piece.isEmpty() && (entries.isEmpty() || isComplete(entries.last()))) continue;
    if (scoreOf(piece) || entries.isEmpty() || isComplete(entries.last()))
      entries.append(piece);
    else
      entries.last() += Cp1252::decode(complemented(QByteArray("\r\n"))) + piece;
  }
  entries.removeIf([](const QString& e) { return !scoreOf(e); });
  return entries;
}

void THighscores::sort() {
  std::stable_sort(entries_.begin(), entries_.end(), [](const QString& a, const QString& b) {
    const int sa = scoreOf(a).value_or(0), sb = scoreOf(b).value_or(0);
    if (sa != sb) return sa < sb;
    const int byText = a.mid(kScoreWidth).compare(b.mid(kScoreWidth), Qt::CaseInsensitive);
    if (byText != 0) return byText < 0;
    return a.mid(kScoreWidth) < b.mid(kScoreWidth);
  });
}

void THighscores::fillWithDefaults() {
  sort();
  // A short file is filled up from the lowest default on; a long one keeps its best ten.
  for (int score = 10; entries_.size() < kEntries; score += 10) entries_.append(Entry(score, kDefaultName, QDate()));
  sort();
  while (entries_.size() > kEntries) entries_.removeFirst();
}

int THighscores::AddScore(int score, const QString& name) {
  const QString entry = Entry(score, name, QDate::currentDate());
  entries_.append(entry);
  sort();
  // The new entry is the last of equal ones, so an identical older entry ranks below it.
  int index = static_cast<int>(entries_.lastIndexOf(entry));
  if (entries_.size() > kEntries) {
    entries_.removeFirst();
    --index;
  }
  return index;
}

THighscores::Rank THighscores::RankAt(int rank) const {
  Rank out;
  const qsizetype index = entries_.size() - rank;
  if (rank < 1 || index < 0) return out;
  const QString& entry = entries_[index];
  out.score = entry.left(kScoreWidth);
  const QString rest = entry.mid(kScoreWidth);
  const qsizetype dollar = rest.lastIndexOf(QLatin1Char('$'));
  if (dollar < 0) {
    out.name = rest.left(kNameLength);
    return out;
  }
  out.name = rest.left(dollar);
  out.date = rest.mid(dollar + 1);
  if (out.date.endsWith(QLatin1Char(']'))) out.date.chop(1);
  return out;
}

void THighscores::Publish(TXPage& page) const {
  for (int k = 1; k <= kEntries; ++k) {
    const Rank r = RankAt(k);
    const QString n = QString::number(k);
    page.SetVariable(QStringLiteral("highs") + n, r.score);
    page.SetVariable(QStringLiteral("highn") + n, MarkupText::EscapeText(r.name));
    page.SetVariable(QStringLiteral("highd") + n,
                     r.date.isEmpty() ? QStringLiteral("&nbsp;") : MarkupText::EscapeText(r.date));
  }
}

void THighscores::PublishResult(TXPage& page, int score, int index) {
  page.SetVariable(QStringLiteral("score"), QString::number(score));
  page.SetVariable(QStringLiteral("platz"), index < 0 ? QString() : QString::number(kEntries - index));
  page.SetCondition(QStringLiteral("platz"), index >= 0);
}

bool THighscores::Close() {
  if (closed_) return true;
  closed_ = true;
  if (FileIO::writeAtomically(fileName_, Encode(entries_))) return true;
  ShowMessage(kSaveFailed, MessageKind::Warning);
  return false;
}
