#include <gtest/gtest.h>

#include <map>
#include <set>

#include "querytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

class VocQueryTest : public ::testing::Test, public QueryFixture {
 protected:
  // Answers the question on the page and moves on.
  void answer(const QString& code) {
    query.Answer(code);
    query.NextQuestion();
  }
  int dueIn(int round) const {
    int n = 0;
    for (int s = 0; s < query.Rundengroesse(); ++s)
      if (query.Task(s).Falschzahl == round) ++n;
    return n;
  }
};

}  // namespace

TEST_F(VocQueryTest, RoundOfFiveWithFourRightThenTheLastTaskAlone) {
  setRecords(nouns(12));
  settings().SetProRunde(5);
  query.StartQuery();
  ASSERT_EQ(query.phase(), TVocQuery::Phase::Asking);
  EXPECT_EQ(query.Rundengroesse(), 5);
  EXPECT_EQ(page.var(u"Zähler"_s), u"1 / 5"_s);
  EXPECT_EQ(page.var(u"Prozent"_s), u"0%"_s);

  std::set<QString> asked;
  QString missed;
  for (int i = 0; i < 5; ++i) {
    asked.insert(current().Frage.Vokabel);
    if (i == 2) missed = current().Frage.Vokabel;
    answer(i == 2 ? u"-"_s : u"+"_s);
  }
  EXPECT_EQ(asked.size(), 5u);  // each task once in the round
  ASSERT_EQ(query.phase(), TVocQuery::Phase::RoundOver);
  EXPECT_EQ(page.last(), u"v_auswertung.htx"_s);
  EXPECT_EQ(page.var(u"runde"_s), u"80"_s);
  EXPECT_EQ(page.var(u"insgesamt"_s), u"80"_s);
  EXPECT_EQ(page.var(u"text1"_s), u"Runde 1 beendet<br>Sie enthielt 5 Vokabeln."_s);
  EXPECT_EQ(page.var(u"text2"_s), u"Davon wurden 4 gelöst!"_s);
  EXPECT_EQ(page.var(u"text3"_s), u"<a href=\"§vcontinue\"  RETURN>Weiter</a>"_s);
  EXPECT_EQ(page.var(u"balken-runde"_s), u"<box coords=50,170,240,20 color=balken>"_s);
  EXPECT_EQ(page.var(u"balken-insgesamt"_s), u"<box coords=418,170,240,20 color=balken>"_s);
  EXPECT_TRUE(page.conditions.contains(u"insgesamt"_s));
  EXPECT_EQ(query.RoundCount(1), 1);

  // Round 2 asks the missed task only; it counts among round 2's tasks.
  query.ContinueRound();
  EXPECT_EQ(current().Frage.Vokabel, missed);
  EXPECT_EQ(page.var(u"Zähler"_s), u"6 / 5"_s);
  EXPECT_EQ(page.var(u"Prozent"_s), u"80%"_s);
  answer(u"#1+"_s);
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Finished);
  EXPECT_EQ(page.var(u"runde"_s), u"100"_s);
  EXPECT_EQ(page.var(u"insgesamt"_s), u"83"_s);
  EXPECT_EQ(page.var(u"text1"_s), u"Runde 2 beendet<br>Sie enthielt 1 Vokabeln."_s);
  EXPECT_EQ(page.var(u"text2"_s), u"Davon wurden alle Vokabeln gelöst!"_s);
  EXPECT_EQ(page.var(u"text3"_s),
            u"Noch 'ne Runde?<br><a href=\"§goabfrage\"  RETURN>Klar</a> | <a href=\"vokabeln.htx\" >Lieber nicht</a>"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(VocQueryTest, StoppingShowsTheRoundSoFarAndAZeroBarIsEmpty) {
  setRecords(nouns(10));
  query.Evaluation(0);  // nothing was asked: the vocabulary page instead
  EXPECT_EQ(page.shown, QStringList{u"vokabeln.htx"_s});
  query.StartQuery();
  answer(u"+"_s);
  query.Answer(u"-"_s);
  query.Evaluation(0);
  EXPECT_EQ(page.last(), u"v_auswertung.htx"_s);
  EXPECT_EQ(page.var(u"runde"_s), u"50"_s);
  EXPECT_EQ(page.var(u"text1"_s), QString());
  EXPECT_EQ(page.var(u"text2"_s), QString());
  EXPECT_EQ(page.var(u"text3"_s), u"<a href=\"-\" >Zurück</a>"_s);
  EXPECT_EQ(page.var(u"balken-runde"_s), u"<box coords=50,170,150,20 color=balken>"_s);

  // The section goes on after stopping (the learner may come back).
  query.NextQuestion();
  query.Answer(u"-"_s);
  query.Evaluation(0);
  EXPECT_EQ(page.var(u"runde"_s), u"33"_s);
  EXPECT_EQ(page.var(u"insgesamt"_s), u"33"_s);
}

TEST_F(VocQueryTest, RoundSizeFollowsTheActiveRecords) {
  setRecords(nouns(8));
  query.ShowVocabularyPage();
  EXPECT_EQ(settings().ProRunde(), 8);  // 10 wanted, 8 active
  query.StartQuery();
  EXPECT_EQ(query.Rundengroesse(), 8);
  for (int s = 0; s < TVocQuery::kSlots; ++s) EXPECT_EQ(query.Task(s).IsEmpty(), s >= 8);
  EXPECT_TRUE(messages.messages().isEmpty());

  // Five active records are too few for a round: the message, and no section.
  settings().SetProRunde(0);
  setRecords(nouns(5));
  page.shown.clear();
  query.StartQuery();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Nicht genug Vokabeln pro Runde vorhanden!!!"_s);
  EXPECT_EQ(page.shown, QStringList{u"vokabeln.htx"_s});
  EXPECT_EQ(page.var(u"action"_s),
            u"<+nav><a href=\"@Ändern Sie die Einstellungen oben!\">Nicht genug Vokabeln aktiv!</a>"_s);
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Idle);
}

