#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "pages/pagefile.h"
#include "sound/txwavebase.h"
#include "sound/wavefile.h"
#include "testsupport.h"
#include "vocabulary/answers.h"

namespace {

QStringList texts(const TXWaveBase& base) {
  QStringList list;
  for (int i = 0; i < base.Count(); ++i) list << base.Entry(i).Text;
  return list;
}

// The raw content of a database file: text NUL reference NUL ..., Windows-1252.
QByteArray pairs(const QList<std::pair<QString, QString>>& entries) {
  QByteArray data;
  for (const auto& [text, reference] : entries)
    data += Cp1252::encode(text) + '\0' + Cp1252::encode(reference) + '\0';
  return data;
}

const QString kLoadError = QStringLiteral("Fehler beim Laden von %1!");

}  // namespace

TEST(SoundWaveBase, LookupFindsTheTextAndFallsBackInOrder) {
  MessageRecorder messages;
  TXWaveBase base;
  base.Add(QStringLiteral("Casa"), QStringLiteral("XS:\\casa.wav"));
  base.Add(QStringLiteral("el coche"), QStringLiteral("XS:\\coche.wav"));
  base.Add(QStringLiteral("perro, el"), QStringLiteral("XS:\\perro_koma.wav"));
  base.Add(QStringLiteral("gato, el"), QStringLiteral("XS:\\gato_koma.wav"));
  base.Add(QStringLiteral("gato (m)"), QStringLiteral("XS:\\gato_m.wav"));
  base.Add(QStringLiteral("gato (animal)"), QStringLiteral("XS:\\gato_animal.wav"));
  base.Add(QStringLiteral("Gato (otro)"), QStringLiteral("XS:\\gato_otro.wav"));

  EXPECT_EQ(base.Lookup(QStringLiteral("casa")), "XS:\\casa.wav");   // letter case ignored
  EXPECT_EQ(base.Lookup(QStringLiteral(" CASA ")), "XS:\\casa.wav");  // so are surrounding blanks
  EXPECT_EQ(base.Lookup(QStringLiteral("(el) coche")), "XS:\\coche.wav");
  // Beginning with the text and " (": the first in list order, letter case counting.
  EXPECT_EQ(base.Lookup(QStringLiteral("gato")), "XS:\\gato_animal.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("Gato")), "XS:\\gato_otro.wav");
  // Only when nothing begins with " (": the text and ", ".
  EXPECT_EQ(base.Lookup(QStringLiteral("perro")), "XS:\\perro_koma.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("Perro")), "");
  EXPECT_EQ(base.Lookup(QStringLiteral("gato"), true), "");
  EXPECT_EQ(base.Lookup(QStringLiteral("perr")), "");
  EXPECT_EQ(base.Lookup(QString()), "");
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundWaveBase, AccentedTextsSortBesideTheirLettersAndStayApart) {
  TXWaveBase base;
  for (const char* t : {"zapato", "árbol (m)", "ábaco", "Año", "anzuelo", "ano", "abaco", "cása (f)", "casa (f)"})
    base.Add(QString::fromUtf8(t), QString::fromUtf8(t) + QStringLiteral(".wav"));
  EXPECT_EQ(texts(base), QStringList({"abaco", "ábaco", "ano", "anzuelo", "Año", "árbol (m)", "casa (f)", "cása (f)",
                                      "zapato"}));
  // An accent makes another text, also for the fall-backs.
  EXPECT_EQ(base.Lookup(QStringLiteral("año")), "Año.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("abaco")), "abaco.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("ábaco")), "ábaco.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("cása")), "cása (f).wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("casa")), "casa (f).wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("arbol")), "");
  EXPECT_EQ(base.Lookup(QStringLiteral("árbol")), "árbol (m).wav");
}

TEST(SoundWaveBase, FindGivesTheMatchOrTheInsertPosition) {
  TXWaveBase base;
  bool found = true;
  EXPECT_EQ(base.Find(QStringLiteral("hola"), &found), 0);
  EXPECT_FALSE(found);

  for (const char* t : {"b", "d", "f"}) base.Add(QString::fromLatin1(t), QStringLiteral("x"));
  EXPECT_EQ(base.Find(QStringLiteral("a"), &found), 0);
  EXPECT_FALSE(found);
  EXPECT_EQ(base.Find(QStringLiteral("g"), &found), 3);
  EXPECT_FALSE(found);
  EXPECT_EQ(base.Find(QStringLiteral("e"), &found), 2);
  EXPECT_FALSE(found);
  EXPECT_EQ(base.Find(QStringLiteral("D"), &found), 1);
  EXPECT_TRUE(found);
  EXPECT_EQ(base.Find(QStringLiteral("f"), &found), 2);
  EXPECT_TRUE(found);
}

TEST(SoundWaveBase, DuplicatesAreIgnoredInsertedOrReplaced) {
  TXWaveBase ignore(TXWaveBase::IgnoreDuplicates);
  TXWaveBase insert(TXWaveBase::InsertDuplicates);
  TXWaveBase replace(TXWaveBase::ReplaceDuplicates);
  for (TXWaveBase* base : {&ignore, &insert, &replace}) {
    base->Add(QStringLiteral("  hola "), QStringLiteral("eins.wav"));
    base->Add(QStringLiteral("Hola"), QStringLiteral("zwei.wav"));
    base->Add(QStringLiteral("adiós"), QStringLiteral("drei.wav"));
  }
  EXPECT_EQ(texts(ignore), QStringList({"adiós", "hola"}));
  EXPECT_EQ(ignore.Lookup(QStringLiteral("hola")), "eins.wav");
  EXPECT_EQ(texts(insert), QStringList({"adiós", "Hola", "hola"}));
  EXPECT_EQ(texts(replace), QStringList({"adiós", "hola"}));
  EXPECT_EQ(replace.Lookup(QStringLiteral("HOLA")), "zwei.wav");
  EXPECT_TRUE(ignore.Modified());
}

TEST(SoundWaveBase, LoadMergesFilesByTheDuplicatesMode) {
  MessageRecorder messages;
  TestTree dir;
  const QString first = dir.write(QStringLiteral("eins.zvk"),
                                  ZStream::compress(pairs({{"hola", "XS:\\a\\hola.wav"}, {"sí", "XS:\\a\\si.wav"}})));
  const QString second = dir.write(
      QStringLiteral("zwei.zvk"),
      ZStream::compress(pairs({{"zorro", "XS:\\b\\zorro.wav"}, {"Hola", "XS:\\b\\hola.wav"}, {" adiós ", "XS:\\b\\adios.wav"}})));

  TXWaveBase base;
  int notified = 0;
  base.OnChange = [&] { ++notified; };
  EXPECT_TRUE(base.Load(first));
  EXPECT_EQ(base.FileName(), first);
  EXPECT_FALSE(base.Modified());
  EXPECT_GE(notified, 1);
  const QByteArray once = base.Serialize();
  EXPECT_TRUE(base.Load(first));  // the same file again changes nothing
  EXPECT_EQ(base.Serialize(), once);

  EXPECT_TRUE(base.Load(second));
  EXPECT_EQ(base.FileName(), first);  // only the first load names the file
  EXPECT_FALSE(base.Modified());
  EXPECT_EQ(texts(base), QStringList({"adiós", "hola", "sí", "zorro"}));
  EXPECT_EQ(base.Lookup(QStringLiteral("hola")), "XS:\\a\\hola.wav");

  TXWaveBase replacing(TXWaveBase::ReplaceDuplicates);
  replacing.Load(first);
  replacing.Load(second);
  EXPECT_EQ(replacing.Lookup(QStringLiteral("hola")), "XS:\\b\\hola.wav");
  EXPECT_EQ(replacing.Count(), 4);

  TXWaveBase inserting(TXWaveBase::InsertDuplicates);
  inserting.Load(first);
  inserting.Load(first);
  EXPECT_EQ(inserting.Count(), 4);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundWaveBase, DamagedAndForeignFilesAreReportedAndKeepWhatWasRead) {
  MessageRecorder messages;
  TestTree dir;
  QList<std::pair<QString, QString>> many;
  for (int i = 0; i < 3000; ++i)
    many.append({QStringLiteral("palabra %1").arg(i, 5, 10, QLatin1Char('0')),
                 QStringLiteral("XS:\\lista\\palabra_%1_%2.wav").arg(i).arg(i * 7919 % 10007)});
  const QByteArray stream = ZStream::compress(pairs(many));
  const QString cut = dir.write(QStringLiteral("halb.zvk"), stream.left(stream.size() / 2));
  const QString text = dir.write(QStringLiteral("fremd.zvk"), "hola=hola.wav\r\nadios=adios.wav\r\n");
  const QString page = dir.write(QStringLiteral("seite.zvk"), PageFile::pack("<p>Hola</p>").bytes);
  const QString control = dir.write(QStringLiteral("steuer.zvk"), ZStream::compress(pairs({{"uno", "u.wav"}}) + QByteArrayLiteral("a\r\nb\0c\0"), 1));
  const QString empty = dir.write(QStringLiteral("leer.zvk"));

  TXWaveBase base;
  base.Add(QStringLiteral("ya"), QStringLiteral("ya.wav"));
  EXPECT_FALSE(base.Load(cut));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text, kLoadError.arg(cut));
  // The pairs before the damage are there, each with its own reference; what was there stays.
  EXPECT_GT(base.Count(), 100);
  EXPECT_LT(base.Count(), 3001);
  EXPECT_EQ(base.Lookup(QStringLiteral("ya")), "ya.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("palabra 00050")), "XS:\\lista\\palabra_50_" + QString::number(50 * 7919 % 10007) + ".wav");
  // The damaged file does not become the database's file.
  EXPECT_TRUE(base.FileName().isEmpty());

  for (const QString& path : {text, page, empty, dir.file(QStringLiteral("fehlt.zvk"))}) {
    messages.clear();
    TXWaveBase other;
    other.Add(QStringLiteral("ya"), QStringLiteral("ya.wav"));
    EXPECT_FALSE(other.Load(path)) << qPrintable(path);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].text, kLoadError.arg(path));
    EXPECT_EQ(texts(other), QStringList({"ya"}));
  }

  // Texts with line breaks are no recording database: the pairs before them stay.
  messages.clear();
  TXWaveBase withControl;
  EXPECT_FALSE(withControl.Load(control));
  EXPECT_EQ(texts(withControl), QStringList({"uno"}));
  EXPECT_EQ(messages.messages().size(), 1);
}

