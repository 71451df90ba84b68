#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "common/textcodec.h"
#include "environment/environment.h"
#include "environment/inifile.h"
#include "environment/settingsstore.h"
#include "htxtool/coursestage.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"
#include "pageclick.h"
#include "testsupport.h"
#include "trainer/startup.h"
#include "trainer/tmain.h"
#include "users/userfile.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"
#include "vocabulary/vocabularyquery.h"

namespace {

using namespace Qt::StringLiterals;

QByteArray libraryFile(const QList<QStringList>& records) {
  QByteArray out;
  for (const QStringList& r : records) {
    const QStringList lines = {r.value(0), r.value(1), QString(), r.value(2), u"0"_s, QString(), u"0"_s,
                               r.value(3, u"0"_s), u"0"_s, u"0"_s};
    for (const QString& line : lines) out += Cp1252::encode(line) + "\r\n";
  }
  return out;
}

// A program directory with the course's pages, a vocabulary directory and
// a user directory, and the trainer's long-lived objects wired as at start-up.
struct Trainer {
  Trainer() : env(program.path(), store), library(env), users(env) {
    CourseStage pages(QStringLiteral(ZVK_SOURCE_DIR "/course/hzvk"), program.file(u"hzvk"_s));
    EXPECT_TRUE(pages.run()) << pages.errors().join(u'\n').toStdString();
    // The emblems are drawn by the build, not kept with the page sources.
    program.copyFiles(QStringLiteral(ZVK_STAGE_DIR "/hzvk/bilder"), u"hzvk/bilder"_s);
    program.write(u"Vokabeln (S)/Grundwortschatz/Grundlagen.asc"_s,
                  libraryFile({{u"hola"_s, u"hallo"_s}, {u"adiós"_s, u"tschüs"_s}}));
    program.write(u"Vokabeln (S)/Testwortschatz/Test.asc"_s,
                  libraryFile({{u"casa (f)"_s, u"Haus"_s},
                               {u"perro (m)"_s, u"Hund"_s},
                               {u"gato (m)"_s, u"Katze"_s},
                               {u"árbol (m)"_s, u"Baum, Strauch #1"_s},
                               {u"mesa (f)"_s, u"Tisch"_s},
                               {u"silla (f)"_s, u"Stuhl"_s},
                               {u"tener"_s, u"haben"_s, u"Ich [habe] Hunger."_s, u"1"_s}}));
    env.ReadDirectorySettings();
    TrainerStartup::ConnectVocabulary(library, users);
  }
  // The user base goes first: the library must not reach for it afterwards.
  ~Trainer() { library.setUserBase(nullptr); }

  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  TBibliothek library;
  TXUserBase users;
};

void press(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &down);
  QCoreApplication::processEvents();
}


}  // namespace

