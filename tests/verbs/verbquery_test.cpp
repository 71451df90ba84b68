// The verb trainer's selection of verbs and tenses, stored per learner, and
// its query rounds: typed and multiple-choice questions, the results, the
// round of ten, and what the round leaves behind on the page.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "common/messagerecorder.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "common/random.h"
#include "environment/settingsstore.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"
#include "testsupport.h"
#include "verbs/tverben.h"
#include "verbs/verbcommands.h"
#include "verbs/verbfile.h"
#include "verbs/verbforms.h"

namespace {

using namespace Qt::StringLiterals;

std::vector<TVerb> courseVerbs() {
  std::optional<std::vector<TVerb>> verbs = VerbFile::Read(VerbFile::PathIn(QStringLiteral(ZVK_STAGE_DIR "/")));
  return verbs ? *verbs : std::vector<TVerb>{};
}

int indexOf(const std::vector<TVerb>& verbs, const QString& infinitive) {
  for (size_t i = 0; i < verbs.size(); ++i)
    if (verbs[i].Infinitiv == infinitive) return static_cast<int>(i);
  return -1;
}

// The verb trainer on a page with the course's pages and its command rows.
struct Trainer {
  explicit Trainer(std::vector<TVerb> list = courseVerbs()) {
    Random::seed(7);
    verbs.SetVerbs(std::move(list));
    verbs.SetSelectionStore(&store, [this] { return key; });
    RegisterVerbCommands(table, verbs, nullptr);
    page.OnCommand = [this](TXPage*, const QString& command) { dispatcher.Run(command); };
  }
  void run(const QString& command) { dispatcher.Run(command); }
  QString var(const QString& name) const { return page.GetVariable(name); }

  ScopedConfigHome config;
  MessageRecorder messages;
  SettingsStore store;
  QString key = u"Software\\zvk\\zvk spanisch\\5\\Ana"_s;
  TXPage page{nullptr};
  TVerben verbs{page, QStringLiteral(ZVK_STAGE_DIR "/hzvk/")};
  PageCommandTable table;
  PageCommandDispatcher dispatcher{table};
};

void press(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &down);
  QCoreApplication::processEvents();
}

// A verb whose forms name their tense and person ("v3p2"), so that every
// form of the verb differs.
TVerb numbered(const QString& infinitive) {
  TVerb v;
  v.Infinitiv = infinitive;
  for (int t = 0; t < VerbTense::kCount; ++t)
    for (int p = 0; p < VerbTense::kPersons; ++p) v.Formen[t][p] = infinitive + u"%1p%2"_s.arg(t).arg(p);
  v.Formen[6][0].clear();
  return v;
}

}  // namespace

TEST(VerbForms, SplitFormAndTheTaskText) {
  using VerbForms::SplitForm;
  EXPECT_EQ(SplitForm(u"hubiera/hubiese hablado"_s).A, u"hubiera hablado"_s);
  EXPECT_EQ(SplitForm(u"hubiera/hubiese hablado"_s).B, u"hubiese hablado"_s);
  EXPECT_EQ(SplitForm(u"hablara/hablase"_s).A, u"hablara"_s);
  EXPECT_EQ(SplitForm(u"hablara/hablase"_s).B, u"hablase"_s);
  EXPECT_EQ(SplitForm(u"(se) lava"_s).A, u"se lava"_s);
  EXPECT_EQ(SplitForm(u"(se) lava"_s).B, u" lava"_s);
  EXPECT_EQ(SplitForm(u"habla"_s).A, u"habla"_s);
  EXPECT_EQ(SplitForm(u"habla"_s).B, QString());
  EXPECT_EQ(SplitForm(u"a)b(c"_s).A, u"a)b(c"_s) << "a closing bracket before the opening one is no pair";

  TVerb hablar = numbered(u"hablar"_s);
  EXPECT_EQ(VerbForms::TaskText(hablar, 0, 4), u"2. Person Plural IND Presente<br>von<br>hablar"_s);
  EXPECT_EQ(VerbForms::TaskText(hablar, 2, 0), u"1. Person Singular Pret. indefinido<br>von<br>hablar"_s);
  EXPECT_EQ(VerbForms::TaskText(hablar, 14, 1), u"Participio<br>von<br>hablar"_s);
}

