// The vocabulary the course ships: every library of "Vokabeln (S)" as the
// trainer reads it from the installation tree, and the basic vocabulary of
// data resource "2". Checks the structure the query rounds rely on, the
// answer forms the typing gaps will accept, and the spelling of every
// Spanish and German word (the language lab's sentences too) with
// hunspell's es_ES and de_DE dictionaries.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <optional>

#include "common/textcodec.h"
#include "lab/labsentences.h"
#include "pages/zipresource.h"
#include "sound/txwavebase.h"
#include "vocabulary/answers.h"
#include "vocabulary/libraryfile.h"
#include "vocabulary/tres.h"
#include "vocabulary/tvoclib.h"
#include "vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

const QString kCourse = QStringLiteral(ZVK_SOURCE_DIR "/course/");
const QString kStage = QStringLiteral(ZVK_STAGE_DIR "/");
const QString kVocabulary = u"Vokabeln (S)/"_s;
const QString kBasicSource = kCourse + u"data/grundwortschatz.txt"_s;
const QString kBasicData = kCourse + u"data/2.txt"_s;
const QString kExceptions = kCourse + u"data/spelling-exceptions.txt"_s;

constexpr int kBasicRecords = 750;
constexpr int kMinRecordsPerLesson = 25;
constexpr int kMaxRecordsPerLesson = 50;

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The UTF-8 sources of the repository in the form the programs read: Windows-1252.
QByteArray storedForm(const QString& sourcePath) { return Cp1252::encode(QString::fromUtf8(readFile(sourcePath))); }

struct CourseLibrary {
  QString name;    // below the vocabulary directory: "Grundwortschatz/Familie.asc"
  QString folder;  // "Grundwortschatz"
  int result = 0;  // what LoadFromFile returned for the installed copy
  QStringList comments;
  QList<TVokabel> records;  // without the trailing empty record
};