TEST(SoundWaveBase, SavedFileHasTheFormatAndReadsBackByteForByte) {
  MessageRecorder messages;
  TestTree dir;
  TXWaveBase base;
  base.Add(QStringLiteral("¿Qué tal?"), QStringLiteral("XS:\\LA\\que_tal.wav"));
  base.Add(QStringLiteral("año"), QStringLiteral("XU:\\año.wav"));
  base.Add(QStringLiteral("Straße"), QStringLiteral("C:\\Aufnahmen\\strasse.mp3"));
  const QString path = dir.file(QStringLiteral("S_wx.zvk"));
  ASSERT_TRUE(base.Save(path));
  EXPECT_FALSE(base.Modified());

  const QByteArray bytes = dir.read(QStringLiteral("S_wx.zvk"));
  EXPECT_EQ(bytes.left(2), QByteArray("\x78\x01"));  // zlib stream, level 1
  const auto content = ZStream::decompress(bytes);
  ASSERT_TRUE(content.has_value());
  // In list order: "año", "¿Qué tal?" (among the q), "Straße".
  EXPECT_EQ(*content, QByteArrayLiteral("a\xF1o\0XU:\\a\xF1o.wav\0\xBFQu\xE9 tal?\0XS:\\LA\\que_tal.wav\0"
                                        "Stra\xDF" "e\0C:\\Aufnahmen\\strasse.mp3\0"));

  TXWaveBase again;
  ASSERT_TRUE(again.Load(path));
  ASSERT_TRUE(again.Save(dir.file(QStringLiteral("zwei.zvk"))));
  EXPECT_EQ(dir.read(QStringLiteral("zwei.zvk")), bytes);

  // An empty database is an empty stream.
  TXWaveBase empty;
  ASSERT_TRUE(empty.Save(dir.file(QStringLiteral("leer.zvk"))));
  EXPECT_EQ(ZStream::decompress(dir.read(QStringLiteral("leer.zvk"))), QByteArray());
  EXPECT_TRUE(empty.Load(dir.file(QStringLiteral("leer.zvk"))));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundWaveBase, SaveMakesAWriteProtectedFileWritableAndFailsWithoutADirectory) {
  TestTree dir;
  TXWaveBase base;
  base.Add(QStringLiteral("hola"), QStringLiteral("hola.wav"));
  const QString path = dir.write(QStringLiteral("S_wx.zvk"), "alt");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
  ASSERT_TRUE(base.Save(path));
  EXPECT_EQ(dir.read(QStringLiteral("S_wx.zvk")), base.Serialize());
  EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);

  base.Add(QStringLiteral("adiós"), QStringLiteral("adios.wav"));
  EXPECT_FALSE(base.Save(dir.file(QStringLiteral("fehlt/S_wx.zvk"))));
  EXPECT_TRUE(base.Modified());
  // CreateEmpty writes to the file name.
  base.SetFileName(dir.file(QStringLiteral("neu.zvk")));
  EXPECT_TRUE(base.CreateEmpty());
  EXPECT_FALSE(base.Modified());
  EXPECT_EQ(dir.read(QStringLiteral("neu.zvk")), base.Serialize());
}

