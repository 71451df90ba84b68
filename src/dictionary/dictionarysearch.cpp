#include "dictionary/dictionarysearch.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "common/textcodec.h"

namespace {

constexpr char kInvertedQuestionMark = '\xBF';     // "¿" in Windows-1252
constexpr char kInvertedExclamationMark = '\xA1';  // "¡" in Windows-1252

bool isDelimiterByte(char c) {
  switch (c) {
    case ' ': case '!': case '(': case ')': case ',': case '-': case '.': case '/': case ';': case '?':
    case '[': case ']': case kInvertedQuestionMark: case kInvertedExclamationMark:
      return true;
    default:
      return false;
  }
}

// The search of one text, on bytes (the prepared Windows-1252 texts) or on
// the text itself: the first accepted match decides.
template <typename View, typename Find, typename Delimiter>
bool containsMatch(View text, View needle, bool wholeWords, Find find, Delimiter isDelimiter) {
  if (needle.empty()) return false;
  for (size_t from = 0;;) {
    const size_t at = find(text, needle, from);
    if (at == View::npos) return false;
    if (!wholeWords) return true;
    const size_t end = at + needle.size();
    const bool before = at == 0 || isDelimiter(text[at - 1]);
    const bool after = end == text.size() || isDelimiter(text[end]);
    if (before && after) return true;
    from = at + 1;
  }
}

size_t findBytes(std::string_view text, std::string_view needle, size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const void* p = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
  return p ? static_cast<const char*>(p) - text.data() : std::string_view::npos;
}

bool bytesContain(std::string_view text, std::string_view needle, bool wholeWords) {
  return containsMatch(text, needle, wholeWords, findBytes, isDelimiterByte);
}

std::string_view view(const QByteArray& b) { return {b.constData(), static_cast<size_t>(b.size())}; }

// FNV-1a, never 0 (0 marks an empty slot).
std::uint64_t wordHash(const char* p, qsizetype n) {
  std::uint64_t h = 14695981039346656037ull;
  for (qsizetype i = 0; i < n; ++i) h = (h ^ static_cast<unsigned char>(p[i])) * 1099511628211ull;
  return h | 1;
}

}  // namespace

namespace DictionaryMatch {

bool IsDelimiter(QChar c) {
  const int code = Cp1252::codeOf(c);
  return code > 0 && isDelimiterByte(static_cast<char>(code));
}

namespace {
// A text as containsMatch reads it.
struct TextView {
  QStringView s;
  static constexpr size_t npos = size_t(-1);
  bool empty() const { return s.isEmpty(); }
  size_t size() const { return static_cast<size_t>(s.size()); }
  QChar operator[](size_t i) const { return s[static_cast<qsizetype>(i)]; }
};
}  // namespace

bool Contains(QStringView text, QStringView needle, bool wholeWords) {
  using V = TextView;
  const auto find = [](V t, V n, size_t from) {
    const qsizetype at = t.s.indexOf(n.s, static_cast<qsizetype>(from));
    return at < 0 ? V::npos : static_cast<size_t>(at);
  };
  return containsMatch(V{text}, V{needle}, wholeWords, find, [](QChar c) { return IsDelimiter(c); });
}

}  // namespace DictionaryMatch

void DictionarySearchIndex::Prepare(const QList<TXDBEintrag>& entries) {
  texts_.clear();
  starts_.clear();
  slotHash_.clear();
  slotFirst_.clear();
  linkEntry_.clear();
  linkNext_.clear();
  encoded_ = true;
  starts_.reserve(entries.size() + 1);
  qsizetype size = 0;
  for (const TXDBEintrag& e : entries) size += e.Word.size() + e.Meaning.size() + 2;
  texts_.reserve(size);
  for (const TXDBEintrag& e : entries) {
    starts_.push_back(texts_.size());
    bool wordOk = true, meaningOk = true;
    texts_ += Cp1252::encode(e.Word, &wordOk);
    texts_ += ' ';
    texts_ += Cp1252::encode(e.Meaning, &meaningOk);
    if (!wordOk || !meaningOk) encoded_ = false;
    texts_ += '\0';
  }
  if (encoded_ && texts_.count('\0') != static_cast<qsizetype>(entries.size())) encoded_ = false;
  starts_.push_back(texts_.size());
  if (encoded_) indexWords();
  ready_ = true;
}