TEST(VerbForms, TheAnswersATypedQuestionAccepts) {
  using VerbForms::SolutionText;
  using VerbForms::SplitForm;
  // The third person with "él" or "ella", or the form alone.
  EXPECT_EQ(SolutionText(0, 2, SplitForm(u"habla"_s)), u"él habla; habla; ella habla"_s);
  EXPECT_EQ(SolutionText(5, 5, SplitForm(u"hablaran/hablasen"_s)),
            u"ellos hablaran; hablaran; hablasen; ellos hablasen; ellas hablaran; ellas hablasen"_s);
  EXPECT_EQ(SolutionText(0, 0, SplitForm(u"hablo"_s)), u"yo hablo; hablo"_s);
  // No pronoun in the imperative and the participles.
  EXPECT_EQ(SolutionText(6, 2, SplitForm(u"hable"_s)), u"hable; hable"_s);
  EXPECT_EQ(SolutionText(14, 1, SplitForm(u"hablado"_s)), u"hablado; hablado"_s);

  TVerb v = numbered(u"ir"_s);
  v.Formen[0] = {u"*voy"_s, u"*vas"_s, u"*va"_s, u"*vamos"_s, u"*vais"_s, u"*van"_s};
  const QString lines = VerbForms::SolutionLines(v, 0, 1, true);
  EXPECT_EQ(lines.split(u"<br>"_s).size(), 6);
  EXPECT_TRUE(lines.startsWith(u"<font size=4 color=#0>yo voy<br><font size=4 color=#009900>tú vas<br>"_s))
      << lines.toStdString();
  EXPECT_TRUE(VerbForms::SolutionLines(v, 0, 3, false).contains(u"<font size=4 color=#993300>nosotros vamos"_s));
  EXPECT_TRUE(VerbForms::SolutionLines(v, 6, 1, true).startsWith(u"<font size=4 color=#0><br>"_s))
      << "the imperative has neither a first person nor pronouns";
}

TEST(VerbSelection, PresetsTheirStringsAndBadNumbers) {
  Trainer t;
  ASSERT_GE(t.verbs.Count(), 58);
  const QString padding(t.verbs.Count() - 58, u'-');
  t.run(u"vt1"_s);
  EXPECT_EQ(t.verbs.Selection().VerbString(), u"+++-------+-------------+-------+---------+-------+-------"_s + padding);
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"+---------------"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbs(), (QList<int>{0, 1, 2, 10, 24, 32, 42, 50}));
  t.run(u"vt2"_s);
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"+--+----+-------"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), 22);
  t.run(u"vt3"_s);
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"+++++-+++-----+-"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), 33);
  t.run(u"vt4"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), t.verbs.Count());
  EXPECT_EQ(t.verbs.Selection().TenseString(), QString(16, u'+'));

  // Numbers outside the lists change nothing and never lengthen the strings.
  t.run(u"+vv-1,-vv999,+vvx,-vz-1,-vz16,-vz 99,+vz"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), t.verbs.Count());
  EXPECT_EQ(t.verbs.Selection().TenseString(), QString(16, u'+'));
  t.run(u"-vv3,-vz 2"_s);
  EXPECT_FALSE(t.verbs.Verb(3)->Aktiv);
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"++-+++++++++++++"_s);
  EXPECT_EQ(t.verbs.Selection().VerbString().size(), t.verbs.Count());
}