// Every library of the course sources, read from its installed copy.
const QList<CourseLibrary>& courseLibraries() {
  static const QList<CourseLibrary> libraries = [] {
    const QDir root(kCourse + kVocabulary);
    QStringList names;
    QDirIterator it(root.path(), {u"*.asc"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) names << root.relativeFilePath(it.next());
    names.sort();
    QList<CourseLibrary> list;
    for (const QString& name : names) {
      CourseLibrary lib;
      lib.name = name;
      lib.folder = name.section(QLatin1Char('/'), 0, 0);
      TVocLib reader;
      lib.result = reader.LoadFromFile(kStage + kVocabulary + name, true);
      lib.comments = reader.Comments;
      lib.records = reader.Items.mid(0, reader.Count());
      list << lib;
    }
    return list;
  }();
  return libraries;
}

QStringList folders() {
  QStringList names;
  for (const CourseLibrary& lib : courseLibraries())
    if (!names.contains(lib.folder)) names << lib.folder;
  return names;
}

// course/data/2.txt: the same ten-line layout as a library, without comments.
const QList<TVokabel>& basicRecords() {
  static const QList<TVokabel> records = LibraryFile::parse(storedForm(kBasicData)).records;
  return records;
}

// One record of the course with the place it comes from, for messages.
struct Located {
  const TVokabel* record;
  QString where;
};

QList<Located> allRecords() {
  QList<Located> all;
  for (const CourseLibrary& lib : courseLibraries())
    for (const TVokabel& v : lib.records) all.append({&v, lib.name + u": "_s + v.Vokabel});
  for (const TVokabel& v : basicRecords()) all.append({&v, u"data/2.txt: "_s + v.Vokabel});
  return all;
}

// The key under which a learner's answers to a record are kept.
QString historyKey(const TVokabel& v) {
  return QString::number(v.Deutsch) + QLatin1Char('|') + QString::number(v.Wortart) + QLatin1Char('|') + v.Vokabel;
}

const QRegularExpression& genderMark() {
  static const QRegularExpression re(u"\\((m|f|mpl|fpl|mf)\\)"_s);
  return re;
}

QStringList meaningItems(const TVokabel& v) {
  QStringList items;
  for (const QString& line : v.Bedeutung)
    if (!line.isEmpty()) items += line.split(u"; "_s);
  return items;
}

// The gap of a context sentence: the text between its one pair of square
// brackets. Empty when the sentence has no such gap or more markup than that.
std::optional<QString> gapOf(const QString& context) {
  const qsizetype open = context.indexOf(QLatin1Char('['));
  const qsizetype close = context.indexOf(QLatin1Char(']'));
  if (context.count(QLatin1Char('[')) != 1 || context.count(QLatin1Char(']')) != 1 || close < open ||
      context.contains(QLatin1Char('(')) || context.contains(QLatin1Char(')')))
    return std::nullopt;
  const QString inner = context.mid(open + 1, close - open - 1);
  if (inner.trimmed().isEmpty()) return std::nullopt;
  return inner;
}

// A German entry's context sentence ends with the entry as a German cue,
// " (Kind)": the trainer shows no tip for it, as its meaning line would be
// the answer itself. An explanation is set off from the word by a comma, so
// that "gut [Adverb]" is cued "(gut, Adverb)" and does not read as one phrase.
QString cueOf(const TVokabel& v) {
  static const QRegularExpression explained(u"^(.*\\S)\\s*\\[([^\\]]*)\\]$"_s);
  const QRegularExpressionMatch m = explained.match(v.Vokabel.simplified());
  const QString cue = m.hasMatch() ? m.captured(1) + u", "_s + m.captured(2) : v.Vokabel.simplified();
  return u" ("_s + cue + u")"_s;
}

// The Spanish sentence of a context, without the cue of a German entry;
// nothing when a German entry's context lacks its cue.
std::optional<QString> sentenceOf(const TVokabel& v, const QString& context) {
  if (!v.Deutsch) return context;
  if (!context.endsWith(cueOf(v))) return std::nullopt;
  return context.chopped(cueOf(v).size());
}

QSet<QString> lowerForms(const QString& line) {
  QSet<QString> forms;
  for (const QString& f : ExpandAnswers(line)) forms.insert(f.toLower());
  return forms;
}

// What keeps the accepted forms of a meaning line from being typed as they
// should; empty when every form is a plain text.
QStringList formProblems(const QString& line) {
  QStringList problems;
  if (line.count(QLatin1Char('(')) != line.count(QLatin1Char(')')) ||
      line.count(QLatin1Char('[')) != line.count(QLatin1Char(']')))
    problems << u"unbalanced brackets"_s;
  for (qsizetype i = line.indexOf(QLatin1Char(';')); i >= 0; i = line.indexOf(QLatin1Char(';'), i + 1))
    if (i + 1 >= line.size() || line[i + 1] != QLatin1Char(' ')) problems << u"';' not followed by a blank"_s;
  static const QRegularExpression strayMark(u"(^| )(m|f|mpl|fpl|mf)( |$)"_s);
  for (const QString& form : ExpandAnswers(line)) {
    if (form.isEmpty()) problems << u"an empty form"_s;
    for (QChar c : u"()[]¿¡?!"_s)
      if (form.contains(c)) problems << u"'%1' left in the form '%2'"_s.arg(c).arg(form);
    if (strayMark.match(form).hasMatch()) problems << u"a gender mark not recognised in '%1'"_s.arg(form);
  }
  return problems;
}

// --- Spelling ---

enum Language { Spanish, German };

class SpellingList {
 public:
  // An entry or meaning line: its explanations in square brackets are German,
  // every accepted form is in the given language.
  void addAnswerText(Language language, const QString& text, const QString& where) {
    static const QRegularExpression explanation(u"\\[([^\\]]*)\\]"_s);
    for (auto it = explanation.globalMatch(text); it.hasNext();) addText(German, it.next().captured(1), where);
    // The forms with "ss" for "ß" are accepted for keyboards without "ß"; the
    // text itself is spelled with "ß".
    const QStringList forms = ExpandAnswers(text);
    for (qsizetype i = 0; i < forms.size(); ++i) {
      const bool ssForm = i > 0 && forms[i - 1].contains(u'ß') && QString(forms[i - 1]).replace(u'ß', u"ss"_s) == forms[i];
      if (!ssForm) addText(language, forms[i], where);
    }
  }
  // A context sentence is Spanish; its gap is part of the sentence.
  void addContext(const QString& context, const QString& vokabel, const QString& where) {
    QString text = context;
    text.replace(QLatin1Char('*'), vokabel);
    addText(Spanish, text, where);
  }

  // Words hunspell does not know, each with the first place it occurs.
  QStringList unknown(Language language, const QString& dictionary, QString* error) const {
    QProcess hunspell;
    hunspell.start(u"hunspell"_s, {u"-i"_s, u"UTF-8"_s, u"-d"_s, dictionary, u"-l"_s});
    if (!hunspell.waitForStarted(10000)) {
      *error = u"hunspell does not start; scripts/install-deps installs it with its dictionaries"_s;
      return {};
    }
    hunspell.write(QStringList(words_[language].keys()).join(QLatin1Char('\n')).toUtf8() + '\n');
    hunspell.closeWriteChannel();
    if (!hunspell.waitForFinished(120000) || hunspell.exitCode() != 0) {
      *error = u"hunspell -d "_s + dictionary + u" failed: "_s + QString::fromUtf8(hunspell.readAllStandardError());
      return {};
    }
    QStringList result;
    for (const QString& word : QString::fromUtf8(hunspell.readAllStandardOutput()).split(QLatin1Char('\n')))
      if (!word.isEmpty() && !result.contains(word)) result << word;
    return result;
  }

  QString where(Language language, const QString& word) const { return words_[language].value(word); }
  bool contains(Language language, const QString& word) const { return words_[language].contains(word); }
  int size(Language language) const { return static_cast<int>(words_[language].size()); }

  // Plain text: every word in it.
  void addText(Language language, const QString& text, const QString& where) {
    QString word;
    auto flush = [&] {
      while (!word.isEmpty() && (word.front() == QLatin1Char('-') || word.front() == QLatin1Char('\'')))
        word.remove(0, 1);
      while (!word.isEmpty() && (word.back() == QLatin1Char('-') || word.back() == QLatin1Char('\''))) word.chop(1);
      const bool number = std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
      if (!word.isEmpty() && !number && !words_[language].contains(word)) words_[language].insert(word, where);
      word.clear();
    };
    for (QChar c : text) {
      if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('\''))
        word += c;
      else
        flush();
    }
    flush();
  }

 private:
  QMap<QString, QString> words_[2];
};