TEST(SoundWaveBase, AnEmptyDatabaseAndTheLastDeletionKeepIndexZero) {
  MessageRecorder messages;
  TXWaveBase base;
  base.First();
  base.Last();
  base.Next();
  base.Previous();
  base.DeleteCurrent();
  base.SearchPosition(QStringLiteral("hola"));
  base.SetCurrentText(QStringLiteral("hola"));
  base.SetCurrentReference(QStringLiteral("hola.wav"));
  EXPECT_EQ(base.CurrentIndex(), 0);
  EXPECT_EQ(base.Count(), 0);
  EXPECT_EQ(base.CurrentText(), "");
  EXPECT_FALSE(base.CurrentComplete());
  EXPECT_TRUE(messages.messages().isEmpty());  // nothing to complete: no warning

  base.Add(QStringLiteral("a"), QStringLiteral("a.wav"));
  base.Add(QStringLiteral("b"), QStringLiteral("b.wav"));
  base.Last();
  base.DeleteCurrent();
  EXPECT_EQ(base.CurrentIndex(), 0);
  EXPECT_EQ(base.CurrentText(), "a");
  base.DeleteCurrent();
  EXPECT_EQ(base.CurrentIndex(), 0);
  EXPECT_EQ(base.Count(), 0);
  base.InsertEmpty();  // adding works on the empty database
  EXPECT_EQ(base.Count(), 1);
  EXPECT_EQ(base.CurrentReference(), ".wav");
}

