#include "editor/editorrecorder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QToolButton>

#include "editor/editortestsupport.h"
#include "editor/recordform.h"
#include "sound/baserec.h"
#include "sound/soundtestsupport.h"
#include "sound/wavebasedialog.h"

namespace {

using namespace Qt::StringLiterals;

using EditorRecording = EditorFixture;

bool isWave(const QByteArray& bytes) {
  return bytes.size() > 44 && bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt ";
}

// Files the recorder leaves beside its recordings.
QStringList leftovers(const QString& dir) {
  return QDir(dir).entryList({u".zvk-aufnahme-*"_s}, QDir::Files | QDir::Hidden);
}

// Records about half a second with the window's REC button.
void recordHalfASecond(TVEditor& w) {
  QAction* rec = w.Action(u"RecRec"_s);
  rec->trigger();
  EXPECT_EQ(rec->text(), u"STOP"_s);
  EXPECT_FALSE(w.Action(u"RecPlay"_s)->isEnabled());
  EXPECT_FALSE(w.Action(u"RecSave"_s)->isEnabled());
  WaitUntil([] { return false; }, 500);
  rec->trigger();
  EXPECT_EQ(rec->text(), u"REC"_s);
}

}  // namespace

TEST_F(EditorRecording, NothingToPlayOrSaveBeforeTheFirstRecording) {
  TVEditor& w = open();
  EXPECT_EQ(w.Action(u"RecRec"_s)->text(), u"REC"_s);
  EXPECT_TRUE(w.Action(u"RecRec"_s)->isEnabled());
  EXPECT_FALSE(w.Action(u"RecPlay"_s)->isEnabled());
  EXPECT_FALSE(w.Action(u"RecSave"_s)->isEnabled());
  EXPECT_EQ(TEditorRecorder::WaveFileName(u"/a/hola"_s), u"/a/hola.wav"_s);
  EXPECT_EQ(TEditorRecorder::WaveFileName(u"/a/hola.mp3"_s), u"/a/hola.wav"_s);
  EXPECT_EQ(TEditorRecorder::WaveFileName(u"/a/hola.WAV"_s), u"/a/hola.wav"_s);
  EXPECT_EQ(TEditorRecorder::WaveFileName(QString()), QString());
}

TEST_F(EditorRecording, ARecordingIsSavedAsAWaveAndHandedToTheRecordingDialog) {
  REQUIRE_SOUND_SERVER();
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s}));
  recordHalfASecond(w);
  EXPECT_TRUE(w.Action(u"RecPlay"_s)->isEnabled());
  EXPECT_TRUE(w.Action(u"RecSave"_s)->isEnabled());
  EXPECT_GE(w.Recorder().Recorder().Length(), 300);

  const QString folder = program.mkdir(u"Aufnahmen"_s);
  QString chosen = folder + u"casa"_s;
  w.Recorder().chooseFile = [&] { return chosen; };
  QStringList opened;
  w.openRecordingDialog = [&](const QString& text, const QString& file) { opened << text << file; };

  w.Action(u"RecSave"_s)->trigger();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(opened, (QStringList{u"casa"_s, folder + u"casa.wav"_s}));
  EXPECT_TRUE(isWave(program.read(u"Aufnahmen/casa.wav"_s)));
  EXPECT_TRUE(leftovers(folder).isEmpty());

  // A quotation mark cannot reach the sound device: refused, nothing written.
  opened.clear();
  chosen = folder + u"la \"casa\""_s;
  w.Action(u"RecSave"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_TRUE(messages.messages()[0].text.contains(u"Anführungszeichen"_s));
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"casa.wav"_s});

  // The save dialog cancelled: nothing at all.
  messages.clear();
  chosen.clear();
  w.Action(u"RecSave"_s)->trigger();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_TRUE(opened.isEmpty());

  // A folder that is not there: the message, and the dialog is not opened.
  chosen = program.file(u"fehlt/casa"_s);
  w.Action(u"RecSave"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Sprachaufnahme konnte nicht gespeichert werden.."_s);
  EXPECT_TRUE(opened.isEmpty());
}