struct SpellingException {
  Language language;
  QString word;
};

// course/data/spelling-exceptions.txt: "es" or "de", the word, and the reason
// why it is right although the dictionary does not know it.
QList<SpellingException> spellingExceptions(QStringList* problems) {
  QList<SpellingException> list;
  const QStringList lines = QString::fromUtf8(readFile(kExceptions)).split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList parts = line.split(QRegularExpression(u"\\s+"_s));
    if (parts.size() < 3 || (parts[0] != u"es"_s && parts[0] != u"de"_s)) {
      problems->append(u"spelling-exceptions.txt line %1: expected language, word and reason"_s.arg(i + 1));
      continue;
    }
    list.append({parts[0] == u"es"_s ? Spanish : German, parts[1]});
  }
  return list;
}

}  // namespace

TEST(CourseVocabulary, EveryLibraryReadsCompletelyFromTheInstalledTree) {
  const QList<CourseLibrary>& libraries = courseLibraries();
  ASSERT_FALSE(libraries.isEmpty()) << "no libraries below " << qPrintable(kCourse + kVocabulary);
  for (const CourseLibrary& lib : libraries) {
    SCOPED_TRACE(lib.name.toStdString());
    EXPECT_GT(lib.result, 0) << "the installed copy is missing or does not read (" << lib.result << ")";
    EXPECT_EQ(lib.result, lib.records.size());
    EXPECT_GE(lib.records.size(), kMinRecordsPerLesson);
    EXPECT_LE(lib.records.size(), kMaxRecordsPerLesson);
    ASSERT_FALSE(lib.comments.isEmpty()) << "a library names its topic in its first comment line";
    EXPECT_TRUE(lib.comments[0].startsWith(QFileInfo(lib.name).completeBaseName() + u": "_s)) << lib.comments[0].toStdString();

    // The installed copy is written as the editor writes libraries: CR LF after every line...
    const QByteArray installed = readFile(kStage + kVocabulary + lib.name);
    EXPECT_TRUE(installed.endsWith("\r\n"));
    EXPECT_EQ(installed.count('\n'), installed.count("\r\n"));
    // ...and holds exactly what the repository holds.
    const LibraryFile::Content source = LibraryFile::parse(storedForm(kCourse + kVocabulary + lib.name));
    EXPECT_FALSE(source.malformed);
    EXPECT_EQ(source.comments, lib.comments);
    EXPECT_TRUE(source.records == lib.records) << "the installed copy differs from the source";

    bool directions[2] = {false, false};
    for (const TVokabel& v : lib.records) {
      EXPECT_FALSE(v.IsEmpty()) << "an empty record after " << v.Vokabel.toStdString();
      EXPECT_TRUE(Vocabulary::IsValidWortart(v.Wortart)) << v.Vokabel.toStdString();
      EXPECT_TRUE(Vocabulary::IsValidSchwierigkeit(v.Schwierigkeit)) << v.Vokabel.toStdString();
      directions[v.Deutsch] = true;
    }
    EXPECT_TRUE(directions[0] && directions[1]) << "both directions belong in every library";
  }
}

