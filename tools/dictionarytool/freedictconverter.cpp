#include "freedictconverter.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "common/meaningtext.h"
#include "common/textcodec.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionarybuilder.h"
#include "spanishforms.h"

namespace Freedict {

namespace {

// Class numbers of the dictionary (word class + 1).
constexpr int kNoun = 1, kVerb = 2, kAdjective = 3, kSmallWord = 4, kPhraseWithVerb = 5, kPhrase = 6,
              kAdverb = 7, kPreposition = 8;

// The value every occurrence of a key agrees on; a key seen with two
// different values has none.
template <typename Value>
class Unanimous {
 public:
  void add(const QString& key, const Value& value) {
    if (disputed_.contains(key)) return;
    const auto it = values_.constFind(key);
    if (it == values_.constEnd()) {
      values_.insert(key, value);
    } else if (*it != value) {
      values_.remove(key);
      disputed_.insert(key);
    }
  }
  const QHash<QString, Value>& values() const { return values_; }

 private:
  QHash<QString, Value> values_;
  QSet<QString> disputed_;
};

// One head word of an article line with its forms ("abatido, abatida") and tag.
struct HeadItem {
  QStringList forms;
  QString tag;
};

// The head words of an article's first line. Usage labels ("[coloq.]") go
// to labels; pronunciations ("/ˈkasa/") are dropped; head words are
// separated by a comma after a pronunciation or a tag, while a comma inside
// the word part separates the forms of one word.
QList<HeadItem> headItems(QString line, QStringList& labels) {
  static const QRegularExpression labelRe(QStringLiteral("\\[([^\\]]*)\\]"));
  for (auto it = labelRe.globalMatch(line); it.hasNext();) labels << Label(it.next().captured(1).trimmed());
  line.remove(labelRe);
  // Head words wrapped in parentheses, "(mirón /…/ <n, m>), (mirona …)",
  // stand for themselves. A note after a comma, "resaca, (de alcohol)",
  // is left out; an optional part without one, "optar (por)", stays.
  static const QRegularExpression noteRe(QStringLiteral(",\\s*\\([^)]*\\)"));
  if (line.trimmed().startsWith(QLatin1Char('('))) line.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
  else line.remove(noteRe);
  QStringList parts;
  QString current;
  QChar last;
  for (const QChar c : line) {
    if (c == QLatin1Char(',') && (last == QLatin1Char('/') || last == QLatin1Char('>'))) {
      parts << current;
      current.clear();
      last = QChar();
      continue;
    }
    current += c;
    if (!c.isSpace()) last = c;
  }
  parts << current;

  static const QRegularExpression tagRe(QStringLiteral("<([^>]*)>"));
  static const QRegularExpression pronunciationRe(QStringLiteral("(^|\\s)/[^/]*/"));
  QList<HeadItem> items;
  for (QString part : parts) {
    HeadItem item;
    if (const auto m = tagRe.match(part); m.hasMatch()) item.tag = m.captured(1).simplified();
    part.remove(tagRe).remove(pronunciationRe);
    for (const QString& form : part.split(QLatin1Char(',')))
      if (!form.simplified().isEmpty()) item.forms << form.simplified();
    if (!item.forms.isEmpty()) items << item;
  }
  return items;
}

bool startsLowercase(const QString& text) {
  for (const QChar c : text)
    if (c.isLetter()) return c.isLower();
  return false;
}

bool hasLetter(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// Meanings of which one is a lone article, preposition or conjunction.
bool isBrokenPhrase(const QStringList& meanings) {
  static const QSet<QString> function = {
      QStringLiteral("a"),   QStringLiteral("al"),  QStringLiteral("con"), QStringLiteral("de"),
      QStringLiteral("del"), QStringLiteral("el"),  QStringLiteral("en"),  QStringLiteral("la"),
      QStringLiteral("las"), QStringLiteral("los"), QStringLiteral("o"),   QStringLiteral("para"),
      QStringLiteral("por"), QStringLiteral("un"),  QStringLiteral("una"), QStringLiteral("y"), QStringLiteral("todo")};
  return meanings.size() > 1 &&
         std::any_of(meanings.begin(), meanings.end(), [](const QString& m) { return function.contains(m); });
}

QString withoutPunctuation(QString text) {
  static const QRegularExpression re(QStringLiteral("[¡!¿?.]"));
  return text.remove(re).simplified();
}

// A few finite forms that make a Spanish phrase a phrase with a verb.
bool isFiniteVerb(const QString& word) {
  static const QSet<QString> forms = {
      QStringLiteral("es"),     QStringLiteral("está"),    QStringLiteral("están"), QStringLiteral("estás"),
      QStringLiteral("estoy"),  QStringLiteral("hay"),     QStringLiteral("hace"),  QStringLiteral("hacen"),
      QStringLiteral("tengo"),  QStringLiteral("tiene"),   QStringLiteral("tienes"), QStringLiteral("soy"),
      QStringLiteral("eres"),   QStringLiteral("son"),     QStringLiteral("va"),    QStringLiteral("voy"),
      QStringLiteral("vamos"),  QStringLiteral("puede"),   QStringLiteral("puedo"), QStringLiteral("quiero"),
      QStringLiteral("quiere"), QStringLiteral("gusta"),   QStringLiteral("gustan"), QStringLiteral("llamo"),
      QStringLiteral("llama"),  QStringLiteral("sé"),      QStringLiteral("sabe"),  QStringLiteral("sea"),
      QStringLiteral("mejore"), QStringLiteral("importa"), QStringLiteral("pasa"),  QStringLiteral("vale")};
  return forms.contains(word.toLower());
}

// The class of a Spanish head word without a tag: a phrase with or without a
// verb; a single word takes the class most of its German translations have
// (the first such class on a tie), else one from its spelling and its
// first German translation.
int classOfUntaggedSpanish(const QString& word, const QStringList& meanings, const QHash<QString, int>& germanClasses) {
  const QStringList words = withoutPunctuation(word).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) return kNoun;
  if (words.size() > 1) {
    if (SpanishForms::IsInfinitive(words.first())) return kPhraseWithVerb;
    for (const QString& w : words)
      if (isFiniteVerb(w)) return kPhraseWithVerb;
    return kPhrase;
  }
  int votes[Dictionary::kMaxWortart + 1] = {};
  int best = 0;
  for (const QString& m : meanings) {
    const int c = germanClasses.value(StripExplanations(m).simplified());
    if (c == 0) continue;
    ++votes[c];
    if (best == 0 || votes[c] > votes[best]) best = c;
  }
  if (best != 0) return best;
  const QString german = StripExplanations(meanings.value(0)).trimmed();
  if (SpanishForms::IsInfinitive(words.first()) && startsLowercase(german)) return kVerb;
  if (words.first().endsWith(QLatin1String("mente"))) return kAdverb;
  static const QRegularExpression adjectiveEnding(QStringLiteral("(ado|ido|ente|ante|oso|ivo|ble|ense|ario|ico)$"));
  if (startsLowercase(words.first()) && startsLowercase(german) && adjectiveEnding.match(words.first()).hasMatch())
    return kAdjective;
  if (!startsLowercase(words.first()) || !startsLowercase(german)) return kNoun;
  return kSmallWord;
}

// The class of a German head word without a tag: a phrase that ends in an
// infinitive ("Anstalten machen") has a verb.
int classOfUntaggedGerman(const QString& word) {
  const QStringList words = withoutPunctuation(word).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.size() < 2) return kNoun;
  const QString last = words.last();
  return startsLowercase(last) && last.endsWith(QLatin1Char('n')) ? kPhraseWithVerb : kPhrase;
}

// A final full stop of a sentence ("Guten Tag.") goes; that of an
// abbreviation ("usw.") stays.
QString withoutFullStop(const QString& item) {
  if (!item.endsWith(QLatin1Char('.')) || !item.contains(QLatin1Char(' '))) return item;
  const QString lastWord = item.chopped(1).section(QLatin1Char(' '), -1);
  if (!startsLowercase(lastWord) || lastWord.size() > 4) return item.chopped(1);
  return item;
}

// The meanings of one article as the dictionary writes them, with the
// article's labels added to each, and the counts of what was left out.
class MeaningCollector {
 public:
  explicit MeaningCollector(Report& report) : report_(report) {}

