#include "verbs/verbfile.h"

#include "common/fileio.h"
#include "common/filelookup.h"

namespace VerbFile {

namespace {

constexpr int kLinesPerVerb = 10;
const QLatin1Char kDash('-');
const QLatin1Char kStar('*');

QString fieldAt(const QStringList& fields, int i) { return i < fields.size() ? fields.at(i) : QString(); }

}  // namespace

QString PathIn(const QString& programDir) { return programDir + QStringLiteral("Verben/SVerben.txt"); }

QString StemRule::Apply(const QString& field) {
  const qsizetype dash = field.indexOf(kDash);
  if (dash < 0) return field;
  if (field.size() == 1) return {};
  if (dash == 0) return stem_ + field.mid(1);
  if (dash == 1 && field.front() == kStar) return kStar + stem_ + field.mid(2);
  stem_ = field.left(dash);
  if (stem_.startsWith(kStar)) stem_.remove(0, 1);
  return field.left(dash) + field.mid(dash + 1);
}

std::vector<TVerb> Parse(const QStringList& lines) {
  std::vector<TVerb> verbs;
  StemRule rule;
  qsizetype i = 0;
  auto nextFields = [&](StemRule& r) {
    QStringList fields = i < lines.size() ? lines.at(i).split(QLatin1Char(',')) : QStringList();
    ++i;
    for (QString& f : fields) f = r.Apply(f);
    return fields;
  };
  while (i < lines.size()) {
    if (lines.at(i).startsWith(QLatin1String("(c)"))) ++i;
    if (i >= lines.size()) break;
    TVerb verb;
    const QStringList header = nextFields(rule);
    verb.Infinitiv = fieldAt(header, 0);
    verb.Bedeutung = fieldAt(header, 1);
    verb.HilfsverbHaber = fieldAt(header, 2) == QLatin1String("haber");
    for (int t = 0; t < 6; ++t) {
      const QStringList forms = nextFields(rule);
      for (int p = 0; p < VerbTense::kPersons; ++p) verb.Formen[t][p] = fieldAt(forms, p);
    }
    const QStringList imperative = nextFields(rule);
    for (int p = 1; p < VerbTense::kPersons; ++p)
      verb.Formen[VerbTense::Imperativo][p] = fieldAt(imperative, p - 1);
    const QStringList conditional = nextFields(rule);
    for (int p = 0; p < VerbTense::kPersons; ++p) verb.Formen[VerbTense::Condicional][p] = fieldAt(conditional, p);
    const QStringList last = nextFields(rule);
    verb.Gerundio = fieldAt(last, 0);
    verb.Participio = fieldAt(last, 1);
    if (!verb.Infinitiv.isEmpty()) verbs.push_back(std::move(verb));
  }
  static_assert(kLinesPerVerb == 1 + 6 + 1 + 1 + 1);
  return verbs;
}

void BuildCompoundTenses(std::vector<TVerb>& verbs) {
  // The auxiliary's forms are copied first: the auxiliary may be completed
  // in the same pass, and its simple tenses never change.
  const std::optional<TVerb> first = verbs.empty() ? std::nullopt : std::optional<TVerb>(verbs[0]);
  const std::optional<TVerb> second = verbs.size() < 2 ? std::nullopt : std::optional<TVerb>(verbs[1]);
  for (TVerb& verb : verbs) {
    verb.Formen[VerbTense::Participios][0] = verb.Gerundio;
    verb.Formen[VerbTense::Participios][1] = verb.Participio;
    const std::optional<TVerb>& auxiliary = verb.HilfsverbHaber ? first : second;
    if (!auxiliary) continue;
    const QString participle = TVerb::Plain(verb.Participio);
    for (const VerbTense::Compound& c : VerbTense::CompoundTenses())
      for (int p = 0; p < VerbTense::kPersons; ++p)
        verb.Formen[c.tense][p] =
            TVerb::Plain(auxiliary->Formen[c.auxiliaryTense][p]) + QLatin1Char(' ') + participle;
  }
}

std::optional<std::vector<TVerb>> Read(const QString& path) {
  const QString found = FileLookup::locate(path);
  if (found.isEmpty()) return std::nullopt;
  const std::optional<QString> text = FileIO::readText(found);
  if (!text) return std::nullopt;
  std::vector<TVerb> verbs = Parse(FileIO::splitLines(*text));
  BuildCompoundTenses(verbs);
  return verbs;
}

}  // namespace VerbFile
