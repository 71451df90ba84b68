#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/baserec.h"
#include "sound/mcidevice.h"
#include "sound/sampleplayer.h"
#include "sound/soundtestsupport.h"
#include "sound/txwavebase.h"
#include "sound/wavebasedialog.h"
#include "testsupport.h"

namespace {

class WaveDialogTest : public ::testing::Test {
 protected:
  WaveDialogTest() : store(program.file(QStringLiteral("s.conf"))), env(program.path(), store) {
    env.WaveDir = program.mkdir(QStringLiteral("wave"));
  }

  std::unique_ptr<TWaveDB> open() {
    auto dialog = std::make_unique<TWaveDB>(base, env, &player, &mci);
    dialog->show();
    return dialog;
  }
  QStringList texts() const {
    QStringList list;
    for (int i = 0; i < base.Count(); ++i) list << base.Entry(i).Text;
    return list;
  }
  static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  TestTree program;
  SettingsStore store;
  Environment env;
  MessageRecorder messages;
  MciDevice mci;
  TSamplePlayer player{&mci};
  TXWaveBase base;
};

}  // namespace

TEST_F(WaveDialogTest, ShowsItsCaptionHintsAndTheCurrentEntry) {
  base.Add(QStringLiteral("hola"), QStringLiteral("XS:\\hola.wav"));
  base.Add(QStringLiteral("adiós"), QStringLiteral("XS:\\adios.wav"));
  auto dialog = open();
  EXPECT_EQ(dialog->windowTitle(), "Verwaltung der Sprachaufnahmen");
  EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
  EXPECT_EQ(dialog->dFirst->toolTip(), "Zum ersten Eintrag");
  EXPECT_EQ(dialog->dPrevious->toolTip(), "Zum vorangehenden Eintrag");
  EXPECT_EQ(dialog->dNext->toolTip(), "Zum nächsten Eintrag");
  EXPECT_EQ(dialog->dLast->toolTip(), "Zum letzten Eintrag");
  EXPECT_EQ(dialog->dAdd->toolTip(), "Neuen Eintrag erzeugen");
  EXPECT_EQ(dialog->dDelete->toolTip(), "Aktuellen Eintrag löschen");
  EXPECT_EQ(dialog->Durchsuchen->toolTip(), "Durchsuchen...");
  EXPECT_EQ(dialog->bPlay->toolTip(), "Vorlesen");
  EXPECT_EQ(dialog->sort->text(), "abc");
  EXPECT_EQ(dialog->sort->toolTip(), "Alphabetisch sortieren");
  QStringList labels;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
  for (const char* label : {"Suche: ", "Text:", "Datei:"}) EXPECT_TRUE(labels.contains(label)) << label;

  EXPECT_EQ(dialog->eText->text(), "adiós");
  EXPECT_EQ(dialog->eDatei->text(), "XS:\\adios.wav");
  EXPECT_EQ(dialog->Counter->text(), "2 Einträge");
  click(dialog->dNext);
  EXPECT_EQ(dialog->eText->text(), "hola");
  QTest::keyClicks(dialog->Suchen, QStringLiteral("ad"));
  EXPECT_EQ(dialog->eText->text(), "adiós");

  // The dialog is the database's notification only while it lives.
  int outside = 0;
  dialog.reset();
  base.OnChange = [&] { ++outside; };
  { auto again = open(); }
  base.Add(QStringLiteral("sí"), QStringLiteral("XS:\\si.wav"));
  EXPECT_EQ(outside, 1);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(WaveDialogTest, DeleteAsksAndTheLastDeletionLeavesAnEmptyDialog) {
  base.Add(QStringLiteral("hola"), QStringLiteral("XS:\\hola.wav"));
  base.Add(QStringLiteral("adiós"), QStringLiteral("XS:\\adios.wav"));
  auto dialog = open();
  click(dialog->dLast);

  messages.queueAnswer(MessageAnswer::No);
  click(dialog->dDelete);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Question);
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.messages()[0].text, "Diesen Eintrag wirklich löschen?");
  EXPECT_EQ(base.Count(), 2);

  click(dialog->dDelete);  // Yes
  EXPECT_EQ(texts(), QStringList({"adiós"}));
  EXPECT_EQ(dialog->eText->text(), "adiós");
  click(dialog->dDelete);
  EXPECT_EQ(base.Count(), 0);
  EXPECT_EQ(base.CurrentIndex(), 0);
  EXPECT_EQ(dialog->eText->text(), "");
  EXPECT_EQ(dialog->eDatei->text(), "");
  EXPECT_EQ(dialog->Counter->text(), "0 Einträge");
  EXPECT_FALSE(dialog->eText->isEnabled());

  // On the empty database nothing is asked and nothing breaks.
  messages.clear();
  for (QAbstractButton* b : {dialog->dDelete, dialog->dFirst, dialog->dPrevious, dialog->dNext, dialog->dLast})
    click(b);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(WaveDialogTest, AnEditedEntryMovesToItsPlaceAndStaysFindable) {
  for (const char* t : {"casa", "hola", "perro"})
    base.Add(QString::fromLatin1(t), QStringLiteral("XS:\\") + QString::fromLatin1(t) + QStringLiteral(".wav"));
  auto dialog = open();
  ASSERT_EQ(dialog->eText->text(), "casa");
  dialog->eText->setFocus();
  dialog->eText->selectAll();
  QTest::keyClicks(dialog->eText, QStringLiteral("zorro"));
  EXPECT_EQ(dialog->eText->text(), "zorro");
  EXPECT_EQ(dialog->eText->cursorPosition(), 5);
  EXPECT_EQ(texts(), QStringList({"hola", "perro", "zorro"}));
  EXPECT_EQ(base.CurrentIndex(), 2);
  EXPECT_EQ(base.Lookup(QStringLiteral("zorro")), "XS:\\casa.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("hola")), "XS:\\hola.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("perro")), "XS:\\perro.wav");

  // F1 turns the character before the cursor into its next accented form.
  dialog->eText->selectAll();
  QTest::keyClicks(dialog->eText, QStringLiteral("ano"));
  QTest::keyClick(dialog->eText, Qt::Key_Left);
  QTest::keyClick(dialog->eText, Qt::Key_F1);
  EXPECT_EQ(dialog->eText->text(), "año");
  EXPECT_EQ(dialog->eText->cursorPosition(), 2);
  QTest::keyClick(dialog->eText, Qt::Key_End);
  QTest::keyClicks(dialog->eText, QStringLiteral("?"));
  QTest::keyClick(dialog->eText, Qt::Key_F1);
  QTest::keyClick(dialog->eText, Qt::Key_F1);
  EXPECT_EQ(dialog->eText->text(), "año!");
  EXPECT_EQ(base.Lookup(QStringLiteral("año!")), "XS:\\casa.wav");
  EXPECT_EQ(texts(), QStringList({"año!", "hola", "perro"}));

  // Editing the file changes the entry's reference.
  dialog->eDatei->setText(QStringLiteral("XS:\\anio.wav"));
  EXPECT_EQ(base.Lookup(QStringLiteral("año!")), "XS:\\anio.wav");
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(WaveDialogTest, AddWorksOnAnEmptyDatabaseAndNotWhileTheEntryIsIncomplete) {
  auto dialog = open();
  EXPECT_EQ(dialog->Counter->text(), "0 Einträge");
  click(dialog->dAdd);
  EXPECT_EQ(base.Count(), 1);
  EXPECT_EQ(dialog->eDatei->text(), ".wav");
  EXPECT_TRUE(dialog->eText->isEnabled());
  EXPECT_TRUE(messages.messages().isEmpty());

  click(dialog->dAdd);  // no text yet
  click(dialog->dNext);
  EXPECT_EQ(base.Count(), 1);
  ASSERT_EQ(messages.messages().size(), 2);
  EXPECT_EQ(messages.messages()[0].text, "Der aktuelle Eintrag ist nicht vollständig!");
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);

  QTest::keyClicks(dialog->eText, QStringLiteral("hola"));
  dialog->eDatei->clear();
  click(dialog->dAdd);  // no file
  EXPECT_EQ(base.Count(), 1);
  dialog->eDatei->setText(QStringLiteral("XS:\\hola.wav"));
  click(dialog->dAdd);
  EXPECT_EQ(base.Count(), 2);
  EXPECT_EQ(dialog->Counter->text(), "2 Einträge");
  QTest::keyClicks(dialog->eText, QStringLiteral("adios"));
  dialog->eDatei->setText(QStringLiteral("XS:\\adios.wav"));
  EXPECT_EQ(texts(), QStringList({"adios", "hola"}));
  EXPECT_EQ(base.Lookup(QStringLiteral("hola")), "XS:\\hola.wav");
}