  void add(const QString& translation, const QStringList& labels) {
    for (QString item : Meanings(translation)) {
      if (!Cp1252::canEncode(item)) {
        ++report_.droppedCharset;
        continue;
      }
      for (const QString& label : labels)
        if (!item.contains(QLatin1Char('[') + label + QLatin1Char(']')))
          item += QStringLiteral(" [") + label + QLatin1Char(']');
      if (item.contains(QLatin1Char('#')) || DictionaryMaintenance::MeaningFault(item)) {
        ++report_.droppedDamaged;
        continue;
      }
      items_ << item;
    }
  }
  const QStringList& items() const { return items_; }

 private:
  Report& report_;
  QStringList items_;
};

// Counts the written entries and meanings.
void finish(Direction& d, const DictionaryBuilder& builder) {
  d.entries = builder.Entries();
  d.report.entries = static_cast<int>(d.entries.size());
  for (const TXDBEintrag& e : d.entries) d.report.meanings += static_cast<int>(SplitMeanings(e.Meaning).size());
}

// The gender that a Spanish noun's ending tells without exception worth
// the name: "-ción", "-dad", "-umbre" feminine, "-aje", "-miento", "-ismo"
// masculine.
QString genderOfEnding(const QString& noun) {
  static const QRegularExpression feminine(QStringLiteral("[^ ](ción|sión|dad|tad|tud|umbre)$"));
  static const QRegularExpression masculine(QStringLiteral("[^ ](aje|miento|ismo)$"));
  if (!startsLowercase(noun)) return {};
  if (feminine.match(noun).hasMatch()) return QStringLiteral("(f)");
  if (masculine.match(noun).hasMatch()) return QStringLiteral("(m)");
  return {};
}

// A Spanish meaning of a German noun with the gender of its noun: the whole
// meaning's ("casa" "casa (f)") or that of its first word ("tasa de
// alfabetización" "tasa de alfabetización (f)"), as the Spanish-German
// direction has it or the ending tells, before the explanations.
QString withGender(const QString& item, const QHash<QString, QString>& genders) {
  const QString plain = StripExplanations(item).simplified();
  if (plain.isEmpty() || plain.contains(QLatin1Char('(')) || !item.startsWith(plain)) return item;
  const QString head = plain.section(QLatin1Char(' '), 0, 0);
  QString mark = genders.value(plain);
  if (mark.isEmpty()) mark = genders.value(head);
  if (mark.isEmpty()) mark = genderOfEnding(head);
  if (mark.isEmpty()) return item;
  return plain + QLatin1Char(' ') + mark + item.mid(plain.size());
}

}  // namespace

