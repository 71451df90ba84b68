#include "dictionarybuilder.h"

#include <algorithm>

#include "common/meaningtext.h"
#include "dictionary/dictionaryorder.h"

namespace {

bool fitsMeaning(const QString& text) { return !StripExplanations(text).contains(QLatin1Char(',')); }

}  // namespace

void DictionaryBuilder::Add(const QString& word, int wortart, const QString& meaning) {
  const QString w = word.simplified();
  QStringList fitting;
  for (const QString& raw : SplitMeanings(meaning.simplified())) {
    const QString item = raw.trimmed();
    if (item.isEmpty()) continue;
    if (fitsMeaning(item)) fitting << item;
    else ++dropped_;
  }
  if (w.isEmpty() || fitting.isEmpty()) return;
  const QString key = QString::number(wortart) + QLatin1Char('|') + w.toLower();
  auto it = places_.constFind(key);
  if (it == places_.constEnd()) {
    it = places_.insert(key, static_cast<int>(entries_.size()));
    entries_.append({{w, QString(), wortart}, {}});
  }
  QStringList& items = entries_[*it].second;
  for (const QString& item : fitting) {
    // The same meaning twice is kept once, with its explanation when only
    // one of the two has one ("nach" and "nach [wie in: schmeckt nach]");
    // two explanations tell two meanings apart ("Bank [Geld]", "Bank [Sitz]").
    const QString plain = StripExplanations(item).trimmed();
    const auto same = std::find_if(items.begin(), items.end(), [&](const QString& i) {
      return i == item || (StripExplanations(i).trimmed() == plain && (i == plain || item == plain));
    });
    if (same == items.end()) items.append(item);
    else if (*same == plain && item != plain) *same = item;
  }
}

void DictionaryBuilder::Add(const QList<TXDBEintrag>& entries) {
  for (const TXDBEintrag& e : entries) Add(e.Word, e.Wortart, e.Meaning);
}

QList<TXDBEintrag> DictionaryBuilder::Entries() const {
  QList<TXDBEintrag> list;
  list.reserve(entries_.size());
  for (const auto& [entry, items] : entries_) {
    TXDBEintrag e = entry;
    e.Meaning = items.join(QStringLiteral("; "));
    list.append(e);
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const TXDBEintrag& a, const TXDBEintrag& b) { return DictionaryOrder::Less(a.Word, b.Word); });
  return list;
}