TEST(CourseVocabulary, LessonFoldersCoverEveryWordClassDifficultyAndDirection) {
  const QStringList names = folders();
  ASSERT_TRUE(names.contains(u"Grundwortschatz"_s));
  ASSERT_TRUE(names.contains(u"Reisevokabular"_s));
  const TRes basic;
  for (const QString& folder : names) {
    SCOPED_TRACE(folder.toStdString());
    int files = 0;
    QList<TVokabel> records;
    for (const CourseLibrary& lib : courseLibraries())
      if (lib.folder == folder) {
        ++files;
        records += lib.records;
      }
    EXPECT_GE(files, folder == u"Grundwortschatz"_s ? 10 : 3);

    QSet<int> wortarten, schwierigkeiten;
    QMap<QString, int> keys;
    int withContext = 0;
    for (const TVokabel& v : records) {
      wortarten.insert(v.Wortart);
      schwierigkeiten.insert(v.Schwierigkeit);
      ++keys[historyKey(v)];
      if (!v.Kontext[0].isEmpty() || !v.Kontext[1].isEmpty()) ++withContext;
    }
    EXPECT_EQ(wortarten.size(), Vocabulary::kWortarten);
    EXPECT_EQ(schwierigkeiten.size(), Vocabulary::kSchwierigkeiten);
    EXPECT_GE(withContext * 3, records.size() * 2) << "two records in three have a context sentence";

    // A selection of the folder keeps one learning history per record, so no
    // record may share its history key with another.
    QStringList twice;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
      if (it.value() > 1) twice << it.key();
    EXPECT_TRUE(twice.isEmpty()) << qPrintable(twice.join(u", "_s));

    // Multiple choice takes its five wrong answers from records of the same word
    // class and direction, first in the selection and then in the basic vocabulary.
    const QList<TVokabel> pool = records + basic.Items();
    for (const TVokabel& v : records) {
      int candidates = 0;
      for (const TVokabel& w : pool)
        if (w.Wortart == v.Wortart && w.Deutsch == v.Deutsch && w.Bedeutung[0] != v.Bedeutung[0]) ++candidates;
      EXPECT_GE(candidates, 5) << v.Vokabel.toStdString();
    }

    // The trainer loads the folder as one selection, with every record active by default.
    VocabularyFixture trainer;
    trainer.env.VocabularyDir = kStage + kVocabulary;
    trainer.library.SetSelection(folder + u"\\"_s);
    EXPECT_EQ(trainer.library.Count(), records.size());
    EXPECT_EQ(trainer.library.Einstellungen.FileCount(), files);
    EXPECT_EQ(trainer.library.ActiveCount(), records.size());
    EXPECT_GT(trainer.library.CountDeutsch(true), 0);
    EXPECT_GT(trainer.library.CountDeutsch(false), 0);
  }
}

