// Verb tables and the verb list on the trainer's page, and their page commands.

#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "pages/txpage.h"
#include "verbs/tverben.h"
#include "verbs/verbcommands.h"
#include "verbs/verbfile.h"

namespace {

using namespace Qt::StringLiterals;

TVerb verb(const QString& infinitive, const QString& meaning = u"Bedeutung"_s) {
  TVerb v;
  v.Infinitiv = infinitive;
  v.Bedeutung = meaning;
  for (int t = 0; t < VerbTense::kCount; ++t)
    for (int p = 0; p < VerbTense::kPersons; ++p) v.Formen[t][p] = infinitive + QString::number(t * 10 + p);
  return v;
}

// The trainer's page with the course's pages, and the verb trainer on it.
struct VerbPages {
  explicit VerbPages(std::vector<TVerb> list) {
    verbs.SetVerbs(std::move(list));
    RegisterVerbCommands(table, verbs, nullptr);
  }
  MessageRecorder messages;
  TXPage page{nullptr};
  TVerben verbs{page, QStringLiteral(ZVK_STAGE_DIR "/hzvk/")};
  PageCommandTable table;
  PageCommandDispatcher dispatcher{table};
};

std::vector<TVerb> courseVerbs() {
  std::optional<std::vector<TVerb>> verbs = VerbFile::Read(VerbFile::PathIn(QStringLiteral(ZVK_STAGE_DIR "/")));
  return verbs ? *verbs : std::vector<TVerb>{};
}

}  // namespace

TEST(VerbTable, RegularStemChangingAndIrregularForms) {
  TVerb v = verb(u"pensar"_s);
  v.Formen[0] = {u"p*ienso"_s, u"p*iensas"_s, u"p*iensa"_s, u"pensamos"_s, u"pensáis"_s, u"p*iensan"_s};
  EXPECT_EQ(TVerben::TenseMarkup(v, 0),
            u"<+zeit>IND Presente<p><+reg>p<+irr>ienso<br><+reg>p<+irr>iensas<br><+reg>p<+irr>iensa<br>"
            "<+reg>pensamos<br><+reg>pensáis<br><+reg>p<+irr>iensan<br>"_s);
  // A wholly irregular form starts in the irregular style.
  v.Formen[2] = {u"*fui"_s, u"*fuiste"_s, u"*fue"_s, u"*fuimos"_s, u"*fuisteis"_s, u"*fueron"_s};
  EXPECT_TRUE(TVerben::TenseMarkup(v, 2).startsWith(u"<+zeit>Pret. indefinido<p><+irr>fui<br><+irr>fuiste<br>"_s));
  // The imperative has no first person and exclamation marks around the others.
  v.Formen[6] = {QString(), u"p*iensa"_s, u"p*iense"_s, u"pensemos"_s, u"pensad"_s, u"p*iensen"_s};
  EXPECT_EQ(TVerben::TenseMarkup(v, 6),
            u"<+zeit>Imperativo<p><+reg>&nbsp; <br><+reg>¡p<+irr>iensa!<br><+reg>¡p<+irr>iense!<br>"
            "<+reg>¡pensemos!<br><+reg>¡pensad!<br><+reg>¡p<+irr>iensen!<br>"_s);
  EXPECT_EQ(TVerben::PronounMarkup(),
            u"<+zeit>&nbsp;<p><+reg>yo<br>tú<br>él<br>nosotros<br>vosotros<br>ellos<br>"_s);
}

TEST(VerbTable, DataTextIsEscaped) {
  TVerb v = verb(u"a<b>$x"_s);
  v.Formen[0][0] = u"<i>*&x"_s;
  const QString markup = TVerben::TenseMarkup(v, 0);
  EXPECT_TRUE(markup.contains(u"<<i>"_s)) << markup.toStdString();
  EXPECT_TRUE(markup.contains(u"<+irr>"_s));
  VerbPages pages({v});
  pages.verbs.ShowVerbTable(0);
  EXPECT_TRUE(pages.page.GetVariable(u"Infinitiv"_s).startsWith(u"a<<b>"_s));
  EXPECT_TRUE(pages.messages.messages().isEmpty());
}

