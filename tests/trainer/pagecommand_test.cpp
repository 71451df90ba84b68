#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "trainer/pagecommand.h"

namespace {

// Records every operation the dispatcher asks for.
struct Recorder : PageCommandTarget {
  QStringList calls;
  bool verbs = true;
  bool loggedIn = false;
  void add(const QString& c) { calls << c; }
  void LabSetDictation(bool on) override { add(QStringLiteral("diktat %1").arg(on)); }
  void LabShowSentence() override { add(QStringLiteral("lab")); }
  void LabResult(bool right) override { add(QStringLiteral("labresult %1").arg(right)); }
  void LabSelectTopic(int n) override { add(QStringLiteral("thema %1").arg(n)); }
  bool HasVerbTrainer() const override { return verbs; }
  void VerbSelect(int n, bool on) override { add(QStringLiteral("verb %1 %2").arg(n).arg(on)); }
  void TenseSelect(int n, bool on) override { add(QStringLiteral("zeit %1 %2").arg(n).arg(on)); }
  void VerbSelectionPage(int n) override { add(QStringLiteral("vman %1").arg(n)); }
  void VerbTable(int n) override { add(QStringLiteral("tafel %1").arg(n)); }
  void VerbAnswer(const QString& a) override { add(QStringLiteral("antwort ") + a); }
  void VerbStartQuery() override { add(QStringLiteral("verbabfrage")); }
  void VerbPreset(int n) override { add(QStringLiteral("vt %1").arg(n)); }
  void FreeFallGuess(QChar c) override { add(QStringLiteral("rate ") + c); }
  void DictionaryResultPage(int n) override { add(QStringLiteral("sr %1").arg(n)); }
  void VocabularyAnswer(const QString& code) override { add(QStringLiteral("vokabel ") + code); }
  void VocabularyNextQuestion() override { add(QStringLiteral("weiter")); }
  void VocabularySetMode(int m) override { add(QStringLiteral("modus %1").arg(m)); }
  void VocabularySetSelection(const QString& s) override { add(QStringLiteral("auswahl ") + s); }
  void ShowVocabularyPage() override { add(QStringLiteral("vstart")); }
  bool IsLoggedIn() const override { return loggedIn; }
  void ChangePassword() override { add(QStringLiteral("chpw")); }
  void Login() override { add(QStringLiteral("login")); }
  void Refresh() override { add(QStringLiteral("refresh")); }
  void RemoveShortcuts() override { add(QStringLiteral("unshort")); }
  void OpenWebAddress(const QString& a) override { add(QStringLiteral("web ") + a); }
  void CloseMainWindow() override { add(QStringLiteral("end")); }
};

QStringList run(const QString& text, Recorder& r) {
  PageCommandDispatcher d(r);
  d.Run(text);
  return r.calls;
}

}  // namespace

TEST(PageCommand, CommandsRunInOrderSkippingEmptyAndCommentedOnes) {
  Recorder r;
  EXPECT_EQ(run(QStringLiteral("+diktat,,#nichts,LAB,VSTART"), r),
            (QStringList{QStringLiteral("diktat 1"), QStringLiteral("lab"), QStringLiteral("vstart")}));
}

TEST(PageCommand, LabAndTopicRows) {
  Recorder r;
  run(QStringLiteral("thema 3,thema12x,lab+,labsehr gut+,lab-,labor"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("thema 3"), QStringLiteral("thema 12"), QStringLiteral("labresult 1"),
                                  QStringLiteral("labresult 1"), QStringLiteral("labresult 0")}));
}

TEST(PageCommand, NumbersFromFixedPositions) {
  Recorder r;
  run(QStringLiteral("+vv12,-vv3,+vz 7,+vvx,vman,vman 40,vmanxx,sr,sr2,showverb5,vtafel"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("verb 12 1"), QStringLiteral("verb 3 0"), QStringLiteral("zeit 7 1"),
                                  QStringLiteral("vman 0"), QStringLiteral("vman 40"), QStringLiteral("vman 0"),
                                  QStringLiteral("sr 1"), QStringLiteral("tafel 5"), QStringLiteral("tafel 5")}));
  Recorder noVerbs;
  noVerbs.verbs = false;
  EXPECT_TRUE(run(QStringLiteral("+vv1,vman"), noVerbs).isEmpty());  // ignored without the verb trainer
}

TEST(PageCommand, QueriesModesSelectionsAndTheWeb) {
  Recorder r;
  run(QStringLiteral("verb,verbhablo,vokabel#2+,vokabelweiter,sm=vegas,sm=quatsch,dir=grundwortschatz\\a.asc,"
                     "vt2,www.example.org,hmx,end"),
      r);
  EXPECT_EQ(r.calls,
            (QStringList{QStringLiteral("verbabfrage"), QStringLiteral("antwort hablo"), QStringLiteral("vokabel #2+"),
                         QStringLiteral("weiter"), QStringLiteral("modus 7"), QStringLiteral("vstart"),
                         QStringLiteral("modus 0"), QStringLiteral("vstart"),
                         QStringLiteral("auswahl grundwortschatz\\a.asc"), QStringLiteral("vstart"), QStringLiteral("vt 2"),
                         QStringLiteral("web http://www.example.org"), QStringLiteral("rate x"), QStringLiteral("end")}));
  EXPECT_EQ(PageCommandDispatcher::ModeNames().size(), 10);
  EXPECT_EQ(PageCommandDispatcher::PresetTenses(3), QStringLiteral("+++++-+++-----+-"));
}

TEST(PageCommand, UserRowsNeedALearnerAndRefreshAfterLogin) {
  Recorder r;
  run(QStringLiteral("chpw,login"), r);
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("login"), QStringLiteral("refresh")}));
  Recorder in;
  in.loggedIn = true;
  EXPECT_EQ(run(QStringLiteral("chpw"), in), QStringList{QStringLiteral("chpw")});
}

TEST(PageCommand, RemovingShortcutsAsksFirst) {
  MessageRecorder messages;
  messages.queueAnswer(MessageAnswer::Cancel);
  Recorder r;
  run(QStringLiteral("unshort,unshort"), r);
  EXPECT_EQ(r.calls, QStringList{QStringLiteral("unshort")});
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Verknüpfungen auf Desktop und in der Startleiste löschen?"));
}

TEST(PageCommand, ACommandArrivingDuringAnotherWaitsForIt) {
  struct Reentrant : Recorder {
    PageCommandDispatcher* d = nullptr;
    void LabShowSentence() override {
      add(QStringLiteral("lab begin"));
      d->Run(QStringLiteral("vstart"));  // as if a click came through while events were processed
      add(QStringLiteral("lab end"));
    }
  } r;
  PageCommandDispatcher d(r);
  r.d = &d;
  d.Run(QStringLiteral("lab"));
  EXPECT_EQ(r.calls, (QStringList{QStringLiteral("lab begin"), QStringLiteral("lab end"), QStringLiteral("vstart")}));
}