TEST_F(VocQueryTest, ForwardOrderAsksAWrongTaskAgainAfterTheWindow) {
  QList<TVokabel> records = nouns(12);
  records[5].Wortart = 7;
  setRecords(records);
  settings().SetWortartAktiv(7, false);  // record 5 is not active
  settings().SetRichtung(TVocEinstellungen::Vor);
  query.StartQuery();
  int window = 0;
  while (!query.Task(window).IsEmpty()) ++window;
  ASSERT_GE(window, 5);
  ASSERT_LE(window, 8);
  EXPECT_EQ(query.Rundengroesse(), 11);
  EXPECT_EQ(page.var(u"Zähler"_s), u"1 / 11"_s);

  QStringList asked;
  for (int n = 0; n < 12 && query.phase() == TVocQuery::Phase::Asking; ++n) {
    asked.append(current().Frage.Vokabel);
    answer(n == 0 ? u"[~2]-"_s : u"#1+"_s);
  }
  QStringList expected;
  for (int i : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}) expected.append(records[i].Vokabel);
  expected.insert(window, records[0].Vokabel);  // after the rest of the window
  EXPECT_EQ(asked, expected);
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Finished);
  EXPECT_EQ(page.last(), u"v_auswertung.htx"_s);
  EXPECT_EQ(page.var(u"text1"_s), u"Congratulations!"_s);
  EXPECT_EQ(page.var(u"text2"_s), u"Der Abschnitt enthielt 11 Vokabeln. Dafür wurden 12 Versuche benötigt."_s);
  EXPECT_EQ(page.var(u"runde"_s), u"91"_s);
  EXPECT_EQ(page.var(u"text3"_s), u"<a href=\"vokabeln.htx\" >Zurück</a>"_s);
}

