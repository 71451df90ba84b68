// The trainer's dictionary page: the start page's tile, the search with the
// page's input field, result pages and their navigation.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "common/messagerecorder.h"
#include "common/zstream.h"
#include "dictionary/dictionarysearchpage.h"
#include "dictionary/txdatabase.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/pagestate.h"
#include "pages/txpage.h"
#include "pageclick.h"
#include "testsupport.h"
#include "htxtool/coursestage.h"
#include "trainer/tmain.h"
#include "users/txuserbase.h"

namespace {

using namespace Qt::StringLiterals;

// A dictionary of n entries "palabraNN" meaning "Wort NN" in the Spanish-German half.
void fillWords(TXDatabase& db, int n) {
  db.SetDirection(false);
  for (int i = 0; i < n; ++i) db.AddEntry(u"palabra%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"1"_s, u"Wort %1"_s.arg(i));
}

// A page that holds the search's values without showing anything.
struct Search {
  Search() : page(nullptr) { page.setXPath(tree.path()); }
  void run(const QString& text, bool whole = false) {
    page.SetVariable(u"Suchen"_s, text);
    page.SetCondition(u"ganze"_s, whole);
    search.SearchFromPage();
  }
  TestTree tree;
  MessageRecorder messages;
  TXDatabase db;
  TXPage page;
  DictionarySearchPage search{db, page, tree.path(),
                              [](const QString& text) { return text == u"casa (f)"_s ? u"/w/casa.wav"_s : QString(); }};
};


}  // namespace

TEST(DictionaryPage, CountsAndTheNavigationOfResultPages) {
  EXPECT_EQ(DictionarySearchPage::CountText(0), u"Kein Eintrag gefunden!"_s);
  EXPECT_EQ(DictionarySearchPage::CountText(1), u"1 Eintrag gefunden."_s);
  EXPECT_EQ(DictionarySearchPage::CountText(25), u"25 Einträge gefunden."_s);
  EXPECT_EQ(DictionarySearchPage::NavigationMarkup(12, 0), QString());
  EXPECT_EQ(DictionarySearchPage::NavigationMarkup(13, 0), u"[1] <a href=\"§sr2\" >2</a>"_s);
  EXPECT_EQ(DictionarySearchPage::NavigationMarkup(25, 0), u"[1] <a href=\"§sr2\" >2</a> <a href=\"§sr3\" >3</a>"_s);
  EXPECT_EQ(DictionarySearchPage::NavigationMarkup(25, 1), u"<a href=\"§sr1\" >1</a> [2] <a href=\"§sr3\" >3</a>"_s);
  EXPECT_EQ(DictionarySearchPage::NavigationMarkup(228, 18).count(u"<a href"_s), 18);
  EXPECT_TRUE(DictionarySearchPage::NavigationMarkup(228, 18).endsWith(u" [19]"_s));
}

TEST(DictionaryPage, TwentyFiveHitsOnThreePagesAndPagesBeyondAreIgnored) {
  Search s;
  s.tree.write(u"wörterbuch.htx"_s, ZStream::compress("<html><font id=VOK><font id=BED>$[ergebnis]<br>$[sr]<br>$[srnav]</html>"));
  fillWords(s.db, 25);
  s.db.AddEntry(u"casa (f)"_s, u"1"_s, u"Haus; Zuhause"_s);
  // Before a search there is nothing to page through.
  s.search.ShowResultPage(0);
  EXPECT_TRUE(s.page.XFile().isEmpty());

  s.run(u"Wort"_s);
  EXPECT_TRUE(s.page.IsCondition(u"ergebnis"_s));
  EXPECT_EQ(s.page.GetVariable(u"ergebnis"_s), u"25 Einträge gefunden."_s);
  EXPECT_TRUE(s.page.XFile().endsWith(u"wörterbuch.htx"_s));
  EXPECT_EQ(s.page.GetVariable(u"sr"_s).count(u"<br>"_s), 12);
  EXPECT_TRUE(s.page.GetVariable(u"sr"_s).startsWith(u"<+vok>palabra000 <x4><+bed>"_s)) << s.page.GetVariable(u"sr"_s).toStdString();
  EXPECT_EQ(s.page.GetVariable(u"srnav"_s), DictionarySearchPage::NavigationMarkup(25, 0));
  s.search.ShowResultPage(2);
  EXPECT_EQ(s.page.GetVariable(u"sr"_s).count(u"<br>"_s), 1);
  EXPECT_TRUE(s.page.GetVariable(u"srnav"_s).endsWith(u"[3]"_s));
  s.search.ShowResultPage(3);
  s.search.ShowResultPage(-1);
  EXPECT_TRUE(s.page.GetVariable(u"srnav"_s).endsWith(u"[3]"_s)) << "a page beyond the hits leaves the page as it was";

  // A word with a recording is a sound link, and so is each meaning that has one.
  s.run(u"casa"_s, true);
  EXPECT_EQ(s.page.GetVariable(u"ergebnis"_s), u"1 Eintrag gefunden."_s);
  EXPECT_TRUE(s.page.GetVariable(u"sr"_s).startsWith(u"<+vok><a href=\"/w/casa.wav\" >casa (f)</a> <x4><+bed>"_s))
      << s.page.GetVariable(u"sr"_s).toStdString();
  EXPECT_EQ(s.page.GetVariable(u"srnav"_s), QString());
  s.run(QString());
  EXPECT_EQ(s.page.GetVariable(u"ergebnis"_s), u"Kein Eintrag gefunden!"_s);
  EXPECT_EQ(s.page.GetVariable(u"sr"_s), QString());
  EXPECT_TRUE(s.messages.messages().isEmpty()) << s.messages.messages().first().text.toStdString();
}

TEST(DictionaryPage, ALearnerReachesThePageFromTheStartPageAndSearchesWithEnter) {
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  CourseStage pages(QStringLiteral(ZVK_SOURCE_DIR "/course/hzvk"), program.file(u"hzvk"_s));
  ASSERT_TRUE(pages.run()) << pages.errors().join(u'\n').toStdString();
  program.copyFiles(QStringLiteral(ZVK_STAGE_DIR "/hzvk/bilder"), u"hzvk/bilder"_s);
  program.write(u"Vokabeln (S)/Grundwortschatz/Leer.asc"_s, "");
  Environment env(program.path(), store);
  env.ReadDirectorySettings();
  TXUserBase users(env);
  TXDatabase db;
  db.LoadBoth(QStringLiteral(ZVK_STAGE_DIR "/s_d.zvk"), QStringLiteral(ZVK_STAGE_DIR "/d_s.zvk"));
  TMain window(env, &users);
  DictionarySearchPage search(db, *window.XPage(), window.PageFolder());
  RegisterDictionaryCommands(window.Commands(), search);
  window.ShowStartPage();
  TXPage* page = window.XPage();

  // The tile's link names the page with its umlaut; the staged file is found by it.
  ASSERT_TRUE(ClickLink(page, u"wörterbuch.htx"_s));
  EXPECT_EQ(page->XFile(), u"wörterbuch.htx"_s);
  EXPECT_EQ(page->PageTitle(), u"Wörterbuch"_s);
  EXPECT_FALSE(page->IsCondition(u"ergebnis"_s));

  auto* input = page->findChild<QLineEdit*>();
  ASSERT_NE(input, nullptr);
  input->setText(u"Haus"_s);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(input, &enter);
  QCoreApplication::processEvents();
  EXPECT_TRUE(page->IsCondition(u"ergebnis"_s));
  const QString hits = page->GetVariable(u"sr"_s);
  EXPECT_TRUE(hits.contains(u">casa (f)<"_s) || hits.contains(u"casa (f)"_s)) << hits.toStdString();
  EXPECT_TRUE(hits.contains(u"Haus"_s));
  EXPECT_EQ(page->findChild<QLineEdit*>()->text(), u"Haus"_s) << "the search text stays in the field";

  // Whole words: "Haus" no longer finds "Haustür" or "Hause".
  const int all = static_cast<int>(db.Results().size());
  page->SetCondition(u"ganze"_s, true);
  window.Dispatcher().Run(u"suchen"_s);
  EXPECT_LT(db.Results().size(), all);
  window.Dispatcher().Run(u"sr0,sr40"_s);
  EXPECT_TRUE(messages.messages().isEmpty()) << messages.messages().first().text.toStdString();
}

TEST(DictionaryResultPage, LongMeaningsAreCutSoThatTheCardHoldsTheHitsAndTheSearchedWordComesWhole) {
  using P = DictionarySearchPage;
  const QString many = QStringLiteral("aufziehen; zuziehen [Vorhang usw.]; fließen; rasen; rennen; verjagen; "
                                      "verscheuchen; verschieben; verrücken; schnell fahren; laufen");
  QList<TXDBEintrag> hits;
  for (int i = 0; i < 11; ++i) hits.append({QStringLiteral("recorrer%1").arg(i), many, 2});
  hits.append({QStringLiteral("correr"), many, 2});
  const QStringList shown = P::ShownMeanings(hits, QStringLiteral("correr"));
  ASSERT_EQ(shown.size(), 12);
  int lines = 0;
  for (int i = 0; i < 12; ++i) {
    if (i < 11) {
      EXPECT_TRUE(many.startsWith(shown[i])) << shown[i].toStdString();
      EXPECT_LE(shown[i].size() + 2, P::kMeaningLineChars) << "one line with its final mark";
    }
    lines += static_cast<int>((shown[i].size() + P::kMeaningLineChars - 1) / P::kMeaningLineChars);
  }
  EXPECT_EQ(shown[11], many) << "the searched word's own entry is shown whole";
  EXPECT_LE(lines, P::kResultLines);

  // With room to spare nothing is cut; a first meaning is never cut.
  const QString longFirst(60, QLatin1Char('x'));
  EXPECT_EQ(P::ShownMeanings({{QStringLiteral("a"), many, 2}, {QStringLiteral("b"), longFirst + QStringLiteral("; y"), 1}},
                             QStringLiteral("q")),
            (QStringList{many, longFirst + QStringLiteral("; y")}));
  QList<TXDBEintrag> full(12, TXDBEintrag{QStringLiteral("b"), longFirst + QStringLiteral("; y"), 1});
  EXPECT_EQ(P::ShownMeanings(full, QString()).first(), longFirst);
  // The gender mark belongs to the searched word: "casa (f)" is the word "casa".
  QList<TXDBEintrag> casa(11, TXDBEintrag{QStringLiteral("casado"), many, 3});
  casa.append({QStringLiteral("casa (f)"), many, 1});
  EXPECT_EQ(P::ShownMeanings(casa, QStringLiteral("casa")).last(), many);
}
