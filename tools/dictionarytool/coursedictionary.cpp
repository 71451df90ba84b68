#include "coursedictionary.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

#include "common/meaningtext.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/dictionaryorder.h"

namespace CourseDictionary {

namespace {

// One half while it is collected: entries in the order of first appearance,
// each with its meanings.
class HalfBuilder {
 public:
  int dropped = 0;  // meanings left out
  void add(const QString& word, int wortart, const QString& meaning) {
    const QString w = word.simplified();
    QStringList fitting;
    for (const QString& item : SplitMeanings(meaning.simplified()))
      if (fitsMeaning(item)) fitting << item;
      else ++dropped;
    const QString m = fitting.join(QStringLiteral("; "));
    if (w.isEmpty() || m.isEmpty()) return;
    const QString key = QString::number(wortart) + QLatin1Char('|') + w;
    auto it = places_.constFind(key);
    if (it == places_.constEnd()) {
      it = places_.insert(key, static_cast<int>(entries_.size()));
      entries_.append({{w, QString(), wortart}, {}});
    }
    QStringList& items = entries_[*it].second;
    for (const QString& raw : SplitMeanings(m)) {
      const QString item = raw.trimmed();
      if (item.isEmpty()) continue;
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

  // Whether a text can stand in a dictionary meaning: a comma outside
  // brackets would read as the old separator of meanings.
  static bool fitsMeaning(const QString& text) { return !StripExplanations(text).contains(QLatin1Char(',')); }

  QList<TXDBEintrag> entries() const {
    QList<TXDBEintrag> list;
    for (const auto& [entry, items] : entries_) {
      TXDBEintrag e = entry;
      e.Meaning = items.join(QStringLiteral("; "));
      list.append(e);
    }
    std::stable_sort(list.begin(), list.end(), [](const TXDBEintrag& a, const TXDBEintrag& b) {
      return DictionaryOrder::Less(a.Word, b.Word);
    });
    return list;
  }

 private:
  QList<std::pair<TXDBEintrag, QStringList>> entries_;
  QHash<QString, int> places_;
};

// The explanations of a meaning item, each in its brackets: "[mit Stiel]".
QString explanationsOf(const QString& item) {
  static const QRegularExpression re(QStringLiteral("\\[[^\\]]*\\]"));
  QStringList parts;
  for (auto it = re.globalMatch(item); it.hasNext();) parts << it.next().captured(0);
  return parts.join(QLatin1Char(' '));
}

// "oscura" after "oscuro", "trabajadora" after "trabajador".
bool isFeminineOf(const QString& word, const QString& previous) {
  if (previous.isEmpty() || !word.endsWith(QLatin1Char('a')) || word.contains(QLatin1Char(' '))) return false;
  if (previous.endsWith(QLatin1Char('o'))) return word == previous.chopped(1) + QLatin1Char('a');
  return word == previous + QLatin1Char('a');
}

// A meaning as the head word of its own entry. German words are written with
// their optional parts ("(sich) duschen" as "sich duschen"); Spanish ones
// keep the notation, under which their recordings are found.
QString headWord(const QString& meaning, bool german) {
  if (!german || meaning.contains(QLatin1Char('/'))) return meaning;
  QString word = meaning;
  word.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
  return word.simplified();
}

}  // namespace

Halves FromRecords(const QList<TVokabel>& records) {
  HalfBuilder spanish, german;
  for (const TVokabel& v : records) {
    if (v.IsEmpty()) continue;
    const int wortart = v.Wortart + 1;
    QStringList lines;
    for (const QString& line : v.Bedeutung)
      if (!line.trimmed().isEmpty()) lines << line.trimmed();
    const QString meanings = lines.join(QStringLiteral("; "));
    HalfBuilder& own = v.Deutsch ? german : spanish;
    HalfBuilder& other = v.Deutsch ? spanish : german;
    own.add(v.Vokabel, wortart, meanings);
    // Each meaning leads back to the record's word, with its explanation;
    // the feminine of an adjective right after its masculine ("oscuro;
    // oscura") is looked up under the masculine.
    QString previous;
    for (const QString& item : SplitMeanings(meanings)) {
      const QString word = headWord(StripExplanations(item).trimmed(), !v.Deutsch);
      const QString explanation = explanationsOf(item);
      if (!isFeminineOf(word, previous))
        other.add(word, wortart, explanation.isEmpty() ? v.Vokabel : v.Vokabel + QLatin1Char(' ') + explanation);
      previous = word;
    }
  }
  return {spanish.entries(), german.entries(), spanish.dropped + german.dropped};
}

QStringList Faults(const QList<TXDBEintrag>& entries) {
  QStringList faults;
  for (const TXDBEintrag& e : entries)
    if (const auto fault = DictionaryMaintenance::MeaningFault(e.Meaning)) faults << e.Word + QStringLiteral(": ") + *fault;
  return faults;
}

}  // namespace CourseDictionary