TEST_F(VocQueryTest, BackwardOrderWalksFromTheEndAndChangedSettingsDoNotMixOrders) {
  setRecords(nouns(6));
  settings().SetRichtung(TVocEinstellungen::Zurueck);
  query.StartQuery();
  // The order of a running section stays even when the setting changes.
  settings().SetRichtung(TVocEinstellungen::KreuzUndQuer);
  QStringList asked;
  while (query.phase() == TVocQuery::Phase::Asking) {
    asked.append(current().Frage.Vokabel);
    answer(u"+"_s);
  }
  EXPECT_EQ(asked, (QStringList{u"palabra005"_s, u"palabra004"_s, u"palabra003"_s, u"palabra002"_s,
                                u"palabra001"_s, u"palabra000"_s}));
  EXPECT_EQ(page.var(u"text1"_s), u"Congratulations!"_s);
}

TEST_F(VocQueryTest, AnswersAreScoredAndRecordedByKind) {
  ASSERT_TRUE(logIn());
  setRecords(nouns(3));
  settings().SetRichtung(TVocEinstellungen::Vor);
  settings().SetMaxScore(100);
  query.StartQuery();
  const TVokabel first = current().Frage;

  answer(u"-"_s);  // typed, given up: -15
  EXPECT_EQ(history(first)->results, QString(QChar(65 - 15)));
  EXPECT_EQ(history(first)->kinds, u"e"_s);
  answer(u"#1+"_s);  // the second record
  answer(u"[~4]-"_s);  // the third, multiple choice wrong: -12
  answer(u"-"_s);  // the first again, given up a second time: -15 - 1
  EXPECT_EQ(history(first)->results, QString(QChar(65 - 16)) + QChar(65 - 15));
  answer(u"+"_s);  // the third again, multiple choice right: +12
  answer(u"#2+"_s);  // the first again: typed right at the second check, 25 - 2
  EXPECT_EQ(history(first)->results, QString(QChar(65 + 23)) + QChar(65 - 16) + QChar(65 - 15));
  EXPECT_EQ(history(first)->kinds, u"eee"_s);
  const TVokabel third = library.Items[2];
  EXPECT_EQ(history(third)->results, QString(QChar(65 + 12)) + QChar(65 - 12));
  EXPECT_EQ(history(third)->kinds, u"mm"_s);
  EXPECT_EQ(history(library.Items[1])->results, QString(QChar(65 + 25)));
  EXPECT_EQ(users.Counts().typing, 4);
  EXPECT_EQ(users.Counts().multipleChoice, 2);
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Finished);
  EXPECT_EQ(users.History().size(), 3);
}

TEST_F(VocQueryTest, AnswerCodesDecideKindAndRightness) {
  ASSERT_TRUE(logIn());
  setRecords(nouns(1));
  settings().SetRichtung(TVocEinstellungen::Vor);
  settings().SetMaxScore(100);
  settings().SetMinScore(-100);
  const TVokabel only = library.Items[0];
  // code -> result page, stored kind
  const std::vector<std::tuple<QString, QString, QChar>> cases = {
      {u"+"_s, u"va_richtig.htx"_s, u'm'},       {u"#3+"_s, u"va_richtig.htx"_s, u'e'},
      {u"#0+"_s, u"va_richtig.htx"_s, u'm'},     {u"#13+"_s, u"va_richtig.htx"_s, u'e'},
      {u"-"_s, u"va_falsch1.htx"_s, u'e'},       {u"[~1]-"_s, u"va_falsch2.htx"_s, u'm'},
      {u"[a#3]-"_s, u"va_falsch2.htx"_s, u'm'},  {u"[wortaa]-"_s, u"va_falsch2.htx"_s, u'm'},
  };
  for (const auto& [code, result, kind] : cases) {
    users.ResetAllHistories(false, 5);
    query.StartQuery();
    query.Answer(code);
    EXPECT_EQ(page.last(), result) << code.toStdString();
    ASSERT_NE(history(only), nullptr);
    EXPECT_EQ(history(only)->kinds.left(1), QString(kind)) << code.toStdString();
  }
}