TEST_F(WaveDialogTest, PlayButtonOnlyForFilesThatResolve) {
  const QString tone = WriteTone(env.WaveDir + QStringLiteral("LA/hola.wav"), 200);
  base.Add(QStringLiteral("hola"), QStringLiteral("XS:\\LA\\hola.wav"));
  base.Add(QStringLiteral("perro"), QStringLiteral("XS:\\LA\\perro.wav"));
  auto dialog = open();
  click(dialog->dNext);
  EXPECT_FALSE(dialog->bPlay->isVisible());
  dialog->PlayClick();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages()[0].text,
            "XS:\\LA\\perro.wav konnte nicht gefunden werden. Stellen Sie\nsicher, daß die CD-ROM eingelegt ist und "
            "der korrekte Pfad eingestellt ist.");
  EXPECT_TRUE(player.LastPath().isEmpty());

  click(dialog->dFirst);
  EXPECT_TRUE(dialog->bPlay->isVisible());
  click(dialog->bPlay);
  EXPECT_EQ(player.LastPath(), tone);
  WaitUntil([&] { return !player.Busy(); }, 5000);

  // The button follows the file as it is typed.
  dialog->eDatei->setText(QStringLiteral("XS:\\LA\\hol"));
  EXPECT_FALSE(dialog->bPlay->isVisible());
  dialog->eDatei->setText(QStringLiteral("XS:\\LA\\hola.wav"));
  EXPECT_TRUE(dialog->bPlay->isVisible());
  EXPECT_EQ(messages.messages().size(), 1);
}

