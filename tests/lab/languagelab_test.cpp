// The language lab on a page with the course's lab pages: choosing topics
// and sentences, the learner's switches and settings, the recordings, and
// the page commands with the dictation gap.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "common/messagerecorder.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "lab/labcommands.h"
#include "lab/tthemenliste.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"
#include "sound/mcidevice.h"
#include "sound/soundtestsupport.h"
#include "sound/txrecorder.h"
#include "testsupport.h"
#include "users/txuserbase.h"

namespace {

using namespace Qt::StringLiterals;

TSatz sentence(const QString& text, const QString& recording = {}, const QString& alternatives = {}) {
  return TSatz{text, alternatives, text.left(1) + u"..."_s, u"Deutsch: "_s + text, recording};
}

QList<TThema> sampleTopics() {
  return {
      TThema{u"Angaben zur Person"_s,
             {sentence(u"¿Cómo te llamas?"_s, u"XS:\\LA\\01\\la0101a.wav"_s, u"Cómo te llamas?; Cómo te llamas"_s),
              sentence(u"Me llamo Julia."_s, u"XS:\\LA\\01\\la0102a.wav"_s),
              sentence(u"Soy de <Berlín> & $[x]."_s)}},
      TThema{u"Kontakte"_s, {sentence(u"¡Hola!"_s)}},
      TThema{u"Leer"_s, {}},
      TThema{u"Tiempo & clima"_s, {sentence(u"Hace sol."_s)}},
  };
}

void press(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &down);
  QCoreApplication::processEvents();
}

// The lab with its commands on a page that shows the staged course's pages.
struct Lab {
  explicit Lab(QList<TThema> topics = sampleTopics()) : store(tree.file(u"settings.conf"_s)), env(tree.path(), store) {
    Random::seed(11);
    env.UserName = u"Ana"_s;
    env.WaveDir = tree.mkdir(u"wave/"_s);
    lab = std::make_unique<TThemenListe>(env, std::move(topics));
    lab->SetPage(&page, QStringLiteral(ZVK_STAGE_DIR "/hzvk/"));
    RegisterLabCommands(table, *lab);
    page.OnCommand = [this](TXPage*, const QString& command) { dispatcher.Run(command); };
    page.setOnPictureRequest([this](TXPage*, const QString& code, QImage& picture) {
      if (lab->DrawPicture(code, picture)) ++pictures;
    });
  }
  void run(const QString& command) { dispatcher.Run(command); }
  QString var(const QString& name) const { return page.GetVariable(name); }
  QString key() const { return env.UserKeyPath() + u"\\Sprachlabor"_s; }

  MessageRecorder messages;
  TestTree tree;
  SettingsStore store;
  Environment env;
  TXPage page{nullptr};
  std::unique_ptr<TThemenListe> lab;
  PageCommandTable table;
  PageCommandDispatcher dispatcher{table};
  int pictures = 0;  // comparison pictures drawn
};

}  // namespace

TEST(LanguageLab, TopicListLinksEveryTopicByItsPaddedNumber) {
  Lab t;
  const QString list = t.lab->TopicListMarkup();
  EXPECT_TRUE(list.startsWith(u"<a href=\"§thema 0;lab\" >Angaben zur Person</a><br>"_s)) << list.toStdString();
  EXPECT_TRUE(list.contains(u"<a href=\"§thema 3;lab\" >Tiempo &amp; clima</a><br>"_s)) << "the title is escaped";

  t.run(u"lablist"_s);
  ASSERT_EQ(t.page.XFile(), u"laborliste.htx"_s);
  EXPECT_TRUE(t.page.state().Elements.Links.Names.contains(u"§thema 3;lab"_s));
  EXPECT_EQ(t.var(u"LabListe"_s), QString()) << "emptied once the page is built";
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();

  // Twenty topics still give two-digit numbers with a blank only below ten.
  QList<TThema> many;
  for (int i = 0; i < 20; ++i) many.append(TThema{u"T%1"_s.arg(i), {}});
  Lab twenty(many);
  EXPECT_TRUE(twenty.lab->TopicListMarkup().contains(u"\"§thema 9;lab\""_s));
  EXPECT_TRUE(twenty.lab->TopicListMarkup().contains(u"\"§thema19;lab\""_s));
}