TEST_F(VocQueryTest, CommandsOutOfOrderRecordNothingAndLeadToTheVocabularyPage) {
  ASSERT_TRUE(logIn());
  // No section yet: every command shows the vocabulary page.
  setRecords(nouns(10));
  for (const auto& command : std::vector<std::function<void()>>{
           [&] { query.Answer(u"+"_s); }, [&] { query.NextQuestion(); }, [&] { query.ContinueRound(); }}) {
    page.shown.clear();
    command();
    EXPECT_EQ(page.shown, QStringList{u"vokabeln.htx"_s});
  }
  EXPECT_EQ(users.History().size(), 0);

  // Within a section: a question is answered once; moving on needs an answer.
  query.StartQuery();
  const QString asked = current().Frage.Vokabel;
  query.NextQuestion();
  query.ContinueRound();
  EXPECT_EQ(current().Frage.Vokabel, asked);
  query.Answer(u"+"_s);
  query.Answer(u"-"_s);
  query.Answer(u"+"_s);
  EXPECT_EQ(query.AnswersTotal(), 1);
  EXPECT_EQ(users.History().size(), 1);
  EXPECT_EQ(history(current().Frage)->results.size(), 1);
  query.ContinueRound();  // not at a round's end
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Answered);

  // An empty library: no section, no endless search, no message.
  setRecords({});
  page.shown.clear();
  query.StartQuery();
  EXPECT_EQ(page.shown, QStringList{u"vokabeln.htx"_s});
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Idle);
  query.Answer(u"+"_s);
  EXPECT_EQ(users.History().size(), 1);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(VocQueryTest, ATaskMissedInManyRoundsKeepsItsRoundCounts) {
  setRecords(nouns(1));
  settings().SetProRunde(1);
  query.StartQuery();
  for (int round = 0; round < 25; ++round) {
    ASSERT_EQ(query.phase(), TVocQuery::Phase::Asking) << round;
    answer(u"-"_s);
    ASSERT_EQ(query.phase(), TVocQuery::Phase::RoundOver);
    EXPECT_EQ(page.var(u"text1"_s), u"Runde %1 beendet<br>Sie enthielt 1 Vokabeln."_s.arg(round + 1));
    EXPECT_EQ(page.var(u"runde"_s), u"0"_s);
    EXPECT_EQ(page.var(u"balken-runde"_s), QString());
    EXPECT_EQ(query.RoundCount(round + 1), 1);
    query.ContinueRound();
  }
  EXPECT_EQ(current().Falschzahl, 25);
  answer(u"+"_s);
  EXPECT_EQ(page.var(u"text1"_s), u"Runde 26 beendet<br>Sie enthielt 1 Vokabeln."_s);
  EXPECT_EQ(page.var(u"insgesamt"_s), u"3"_s);
}

TEST_F(VocQueryTest, ALearnerWithNothingLeftGetsNoWayOn) {
  ASSERT_TRUE(logIn());
  setRecords(nouns(6));
  settings().SetProRunde(6);
  query.StartQuery();
  // Every record scores above the range during the round; one is missed.
  for (const TVokabel& r : library.Items)
    if (!r.IsEmpty())
      for (int i = 0; i < 4; ++i) users.RecordAnswer(r.Vokabel, r.Deutsch, u'e', 25, r.Wortart);
  for (int i = 0; i < 6; ++i) answer(i == 0 ? u"-"_s : u"+"_s);
  EXPECT_EQ(page.var(u"text3"_s), u"Keine Vokabeln mehr übrig!"_s);
}

TEST_F(VocQueryTest, MultipleChoiceAndTypingFollowThePercentage) {
  setRecords(nouns(30));
  settings().SetKontext(false);
  const auto pagesFor = [&](int percent, unsigned seed) {
    settings().SetMultipleChoice(percent);
    Random::seed(seed);
    page.shown.clear();
    query.StartQuery();
    for (int n = 0; n < 199; ++n) {
      query.Answer(u"+"_s);
      query.NextQuestion();
      if (query.phase() != TVocQuery::Phase::Asking) query.StartQuery();
    }
    std::map<QString, int> count;
    for (const QString& p : page.shown) ++count[p];
    return std::make_pair(page.shown.filter(u"va_"_s), count);
  };
  const auto [sequence, counts] = pagesFor(50, 3);
  EXPECT_EQ(counts.at(u"va_mch.htx"_s) + counts.at(u"va_ein.htx"_s), 200);
  EXPECT_GT(counts.at(u"va_mch.htx"_s), 70);
  EXPECT_LT(counts.at(u"va_mch.htx"_s), 130);
  EXPECT_EQ(pagesFor(50, 3).first, sequence);  // the same seed draws the same questions
  EXPECT_EQ(pagesFor(0, 3).second.count(u"va_mch.htx"_s), 0u);
  EXPECT_EQ(pagesFor(101, 3).second.count(u"va_ein.htx"_s), 0u);
  EXPECT_GT(pagesFor(100, 3).second.at(u"va_mch.htx"_s), 190);
}