TEST(CourseVocabulary, ContextSentencesMarkTheirGapAndTipsKeepItSecret) {
  int contexts = 0;
  QStringList problems;
  for (const CourseLibrary& lib : courseLibraries())
    for (const TVokabel& v : lib.records)
      for (int n = 0; n < 2; ++n) {
        if (v.Kontext[n].isEmpty()) continue;
        ++contexts;
        const QString where = lib.name + u": "_s + v.Kontext[n];
        const auto sentence = sentenceOf(v, v.Kontext[n]);
        if (!sentence) {
          problems << where + u" -- a German entry's sentence ends with the entry as its cue:"_s + cueOf(v);
          continue;
        }
        const auto gap = gapOf(*sentence);
        if (!gap) {
          problems << where + u" -- needs exactly one gap in square brackets and no other brackets"_s;
          continue;
        }
        QString inner = *gap;
        inner.replace(QLatin1Char('*'), v.Vokabel);
        for (const QString& p : formProblems(inner)) problems << where + u" -- "_s + p;
        // The tip shows the first meaning line next to the gap; it must not be the answer.
        if (v.KontextBedeutung[n] && lowerForms(inner).intersects(lowerForms(v.Bedeutung[0])))
          problems << where + u" -- the tip shows the answer"_s;
      }
  EXPECT_GT(contexts, 300);
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));

  // The basic vocabulary carries no contexts.
  for (const TVokabel& v : basicRecords()) EXPECT_TRUE(v.Kontext[0].isEmpty() && v.Kontext[1].isEmpty());
}

TEST(CourseVocabulary, MeaningsExpandToAnswerFormsThatCanBeTyped) {
  QStringList problems;
  for (const Located& r : allRecords()) {
    const TVokabel& v = *r.record;
    for (const QString& line : v.Bedeutung)
      for (const QString& p : formProblems(line)) problems << r.where + u" -- "_s + p;

    // Gender marks belong to Spanish nouns only, and every Spanish noun has one.
    const bool noun = v.Wortart == 0;
    const QString german = v.Deutsch ? v.Vokabel : v.Bedeutung[0] + v.Bedeutung[1];
    if (german.contains(genderMark())) problems << r.where + u" -- a gender mark on the German side"_s;
    if (!v.Deutsch && noun != v.Vokabel.contains(genderMark()))
      problems << r.where + (noun ? u" -- a Spanish noun without gender mark"_s : u" -- a gender mark on a non-noun"_s);
    if (v.Deutsch)
      for (const QString& item : meaningItems(v))
        if (noun != StripExplanations(item).contains(genderMark()))
          problems << r.where + u" -- '"_s + item +
                          (noun ? u"' is a Spanish noun without gender mark"_s : u"' has a gender mark"_s);
  }
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));

  // The notation works as meant in the shipped data.
  EXPECT_EQ(ExpandAnswers(u"plano (m) (de la ciudad)"_s),
            (QStringList{u"el plano de la ciudad"_s, u"plano de la ciudad"_s, u"el plano"_s, u"plano"_s}));
  EXPECT_EQ(ExpandAnswers(u"dentista (mf)"_s),
            (QStringList{u"el dentista"_s, u"la dentista"_s, u"dentista"_s}));
}

// Whether a Spanish word begins with a stressed "a" or "ha": "agua", "aula",
// "hambre", "área". Stress follows the written accent, else the rule that a
// word ending in a vowel, "n" or "s" is stressed on its last but one syllable.
bool stressedInitialA(const QString& word) {
  const QString w = word.toLower();
  if (w.startsWith(u"á"_s) || w.startsWith(u"há"_s)) return true;
  if (!w.startsWith(u"a"_s) && !w.startsWith(u"ha"_s)) return false;
  const QString strong = u"aeoáéó"_s, vowels = u"aeiouáéíóúü"_s;
  int syllables = 0;
  QChar previous;
  for (QChar c : w) {
    if (u"éíóú"_s.contains(c)) return false;  // stressed elsewhere
    const bool vowel = vowels.contains(c);
    if (vowel && (!vowels.contains(previous) || (strong.contains(c) && strong.contains(previous)))) ++syllables;
    previous = c;
  }
  const QChar last = w.isEmpty() ? QChar() : w.back();
  return syllables == 1 || (syllables == 2 && (vowels.contains(last) || last == u'n' || last == u's'));
}