void DictionarySearchIndex::indexWords() {
  // Every word of every entry with its entry, from the last entry to the
  // first, so that prepending to the chains leaves them in ascending order.
  std::vector<std::pair<std::uint64_t, int>> words;
  words.reserve(static_cast<size_t>(texts_.size() / 5));
  for (int k = static_cast<int>(starts_.size()) - 2; k >= 0; --k) {
    const qsizetype end = starts_[k + 1] - 1;
    for (qsizetype i = starts_[k]; i < end;) {
      while (i < end && isDelimiterByte(texts_[i])) ++i;
      const qsizetype start = i;
      while (i < end && !isDelimiterByte(texts_[i])) ++i;
      if (i > start) words.emplace_back(wordHash(texts_.constData() + start, i - start), k);
    }
  }
  size_t slots = 16;
  while (slots < words.size() * 2) slots *= 2;
  slotHash_.assign(slots, 0);
  slotFirst_.assign(slots, -1);
  linkEntry_.clear();
  linkNext_.clear();
  linkEntry_.reserve(words.size());
  linkNext_.reserve(words.size());
  for (const auto& [hash, entry] : words) {
    size_t slot = hash & (slots - 1);
    while (slotHash_[slot] != 0 && slotHash_[slot] != hash) slot = (slot + 1) & (slots - 1);
    slotHash_[slot] = hash;
    const int first = slotFirst_[slot];
    if (first >= 0 && linkEntry_[static_cast<size_t>(first)] == entry) continue;  // the word twice in one entry
    linkEntry_.push_back(entry);
    linkNext_.push_back(first);
    slotFirst_[slot] = static_cast<int>(linkEntry_.size()) - 1;
  }
}

template <typename Visit>
void DictionarySearchIndex::forEachEntryWith(std::uint64_t hash, Visit visit) const {
  if (slotHash_.empty()) return;
  const size_t mask = slotHash_.size() - 1;
  for (size_t slot = hash & mask; slotHash_[slot] != 0; slot = (slot + 1) & mask) {
    if (slotHash_[slot] != hash) continue;
    for (int link = slotFirst_[slot]; link >= 0; link = linkNext_[static_cast<size_t>(link)])
      if (!visit(linkEntry_[static_cast<size_t>(link)])) return;
    return;
  }
}

void DictionarySearchIndex::Find(const QList<TXDBEintrag>& entries, const QString& text, bool wholeWords,
                                 int direction, QList<DictionaryHit>& hits, int limit) const {
  if (text.isEmpty() || full(hits, limit)) return;
  bool ok = true;
  const QByteArray needle = Cp1252::encode(text, &ok);
  if (!encoded_) {
    for (int k = 0; k < static_cast<int>(entries.size()) && !full(hits, limit); ++k)
      if (DictionaryMatch::Contains(QString(entries[k].Word + QLatin1Char(' ') + entries[k].Meaning), text, wholeWords))
        hits.append({direction, k});
    return;
  }
  // Every entry holds Windows-1252 only: a text with another character is in none.
  if (!ok || needle.contains('\0')) return;
  if (!wholeWords || isDelimiterByte(needle[0])) {
    findByScan(needle, wholeWords, direction, hits, limit);
    return;
  }
  // A whole-word match begins with a whole word of the entry: the needle's
  // first word, which the index knows the entries of.
  qsizetype firstEnd = 0;
  while (firstEnd < needle.size() && !isDelimiterByte(needle[firstEnd])) ++firstEnd;
  forEachEntryWith(wordHash(needle.constData(), firstEnd), [&](int k) {
    const std::string_view entry(texts_.constData() + starts_[k], static_cast<size_t>(starts_[k + 1] - 1 - starts_[k]));
    if (bytesContain(entry, view(needle), true)) hits.append({direction, k});
    return !full(hits, limit);
  });
}

void DictionarySearchIndex::findByScan(const QByteArray& needle, bool wholeWords, int direction,
                                       QList<DictionaryHit>& hits, int limit) const {
  const std::string_view all = view(texts_);
  for (size_t from = 0; from < all.size();) {
    const size_t at = findBytes(all, view(needle), from);
    if (at == std::string_view::npos) return;
    // The entry the match lies in; it is searched on its own from there.
    const auto next = std::upper_bound(starts_.begin(), starts_.end(), static_cast<qsizetype>(at));
    const int k = static_cast<int>(next - starts_.begin()) - 1;
    const std::string_view entry(texts_.constData() + starts_[k], static_cast<size_t>(*next - 1 - starts_[k]));
    if (bytesContain(entry, view(needle), wholeWords)) {
      hits.append({direction, k});
      if (full(hits, limit)) return;
    }
    from = static_cast<size_t>(*next);
  }
}