TEST(LanguageLab, SentencesOfATopicRepeatOnlyAfterTheOthersCameUp) {
  Lab t;
  t.lab->SelectTopic(0);  // already current: nothing changes
  QList<int> chosen;
  for (int i = 0; i < 30; ++i) {
    t.lab->NextSentence();
    chosen << t.lab->CurrentSentence();
  }
  // Three sentences: each window of three holds all three, so the order repeats with period three.
  for (int i = 0; i + 3 < chosen.size(); ++i) {
    EXPECT_EQ(chosen[i], chosen[i + 3]) << i;
    EXPECT_NE(chosen[i], chosen[i + 1]);
  }
  EXPECT_EQ(t.lab->Recent().size(), 2);

  t.lab->SelectTopic(1);
  EXPECT_EQ(t.lab->CurrentTopic(), 1);
  EXPECT_EQ(t.lab->Recent().size(), 0) << "one sentence: nothing to avoid";
  for (int i = 0; i < 5; ++i) {
    t.lab->NextSentence();
    EXPECT_EQ(t.lab->CurrentSentence(), 0);
  }
  // An empty topic, and numbers outside the list (topic 0).
  t.lab->SelectTopic(2);
  t.lab->NextSentence();
  EXPECT_EQ(t.lab->Current(), nullptr);
  t.lab->ShowSentence();
  EXPECT_EQ(t.var(u"LabSatz"_s), QString());
  EXPECT_FALSE(t.page.IsCondition(u"normal"_s));
  t.lab->SelectTopic(17);
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  t.lab->SelectTopic(-1);
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  ASSERT_NE(t.lab->Current(), nullptr);
}

TEST(LanguageLab, SettingsPerLearnerAllOrNoneAndAVanishedTopicIsTopicZero) {
  Lab t;
  t.lab->LoadLabSettings();
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  EXPECT_TRUE(t.lab->Diktat());
  EXPECT_TRUE(t.lab->Deutsch());
  EXPECT_FALSE(t.lab->Automatik());

  t.run(u"thema 3;lab"_s);
  t.run(u"-diktat"_s);
  t.run(u"+autoread"_s);
  t.lab->SaveLabSettings();
  EXPECT_EQ(t.store.readInteger(t.key(), u"Thema"_s), 3);
  EXPECT_EQ(t.store.readBool(t.key(), u"Diktat"_s), false);
  EXPECT_EQ(t.store.readBool(t.key(), u"Deutsch"_s), true);
  EXPECT_EQ(t.store.readBool(t.key(), u"Automatik"_s), true);

  // Another learner has the defaults; the first one gets theirs back.
  t.env.UserName = u"Ben"_s;
  t.lab->LoadLabSettings();
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  EXPECT_TRUE(t.lab->Diktat());
  t.env.UserName = u"Ana"_s;
  t.lab->LoadLabSettings();
  EXPECT_EQ(t.lab->CurrentTopic(), 3);
  EXPECT_FALSE(t.lab->Diktat());
  EXPECT_TRUE(t.lab->Automatik());

  // One value missing: all four take the defaults.
  t.store.deleteValue(t.key(), u"Deutsch"_s);
  t.lab->LoadLabSettings();
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  EXPECT_TRUE(t.lab->Diktat());
  EXPECT_FALSE(t.lab->Automatik());

  // A topic the sentences no longer have.
  t.lab->SaveLabSettings();
  t.store.writeInteger(t.key(), u"Thema"_s, 12);
  t.lab->LoadLabSettings();
  EXPECT_EQ(t.lab->CurrentTopic(), 0);

  // Released at the end: the settings are saved once more, and not after that.
  t.lab->SetDeutsch(false);
  t.lab->Release();
  EXPECT_EQ(t.store.readBool(t.key(), u"Deutsch"_s), false);
  t.lab->SetDeutsch(true);
  t.lab->SaveLabSettings();
  EXPECT_EQ(t.store.readBool(t.key(), u"Deutsch"_s), false);
  EXPECT_EQ(t.lab->Page(), nullptr);
  t.lab->ShowSentencePage();  // without a page: nothing
}