TEST(CourseVocabulary, FeminineNounsWithAStressedAAreSpokenAndAnsweredWithEl) {
  // "el agua", never "la agua": such a noun is written with its article, so
  // that neither the answer forms nor the recordings give it "la".
  for (const char* word : {"agua", "aula", "hambre", "área", "alma", "hacha"})
    EXPECT_TRUE(stressedInitialA(QString::fromUtf8(word))) << word;
  for (const char* word : {"amiga", "habitación", "ayuda", "avenida", "hora", "casa", "azúcar"})
    EXPECT_FALSE(stressedInitialA(QString::fromUtf8(word))) << word;

  QStringList problems;
  int checked = 0;
  for (const Located& r : allRecords()) {
    const TVokabel& v = *r.record;
    const QStringList items = v.Deutsch ? meaningItems(v) : v.Vokabel.split(u"; "_s);
    for (const QString& item : items) {
      const QString plain = StripExplanations(item).simplified();
      if (!plain.endsWith(u" (f)"_s)) continue;
      ++checked;
      QStringList words = plain.split(QLatin1Char(' '));
      const bool withEl = words.first() == u"el"_s || words.first() == u"(el)"_s;
      if (withEl || words.first() == u"la"_s || words.first() == u"(la)"_s) words.removeFirst();
      if (stressedInitialA(words.first()) && !withEl) problems << r.where + u" -- write '"_s + item + u"' with 'el'"_s;
    }
  }
  EXPECT_GT(checked, 100);
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));

  // The recording a click on the word plays says "el agua".
  TXWaveBase recordings;
  ASSERT_TRUE(recordings.Load(kStage + u"S_wx.zvk"_s));
  const QString agua = recordings.Lookup(u"el agua (f)"_s, true);
  EXPECT_TRUE(agua.startsWith(u"XS:\\espeak\\el_agua_"_s)) << qPrintable(agua);
}