QString Report::Line(const QString& directionName) const {
  return QStringLiteral("%1: %2 Artikel gelesen, %3 Einträge mit %4 Bedeutungen geschrieben; ausgelassen: "
                        "%5 Bedeutungen mit Zeichen außerhalb von Windows-1252, %6 Bedeutungen mit unlesbarer "
                        "Auszeichnung, %7 Stichwörter")
      .arg(directionName)
      .arg(articles)
      .arg(entries)
      .arg(meanings)
      .arg(droppedCharset)
      .arg(droppedDamaged)
      .arg(droppedWords);
}

int ClassOfTag(const QString& tag) {
  const QString kind = tag.section(QLatin1Char(','), 0, 0).trimmed().toLower();
  if (kind.isEmpty()) return 0;
  if (kind == QLatin1String("n") || kind == QLatin1String("pn")) return kNoun;
  if (kind == QLatin1String("v")) return kVerb;
  if (kind == QLatin1String("adj")) return kAdjective;
  if (kind == QLatin1String("adv") || kind == QLatin1String("adverb") || kind == QLatin1String("pronominaladverb"))
    return kAdverb;
  if (kind == QLatin1String("prep") || kind == QLatin1String("preposition") || kind == QLatin1String("postposition"))
    return kPreposition;
  static const QSet<QString> small = {QStringLiteral("pron"),
                                      QStringLiteral("conj"),
                                      QStringLiteral("art"),
                                      QStringLiteral("article"),
                                      QStringLiteral("num"),
                                      QStringLiteral("numeral"),
                                      QStringLiteral("interj"),
                                      QStringLiteral("interjection"),
                                      QStringLiteral("particle"),
                                      QStringLiteral("indefinitepronoun"),
                                      QStringLiteral("demonstrativepronoun"),
                                      QStringLiteral("personalpronoun"),
                                      QStringLiteral("possessivepronoun"),
                                      QStringLiteral("conjunction")};
  if (small.contains(kind)) return kSmallWord;
  return kNoun;  // the dictionary's default class
}