TEST(LanguageLab, RecordingsAreFoundAsWaveOrMp3AndTheNormalSpeedOnlyWhenItExists) {
  Lab t;
  const QString ref = u"XS:\\LA\\01\\la0101a.wav"_s;
  EXPECT_EQ(t.lab->LabSoundFile(ref, false), QString()) << "no file anywhere";
  const QString slow = t.tree.write(u"wave/LA/01/la0101a.wav"_s, "RIFF");
  EXPECT_EQ(t.lab->LabSoundFile(ref, false), slow);
  EXPECT_EQ(t.lab->LabSoundFile(ref, true), QString()) << "the normal speed is missing";
  const QString normal = t.tree.write(u"wave/LA/01/la0101b.wav"_s, "RIFF");
  EXPECT_EQ(t.lab->LabSoundFile(ref, true), normal);

  // Without the recording directory: the MP3 of the extensions, then of the special recordings.
  t.env.WaveDir.clear();
  t.env.WaveExtensionDir = t.tree.mkdir(u"ext/"_s);
  t.env.SkDir = t.tree.mkdir(u"sk/"_s);
  EXPECT_EQ(t.lab->LabSoundFile(ref, false), QString());
  const QString skMp3 = t.tree.write(u"sk/LA/01/la0101a.mp3"_s, "ID3");
  EXPECT_EQ(t.lab->LabSoundFile(ref, false), skMp3);
  const QString extMp3 = t.tree.write(u"ext/LA/01/la0101a.mp3"_s, "ID3");
  const QString extNormal = t.tree.write(u"ext/LA/01/la0101b.mp3"_s, "ID3");
  EXPECT_EQ(t.lab->LabSoundFile(ref, false), extMp3);
  EXPECT_EQ(t.lab->LabSoundFile(ref, true), extNormal);

  // References that name no file.
  t.tree.mkdir(u"ext/LA/01/ordner.mp3/"_s);
  for (const QString& bad : {u""_s, u"XS:"_s, u"XS:\\"_s, u"XS:\\LA\\01\\"_s, u"XS:\\LA\\01\\ordner"_s})
    EXPECT_EQ(t.lab->LabSoundFile(bad, false), QString()) << bad.toStdString();
}

TEST(LanguageLab, ShowSentenceSetsTheConditionsAndVariablesOfTheSentencePage) {
  Lab t;
  const QString slow = t.tree.write(u"wave/LA/01/la0101a.wav"_s, "RIFF");
  const QString normal = t.tree.write(u"wave/LA/01/la0101b.wav"_s, "RIFF");
  t.tree.write(u"wave/LA/01/la0102a.wav"_s, "RIFF");
  // The first sentence, in dictation with German shown.
  while (t.lab->CurrentSentence() != 0) t.lab->NextSentence();
  t.run(u"lab"_s);
  ASSERT_EQ(t.page.XFile(), u"labor.htx"_s);
  EXPECT_TRUE(t.page.IsCondition(u"diktat"_s));
  EXPECT_TRUE(t.page.IsCondition(u"deutsch"_s));
  EXPECT_FALSE(t.page.IsCondition(u"autoread"_s));
  EXPECT_TRUE(t.page.IsCondition(u"normal"_s));
  EXPECT_TRUE(t.page.IsCondition(u"langsam"_s));
  EXPECT_EQ(t.var(u"Thema"_s), u"Angaben zur Person"_s);
  EXPECT_EQ(t.var(u"Normal"_s), normal);
  EXPECT_EQ(t.var(u"Langsam"_s), slow);
  EXPECT_EQ(t.var(u"LabSatz"_s), u"¿Cómo te llamas?"_s);
  EXPECT_EQ(t.var(u"LabDeutsch"_s), u"Deutsch: ¿Cómo te llamas?"_s);
  EXPECT_EQ(t.var(u"lsg"_s), u"¿Cómo te llamas?; Cómo te llamas?; Cómo te llamas"_s);
  EXPECT_EQ(t.var(u"help"_s), u"¿..."_s);
  EXPECT_EQ(t.var(u"LabAutomatik"_s), QString());
  ASSERT_EQ(t.page.GapEditors().size(), 1u) << "the dictation gap";
  EXPECT_EQ(t.page.GapEditors()[0]->Lsg(), (QStringList{u"¿Cómo te llamas?"_s, u"Cómo te llamas?"_s, u"Cómo te llamas"_s}));

  // Automatic reading, German off, dictation off: the sentence stands on the page.
  t.run(u"+autoread,-deutsch,-diktat,lab"_s);
  EXPECT_TRUE(t.page.IsCondition(u"autoread"_s));
  EXPECT_FALSE(t.page.IsCondition(u"deutsch"_s));
  EXPECT_FALSE(t.page.IsCondition(u"diktat"_s));
  EXPECT_EQ(t.var(u"LabAutomatik"_s), u"%1,%2"_s.arg(TThemenListe::kAutoReadDelayMs).arg(normal));
  EXPECT_EQ(t.page.state().WaitTarget, normal) << "the page reads the sentence out by itself";
  EXPECT_TRUE(t.page.GapEditors().empty());

  // The next sentence without the normal speed: no "normal" button, slow reading.
  t.lab->NextSentence();
  while (t.lab->CurrentSentence() != 1) t.lab->NextSentence();
  t.run(u"+diktat,lab"_s);
  EXPECT_FALSE(t.page.IsCondition(u"normal"_s));
  EXPECT_TRUE(t.page.IsCondition(u"langsam"_s));
  EXPECT_EQ(t.var(u"lsg"_s), u"Me llamo Julia."_s) << "without alternatives: the sentence alone";
  EXPECT_TRUE(t.var(u"LabAutomatik"_s).endsWith(u"la0102a.wav"_s));

  // Markup in a sentence stays text on the page; the gap takes it as it is.
  while (t.lab->CurrentSentence() != 2) t.lab->NextSentence();
  t.run(u"lab"_s);
  EXPECT_EQ(t.var(u"lsg"_s), u"Soy de <Berlín> & $[x]."_s);
  t.run(u"-diktat,lab"_s);
  QString shown;
  for (const TXText& e : t.page.Document()) shown += e.Text;
  EXPECT_TRUE(shown.contains(u"Soy de <Berlín> & $[x]."_s)) << shown.toStdString();
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();
}