TEST_F(VocQueryTest, QuestionsWaitForAVisiblePage) {
  setRecords(nouns(10));
  page.visible = false;
  query.StartQuery();
  EXPECT_TRUE(page.shown.isEmpty());
  EXPECT_EQ(query.phase(), TVocQuery::Phase::Asking);
}

TEST_F(VocQueryTest, TheVocabularyPageDescribesSelectionModeAndAction) {
  setRecords(nouns(12));
  int musicStops = 0;
  query.StopMusic = [&] { ++musicStops; };
  query.SpeechOutput = [] { return false; };
  query.ShowVocabularyPage();
  EXPECT_EQ(page.shown, QStringList{u"vokabeln.htx"_s});
  EXPECT_EQ(musicStops, 1);
  EXPECT_TRUE(page.conditions.contains(u"nospeech"_s));
  EXPECT_EQ(page.var(u"files"_s), u"0 Dateien"_s);
  EXPECT_EQ(page.var(u"select"_s), u"v_bereich.htx"_s);
  EXPECT_EQ(page.var(u"selection"_s), u"Grundwortschatz"_s);
  EXPECT_EQ(page.var(u"vtotal"_s), u"12"_s);
  EXPECT_EQ(page.var(u"vactive"_s), u"12"_s);
  EXPECT_EQ(page.var(u"modus"_s), u"abfragen"_s);
  EXPECT_EQ(page.var(u"action"_s), u"<a href=\"§goabfrage\">Abfragen!</a>"_s);

  query.SpeechOutput = [] { return true; };
  settings().SetModus(7);
  // Forward order needs one active record; other modes start a presentation.
  settings().SetRichtung(TVocEinstellungen::Vor);
  writeLibrary(u"Eigene/a.asc"_s, recordLines(u"uno"_s, u"eins"_s));
  program.write(u"S_Bibliotheken.txt"_s, "Eigene\\a.asc\r\n");
  library.SetSelection(QString());
  query.ShowVocabularyPage();
  EXPECT_FALSE(page.conditions.contains(u"nospeech"_s));
  EXPECT_EQ(page.var(u"files"_s), u"1 Datei"_s);
  EXPECT_EQ(page.var(u"select"_s), u"§[select]"_s);
  EXPECT_EQ(page.var(u"selection"_s), u"Eigene Auswahl"_s);
  EXPECT_EQ(page.var(u"modus"_s), u"vegas"_s);
  EXPECT_EQ(page.var(u"vtotal"_s), u"1"_s);
  EXPECT_EQ(page.var(u"action"_s), u"<a href=\"§gosuper\">Start!</a>"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(VocQuerySelection, FolderNamesFromCommandsGetTheirOwnSpelling) {
  TestTree tree;
  tree.mkdir(u"Vokabeln (S)/Grundwortschatz/Lektion 1"_s);
  const QString dir = tree.file(u"Vokabeln (S)/"_s);
  EXPECT_EQ(MatchSelectionCase(dir, u"grundwortschatz\\"_s), u"Grundwortschatz\\"_s);
  EXPECT_EQ(MatchSelectionCase(dir, u"grundwortschatz\\lektion 1"_s), u"Grundwortschatz\\Lektion 1"_s);
  EXPECT_EQ(MatchSelectionCase(dir, u"reisevokabular\\"_s), u"reisevokabular\\"_s);
  EXPECT_EQ(MatchSelectionCase(dir, u"..\\grundwortschatz"_s), u"..\\grundwortschatz"_s);
}