TEST_F(EditorRecording, AnExistingRecordingIsReplacedOnlyByAWrittenOne) {
  REQUIRE_SOUND_SERVER();
  TVEditor& w = open();
  const QString folder = program.mkdir(u"Aufnahmen"_s);
  const QString target = WriteTone(folder + u"hola.wav"_s, 200);
  const QByteArray tone = program.read(u"Aufnahmen/hola.wav"_s);
  ASSERT_TRUE(isWave(tone));

  recordHalfASecond(w);
  ASSERT_TRUE(w.Recorder().WriteTo(target));
  const QByteArray recording = program.read(u"Aufnahmen/hola.wav"_s);
  EXPECT_TRUE(isWave(recording));
  EXPECT_NE(recording, tone);
  EXPECT_TRUE(leftovers(folder).isEmpty());
  EXPECT_FALSE(w.Recorder().WriteTo(folder + u"a\"b.wav"_s));
  EXPECT_FALSE(w.Recorder().WriteTo(program.file(u"fehlt/hola.wav"_s)));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"hola.wav"_s});
}

TEST_F(EditorRecording, WithoutAHookTheRecordingDialogLinksTheEntrysText) {
  REQUIRE_SOUND_SERVER();
  env.OwnWaveDir = program.mkdir(u"Eigene"_s);
  mainRecordings.Add(u"perro"_s, u"XU:\\perro.wav"_s);
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s}));
  EXPECT_FALSE(w.RP->vPlay->isVisibleTo(&w));
  recordHalfASecond(w);
  w.Recorder().chooseFile = [&] { return env.OwnWaveDir + u"casa"_s; };
  RejectNextModalDialog();
  w.Action(u"RecSave"_s)->trigger();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(mainRecordings.Count(), 2);
  EXPECT_EQ(mainRecordings.Lookup(u"casa"_s, true), u"XU:\\casa.wav"_s);
  EXPECT_EQ(mainRecordings.Lookup(u"perro"_s, true), u"XU:\\perro.wav"_s);
  // The entry has a recording now.
  EXPECT_TRUE(w.RP->vPlay->isVisibleTo(&w));
  EXPECT_EQ(w.RP->vPlay->toolTip(), u"XU:\\casa.wav"_s);
}

TEST(RecordingDialogAt, TakesTheEntryOfTheTextOrMakesOneAndLeavesTheOthers) {
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env(program.path(), store);
  env.OwnWaveDir = program.mkdir(u"Eigene"_s);
  TXWaveBase base;
  base.Add(u"casa"_s, u"XU:\\alt.wav"_s);
  base.Add(u"perro"_s, u"XU:\\perro.wav"_s);
  base.Last();  // another entry is current
  ASSERT_EQ(base.CurrentText(), u"perro"_s);

  RejectNextModalDialog();
  ShowWaveBaseDialogAt(base, env, u"casa"_s, env.OwnWaveDir + u"neu/casa.wav"_s);
  EXPECT_EQ(base.Count(), 2);
  EXPECT_EQ(base.Lookup(u"casa"_s, true), u"XU:\\neu\\casa.wav"_s);
  EXPECT_EQ(base.Lookup(u"perro"_s, true), u"XU:\\perro.wav"_s);

  // A text without an entry gets one; a file outside the own folder keeps its path.
  RejectNextModalDialog();
  ShowWaveBaseDialogAt(base, env, u"gato"_s, program.file(u"anderswo/gato.wav"_s));
  EXPECT_EQ(base.Count(), 3);
  EXPECT_EQ(base.Lookup(u"gato"_s, true), program.file(u"anderswo/gato.wav"_s));
  EXPECT_EQ(base.Lookup(u"casa"_s, true), u"XU:\\neu\\casa.wav"_s);
  EXPECT_EQ(base.Lookup(u"perro"_s, true), u"XU:\\perro.wav"_s);
  EXPECT_TRUE(base.Modified());
  EXPECT_TRUE(messages.messages().isEmpty());
}