TEST(LanguageLab, CommandsTopicsVerdictsAndTheDictationGap) {
  Lab t;
  t.run(u"thema 3;lab"_s);
  EXPECT_EQ(t.lab->CurrentTopic(), 3);
  ASSERT_EQ(t.page.XFile(), u"labor.htx"_s);
  EXPECT_EQ(t.var(u"Thema"_s), u"Tiempo &amp; clima"_s);
  t.run(u"thema"_s);
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  t.run(u"thema 1xyz"_s);
  EXPECT_EQ(t.lab->CurrentTopic(), 1) << "what follows the number is ignored";
  t.run(u"thema99"_s);
  EXPECT_EQ(t.lab->CurrentTopic(), 0) << "a topic that does not exist";

  t.run(u"lab+"_s);
  EXPECT_EQ(t.page.XFile(), u"laborergebnis.htx"_s);
  EXPECT_EQ(t.var(u"LabErgebnis"_s), u"Sehr schön!"_s);
  EXPECT_TRUE(t.page.IsCondition(u"labrichtig"_s));
  t.run(u"lab-"_s);
  EXPECT_EQ(t.var(u"LabErgebnis"_s), u"Leider daneben!"_s);
  EXPECT_FALSE(t.page.IsCondition(u"labrichtig"_s));
  t.run(u"labnext"_s);
  EXPECT_EQ(t.page.XFile(), u"labor.htx"_s);

  // Right through the gap: typed as heard, confirmed with Return.
  t.run(u"thema 1;lab"_s);
  ASSERT_EQ(t.page.GapEditors().size(), 1u);
  TXRichEdit* gap = t.page.GapEditors()[0];
  for (const QChar c : u"¡Hola!"_s) press(gap, Qt::Key_unknown, QString(c));
  press(gap, Qt::Key_Return);
  ASSERT_EQ(t.page.XFile(), u"laborergebnis.htx"_s) << gap->Note().toStdString();
  EXPECT_EQ(t.var(u"LabErgebnis"_s), u"Sehr schön!"_s);

  // Wrong five times: the verdict says so.
  t.run(u"lab"_s);
  for (int attempt = 0; attempt < 5 && t.page.XFile() == u"labor.htx"_s; ++attempt) {
    gap = t.page.GapEditors()[0];
    gap->setText(QString());
    for (const QChar c : u"Adiós"_s) press(gap, Qt::Key_unknown, QString(c));
    press(gap, Qt::Key_Return);
  }
  EXPECT_EQ(t.page.XFile(), u"laborergebnis.htx"_s);
  EXPECT_EQ(t.var(u"LabErgebnis"_s), u"Leider daneben!"_s);
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();
}

