// The two file forms of a dictionary direction, loading and saving them.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "dictionary/dictionaryfile.h"
#include "dictionarytestsupport.h"
#include "testsupport.h"

namespace {

QByteArray compressedBytes(const QByteArray& plain) { return ZStream::compress(plain, 1); }

}  // namespace

TEST(DictionaryFile, BothFormsRoundTripByteForByte) {
  TestTree tree;
  // The compressed form as the programs write it: word NUL class digit NUL meaning NUL, level 1.
  const QByteArray plain = Cp1252::encode(QStringLiteral("año (m)")) + QByteArray("\0" "1\0", 3) +
                           Cp1252::encode(QStringLiteral("Jahr")) + QByteArray("\0", 1) + "hablar" +
                           QByteArray("\0" "2\0", 3) + "sprechen; reden" + QByteArray("\0", 1);
  const QString zvk = tree.write(QStringLiteral("s_d.zvk"), compressedBytes(plain));
  const QString text = tree.write(QStringLiteral("d_s.txt"),
                                  Cp1252::encode(QStringLiteral("Jahr\r\n1\r\naño (m)\r\nsprechen\r\n2\r\nhablar\r\n")));
  for (const QString& path : {zvk, text}) {
    SCOPED_TRACE(path.toStdString());
    TXDatabase db;
    ASSERT_TRUE(db.LoadDictionary(path));
    EXPECT_EQ(db.EntryCount(), 2);
    EXPECT_FALSE(db.Modified(0));
    const QString copy = path + QStringLiteral(".kopie.") + QFileInfo(path).suffix();
    ASSERT_TRUE(db.SaveDictionary(copy));
    EXPECT_EQ(tree.read(QFileInfo(copy).fileName()), tree.read(QFileInfo(path).fileName()));
  }
  TXDatabase db;
  db.LoadDictionary(zvk);
  EXPECT_EQ(db.EntryWord(0), QStringLiteral("año (m)"));
  EXPECT_EQ(db.EntryMeaning(1), QStringLiteral("sprechen; reden"));
  EXPECT_EQ(db.EntryClass(1), 2);
}

TEST(DictionaryFile, ClassesOutsideOneToEightBecomeOneAndFieldsAreTrimmed) {
  TestTree tree;
  const QString path = tree.write(QStringLiteral("w.txt"), "  casa \r\n9\r\n Haus \r\nperro\r\nx\r\nHund\r\nir\r\n0\r\ngehen\r\n"
                                                            "ser\r\n264\r\nsein\r\nser\r\n8\r\nsein\r\n");
  TXDatabase db;
  ASSERT_TRUE(db.LoadDictionary(path));
  ASSERT_EQ(db.EntryCount(), 5);
  EXPECT_EQ(db.EntryWord(0), QStringLiteral("casa"));
  EXPECT_EQ(db.EntryMeaning(0), QStringLiteral("Haus"));
  EXPECT_EQ(db.EntryClass(0), 1);
  EXPECT_EQ(db.EntryClass(1), 1);
  EXPECT_EQ(db.EntryClass(2), 1);
  EXPECT_EQ(db.EntryClass(3), 8);  // taken as one byte: 264 = 256 + 8
  EXPECT_EQ(db.EntryClass(4), 8);
}

TEST(DictionaryFile, AnEmptyStreamHoldsTheEntryLeer) {
  TestTree tree;
  for (const QByteArray& bytes : {compressedBytes(QByteArray()), QByteArray()}) {
    TXDatabase db;
    ASSERT_TRUE(db.LoadDictionary(tree.write(QStringLiteral("leer.zvk"), bytes)));
    ASSERT_EQ(db.EntryCount(), 1);
    EXPECT_EQ(db.EntryWord(0), QStringLiteral("_leer"));
    EXPECT_EQ(db.EntryMeaning(0), QStringLiteral("leer"));
    EXPECT_EQ(db.EntryClass(0), 1);
  }
}