TEST(CourseVocabulary, TheSameEntryAcceptsTheSameAnswersInEveryLibrary) {
  // A word learned in one library must not be refused in another one that
  // asks for it again, nor in the basic vocabulary; and as the learning
  // history is kept per direction, word class and entry, its word class agrees too.
  struct FirstSeen {
    QString where;
    int wortart;
    QSet<QString> forms;
  };
  QMap<QString, FirstSeen> seen;
  QStringList problems;
  int shared = 0;
  for (const Located& r : allRecords()) {
    const TVokabel& v = *r.record;
    QSet<QString> forms;
    for (const QString& line : v.Bedeutung)
      for (const QString& form : ExpandAnswers(line)) forms.insert(form);
    const QString key = QString::number(v.Deutsch) + QLatin1Char('|') + v.Vokabel.simplified();
    const auto it = seen.constFind(key);
    if (it == seen.constEnd()) {
      seen.insert(key, {r.where, v.Wortart, forms});
      continue;
    }
    ++shared;
    if (it->wortart != v.Wortart)
      problems << r.where + u" -- word class %1, but %2 in "_s.arg(v.Wortart).arg(it->wortart) + it->where;
    QStringList onlyHere(forms.begin(), forms.end()), onlyThere(it->forms.begin(), it->forms.end());
    onlyHere.removeIf([&](const QString& f) { return it->forms.contains(f); });
    onlyThere.removeIf([&](const QString& f) { return forms.contains(f); });
    onlyHere.sort();
    onlyThere.sort();
    if (!onlyHere.isEmpty()) problems << r.where + u" -- accepts '"_s + onlyHere.join(u"', '"_s) + u"', refused in "_s + it->where;
    if (!onlyThere.isEmpty()) problems << r.where + u" -- refuses '"_s + onlyThere.join(u"', '"_s) + u"', accepted in "_s + it->where;
  }
  EXPECT_GT(shared, 100) << "the libraries repeat words of the basic vocabulary";
  EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

TEST(CourseVocabulary, BasicVocabularyHolds750RecordsOfWhichTheProgramsRead600) {
  // The source lines as the resource stores them: untrimmed, "-1"/"0" for the direction.
  const QStringList lines = QString::fromUtf8(readFile(kBasicData)).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), kBasicRecords * 10 + 1);  // the last line ends with a line feed
  EXPECT_TRUE(lines.last().isEmpty());
  for (int i = 0; i < kBasicRecords * 10; ++i) {
    const QString& line = lines[i];
    EXPECT_EQ(line, Vocabulary::TrimBlanks(line)) << "line " << i + 1 << " has blanks the resource reader keeps";
    switch (i % 10) {
      case 3: case 5: EXPECT_TRUE(line.isEmpty()) << "line " << i + 1; break;
      case 4: case 6: EXPECT_EQ(line, u"0"_s) << "line " << i + 1; break;
      case 8: EXPECT_TRUE(line == u"-1"_s || line == u"0"_s) << "line " << i + 1; break;
      default: break;
    }
  }

  // Every record is complete and ready for the query rounds.
  const QList<TVokabel>& records = basicRecords();
  ASSERT_EQ(records.size(), kBasicRecords);
  QSet<int> schwierigkeiten;
  QMap<QString, int> keys;
  for (const TVokabel& v : records) {
    EXPECT_FALSE(v.IsEmpty());
    EXPECT_TRUE(Vocabulary::IsValidWortart(v.Wortart)) << v.Vokabel.toStdString();
    EXPECT_TRUE(Vocabulary::IsValidSchwierigkeit(v.Schwierigkeit)) << v.Vokabel.toStdString();
    schwierigkeiten.insert(v.Schwierigkeit);
    ++keys[historyKey(v)];
  }
  EXPECT_EQ(schwierigkeiten.size(), Vocabulary::kSchwierigkeiten);
  EXPECT_EQ(keys.size(), kBasicRecords) << "a record appears twice";

  // The programs read the first 600, and the generator orders the records by
  // difficulty: the 600 must be whole levels, so that a difficulty decides which
  // records are read and not their place in the source.
  ASSERT_GT(records.size(), TRes::kMaxRecords);
  EXPECT_LT(records[TRes::kMaxRecords - 1].Schwierigkeit, records[TRes::kMaxRecords].Schwierigkeit)
      << "the records read end in the middle of difficulty " << records[TRes::kMaxRecords].Schwierigkeit;

  // The compiled resource holds all of them; the programs read the first 600,
  // and those serve both directions and every word class.
  TZIPResource resource(2);
  ASSERT_TRUE(resource.hasStream());
  int resourceLines = 0;
  while (!resource.AtEnd()) {
    resource.ReadLine();
    ++resourceLines;
  }
  EXPECT_EQ(resourceLines, kBasicRecords * 10);
  const TRes res;
  ASSERT_EQ(res.Count(), TRes::kMaxRecords);
  QSet<QString> served;
  for (int i = 0; i < res.Count(); ++i) {
    const TVokabel& v = res.Item(i);
    EXPECT_EQ(v, records[i]) << "record " << i + 1;
    served.insert(QString::number(v.Deutsch) + QString::number(v.Wortart));
  }
  for (int deutsch = 0; deutsch < 2; ++deutsch)
    for (int w = 0; w < Vocabulary::kWortarten; ++w)
      EXPECT_TRUE(served.contains(QString::number(deutsch) + QString::number(w)))
          << "no record of word class " << w << " with Deutsch " << deutsch << " among the 600 read";
}

TEST(CourseVocabulary, BasicVocabularyIsGeneratedFromItsSource) {
  // tools/grundwortschatz.py writes 2.txt from grundwortschatz.txt, ordered by
  // difficulty; a change of the source must not be left without the new 2.txt.
  QList<TVokabel> expected;
  const QStringList lines = QString::fromUtf8(readFile(kBasicSource)).split(QLatin1Char('\n'));
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    QStringList f = line.split(QLatin1Char('|'));
    ASSERT_TRUE(f.size() == 5 || f.size() == 6) << raw.toStdString();
    f.resize(6);
    TVokabel v;
    v.Deutsch = f[0].trimmed() == u"D"_s;
    v.Wortart = f[1].toInt();
    v.Schwierigkeit = f[2].toInt();
    v.Vokabel = f[3].trimmed();
    v.Bedeutung = {f[4].trimmed(), f[5].trimmed()};
    expected << v;
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](const TVokabel& a, const TVokabel& b) { return a.Schwierigkeit < b.Schwierigkeit; });
  EXPECT_TRUE(expected == basicRecords()) << "course/data/2.txt is out of date: run tools/grundwortschatz.py";
}

