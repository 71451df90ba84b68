// The tasks of a query: choosing records and wrong answers, and the markup
// of the question and result pages.
#include <algorithm>
#include <vector>

#include "common/random.h"
#include "common/markuptext.h"
#include "vocabulary/answers.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"
#include "vocabulary/vocabularyquery.h"

namespace {

const QString kQuote = QStringLiteral("\"");

// Upper case of the ASCII letters only, as the similarity test compares.
QString asciiUpper(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
  return out;
}

// An empty text contains nothing, and is contained in nothing.
bool eitherContains(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  return a.contains(b) || b.contains(a);
}

// A record clashes with an option when one of their entries or first
// meanings equals the other's.
bool clashes(const TVokabel& r, const TVokabel& option) {
  return r.Vokabel == option.Vokabel || r.Bedeutung[0] == option.Bedeutung[0] ||
         r.Vokabel == option.Bedeutung[0] || r.Bedeutung[0] == option.Vokabel;
}

// A value inside a quoted attribute of generated markup cannot hold a quotation mark.
QString attributeText(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('"'), QLatin1Char('\''));
  return out;
}

QString wordClassLabel(int wortart) {
  switch (wortart) {
    case 0: return QStringLiteral("[Nomen]");
    case 1: return QStringLiteral("[Verb]");
    case 2: return QStringLiteral("[Adj./Adv.]");
    case 3: return QStringLiteral("[kl. Wort]");
    case 4:
    case 5: return QStringLiteral("[Redewendung]");
    default: return {};
  }
}

// The part of a context sentence the learner fills in: from the first "["
// or "(" (not the last character) to the last matching "]" or ")" after it.
struct ContextPart {
  bool usable = false;
  bool marked = false;
  qsizetype open = -1;
  qsizetype close = -1;
};

ContextPart analyseContext(const QString& k) {
  ContextPart part;
  for (qsizetype i = 0; i + 1 < k.size(); ++i) {
    if (k[i] == QLatin1Char('[') || k[i] == QLatin1Char('(')) {
      part.open = i;
      break;
    }
  }
  if (part.open >= 0) {
    const QChar closer = k[part.open] == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char(')');
    part.close = k.lastIndexOf(closer);
    // A marked part that holds nothing to type would make a gap no answer can solve.
    part.marked = part.close > part.open && !Vocabulary::TrimBlanks(k.mid(part.open + 1, part.close - part.open - 1))
                                                 .isEmpty();
  }
  part.usable = part.marked || k.contains(QLatin1String("<a drag>"), Qt::CaseInsensitive) ||
                k.contains(QLatin1String("<a gap"), Qt::CaseInsensitive);
  return part;
}

}  // namespace

// --- Choosing tasks ---

bool TVocQuery::ChooseTask(int i) {
  const int a = lib_.Count();
  if (a == 0 || i < 0 || i >= kSlots) return false;
  std::vector<QString> meanings;  // of the tasks before slot i
  meanings.reserve(i);
  for (int j = 0; j < i; ++j) meanings.push_back(asciiUpper(tasks_[j].Frage.Bedeutung[0]));

  const qint64 similarLimit = 4LL * a;  // while t < 4a similar records are rejected
  const qint64 meaningLimit = 3LL * a;  // while t <= 3a also records of similar meaning
  int chosen = -1;
  for (qint64 t = 1; chosen < 0; ++t) {
    if (t > 8LL * a) {
      // Hardly ever reached: take the first active record from a random start,
      // and give up when there is none.
      const int start = Random::below(a);
      for (int n = 0; n < a && chosen < 0; ++n)
        if (lib_.IsActive((start + n) % a)) chosen = (start + n) % a;
      if (chosen < 0) return false;
      break;
    }
    const int index = Random::below(a);
    if (!lib_.IsActive(index)) continue;
    if (t < similarLimit) {
      const TVokabel& r = lib_.Items[index];
      const QString upper = t <= meaningLimit ? asciiUpper(r.Bedeutung[0]) : QString();
      bool similar = false;
      for (int j = 0; j < i && !similar; ++j) {
        const TVokabel& f = tasks_[j].Frage;
        similar = (r.Vokabel == f.Vokabel && r.Wortart == f.Wortart) ||
                  (t <= meaningLimit && eitherContains(upper, meanings[j]));
      }
      if (similar) continue;
    }
    chosen = index;
  }
  TVocAufgabe& task = tasks_[i];
  task = TVocAufgabe();
  task.Frage = lib_.Items[chosen];
  task.Optionen[0] = task.Frage;
  ChooseDistractors(i);
  return true;
}

void TVocQuery::ChooseDistractors(int i) {
  TVocAufgabe& t = tasks_[i];
  for (int j = 1; j < 6; ++j) t.Optionen[j] = TVokabel();
  const TVokabel q = t.Frage;
  int next = 1;
  const auto offer = [&](const TVokabel& r) {
    if (r.IsEmpty() || r.Wortart != q.Wortart || r.Deutsch != q.Deutsch) return;
    for (int k = 0; k < next; ++k)
      if (clashes(r, t.Optionen[k])) return;
    t.Optionen[next++] = r;
  };
  const int a = lib_.Count();
  if (a > 0) {
    const int start = Random::below(a);
    for (int n = 0; n < a && next < 6; ++n) offer(lib_.Items[(start + n) % a]);
  }
  if (next < 6 && reserve_ && reserve_->Count() > 0) {
    const int count = reserve_->Count();
    const int start = Random::below(count);
    for (int n = 0; n < count && next < 6; ++n) offer(reserve_->Item((start + n) % count));
  }
}