TEST(SoundWaveBase, CursorMovesWithinBoundsAndSearchPositionTakesTheFirstNotLess) {
  MessageRecorder messages;
  TXWaveBase base;
  for (const char* t : {"bueno", "casa", "hola", "zorro"}) base.Add(QString::fromLatin1(t), QStringLiteral("x.wav"));
  base.Previous();
  EXPECT_EQ(base.CurrentIndex(), 0);
  base.Last();
  base.Next();
  EXPECT_EQ(base.CurrentIndex(), 3);
  base.SearchPosition(QStringLiteral("CA"));
  EXPECT_EQ(base.CurrentText(), "casa");
  base.SearchPosition(QStringLiteral("d"));
  EXPECT_EQ(base.CurrentText(), "hola");
  base.SearchPosition(QStringLiteral("zz"));
  EXPECT_EQ(base.CurrentText(), "zorro");
  base.SearchPosition(QString());
  EXPECT_EQ(base.CurrentIndex(), 0);

  base.SetCurrentReference(QString());
  EXPECT_FALSE(base.CurrentComplete());
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages.messages()[0].text, "Der aktuelle Eintrag ist nicht vollständig!");
}

TEST(SoundWaveBase, EditedAndNewEntriesKeepEveryEntryFindable) {
  TXWaveBase base;
  for (const char* t : {"a", "c", "e", "g", "i", "k", "m"}) base.Add(QString::fromLatin1(t), QString::fromLatin1(t));
  base.SearchPosition(QStringLiteral("i"));
  // A new entry in the middle of the list would hide the entries after it from the search.
  base.InsertEmpty();
  EXPECT_EQ(base.CurrentText(), "");
  for (const char* t : {"a", "c", "e", "g", "i", "k", "m"}) EXPECT_EQ(base.Lookup(QString::fromLatin1(t)), t);

  // Typing its text moves it to its place; it stays the current entry.
  base.SetCurrentText(QStringLiteral("h"));
  EXPECT_EQ(base.CurrentIndex(), 4);
  base.SetCurrentText(QStringLiteral("ho"));
  base.SetCurrentReference(QStringLiteral("ho.wav"));
  EXPECT_EQ(base.CurrentText(), "ho");
  EXPECT_EQ(base.Lookup(QStringLiteral("ho")), "ho.wav");

  // Renaming the first entry to a late text moves it to the end.
  base.First();
  base.SetCurrentText(QStringLiteral("zz"));
  EXPECT_EQ(base.CurrentIndex(), base.Count() - 1);
  EXPECT_EQ(texts(base), QStringList({"c", "e", "g", "ho", "i", "k", "m", "zz"}));
  for (const char* t : {"c", "e", "g", "i", "k", "m", "zz"}) EXPECT_FALSE(base.Lookup(QString::fromLatin1(t)).isEmpty()) << t;
  EXPECT_EQ(base.Lookup(QStringLiteral("a")), "");
}