TEST_F(WaveDialogTest, BrowsingOffersTheOwnDirectoryAndWritesXuReferences) {
  const QString own = program.mkdir(QStringLiteral("Eigene Aufnahmen"));
  const QString first = WriteTone(own + QStringLiteral("hola.wav"), 100);
  const QString below = WriteTone(own + QStringLiteral("unter/perro.wav"), 100);
  const QString elsewhere = WriteTone(program.file(QStringLiteral("anders/gato.wav")), 100);
  base.Add(QStringLiteral("hola"), QStringLiteral(".wav"));
  auto dialog = open();
  QString chosen = first;
  dialog->chooseWaveFile = [&] { return chosen; };

  click(dialog->Durchsuchen);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Question);
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(messages.messages()[0].text,
            "Soll das Verzeichnis " + own +
                " als Verzeichnis für eigene Sprachaufnahmen\rdefiniert werden (empfohlen)? Bei einer späteren "
                "Änderung des Verzeichnisses muß\rdann nicht jede einzelne Verknüpfung von Hand angepaßt werden.");
  EXPECT_EQ(env.OwnWaveDir, own);
  EXPECT_EQ(store.readString(env.UserKeyPath(), QStringLiteral("Eigene Waves")), own);
  EXPECT_EQ(dialog->eDatei->text(), "XU:\\hola.wav");
  EXPECT_EQ(base.CurrentReference(), "XU:\\hola.wav");
  EXPECT_TRUE(dialog->bPlay->isVisible());

  chosen = below;
  click(dialog->Durchsuchen);
  EXPECT_EQ(messages.messages().size(), 1);  // the directory is set: no question
  EXPECT_EQ(base.CurrentReference(), "XU:\\unter\\perro.wav");

  chosen = elsewhere;
  click(dialog->Durchsuchen);
  EXPECT_EQ(base.CurrentReference(), elsewhere);

  // Cancel keeps the directory unset and the path as it is; a missing file changes nothing.
  env.OwnWaveDir.clear();
  messages.queueAnswer(MessageAnswer::Cancel);
  chosen = first;
  click(dialog->Durchsuchen);
  EXPECT_TRUE(env.OwnWaveDir.isEmpty());
  EXPECT_EQ(base.CurrentReference(), first);
  chosen = program.file(QStringLiteral("fehlt.wav"));
  click(dialog->Durchsuchen);
  EXPECT_EQ(base.CurrentReference(), first);
}