// --- Question pages ---

void TVocQuery::BuildTypingTask() {
  const TVokabel& q = tasks_[aktuell_].Frage;
  setVariable(QStringLiteral("sample"), sampleOf(q));
  QStringList solutions;
  ExpandAnswers(q.Bedeutung[0], solutions);
  ExpandAnswers(q.Bedeutung[1], solutions);
  questionText_ = q.Vokabel;
  setVariable(QStringLiteral("Aufgabe"), SoundLink(questionText_, lib_.recordingPath));
  setVariable(QStringLiteral("Wortart"), Vocabulary::WortartTrainerName(q.Wortart));
  setVariable(QStringLiteral("lsg"), solutions.join(QStringLiteral("; ")));
  setVariable(QStringLiteral("help"), HintText(solutions.value(0)));
}

void TVocQuery::BuildMultipleChoice() {
  const TVocAufgabe& t = tasks_[aktuell_];
  const TVokabel& q = t.Frage;
  questionText_ = q.Vokabel;
  setVariable(QStringLiteral("sample"), sampleOf(q));
  setVariable(QStringLiteral("Aufgabe"), SoundLink(questionText_, lib_.recordingPath));
  setVariable(QStringLiteral("Wortart"), Vocabulary::WortartTrainerName(q.Wortart));

  std::array<QString, 6> links;
  for (int j = 0; j < 6; ++j) {
    const QString meaning = MarkupText::EscapeText(t.Optionen[j].Bedeutung[0]);
    const QString target =
        j == 0 ? QStringLiteral("§[vokabel+]") : QStringLiteral("§vokabel[~%1]-").arg(j);
    links[j] = QStringLiteral("<a href=") + kQuote + target + kQuote + QStringLiteral("  key=") + kQuote +
               QLatin1Char('#') + kQuote + QLatin1Char('>') + meaning + QStringLiteral("</a>");
  }
  for (int n = 0; n < 10; ++n) {
    const int x = Random::below(6);
    const int y = Random::below(6);
    if (x != y) std::swap(links[x], links[y]);
  }
  for (int p = 0; p < 6; ++p) {
    QString& link = links[p];
    const qsizetype hash = link.indexOf(QLatin1Char('#'));
    if (hash >= 0) link[hash] = QChar('1' + p);
    setVariable(QStringLiteral("MCH%1").arg(p), link);
  }
}

bool TVocQuery::BuildContextTask() {
  const TVokabel& q = tasks_[aktuell_].Frage;
  const std::array<ContextPart, 2> parts = {analyseContext(q.Kontext[0]), analyseContext(q.Kontext[1])};
  int c;
  if (parts[0].usable && parts[1].usable) c = Random::below(2);
  else if (parts[0].usable) c = 0;
  else if (parts[1].usable) c = 1;
  else return false;

  const QString& k = q.Kontext[c];
  const ContextPart& part = parts[c];
  QString tip;
  if (part.marked) {
    const QString marked = k.mid(part.open + 1, part.close - part.open - 1);
    QString inner = marked;
    inner.replace(QLatin1Char('*'), q.Vokabel);
    QString shown = marked;
    shown.replace(QLatin1Char('*'), MarkupText::EscapeText(q.Vokabel));
    QStringList solutions;
    ExpandAnswers(inner, solutions);
    const QString first = solutions.value(0);
    const QString before = k.left(part.open);
    const QString after = k.mid(part.close + 1);
    contextText_ = before + QStringLiteral("<u>") + shown + QStringLiteral("</u>") + after;
    if (q.KontextBedeutung[c]) tip = q.Bedeutung[0];
    setVariable(QStringLiteral("Aufgabe"),
                before + QStringLiteral("<a gap lsg=") + kQuote + attributeText(solutions.join(QStringLiteral("; "))) +
                    kQuote + QStringLiteral(" help=") + kQuote + attributeText(HintText(first)) + kQuote +
                    QStringLiteral(" tip=") + kQuote + attributeText(tip) + kQuote + QStringLiteral(" reaction=") +
                    kQuote + QStringLiteral("vokabel") + kQuote + QStringLiteral(" noborder>") +
                    MarkupText::EscapeText(first) + QStringLiteral("</a>") + after);
  } else {
    // Ready exercise markup: the sentence is the exercise.
    setVariable(QStringLiteral("Aufgabe"), k);
    contextText_ = QLatin1Char('*') + k;
  }
  setVariable(QStringLiteral("Wortart"), MarkupText::EscapeText(tip));
  questionText_ = q.Vokabel;
  return true;
}

// --- Result pages ---

QString TVocQuery::RecordDisplay(const TVokabel& r) const {
  QString out = QStringLiteral("<+normal>");
  const QString path = recording(r.Vokabel);
  if (!path.isEmpty())
    out += QStringLiteral("<a href=") + kQuote + MarkupText::EscapeTarget(path) + kQuote + QStringLiteral(" >") +
           MarkupText::EscapeText(r.Vokabel) + QStringLiteral(" </a>");
  else
    out += MarkupText::EscapeText(r.Vokabel);
  out += QStringLiteral(" <+kommentar> ") + wordClassLabel(r.Wortart) + QStringLiteral("<p><+normal>");
  QString meanings = r.Bedeutung[0];
  if (!r.Bedeutung[1].isEmpty()) meanings += QStringLiteral("; ") + r.Bedeutung[1];
  out += FormatMeanings(meanings, r.Deutsch, true, r.Deutsch ? lib_.recordingPath : RecordingLookup());
  return out;
}