TEST(DictionaryFile, TheContentDecidesTheFormNotTheCaseOfTheName) {
  TestTree tree;
  TXDatabase plainUpper, packedText;
  ASSERT_TRUE(plainUpper.LoadDictionary(tree.write(QStringLiteral("A.ZVK"), "casa\r\n1\r\nHaus\r\n")));
  EXPECT_EQ(Words(plainUpper), QStringList{QStringLiteral("casa")});
  ASSERT_TRUE(packedText.LoadDictionary(
      tree.write(QStringLiteral("b.txt"), compressedBytes(QByteArray("perro\0" "1\0Hund\0", 13)))));
  EXPECT_EQ(Words(packedText), QStringList{QStringLiteral("perro")});
  EXPECT_TRUE(DictionaryFile::IsCompressedName(QStringLiteral("x/S_D.XTM")));
  EXPECT_FALSE(DictionaryFile::IsCompressedName(QStringLiteral("x.zvk/liste.txt")));
}

TEST(DictionaryFile, SavingChoosesTheFormByTheNameAndReplacesTheFileWhole) {
  TestTree tree;
  TXDatabase db;
  Fill(db, {QStringLiteral("casa|1|Haus")});
  ASSERT_TRUE(db.SaveDictionary(tree.file(QStringLiteral("w.txt"))));
  EXPECT_EQ(tree.read(QStringLiteral("w.txt")), QByteArray("casa\r\n1\r\nHaus\r\n"));
  ASSERT_TRUE(db.SaveDictionary(tree.file(QStringLiteral("w.ZVK"))));
  EXPECT_EQ(ZStream::decompress(tree.read(QStringLiteral("w.ZVK"))), QByteArray("casa\0" "1\0Haus\0", 12));
  EXPECT_FALSE(db.Modified(0));

  // A read-only file is replaced; a missing directory fails and writes nothing.
  const QString locked = tree.write(QStringLiteral("alt.zvk"), "alt");
  QFile::setPermissions(locked, QFileDevice::ReadOwner);
  EXPECT_TRUE(db.SaveDictionary(locked));
  EXPECT_TRUE(QFileInfo(locked).isWritable());
  db.SetEntryMeaning(0, QStringLiteral("Haus; Zuhause"));
  EXPECT_FALSE(db.SaveDictionary(tree.file(QStringLiteral("fehlt/w.zvk"))));
  EXPECT_TRUE(db.Modified(0));

  // A full disk leaves the old file as it was.
  const QByteArray before = tree.read(QStringLiteral("w.txt"));
  for (int i = 0; i < 2000; ++i) db.AddEntry(QStringLiteral("palabra%1").arg(i), QStringLiteral("1"), QStringLiteral("Wort"));
  {
    ScopedFileSizeLimit limit(64);
    EXPECT_FALSE(db.SaveDictionary(tree.file(QStringLiteral("w.txt"))));
  }
  EXPECT_EQ(tree.read(QStringLiteral("w.txt")), before);
}

TEST(DictionaryFile, ADamagedFileIsReportedAndNeverWrittenOver) {
  TestTree tree;
  QByteArray broken = compressedBytes(QByteArray("casa\0" "1\0Haus\0perro\0" "1\0Hund\0", 24));
  broken.chop(6);
  const QString damaged = tree.write(QStringLiteral("s_d.zvk"), broken);
  const QString good = tree.write(QStringLiteral("d_s.txt"), "Haus\r\n1\r\ncasa (f)\r\n");
  MessageRecorder messages;
  TXDatabase db;
  db.LoadBoth(damaged, good);
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Fehler beim Laden des Wörterbuchs!"));
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_TRUE(db.FileName(0).isEmpty()) << "a save must not write the damaged part over the file";
  EXPECT_EQ(db.FileName(1), good);
  EXPECT_EQ(Words(db), QStringList{QStringLiteral("casa")}) << "what was read before the damage stays";
  db.SetDirection(true);
  EXPECT_EQ(Words(db), QStringList{QStringLiteral("Haus")});

  // Binary bytes under a compressed name are no text either; a missing file is reported too.
  TXDatabase other;
  EXPECT_FALSE(other.LoadDictionary(tree.write(QStringLiteral("x.zvk"), QByteArray("\x01\x02\x00\x03", 4))));
  EXPECT_FALSE(other.LoadDictionary(tree.file(QStringLiteral("fehlt.zvk"))));
  EXPECT_EQ(messages.messages().size(), 3);
  EXPECT_EQ(other.EntryCount(), 0);
}