TEST(VerbTable, ShowVerbAndTheCurrentVerb) {
  VerbPages pages({verb(u"hablar"_s, u"sprechen"_s), verb(u"comer"_s, u"essen"_s)});
  TXPage& page = pages.page;
  // Before any verb was chosen the table shows the first one.
  pages.dispatcher.Run(u"vtafel"_s);
  EXPECT_EQ(page.XFile(), u"verbtafel.htx"_s);
  EXPECT_EQ(page.GetVariable(u"Infinitiv"_s), u"hablar"_s);

  pages.dispatcher.Run(u"showverb 1"_s);
  EXPECT_EQ(pages.verbs.CurrentVerb(), 1);
  EXPECT_EQ(page.GetVariable(u"Infinitiv"_s), u"comer"_s);
  EXPECT_EQ(page.GetVariable(u"Bedeutung"_s), u"essen"_s);
  for (int t = 0; t < 16; ++t)
    EXPECT_TRUE(page.GetVariable(u"zeit"_s + QString::number(t)).startsWith(u"<+zeit>"_s + VerbTense::Names()[t]));
  EXPECT_TRUE(page.GetVariable(u"pron"_s).contains(u"vosotros<br>"_s));

  // A number that names no verb changes nothing.
  page.setXFile(QStringLiteral(ZVK_STAGE_DIR "/hzvk/main.htx"));
  for (const char* command : {"showverb2", "showverb-1", "showverbx", "showverb 99999999999"}) {
    pages.dispatcher.Run(QString::fromLatin1(command));
    EXPECT_EQ(page.XFile(), u"main.htx"_s) << command;
    EXPECT_EQ(pages.verbs.CurrentVerb(), 1) << command;
  }
  pages.dispatcher.Run(u"vtafel"_s);
  EXPECT_EQ(page.GetVariable(u"Infinitiv"_s), u"comer"_s);
  EXPECT_TRUE(pages.messages.messages().isEmpty());
}

TEST(VerbTable, WithoutVerbsNothingIsShown) {
  VerbPages pages({});
  pages.page.setXFile(QStringLiteral(ZVK_STAGE_DIR "/hzvk/main.htx"));
  pages.dispatcher.Run(u"vtafel,showverb0"_s);
  EXPECT_EQ(pages.page.XFile(), u"main.htx"_s);
}

TEST(VerbList, FifteenVerbsAColumnAndAtMostSeventyFive) {
  std::vector<TVerb> list;
  for (int i = 0; i < 80; ++i) list.push_back(verb(u"v%1"_s.arg(i)));
  VerbPages pages(list);
  const QStringList columns = pages.verbs.ListColumns();
  ASSERT_EQ(columns.size(), 5);
  EXPECT_TRUE(columns[0].startsWith(u"<a href=\"§showverb 0\">v0</a><br><a href=\"§showverb 1\">v1</a><br>"_s));
  EXPECT_EQ(columns[0].count(u"<br>"_s), 15);
  EXPECT_TRUE(columns[1].startsWith(u"<a href=\"§showverb15\">v15</a><br>"_s));
  EXPECT_TRUE(columns[4].endsWith(u"<a href=\"§showverb74\">v74</a><br>"_s));
  EXPECT_FALSE(columns.join(QString()).contains(u"v75"_s));

  // With few verbs the later columns are empty.
  VerbPages few({verb(u"ser"_s), verb(u"estar"_s)});
  EXPECT_EQ(few.verbs.ListColumns()[1], QString());
  EXPECT_EQ(few.verbs.ListColumns()[4], QString());
}

TEST(VerbList, ThePageHoldsTheLinksAndTheVariablesAreEmptiedAfterwards) {
  VerbPages pages(courseVerbs());
  ASSERT_GT(pages.verbs.Count(), 0);
  pages.dispatcher.Run(u"verblist"_s);
  EXPECT_EQ(pages.page.XFile(), u"verbliste.htx"_s);
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(pages.page.GetVariable(u"VerbListe%1"_s.arg(c)), QString());
  // The built page has a link to every verb's table.
  const QStringList& targets = pages.page.state().Elements.Links.Names;
  for (int n = 0; n < pages.verbs.Count(); ++n)
    EXPECT_TRUE(targets.contains(u"§showverb"_s + QString::asprintf("%2d", n))) << n;
  EXPECT_TRUE(pages.messages.messages().isEmpty());
}

// Every verb of the course on its page: no message, and the page fills in
// every tense.
TEST(CourseVerbs, EveryVerbTableBuildsWithoutAMessage) {
  VerbPages pages(courseVerbs());
  ASSERT_GT(pages.verbs.Count(), 0);
  for (int n = 0; n < pages.verbs.Count(); ++n) {
    pages.dispatcher.Run(u"showverb"_s + QString::number(n));
    ASSERT_EQ(pages.page.XFile(), u"verbtafel.htx"_s);
    EXPECT_EQ(pages.page.GetVariable(u"Infinitiv"_s), pages.verbs.Verb(n)->Infinitiv);
  }
  EXPECT_TRUE(pages.messages.messages().isEmpty());
}