TEST(TrainerVocabulary, LearnerSettingsComeWithTheLoginAndGoWithTheLearner) {
  Trainer t;
  int earlierHook = 0;
  t.users.loadLearnerSettings = [&] { ++earlierHook; };
  TrainerStartup::ConnectVocabulary(t.library, t.users);
  t.program.write(u"Benutzer/anna/zvk_S.ini"_s,
                  "[*zvk]\r\nModus=3\r\nSelection=Testwortschatz\\\r\nRichtung=vor\r\nMinScore=-5\r\n");
  ASSERT_TRUE(t.users.CreateUser(u"anna"_s, QString()));
  EXPECT_EQ(earlierHook, 1);
  TVocEinstellungen& s = t.library.Einstellungen;
  EXPECT_EQ(s.Modus(), 3);
  EXPECT_EQ(s.Richtung(), TVocEinstellungen::Vor);
  EXPECT_EQ(s.MinScore(), -5);
  EXPECT_EQ(t.library.Count(), 7);  // the learner's selection is loaded

  s.SetModus(0);
  s.SetMultipleChoice(80);
  ASSERT_TRUE(t.users.SaveUser());
  const IniFile saved(t.program.file(u"Benutzer/anna/zvk_S.ini"_s));
  EXPECT_EQ(saved.readInteger(u"*zvk"_s, u"Modus"_s, -1), 0);
  EXPECT_EQ(saved.readInteger(u"*zvk"_s, u"Multiple Choice/Eintippen"_s, -1), 80);
  EXPECT_FALSE(s.Modified());

  // Without a login the program's own settings are read once at start-up.
  TBibliothek anonymous(t.env);
  t.program.write(u"prefs.ini"_s, "[*zvk]\r\nSprache=S-D\r\nSelection=Grundwortschatz\\\r\n");
  TrainerStartup::LoadVocabularySettings(anonymous);
  EXPECT_EQ(anonymous.Einstellungen.Sprache(), TVocEinstellungen::SpanischDeutsch);
  EXPECT_EQ(anonymous.Count(), 2);
  t.program.write(u"prefs.ini"_s, "[*zvk]\r\nSprache=D-S\r\n");
  TrainerStartup::LoadVocabularySettings(anonymous);
  EXPECT_EQ(anonymous.Einstellungen.Sprache(), TVocEinstellungen::SpanischDeutsch);
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(TrainerVocabulary, AnonymousSettingsAreSavedAtTheEnd) {
  Trainer t;
  TrainerStartup::LoadVocabularySettings(t.library);
  TMain window(t.env, &t.users, &t.library);
  window.ShowStartPage();
  window.Dispatcher().Run(u"sm=Vegas"_s);
  EXPECT_EQ(window.XPage()->XFile(), u"vokabeln.htx"_s);
  EXPECT_EQ(window.XPage()->GetVariable(u"modus"_s), u"vegas"_s);
  window.Beenden();
  EXPECT_EQ(IniFile(t.program.file(u"prefs.ini"_s)).readInteger(u"*zvk"_s, u"Modus"_s, -1), 7);
}

// A learner works through the pages: the vocabulary page, a choice of
// library, a section with answers by key and Enter, the stop, the end; the
// answers are in the learner's file afterwards.
TEST(TrainerVocabulary, ALearnersSectionFromTheStartPageToTheUserFile) {
  Trainer t;
  ASSERT_TRUE(t.users.CreateUser(u"anna"_s, QString()));
  TrainerStartup::LoadVocabularySettings(t.library);
  TMain window(t.env, &t.users, &t.library);
  ASSERT_NE(window.Query(), nullptr);
  window.Query()->Reseed = [] {};
  Random::seed(11);
  window.ShowStartPage();
  TXPage* page = window.XPage();
  PageCommandDispatcher& commands = window.Dispatcher();

  commands.Run(u"vstart"_s);
  EXPECT_EQ(page->XFile(), u"vokabeln.htx"_s);
  EXPECT_EQ(page->GetVariable(u"selection"_s), u"Grundwortschatz"_s);
  EXPECT_EQ(page->GetVariable(u"vtotal"_s), u"2"_s);
  // Two records are too few for a round in random order.
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, TVocQuery::kNotEnoughPerRound);
  t.messages.clear();

  commands.Run(u"dir=testwortschatz\\"_s);  // as a link of v_bereich.htx sends it
  EXPECT_EQ(t.library.Einstellungen.Selection(), u"Testwortschatz\\"_s);
  EXPECT_EQ(page->GetVariable(u"vtotal"_s), u"7"_s);
  EXPECT_EQ(page->GetVariable(u"files"_s), u"1 Datei"_s);
  EXPECT_EQ(page->GetVariable(u"action"_s), u"<a href=\"§goabfrage\">Abfragen!</a>"_s);

  t.library.Einstellungen.SetRichtung(TVocEinstellungen::Vor);
  t.library.Einstellungen.SetMultipleChoice(101);  // every question multiple choice
  commands.Run(u"goabfrage"_s);
  ASSERT_EQ(page->XFile(), u"va_mch.htx"_s);
  EXPECT_EQ(page->GetVariable(u"Zähler"_s), u"1 / 7"_s);

  // A click on the right option.
  ASSERT_TRUE(ClickLink(page, u"§[vokabel+]"_s));
  EXPECT_EQ(page->XFile(), u"va_richtig.htx"_s);
  press(page, Qt::Key_Return);  // "Weiter" is the page's Enter link
  ASSERT_EQ(page->XFile(), u"va_mch.htx"_s);

  // A wrong option whose meaning holds a comma and a "#", by its key.
  const auto keyOf = [&](const QString& part) {
    for (int p = 0; p < 6; ++p)
      if (page->GetVariable(u"MCH%1"_s.arg(p)).contains(part)) return QString::number(p + 1);
    return QString();
  };
  const QString key = keyOf(u">Baum, Strauch #1</a>"_s);
  ASSERT_FALSE(key.isEmpty());
  press(page, Qt::Key_1 + key.toInt() - 1, key);
  EXPECT_EQ(page->XFile(), u"va_falsch2.htx"_s);
  EXPECT_TRUE(page->GetVariable(u"Falsch"_s).startsWith(u"<+normal>árbol (m) <+kommentar> [Nomen]"_s));

  // From now on typed: the answer goes into the page's typing gap.
  t.library.Einstellungen.SetMultipleChoice(0);
  press(page, Qt::Key_Return);
  ASSERT_EQ(page->XFile(), u"va_ein.htx"_s);
  ASSERT_EQ(page->GapEditors().size(), 1u);
  TXRichEdit* gap = page->GapEditors()[0];
  EXPECT_EQ(gap->Lsg(), QStringList{u"Katze"_s});
  for (const QChar c : u"Katze"_s) press(gap, Qt::Key_unknown, QString(c));
  press(gap, Qt::Key_Return);
  EXPECT_EQ(page->XFile(), u"va_richtig.htx"_s);
  press(page, Qt::Key_Return);
  ASSERT_EQ(page->XFile(), u"va_ein.htx"_s);
  ASSERT_EQ(page->GapEditors().size(), 1u);
  // An empty answer first asks, then gives up.
  press(page->GapEditors()[0], Qt::Key_Return);
  EXPECT_EQ(page->XFile(), u"va_ein.htx"_s);
  EXPECT_EQ(page->GapEditors()[0]->Note(), TXRichEdit::GiveUpQuestion());
  press(page->GapEditors()[0], Qt::Key_Return);
  EXPECT_EQ(page->XFile(), u"va_falsch1.htx"_s);
  commands.Run(u"vocaus"_s);
  EXPECT_EQ(page->XFile(), u"v_auswertung.htx"_s);
  EXPECT_EQ(page->GetVariable(u"runde"_s), u"50"_s);
  EXPECT_EQ(page->GetVariable(u"balken-runde"_s), u"<box coords=50,170,150,20 color=balken>"_s);
  EXPECT_TRUE(page->IsCondition(u"insgesamt"_s));

  const QString userFile = t.users.UserFilePath();
  window.Beenden();
  const UserFile::ReadResult file = UserFile::read(userFile);
  ASSERT_EQ(file.status, UserFile::ReadStatus::Ok);
  QMap<QString, QString> kinds;
  for (const TXUserVoc& r : file.content.records) kinds[r.key] = r.kinds;
  EXPECT_EQ(kinds.size(), 4);
  EXPECT_EQ(kinds.value(u">0casa (f)"_s), u"m"_s);
  EXPECT_EQ(kinds.value(u">0perro (m)"_s), u"m"_s);
  EXPECT_EQ(kinds.value(u">0gato (m)"_s), u"e"_s);
  EXPECT_EQ(kinds.value(u">0árbol (m)"_s), u"e"_s);
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(TrainerVocabulary, CommandsWithoutASectionShowTheVocabularyPage) {
  Trainer t;
  ASSERT_TRUE(t.users.CreateUser(u"anna"_s, QString()));
  TMain window(t.env, &t.users, &t.library);
  window.ShowStartPage();
  for (const QString& command : {u"vokabel+"_s, u"vokabelweiter"_s, u"vcontinue"_s, u"vokabel[~2]-,vocaus"_s}) {
    window.XPage()->setXFile(window.XPage()->XPath() + u"main.htx"_s);
    window.Dispatcher().Run(command);
    EXPECT_EQ(window.XPage()->XFile(), u"vokabeln.htx"_s) << command.toStdString();
  }
  EXPECT_EQ(t.users.History().size(), 0);

  // Too few records for a round: the message once, then the vocabulary page.
  t.messages.clear();
  window.Dispatcher().Run(u"goabfrage"_s);
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, u"Nicht genug Vokabeln pro Runde vorhanden!!!"_s);
  EXPECT_EQ(window.XPage()->XFile(), u"vokabeln.htx"_s);
  EXPECT_TRUE(window.XPage()->GetVariable(u"action"_s).contains(u"Nicht genug Vokabeln aktiv!"_s));
}