TEST_F(WaveDialogTest, RecordingSavesTheTextsRecordingInTheOwnDirectory) {
  REQUIRE_SOUND_SERVER();
  base.Add(QStringLiteral("¿Qué tal?"), QStringLiteral(".wav"));
  base.Add(QString(), QStringLiteral(".wav"));
  auto dialog = open();
  EXPECT_EQ(dialog->eText->text(), "");
  click(dialog->bRecord);  // the entry has no text yet
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, "Bitte geben Sie zuerst den Text ein, zu dem die Aufnahme gehört.");
  click(dialog->dDelete);
  ASSERT_EQ(dialog->eText->text(), "¿Qué tal?");

  // Without an own directory one is asked for first.
  const QString own = program.mkdir(QStringLiteral("Stimme"));
  dialog->chooseOwnWaveDir = [&] { return own; };
  messages.clear();
  click(dialog->bRecord);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(env.OwnWaveDir, own);
  ASSERT_TRUE(dialog->Recording());
  EXPECT_FALSE(dialog->eText->isEnabled());
  EXPECT_FALSE(dialog->dNext->isEnabled());
  WaitUntil([] { return false; }, 600);
  click(dialog->bRecord);
  ASSERT_TRUE(WaitUntil([&] { return !dialog->Recording(); }, 3000));

  EXPECT_EQ(base.CurrentReference(), "XU:\\que_tal.wav");
  EXPECT_EQ(dialog->eDatei->text(), "XU:\\que_tal.wav");
  const QByteArray wav = program.read(QStringLiteral("Stimme/que_tal.wav"));
  ASSERT_GT(wav.size(), 44 + 88200 / 4);
  EXPECT_EQ(wav.left(4), "RIFF");
  EXPECT_TRUE(dialog->bPlay->isVisible());
  EXPECT_TRUE(dialog->eText->isEnabled());

  // Recording the entry again (at once, while the recorder still watches the
  // last one) replaces its file; another entry of the same name gets a file of its own.
  click(dialog->bRecord);
  WaitUntil([] { return false; }, 300);
  click(dialog->bRecord);
  ASSERT_TRUE(WaitUntil([&] { return !dialog->Recording(); }, 3000));
  EXPECT_EQ(base.CurrentReference(), "XU:\\que_tal.wav");
  click(dialog->dAdd);
  QTest::keyClicks(dialog->eText, QStringLiteral("que tal"));
  click(dialog->bRecord);
  WaitUntil([] { return false; }, 300);
  click(dialog->bRecord);
  ASSERT_TRUE(WaitUntil([&] { return !dialog->Recording(); }, 3000));
  EXPECT_EQ(base.CurrentReference(), "XU:\\que_tal_2.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("¿Qué tal?")), "XU:\\que_tal.wav");
  EXPECT_EQ(messages.messages().size(), 1);

  // Closing the dialog while recording drops the recording.
  click(dialog->bRecord);
  dialog->reject();
  EXPECT_FALSE(dialog->Recording());
  EXPECT_EQ(base.CurrentReference(), "XU:\\que_tal_2.wav");
  EXPECT_FALSE(QFileInfo::exists(own + QStringLiteral("que_tal_3.wav")));
}