QString GenderMark(const QString& tag) {
  QStringList parts;
  for (const QString& p : tag.split(QLatin1Char(','))) parts << p.trimmed();
  if (parts.value(0) != QLatin1String("n")) return {};
  const QStringList rest = parts.mid(1);
  if (rest == QStringList{QStringLiteral("m")}) return QStringLiteral("(m)");
  if (rest == QStringList{QStringLiteral("f")}) return QStringLiteral("(f)");
  if (rest == (QStringList{QStringLiteral("m"), QStringLiteral("pl")})) return QStringLiteral("(mpl)");
  if (rest == (QStringList{QStringLiteral("f"), QStringLiteral("pl")})) return QStringLiteral("(fpl)");
  if (rest == (QStringList{QStringLiteral("m"), QStringLiteral("f")})) return QStringLiteral("(mf)");
  return {};
}

QString Label(const QString& label) {
  static const QHash<QString, QString> german = {
      {QStringLiteral("coloq."), QStringLiteral("umgangssprachlich")},
      {QStringLiteral("fam."), QStringLiteral("umgangssprachlich")},
      {QStringLiteral("vulg."), QStringLiteral("vulgär")},
      {QStringLiteral("pey."), QStringLiteral("abwertend")},
      {QStringLiteral("peyorativo"), QStringLiteral("abwertend")},
      {QStringLiteral("fig."), QStringLiteral("übertragen")},
      {QStringLiteral("náut."), QStringLiteral("Seefahrt")},
      {QStringLiteral("música"), QStringLiteral("Musik")},
      {QStringLiteral("Am."), QStringLiteral("Lateinamerika")},
      {QStringLiteral("Am. Mer."), QStringLiteral("Südamerika")},
      {QStringLiteral("Esp."), QStringLiteral("Spanien")},
      {QStringLiteral("Méx."), QStringLiteral("Mexiko")},
      {QStringLiteral("Mex."), QStringLiteral("Mexiko")},
      {QStringLiteral("Mexico"), QStringLiteral("Mexiko")},
      {QStringLiteral("Arg."), QStringLiteral("Argentinien")},
      {QStringLiteral("Perú"), QStringLiteral("Peru")},
      {QStringLiteral("Cuba"), QStringLiteral("Kuba")},
      {QStringLiteral("Bol."), QStringLiteral("Bolivien")},
      {QStringLiteral("Par."), QStringLiteral("Paraguay")},
      {QStringLiteral("Ur."), QStringLiteral("Uruguay")},
      {QStringLiteral("Hond."), QStringLiteral("Honduras")},
      {QStringLiteral("Nic."), QStringLiteral("Nicaragua")},
      {QStringLiteral("Ecuad."), QStringLiteral("Ecuador")},
      {QStringLiteral("El Salv."), QStringLiteral("El Salvador")},
      {QStringLiteral("Ven."), QStringLiteral("Venezuela")},
      {QStringLiteral("Col."), QStringLiteral("Kolumbien")},
      {QStringLiteral("Colombia"), QStringLiteral("Kolumbien")},
      {QStringLiteral("C. Rica"), QStringLiteral("Costa Rica")},
      {QStringLiteral("Cataluña"), QStringLiteral("Katalonien")},
      {QStringLiteral("Can."), QStringLiteral("Kanaren")},
  };
  return german.value(label, label);
}