TEST(LanguageLab, WithoutTopicsThePagesShowEmpty) {
  Lab t(QList<TThema>{});
  t.lab->NextSentence();
  t.run(u"lablist"_s);
  EXPECT_EQ(t.page.XFile(), u"laborliste.htx"_s);
  t.run(u"labnext"_s);
  EXPECT_EQ(t.page.XFile(), u"labor.htx"_s);
  EXPECT_EQ(t.var(u"LabSatz"_s), QString());
  EXPECT_EQ(t.var(u"Thema"_s), QString());
  t.run(u"thema 2;lab"_s);
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();
}

TEST(LanguageLab, ARecordingOnTheSentencePageIsDrawnUnderTheModelAndTheRecorderStays) {
  REQUIRE_SOUND_SERVER();
  Lab t;
  WriteTone(t.tree.file(u"wave/LA/01/la0101a.wav"_s), 900);
  WriteTone(t.tree.file(u"wave/LA/01/la0101b.wav"_s), 600);
  MciDevice mci;
  t.page.CreateRecorder = t.lab->WatchingRecorders(TXRecorder::PageFactory(&mci));
  while (t.lab->CurrentSentence() != 0) t.lab->NextSentence();
  t.run(u"lab"_s);
  ASSERT_EQ(t.page.XFile(), u"labor.htx"_s);
  ASSERT_NE(t.page.Recorder(), nullptr);
  EXPECT_TRUE(t.lab->Comparison().HasModel()) << "the normal speed is the model";
  EXPECT_FALSE(t.lab->Comparison().HasOwn());
  const int drawn = t.pictures;
  const TPageRecorder* recorder = t.page.Recorder();

  t.page.FollowLink(u"§rec"_s);
  WaitUntil([] { return false; }, 400);
  t.page.FollowLink(u"§rec"_s);
  ASSERT_TRUE(WaitUntil([&] { return t.lab->Comparison().HasOwn(); }, 3000));
  EXPECT_EQ(t.pictures, drawn + 1) << "the picture is drawn again";
  EXPECT_EQ(t.page.Recorder(), recorder) << "the page was not rebuilt: the recording can still be played";
  EXPECT_TRUE(t.lab->Comparison().Own()->Silent()) << "the null source records silence";

  // Switching German off rebuilds the page: the learner's recording of this sentence stays in the picture.
  t.run(u"-deutsch,lab"_s);
  EXPECT_TRUE(t.lab->Comparison().HasOwn());
  t.lab->NextSentence();
  t.run(u"lab"_s);
  EXPECT_FALSE(t.lab->Comparison().HasOwn()) << "another sentence, another comparison";
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();
}

TEST(LanguageLab, ALearnerWhoLogsInFindsTheirOwnSwitches) {
  Lab t;
  t.env.UserName.clear();
  t.env.UserDir = t.tree.mkdir(u"Benutzer/"_s);
  TXUserBase users(t.env);
  t.lab->FollowLogins(users);
  // What an anonymous learner switched is kept when someone logs in.
  t.run(u"+autoread"_s);
  ASSERT_TRUE(users.CreateUser(u"ben"_s, u"pw"_s));
  EXPECT_EQ(t.store.readBool(u"Software\\zvk\\zvk spanisch\\5\\Anonym\\Sprachlabor"_s, u"Automatik"_s), true);
  EXPECT_FALSE(t.lab->Automatik()) << "Ben starts with his own (default) switches";
  t.run(u"-diktat"_s);
  t.run(u"thema 3"_s);
  users.SaveUser();  // Ben's switches go with his data; the session goes on anonymously
  EXPECT_TRUE(t.lab->Diktat());
  EXPECT_EQ(t.lab->CurrentTopic(), 0);
  ASSERT_EQ(users.OpenUser(u"ben"_s, u"pw"_s), TXUserBase::OpenResult::Opened);
  EXPECT_FALSE(t.lab->Diktat());
  EXPECT_EQ(t.lab->CurrentTopic(), 3);
}