TEST(CourseVocabulary, EveryWordPassesTheSpellingCheck) {
  // Every word a learner reads: the libraries, the basic vocabulary and the language lab.
  SpellingList words;
  for (const Located& r : allRecords()) {
    const TVokabel& v = *r.record;
    const Language entry = v.Deutsch ? German : Spanish;
    const Language meaning = v.Deutsch ? Spanish : German;
    words.addAnswerText(entry, v.Vokabel, r.where);
    for (const QString& line : v.Bedeutung) words.addAnswerText(meaning, line, r.where);
    for (const QString& context : v.Kontext)
      if (!context.isEmpty()) words.addContext(sentenceOf(v, context).value_or(context), v.Vokabel, r.where);
  }
  for (const CourseLibrary& lib : courseLibraries())
    for (const QString& comment : lib.comments) words.addText(German, comment, lib.name);
  // The language lab's sentences, their accepted forms and translations.
  for (const TThema& topic : LabSentences::ReadBuiltIn()) {
    const QString where = u"Sprachlabor, "_s + topic.Titel;
    words.addText(German, topic.Titel, where);
    for (const TSatz& s : topic.Saetze) {
      words.addText(Spanish, s.Satz + u' ' + s.Alternativen, where);
      words.addText(German, s.Deutsch, where);
    }
  }
  EXPECT_GT(words.size(Spanish), 1000);
  EXPECT_GT(words.size(German), 1000);

  QStringList problems;
  const QList<SpellingException> exceptions = spellingExceptions(&problems);
  const struct {
    Language language;
    QString dictionary;
  } checks[] = {{Spanish, u"es_ES"_s}, {German, u"de_DE"_s}};
  for (const auto& check : checks) {
    QString error;
    const QStringList unknown = words.unknown(check.language, check.dictionary, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    for (const QString& word : unknown) {
      const bool excepted = std::any_of(exceptions.begin(), exceptions.end(), [&](const SpellingException& e) {
        return e.language == check.language && e.word == word;
      });
      if (!excepted) problems << check.dictionary + u": "_s + word + u"   ("_s + words.where(check.language, word) + u")"_s;
    }
  }
  // The list of exceptions stays short: at most 3 in 100 of the words checked,
  // and a word the course no longer uses leaves it.
  EXPECT_LE(exceptions.size() * 100, (words.size(Spanish) + words.size(German)) * 3);
  for (const SpellingException& e : exceptions)
    if (!words.contains(e.language, e.word))
      problems << u"spelling-exceptions.txt: '"_s + e.word + u"' is not used any more"_s;
  EXPECT_TRUE(problems.isEmpty()) << "Unknown words (fix them, or add a right word with its reason to "
                                     "course/data/spelling-exceptions.txt):\n"
                                  << qPrintable(problems.join(QLatin1Char('\n')));
}

TEST(CourseVocabulary, SpellingCheckFindsMisspelledWordsOnBothSides) {
  // The check itself: a wrong Spanish and a wrong German word are reported,
  // their right forms and the markup around them are not.
  SpellingList words;
  words.addAnswerText(Spanish, u"(el/la) estudiante; ordenadorr (m)"_s, u"test"_s);
  words.addAnswerText(German, u"[Gerätt] Rechner; Haus(tür)"_s, u"test"_s);
  words.addContext(u"Vivo en [*] grande."_s, u"una casaa"_s, u"test"_s);
  QString error;
  QStringList spanish = words.unknown(Spanish, u"es_ES"_s, &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  QStringList german = words.unknown(German, u"de_DE"_s, &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  spanish.sort();
  german.sort();
  EXPECT_EQ(spanish, (QStringList{u"casaa"_s, u"ordenadorr"_s}));
  EXPECT_EQ(german, QStringList{u"Gerätt"_s});
  EXPECT_TRUE(words.contains(German, u"Haustür"_s));
  EXPECT_TRUE(words.contains(Spanish, u"estudiante"_s));
  EXPECT_FALSE(words.contains(Spanish, u"m"_s));
}