QStringList Meanings(const QString& translation) {
  static const QRegularExpression tagRe(QStringLiteral("<[^>]*>|\\{[^}]*\\}"));
  static const QRegularExpression subjectRe(QStringLiteral(",?\\s+/(\\w+)\\s*$"));
  QString text = translation;
  text.remove(tagRe);
  text.replace(subjectRe, QStringLiteral(" [\\1]"));
  text.replace(QLatin1Char('|'), QLatin1Char(','));

  // Parentheses become brackets; commas outside them separate meanings.
  QStringList items;
  QString current;
  int depth = 0;
  for (QChar c : text) {
    if (c == QLatin1Char('(')) c = QLatin1Char('[');
    else if (c == QLatin1Char(')')) c = QLatin1Char(']');
    if (c == QLatin1Char('[')) ++depth;
    else if (c == QLatin1Char(']')) --depth;
    if (c == QLatin1Char(',') && depth == 0) {
      items << current;
      current.clear();
      continue;
    }
    current += c;
  }
  items << current;

  static const QRegularExpression labelRe(QStringLiteral("\\[([^\\[\\]]*)\\]"));
  QStringList meanings;
  for (QString item : items) {
    item = item.simplified();
    QString mapped;
    qsizetype from = 0;
    for (auto it = labelRe.globalMatch(item); it.hasNext();) {
      const auto m = it.next();
      mapped += item.mid(from, m.capturedStart() - from) + QLatin1Char('[') + Label(m.captured(1).trimmed()) +
                QLatin1Char(']');
      from = m.capturedEnd();
    }
    item = withoutFullStop((mapped + item.mid(from)).simplified());
    if (item.isEmpty()) continue;
    // A note standing alone ("Zusammenstoß, (Schiffe)") explains the meaning before it.
    if (StripExplanations(item).trimmed().isEmpty() && !meanings.isEmpty()) meanings.last() += QLatin1Char(' ') + item;
    else meanings << item;
  }
  return meanings;
}

QHash<QString, int> GermanClasses(const QStringList& germanSpanishArticles) {
  Unanimous<int> classes;
  for (const QString& article : germanSpanishArticles) {
    QStringList labels;
    for (const HeadItem& head : headItems(article.section(QLatin1Char('\n'), 0, 0), labels)) {
      const int c = ClassOfTag(head.tag);
      if (c == 0) continue;
      for (const QString& form : head.forms) classes.add(form, c);
    }
  }
  return classes.values();
}

Direction SpanishGerman(const QStringList& articles, const QHash<QString, int>& germanClasses) {
  Direction d;
  DictionaryBuilder builder;
  static const QRegularExpression numberRe(QStringLiteral("^\\d+\\.\\s+"));
  for (const QString& article : articles) {
    ++d.report.articles;
    const QStringList lines = article.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty()) continue;
    QStringList labels;
    const QList<HeadItem> heads = headItems(lines.first(), labels);
    MeaningCollector meanings(d.report);
    for (const QString& line : lines.mid(1)) meanings.add(QString(line).remove(numberRe), labels);
    const QString meaning = meanings.items().join(QStringLiteral("; "));

    QString previous;
    for (const HeadItem& head : heads) {
      QStringList forms = head.forms;
      bool pair = forms.size() == 2 && SpanishForms::IsFeminineOf(forms[1], forms[0]);
      // The feminine of an untagged adjective written as its own head word
      // ("bermejo, bermeja") is looked up under the masculine.
      if (head.tag.isEmpty() && forms.size() == 1 && SpanishForms::IsFeminineOf(forms[0], previous)) continue;
      if (pair) forms = {forms[0]};
      previous = forms.last();
      for (const QString& form : forms) {
        int wortart = ClassOfTag(head.tag);
        if (wortart == 0) {
          const bool adjectivePair = pair || (heads.size() > 1 && heads[1].forms.size() == 1 &&
                                              SpanishForms::IsFeminineOf(heads[1].forms[0], form));
          wortart = adjectivePair ? kAdjective : classOfUntaggedSpanish(form, meanings.items(), germanClasses);
        }
        const QString mark = wortart == kNoun ? GenderMark(head.tag) : QString();
        const QString word = mark.isEmpty() ? form : form + QLatin1Char(' ') + mark;
        if (!Cp1252::canEncode(word) || !hasLetter(word) || meaning.isEmpty()) {
          ++d.report.droppedWords;
          continue;
        }
        builder.Add(word, wortart, meaning);
      }
    }
  }
  finish(d, builder);
  return d;
}