TEST(VerbSelection, TheSelectionPage) {
  Trainer t;
  const int count = t.verbs.Count();
  t.run(u"vt1,vman"_s);
  EXPECT_EQ(t.page.XFile(), u"verbmanuell.htx"_s);
  EXPECT_EQ(t.var(u"vnr"_s), u"8 von %1 Verben aktiv"_s.arg(count));
  EXPECT_EQ(t.var(u"vv1"_s).count(u"<checkbox"_s), 16);
  EXPECT_EQ(t.var(u"vv2"_s).count(u"<checkbox"_s), 16);
  EXPECT_TRUE(t.var(u"vv1"_s).startsWith(u"<checkbox coords=15,5 name=\"vv0\"><a href=\"+vv0\">haber</a><br>"_s));
  EXPECT_TRUE(t.page.IsCondition(u"vv0"_s));
  EXPECT_FALSE(t.page.IsCondition(u"vv3"_s));
  EXPECT_EQ(t.var(u"prev"_s), QString());
  EXPECT_EQ(t.var(u"next"_s), u"<a href=\"§vman32\"><img src=\"gfx\\pfeil_R.bmp\" color=h0 fcolor=h1></a>"_s);
  EXPECT_TRUE(t.var(u"vzeiten"_s).startsWith(
      u"<checkbox coords=15,5 name=\"vz0\"><a href=\"+vz0\">IND Presente</a><br><checkbox"_s));
  EXPECT_TRUE(t.page.IsCondition(u"vz0"_s));
  EXPECT_FALSE(t.page.IsCondition(u"vz1"_s));

  // The next 32, the back arrow, and a start that "zurück" would make negative.
  t.run(u"vman32"_s);
  EXPECT_EQ(t.verbs.ListStart(), 32);
  EXPECT_TRUE(t.var(u"prev"_s).contains(u"§vman0"_s));
  EXPECT_EQ(t.var(u"next"_s), count > 64 ? t.var(u"next"_s) : QString());
  t.run(u"vman-24"_s);
  EXPECT_EQ(t.verbs.ListStart(), 0);
  t.run(u"vman 999"_s);
  EXPECT_EQ(t.verbs.ListStart(), count - 1);
  // Choosing a verb keeps the page where it is and counts it.
  t.run(u"vman32,+vv33"_s);
  EXPECT_EQ(t.verbs.ListStart(), 32);
  EXPECT_EQ(t.var(u"vnr"_s), u"9 von %1 Verben aktiv"_s.arg(count));
  t.run(u"vnone"_s);
  EXPECT_EQ(t.var(u"vnr"_s), u"0 von %1 Verben aktiv"_s.arg(count));
  t.run(u"vall"_s);
  EXPECT_EQ(t.var(u"vnr"_s), u"%1 von %1 Verben aktiv"_s.arg(count));
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(VerbSelection, StoredPerLearner) {
  Trainer t;
  t.run(u"vt1,vsave"_s);
  const QString key = t.key + u"\\Verbtrainer"_s;
  EXPECT_EQ(t.store.readString(key, u"Verben"_s).value_or(QString()), t.verbs.Selection().VerbString());
  EXPECT_EQ(t.store.readString(key, u"Zeiten"_s).value_or(QString()), u"+---------------"_s);

  // Another learner with nothing stored gets everything.
  t.key = u"Software\\zvk\\zvk spanisch\\5\\Ben"_s;
  t.verbs.RestoreSelection();
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), t.verbs.Count());
  t.run(u"vnone,+vv5,-vz0,vsave"_s);
  t.run(u"vt4,vt0"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbs(), QList<int>{5});
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"-+++++++++++++++"_s);
  // No verb at all stays no verb.
  t.run(u"vnone,vsave,vt4,vt0"_s);
  EXPECT_EQ(t.verbs.Selection().SelectedVerbCount(), 0);

  // The first learner's choice, read by a new trainer as at the next start.
  t.key = u"Software\\zvk\\zvk spanisch\\5\\Ana"_s;
  Trainer again(courseVerbs());
  SettingsStore reread(t.store.filePath());
  again.verbs.SetSelectionStore(&reread, [] { return u"Software\\zvk\\zvk spanisch\\5\\Ana"_s; });
  again.verbs.RestoreSelection();
  EXPECT_EQ(again.verbs.Selection().SelectedVerbs(), (QList<int>{0, 1, 2, 10, 24, 32, 42, 50}));
}