TEST(TrainerVocabulary, TheDialogsLeadBackToTheVocabularyPageOnOk) {
  Trainer t;
  TrainerStartup::LoadVocabularySettings(t.library);
  TMain window(t.env, &t.users, &t.library);
  window.ShowStartPage();
  // Answers the next modal dialog as soon as it is open.
  QTimer closer;
  bool answer = false;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    closer.stop();
    answer ? dialog->accept() : dialog->reject();
  });
  const auto closeDialog = [&](bool ok) {
    answer = ok;
    closer.start();
  };
  for (const QString& command : {u"vocein"_s, u"select"_s}) {
    closeDialog(false);
    window.Dispatcher().Run(command);
    EXPECT_EQ(window.XPage()->XFile(), u"main.htx"_s) << command.toStdString();
    closeDialog(true);
    window.Dispatcher().Run(command);
    EXPECT_EQ(window.XPage()->XFile(), u"vokabeln.htx"_s) << command.toStdString();
    window.XPage()->setXFile(window.XPage()->XPath() + u"main.htx"_s);
  }
}

TEST(TrainerVocabulary, WithoutALibraryTheVocabularyCommandsDoNothing) {
  Trainer t;
  TMain window(t.env, &t.users);
  window.ShowStartPage();
  window.Dispatcher().Run(u"vstart,goabfrage,vokabel+,vocaus"_s);
  EXPECT_EQ(window.XPage()->XFile(), u"main.htx"_s);
  EXPECT_GT(window.Res()->Count(), 0);
}