QHash<QString, QString> SpanishGenders(const QList<TXDBEintrag>& spanishGerman) {
  static const QRegularExpression markRe(QStringLiteral("^(.*) (\\((?:m|f|mpl|fpl|mf)\\))$"));
  Unanimous<QString> genders;
  for (const TXDBEintrag& e : spanishGerman) {
    if (e.Wortart != kNoun) continue;
    if (const auto m = markRe.match(e.Word); m.hasMatch()) genders.add(m.captured(1), m.captured(2));
  }
  return genders.values();
}

Direction GermanSpanish(const QStringList& articles, const QHash<QString, QString>& spanishGenders) {
  Direction d;
  DictionaryBuilder builder;
  // A translation line: "1. ir, andar" in an article with several senses;
  // a trailing " 2." announces further definitions of the same translation.
  static const QRegularExpression numberRe(QStringLiteral("^(\\d+)\\.\\s+"));
  static const QRegularExpression subSenseRe(QStringLiteral("\\s+\\d+\\.$"));
  for (const QString& article : articles) {
    ++d.report.articles;
    const QStringList lines = article.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() < 2) continue;
    QStringList labels;
    const QList<HeadItem> heads = headItems(lines.first(), labels);
    QStringList translations;
    if (numberRe.match(lines[1]).hasMatch()) {
      for (const QString& line : lines.mid(1))
        if (numberRe.match(line).hasMatch()) translations << QString(line).remove(numberRe);
    } else {
      translations << lines[1];
    }
    MeaningCollector meanings(d.report);
    const int headClass = heads.isEmpty() ? 0 : ClassOfTag(heads.first().tag);
    for (QString t : translations) {
      t.remove(subSenseRe);
      // A translation that the source broke into its words ("de, guerra,
      // herida" for "herida de guerra") cannot be put together again.
      const QStringList pieces = Meanings(t);
      if (headClass != kSmallWord && headClass != kPreposition && isBrokenPhrase(pieces)) {
        d.report.droppedDamaged += static_cast<int>(pieces.size());
        continue;
      }
      meanings.add(t, labels);
    }

    for (const HeadItem& head : heads) {
      for (const QString& form : head.forms) {
        int wortart = ClassOfTag(head.tag);
        if (wortart == 0) wortart = classOfUntaggedGerman(form);
        QStringList items = meanings.items();
        if (wortart == kNoun)
          for (QString& item : items) item = withGender(item, spanishGenders);
        // An adjective's feminine right after its masculine ("abrupto;
        // abrupta") is no meaning of its own.
        if (wortart == kAdjective)
          for (qsizetype i = items.size() - 1; i > 0; --i)
            if (SpanishForms::IsFeminineOf(items[i], items[i - 1])) items.removeAt(i);
        if (!Cp1252::canEncode(form) || !hasLetter(form) || items.isEmpty()) {
          ++d.report.droppedWords;
          continue;
        }
        builder.Add(form, wortart, items.join(QStringLiteral("; ")));
      }
    }
  }
  finish(d, builder);
  return d;
}

}  // namespace Freedict