TEST(VerbQuery, NothingSelectedGivesTheWarningsAndTheSelectionPage) {
  Trainer t;
  t.run(u"vnone,verb"_s);
  ASSERT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.messages.messages()[0].text, u"Keine Verben aktiviert! Was soll ich abfragen???" "!"_s);
  EXPECT_EQ(t.messages.messages()[1].text, u"Bitte mindestens 1 Verb und 1 Zeit auswählen!"_s);
  EXPECT_EQ(t.page.XFile(), u"verbmanuell.htx"_s);
  EXPECT_FALSE(t.verbs.Query().Running());
  t.messages.clear();
  t.run(u"vall,-vz0,-vz1,-vz2,-vz3,-vz4,-vz5,-vz6,-vz7,-vz8,-vz9,-vz10,-vz11,-vz12,-vz13,-vz14,-vz15,verb"_s);
  ASSERT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.messages.messages()[0].text, u"Keine Zeiten aktiviert! Was soll ich abfragen???" "!"_s);

  // Answers and "verbweiter" without a round change nothing.
  Trainer idle;
  idle.page.setXFile(QStringLiteral(ZVK_STAGE_DIR "/hzvk/main.htx"));
  idle.run(u"verbweiter,verb+,verb-,verb#1+"_s);
  EXPECT_EQ(idle.page.XFile(), u"main.htx"_s);
  EXPECT_EQ(idle.verbs.Query().QuestionNumber(), 0);
}

// A typed question answered in the real gap: right, after a wrong try, and given up.
TEST(VerbQuery, ATypedQuestionInTheGap) {
  Trainer t;
  const int tener = indexOf(t.verbs.Verbs(), u"tener"_s);
  ASSERT_GE(tener, 0);
  t.run(u"vnone,+vv%1,-vz1,-vz2,-vz3,-vz4,-vz5,-vz6,-vz7,-vz8,-vz9,-vz10,-vz11,-vz12,-vz13,-vz14,-vz15"_s.arg(tener));
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"+---------------"_s);
  t.run(u"verb"_s);
  ASSERT_EQ(t.page.XFile(), u"verb_ein.htx"_s);
  const VerbQuery& q = t.verbs.Query();
  EXPECT_FALSE(q.AskedAsChoice()) << "one tense: always typed";
  EXPECT_EQ(q.AskedTense(), 0);
  const QString form = TVerb::Plain(t.verbs.Verb(tener)->Formen[0][q.AskedPerson()]);
  EXPECT_EQ(t.var(u"Aufgabe"_s), VerbForms::TaskText(*t.verbs.Verb(tener), 0, q.AskedPerson()));
  EXPECT_TRUE(t.var(u"lsg"_s).contains(form));
  ASSERT_EQ(t.page.GapEditors().size(), 1u);
  TXRichEdit* gap = t.page.GapEditors()[0];
  for (const QChar c : u"tenxo"_s) press(gap, Qt::Key_unknown, QString(c));
  press(gap, Qt::Key_Return);
  EXPECT_EQ(t.page.XFile(), u"verb_ein.htx"_s) << "a wrong try stays on the question";
  gap = t.page.GapEditors()[0];
  gap->setText(QString());
  for (const QChar c : form) press(gap, Qt::Key_unknown, QString(c));
  EXPECT_EQ(gap->text(), form) << gap->Note().toStdString();
  press(gap, Qt::Key_Return);
  ASSERT_EQ(t.page.XFile(), u"verb_richtig.htx"_s) << gap->Note().toStdString();
  EXPECT_EQ(t.var(u"Kommentar"_s), u"Absolut richtig!"_s);
  EXPECT_TRUE(t.var(u"Lösung"_s).contains(u"<font size=4 color=#009900>"_s + VerbTense::Pronouns()[q.AskedPerson()] +
                                          u" "_s + form));
  EXPECT_EQ(t.var(u"Prozent"_s), u"100%"_s);
  EXPECT_EQ(t.var(u"weiter"_s), u"<a href=\"§verbweiter\" return>Weiter</a>"_s);

  t.run(u"verbweiter"_s);
  ASSERT_EQ(t.page.XFile(), u"verb_ein.htx"_s);
  EXPECT_EQ(t.var(u"Prozent"_s), u"100%"_s);
  t.run(u"verb-"_s);
  EXPECT_EQ(t.var(u"Kommentar"_s), u"Leider daneben!"_s);
  EXPECT_TRUE(t.var(u"Lösung"_s).contains(u"color=#993300"_s));
  EXPECT_EQ(t.var(u"Prozent"_s), u"50%"_s);
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(VerbQuery, MultipleChoiceNeverOffersTheRightFormAsAWrongOne) {
  Trainer t;
  // Tenses with two-choice forms: the right "hablara" must not come back as "hablara/hablase".
  t.run(u"vt4,-vz0,-vz1,-vz2,-vz3,-vz4,-vz6,-vz7,-vz8,-vz9,-vz10,-vz11,-vz12,-vz14,-vz15"_s);
  EXPECT_EQ(t.verbs.Selection().TenseString(), u"-----+-------+--"_s);
  t.run(u"verb"_s);
  int choices = 0;
  for (int i = 0; i < 200; ++i) {
    const VerbQuery& q = t.verbs.Query();
    if (q.AskedAsChoice()) {
      ++choices;
      ASSERT_EQ(t.page.XFile(), u"verb_mch.htx"_s);
      QStringList options(q.Options().begin(), q.Options().end());
      EXPECT_EQ(options.removeDuplicates(), 0) << options.join(u" | "_s).toStdString();
      for (const QString& o : options) EXPECT_FALSE(o.contains(u'/')) << o.toStdString();
      const TVerb& v = *t.verbs.Verb(q.AskedVerb());
      EXPECT_EQ(q.Options()[0],
                VerbForms::SplitForm(TVerb::Plain(v.Formen[q.AskedTense()][q.AskedPerson()])).A);
      // The keys 1 to 6, each option once, the right one with its own target.
      QString all;
      for (int p = 0; p < 6; ++p) {
        const QString link = t.var(u"MCH%1"_s.arg(p));
        EXPECT_TRUE(link.contains(u"key=\"%1\""_s.arg(p + 1))) << link.toStdString();
        all += link;
      }
      EXPECT_EQ(all.count(u"§[verb+]"_s), 1);
      for (int j = 1; j < 6; ++j) EXPECT_EQ(all.count(u"§verb[~%1]-"_s.arg(j)), 1);
      t.run(i % 2 ? u"verb+"_s : u"verb[~3]-"_s);
    } else {
      ASSERT_EQ(t.page.XFile(), u"verb_ein.htx"_s);
      t.run(u"verb#1+"_s);
    }
    ASSERT_EQ(t.page.XFile(), u"verb_richtig.htx"_s);
    t.run(u"verbweiter"_s);
  }
  EXPECT_GT(choices, 50);
  EXPECT_LT(choices, 150);
}