TEST(SoundWaveBase, ReferencesBelowTheOwnDirectoryBecomeAliases) {
  TestTree program;
  SettingsStore store(program.file(QStringLiteral("s.conf")));
  Environment env(program.path(), store);
  const QString own = program.mkdir(QStringLiteral("Meine Aufnahmen"));
  program.write(QStringLiteral("Meine Aufnahmen/unter/adiós.wav"), "RIFF");

  TXWaveBase base;
  base.Add(QStringLiteral("hola"), own + QStringLiteral("hola.wav"));
  base.Add(QStringLiteral("adiós"), program.path().toUpper() + QStringLiteral("MEINE AUFNAHMEN/unter/adiós.wav"));
  base.Add(QStringLiteral("sí"), QStringLiteral("XS:\\si.wav"));
  EXPECT_TRUE(base.HasReferencesBelow(own));
  EXPECT_FALSE(base.HasReferencesBelow(program.file(QStringLiteral("Andere/"))));
  EXPECT_EQ(base.ReplaceDirByAlias(own), 2);
  EXPECT_EQ(base.Lookup(QStringLiteral("hola")), "XU:\\hola.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("adiós")), "XU:\\unter\\adiós.wav");
  EXPECT_EQ(base.Lookup(QStringLiteral("sí")), "XS:\\si.wav");
  EXPECT_FALSE(base.HasReferencesBelow(own));

  env.OwnWaveDir = own;
  EXPECT_EQ(env.ResolveAlias(base.Lookup(QStringLiteral("adiós"))).path, own + QStringLiteral("unter/adiós.wav"));
}

TEST(SoundWaveBase, AskAndSaveOffersAnotherPlaceAndRemembersIt) {
  MessageRecorder messages;
  TestTree dir;
  SettingsStore store(dir.file(QStringLiteral("s.conf")));
  Environment env(dir.path(), store);
  TXWaveBase base;
  base.SetFileName(dir.file(QStringLiteral("fehlt/S_wx.zvk")));
  base.Add(QStringLiteral("hola"), QStringLiteral("hola.wav"));

  base.AskAndSave(true);  // write-protected: not even asked
  EXPECT_TRUE(messages.messages().isEmpty());

  QString proposed;
  base.AskAndSave(false, [&](const QString& name) {
    proposed = name;
    return dir.file(QStringLiteral("anders"));
  });
  ASSERT_EQ(messages.messages().size(), 3);
  EXPECT_EQ(messages.messages()[0].text,
            "Die Datenbank für die Sprachaufnahmen wurde verändert.\nSollen diese Veränderungen gespeichert werden?");
  EXPECT_EQ(messages.messages()[1].text,
            "Die Datenbank für die Sprachaufnahmen konnte nicht gespeichert werden. \nSoll sie an einem anderen Ort "
            "gespeichert werden?\n\nAchtung: Bei Nein gehen alle Veränderungen verloren.");
  EXPECT_EQ(messages.messages()[2].text, "Die Datenbank für die Sprachaufnahmen wurde erfolgreich gespeichert.");
  EXPECT_EQ(proposed, "S_wx.zvk");
  EXPECT_EQ(base.FileName(), dir.file(QStringLiteral("anders.zvk")));
  EXPECT_EQ(base.SavedAsName(), dir.file(QStringLiteral("anders.zvk")));
  EXPECT_EQ(dir.read(QStringLiteral("anders.zvk")), base.Serialize());
  base.StoreSavedAsName(env);
  EXPECT_EQ(store.readString(Environment::kDirectoriesKey, QStringLiteral("Datenbank3")),
            dir.file(QStringLiteral("anders.zvk")));

  // Unchanged: nothing is asked. Answering No keeps the file as it is.
  messages.clear();
  base.AskAndSave(false);
  EXPECT_TRUE(messages.messages().isEmpty());
  base.Add(QStringLiteral("adiós"), QStringLiteral("adios.wav"));
  messages.queueAnswer(MessageAnswer::No);
  const QByteArray before = dir.read(QStringLiteral("anders.zvk"));
  base.AskAndSave(false);
  EXPECT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(dir.read(QStringLiteral("anders.zvk")), before);
}

TEST(SoundWaveBase, RecordingFileNamesArePlainAscii) {
  EXPECT_EQ(TXWaveBase::RecordingFileName(QStringLiteral("¿Qué tal?")), "que_tal");
  EXPECT_EQ(TXWaveBase::RecordingFileName(QStringLiteral("Año nuevo (m)")), "ano_nuevo_m");
  EXPECT_EQ(TXWaveBase::RecordingFileName(QStringLiteral("Straße")), "strasse");
  EXPECT_EQ(TXWaveBase::RecordingFileName(QStringLiteral("¡!")), "aufnahme");
  EXPECT_EQ(TXWaveBase::RecordingFileName(QString(60, QLatin1Char('a'))).size(), 40);
}

TEST(SoundWaveBase, FindRecordingResolvesAndDrawsAmongTheMeanings) {
  MessageRecorder messages;
  TestTree program;
  SettingsStore store(program.file(QStringLiteral("s.conf")));
  Environment env(program.path(), store);
  env.WaveDir = program.mkdir(QStringLiteral("wave"));
  const QString casa = program.write(QStringLiteral("wave/casa.wav"), "RIFF");
  const QString hogar = program.write(QStringLiteral("wave/hogar.wav"), "RIFF");
  TXWaveBase main;
  TXWaveBase secondary;
  main.Add(QStringLiteral("casa (f)"), QStringLiteral("XS:\\casa.wav"));
  main.Add(QStringLiteral("edificio"), QStringLiteral("XS:\\fehlt.wav"));
  secondary.Add(QStringLiteral("hogar"), QStringLiteral("XS:\\hogar.wav"));
  const RecordingDatabases bases{&main, &secondary};

  EXPECT_EQ(FindRecording(QStringLiteral("casa (f)"), bases, env), casa);
  EXPECT_EQ(FindRecording(QStringLiteral("casa"), bases, env), casa);
  EXPECT_EQ(FindRecording(QStringLiteral("[Haus] casa"), bases, env), casa);  // without its explanation
  EXPECT_EQ(FindRecording(QStringLiteral("hogar"), bases, env), hogar);        // from the secondary database
  EXPECT_EQ(FindRecording(QStringLiteral("edificio"), bases, env), "");        // its file is missing
  EXPECT_EQ(FindRecording(QStringLiteral("perro"), bases, env), "");

  // Several meanings: one of those with a playable recording, at random.
  QSet<QString> drawn;
  for (int i = 0; i < 200; ++i)
    drawn.insert(FindRecording(QStringLiteral("[Gebäude] casa (f); hogar; perro"), bases, env));
  EXPECT_EQ(drawn, QSet<QString>({casa, hogar}));
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(FindRecording(QStringLiteral("edificio (m); perro; casa (f)"), bases, env), casa);
  EXPECT_EQ(FindRecording(QStringLiteral("perro; gato"), bases, env), "");

  // As the pages' lookup: the text becomes a link to its recording.
  const RecordingLookup lookup = MakeRecordingLookup(bases, env);
  EXPECT_EQ(SoundLink(QStringLiteral("hogar"), lookup), "<a href=\"" + hogar + "\" >hogar</a>");
  EXPECT_EQ(SoundLink(QStringLiteral("perro"), lookup), "perro");
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(SoundWaveBase, ADatabaseOfMillionsOfEmptyPairsIsDamagedAndLoadsNothing) {
  MessageRecorder messages;
  TestTree dir;
  // 50 MB of empty pairs in some 50 KB.
  const QByteArray stream = ZStream::compress(QByteArray(50 * 1024 * 1024, '\0'), 9);
  const QString path = dir.write(QStringLiteral("bombe.zvk"), stream);
  TXWaveBase base;
  EXPECT_FALSE(base.Load(path));
  EXPECT_EQ(base.Count(), 0);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(dir.read(QStringLiteral("bombe.zvk")), stream);
}

TEST(SoundWaveBase, AFullDiskFailsTheSaveAndKeepsTheOldDatabase) {
  TestTree dir;
  TXWaveBase base;
  for (int i = 0; i < 2000; ++i)
    base.Add(QStringLiteral("palabra %1 %2").arg(i).arg(i * 7919 % 10007), QStringLiteral("XS:\\w\\%1.wav").arg(i * 31));
  const QString path = dir.file(QStringLiteral("S_wx.zvk"));
  ASSERT_TRUE(base.Save(path));
  const QByteArray before = dir.read(QStringLiteral("S_wx.zvk"));
  base.Add(QStringLiteral("nueva"), QStringLiteral("nueva.wav"));
  {
    ScopedFileSizeLimit full(before.size() / 2);
    EXPECT_FALSE(base.Save(path));
    EXPECT_FALSE(WriteWaveFile(dir.file(QStringLiteral("neu.wav")), WaveFormat{}, QByteArray(before.size(), 'x')));
  }
  EXPECT_EQ(dir.read(QStringLiteral("S_wx.zvk")), before);
  EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("neu.wav"))));
}