TEST(VerbQuery, WhichQuestionsAreTyped) {
  // Only the imperative: typed, without pronouns.
  Trainer imperative;
  imperative.run(u"vt4"_s);
  for (int t = 0; t < 16; ++t)
    if (t != 6) imperative.run(u"-vz%1"_s.arg(t));
  imperative.run(u"verb"_s);
  for (int i = 0; i < 30; ++i) {
    EXPECT_FALSE(imperative.verbs.Query().AskedAsChoice());
    EXPECT_NE(imperative.verbs.Query().AskedPerson(), 0);
    for (const QString& pronoun : VerbTense::Pronouns())
      EXPECT_FALSE(imperative.var(u"lsg"_s).startsWith(pronoun + u" "_s)) << imperative.var(u"lsg"_s).toStdString();
    imperative.run(u"verb-,verbweiter"_s);
  }
  // Two tenses, one of them the participles: typed too.
  Trainer participles;
  participles.run(u"vt4"_s);
  for (int t = 1; t < 16; ++t)
    if (t != 14) participles.run(u"-vz%1"_s.arg(t));
  participles.run(u"verb"_s);
  for (int i = 0; i < 30; ++i) {
    EXPECT_FALSE(participles.verbs.Query().AskedAsChoice());
    participles.run(u"verb+,verbweiter"_s);
  }
}

// A verb with forms in a few places only: every one of them is asked in
// time, a verb without any form in the chosen tenses is left out, and no
// draw loops for ever.
TEST(VerbQuery, DefectiveVerbsAndEveryPerson) {
  TVerb llover;
  llover.Infinitiv = u"llover"_s;
  llover.Formen[0][2] = u"ll*ueve"_s;
  llover.Formen[3][2] = u"lloverá"_s;
  TVerb empty;
  empty.Infinitiv = u"vacío"_s;
  Trainer t({llover, empty, numbered(u"andar"_s)});
  t.run(u"vt4,-vv2"_s);
  for (int tense = 1; tense < 16; ++tense) t.run(u"-vz%1"_s.arg(tense));
  t.run(u"verb"_s);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(t.verbs.Query().AskedVerb(), 0) << "the verb without forms is never asked";
    EXPECT_EQ(t.verbs.Query().AskedPerson(), 2);
    t.run(u"verb+,verbweiter"_s);
  }
  // Nothing left to ask: the start warnings.
  t.run(u"-vv0,+vv1"_s);
  t.messages.clear();
  t.run(u"verb"_s);
  EXPECT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.page.XFile(), u"verbmanuell.htx"_s);

  // The imperative's last person is asked as well as the others.
  Trainer all({numbered(u"andar"_s)});
  all.run(u"vt4"_s);
  for (int tense = 0; tense < 16; ++tense)
    if (tense != 6) all.run(u"-vz%1"_s.arg(tense));
  all.run(u"verb"_s);
  QSet<int> asked;
  for (int i = 0; i < 60; ++i) {
    asked << all.verbs.Query().AskedPerson();
    all.run(u"verb+,verbweiter"_s);
  }
  EXPECT_EQ(asked, (QSet<int>{1, 2, 3, 4, 5}));
}

TEST(VerbQuery, ARoundOfTenAndWhatItLeavesOnThePage) {
  Trainer t;
  t.run(u"vt2,verb"_s);
  for (int i = 1; i <= 10; ++i) {
    ASSERT_TRUE(t.page.XFile() == u"verb_ein.htx"_s || t.page.XFile() == u"verb_mch.htx"_s);
    // The question's number is on the page, but the variable does not stay
    // behind to hide the learner's history count that other pages show.
    EXPECT_FALSE(t.page.state().Variables.Contains(u"nr"_s));
    EXPECT_EQ(t.var(u"last"_s), u"10"_s);
    t.run(i <= 7 ? u"verb+"_s : u"verb-"_s);
    ASSERT_EQ(t.page.XFile(), u"verb_richtig.htx"_s);
    if (i < 10) {
      EXPECT_EQ(t.var(u"Prozent"_s), u"%1%"_s.arg((std::min(i, 7) * 100) / i));
      t.run(u"verbweiter"_s);
    }
  }
  EXPECT_EQ(t.var(u"Prozent"_s), u"70%"_s);
  EXPECT_TRUE(t.var(u"weiter"_s).startsWith(u"Noch eine Runde???" "<br><a href=\"§verbweiter\">Klar</a>"_s));
  EXPECT_TRUE(t.var(u"weiter"_s).contains(u"<a href=\"verben.htx\">Lieber nicht</a>"_s));
  EXPECT_EQ(t.verbs.Query().QuestionNumber(), 0);
  EXPECT_EQ(t.verbs.Query().RightAnswers(), 0);

  // The statistics page afterwards shows the learner's count, not the question's number.
  t.page.setOnSpecialCode([](TXPage*, QString& code) {
    if (code == u"nr"_s) code = u"4711"_s;
  });
  t.page.setOnPictureRequest([](TXPage*, const QString&, QImage&) {});  // the learner's charts
  t.page.SetCondition(u"login"_s, true);
  t.page.setXFile(QStringLiteral(ZVK_STAGE_DIR "/hzvk/statistik.htx"));
  QString text;
  for (const auto& e : t.page.state().Document) text += e.Text;
  EXPECT_TRUE(text.contains(u"4711"_s)) << text.toStdString();

  // Another round starts from 0.
  t.run(u"verbweiter"_s);
  t.run(u"verb+"_s);
  EXPECT_EQ(t.var(u"Prozent"_s), u"100%"_s);
  EXPECT_EQ(t.verbs.Query().QuestionNumber(), 1);
  for (const Message& m : t.messages.messages()) ADD_FAILURE() << m.text.toStdString();
}
