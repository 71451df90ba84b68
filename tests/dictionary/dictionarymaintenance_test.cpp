// The editor's care of the dictionary: meaning checks, merging, import, saving.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <deque>

#include "common/messagerecorder.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionarytestsupport.h"
#include "testsupport.h"

using namespace DictionaryMaintenance;

namespace {

// File dialogs that answer with prepared names and remember what they were asked.
class PreparedDialogs : public DictionaryFileDialogs {
 public:
  std::deque<QString> answers;
  QStringList titles, proposals;
  QString OpenFile(const QString& title, const QString&) override { return next(title, QString()); }
  QString SaveFile(const QString& title, const QString& proposal, const QString&) override {
    return next(title, proposal);
  }

 private:
  QString next(const QString& title, const QString& proposal) {
    titles << title;
    proposals << proposal;
    if (answers.empty()) return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
  }
};

QStringList texts(const MessageRecorder& r) {
  QStringList list;
  for (const Message& m : r.messages()) list << m.text;
  return list;
}

}  // namespace

TEST(DictionaryMaintenance, MeaningFaultsInTheOrderOfTheChecks) {
  const QString bracket = QStringLiteral("Defekte eckige Klammer in der Bedeutung entdeckt!");
  const QString comma = QStringLiteral("Verdächtiges Komma in der Bedeutung entdeckt!");
  const QString semicolon = QStringLiteral("Ein Leerzeichen fehlt nach einem Semikolon!");
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus; Zuhause [Heim, Wohnung]")), std::nullopt);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus;")), std::nullopt) << "a last semicolon needs no blank";
  EXPECT_EQ(MeaningFault(QStringLiteral("[a] b [c]")), std::nullopt);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus [Gebäude")), bracket);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus] Gebäude")), bracket);
  EXPECT_EQ(MeaningFault(QStringLiteral("[a [b] c]")), bracket);
  EXPECT_EQ(MeaningFault(QStringLiteral("[a] b] [c")), bracket);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus, Gebäude")), comma);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus, [Gebäude")), bracket) << "brackets are checked first";
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus;Gebäude")), semicolon);
  EXPECT_EQ(MeaningFault(QStringLiteral("Haus ; Gebäude")), semicolon);
}

TEST(DictionaryMaintenance, CheckMeaningsStopsAtTheFirstFaultFromTheCurrentEntryOn) {
  TXDatabase db;
  Fill(db, {QStringLiteral("a|1|eins, zwei"), QStringLiteral("b|1|gut"), QStringLiteral("c|1|drei;vier"),
            QStringLiteral("d|1|gut")});
  MessageRecorder messages;
  db.SetCurrentIndex(1);
  CheckMeanings(db);
  EXPECT_EQ(db.CurrentIndex(), 2);
  EXPECT_EQ(texts(messages), QStringList{QStringLiteral("Ein Leerzeichen fehlt nach einem Semikolon!")});
  db.SetCurrentIndex(3);
  CheckMeanings(db);
  EXPECT_EQ(db.CurrentIndex(), 3);
  EXPECT_EQ(messages.messages().size(), 1);
}

TEST(DictionaryMaintenance, RemoveDuplicatesKeepsTheEntryWithMoreMeanings) {
  MessageRecorder messages;
  TXDatabase db;
  Fill(db, {QStringLiteral("banco|1|Bank; Sitzbank [zum Sitzen]"), QStringLiteral("banco|1|Sitzbank"),
            QStringLiteral("casa|1|Haus"), QStringLiteral("casa|1|Haus; Heim"), QStringLiteral("casa|1|Haus"),
            QStringLiteral("perro|1|Hund")});
  EXPECT_EQ(RemoveDuplicates(db), 3);
  EXPECT_EQ(Words(db), (QStringList{QStringLiteral("banco"), QStringLiteral("casa"), QStringLiteral("perro")}));
  EXPECT_EQ(db.EntryMeaning(0), QStringLiteral("Bank; Sitzbank [zum Sitzen]"));
  EXPECT_EQ(db.EntryMeaning(1), QStringLiteral("Haus; Heim"));
  EXPECT_EQ(texts(messages), QStringList{QStringLiteral("3 Einträge wurden automatisch entfernt.")});
}

TEST(DictionaryMaintenance, RemoveDuplicatesStopsWhereAPersonMustDecide) {
  MessageRecorder messages;
  TXDatabase classes;
  Fill(classes, {QStringLiteral("alto|3|hoch"), QStringLiteral("alto|7|hoch"), QStringLiteral("x|1|y")});
  EXPECT_EQ(RemoveDuplicates(classes), 0);
  EXPECT_EQ(classes.CurrentIndex(), 1);
  EXPECT_EQ(texts(messages), (QStringList{QStringLiteral("Möglicher Fehler bei den Wortarten entdeckt."),
                                          QStringLiteral("0 Einträge wurden automatisch entfernt.")}));
  messages.clear();
  TXDatabase meanings;
  Fill(meanings, {QStringLiteral("a|1|x"), QStringLiteral("banco|1|Bank"), QStringLiteral("banco|1|Sitz"),
                  QStringLiteral("c|1|x"), QStringLiteral("c|1|x")});
  EXPECT_EQ(RemoveDuplicates(meanings), 0) << "the scan stops before the later pair";
  EXPECT_EQ(meanings.CurrentIndex(), 2);
  EXPECT_EQ(meanings.EntryCount(), 5);
}

TEST(DictionaryMaintenance, ImportReadsTheFourFilesOfOneBaseName) {
  EXPECT_EQ(ImportBaseName(QStringLiteral("/daten/v1.0/wb1a.txt")), QStringLiteral("/daten/v1.0/wb"));
  EXPECT_EQ(ImportBaseName(QStringLiteral("/daten/wb2b.alt.txt")), QStringLiteral("/daten/wb"));

  TestTree tree;
  tree.write(QStringLiteral("v1.0/wb1a.txt"), "1\tcasa\r\n2\thablar\r\n3\tgrande\r\n");
  tree.write(QStringLiteral("v1.0/wb1b.txt"), "Haus\r\nsprechen\r\n");
  tree.write(QStringLiteral("v1.0/wb2a.txt"), "1\tHaus\r\nkaputt\r\n1\tHund\r\n");
  tree.write(QStringLiteral("v1.0/wb2b.txt"), "casa (f)\r\nroto\r\nperro (m)\r\n");
  TXDatabase db;
  Fill(db, {QStringLiteral("alt|1|alt")});
  PreparedDialogs dialogs;
  dialogs.answers = {tree.file(QStringLiteral("v1.0/wb2b.txt"))};
  MessageRecorder messages;
  ASSERT_TRUE(ImportTextPairs(db, dialogs));
  EXPECT_EQ(texts(messages), (QStringList{QStringLiteral("Importieren des Wörterbuchs löscht das aktuelle!"),
                                          QStringLiteral("Fehler beim Import"),
                                          QStringLiteral("Dateien wurden importiert.")}));
  EXPECT_EQ(messages.messages()[1].buttons, MessageButtons::OkCancel) << "the second pair's error";
  db.SetDirection(false);
  EXPECT_EQ(Words(db), (QStringList{QStringLiteral("casa"), QStringLiteral("hablar")}));
  EXPECT_EQ(db.EntryClass(1), 2);
  db.SetDirection(true);
  EXPECT_EQ(Words(db), QStringList{QStringLiteral("Haus")}) << "a line without its tabulator stops the pair";

  // A missing file of the four, or a cancelled question, changes nothing.
  tree.write(QStringLiteral("x1a.txt"), "1\ta\r\n");
  dialogs.answers = {tree.file(QStringLiteral("x1a.txt"))};
  messages.clear();
  EXPECT_FALSE(ImportTextPairs(db, dialogs));
  EXPECT_EQ(texts(messages), QStringList{QStringLiteral("Zu importierende Dateien wurden nicht gefunden!")});
  dialogs.answers = {tree.file(QStringLiteral("v1.0/wb1a.txt"))};
  messages.queueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(ImportTextPairs(db, dialogs));
  EXPECT_EQ(Words(db), QStringList{QStringLiteral("Haus")});
}

TEST(DictionaryMaintenance, SavingAsksOnceAndOffersAnotherPlaceWhenTheFileFails) {
  TestTree tree;
  const QString spanish = tree.write(QStringLiteral("s_d.zvk"));
  TXDatabase db;
  db.LoadDictionary(tree.write(QStringLiteral("s_d.txt"), "casa\r\n1\r\nHaus\r\n"));
  db.SetFileName(0, spanish);
  db.SetFileName(1, tree.file(QStringLiteral("fehlt/d_s.zvk")));
  db.SetEntryMeaning(0, QStringLiteral("Haus; Heim"));
  db.SetDirection(true);
  db.AddEntry(QStringLiteral("Haus"), QStringLiteral("1"), QStringLiteral("casa (f)"));

  PreparedDialogs dialogs;
  dialogs.answers = {QString(), tree.file(QStringLiteral("neu"))};
  MessageRecorder messages;
  // Unanswered questions are answered Yes: save, and look for another place twice
  // (the first dialog is cancelled, so the same place fails again).
  AskAndSaveDictionaries(db, false, dialogs);
  const QString failed = QStringLiteral("Das Wörterbuch Deutsch-Spanisch konnte nicht gespeichert werden. \n"
                                        "Soll es an einem anderen Ort gespeichert werden?\n\n"
                                        "Achtung: Bei Nein gehen alle Veränderungen verloren.");
  EXPECT_EQ(texts(messages),
            (QStringList{QStringLiteral("Das Wörterbuch wurde verändert. Sollen diese Veränderungen gespeichert werden?"),
                         QStringLiteral("Das Wörterbuch Spanisch-Deutsch wurde erfolgreich gespeichert."), failed, failed,
                         QStringLiteral("Das Wörterbuch Deutsch-Spanisch wurde erfolgreich gespeichert.")}));
  EXPECT_EQ(dialogs.titles.first(), QStringLiteral("Wörterbuch Deutsch-Spanisch speichern"));
  EXPECT_EQ(dialogs.proposals.first(), QStringLiteral("d_s.zvk"));
  EXPECT_EQ(db.SavedAsName(0), spanish);
  EXPECT_EQ(db.SavedAsName(1), tree.file(QStringLiteral("neu.zvk"))) << "a name without extension gets .zvk";
  EXPECT_TRUE(QFileInfo(tree.file(QStringLiteral("neu.zvk"))).isFile());
  TXDatabase reread;
  reread.LoadDictionary(spanish);
  EXPECT_EQ(reread.EntryMeaning(0), QStringLiteral("Haus; Heim"));

  // Nothing is asked when nothing changed, and nothing is written under write protection.
  messages.clear();
  AskAndSaveDictionaries(db, false, dialogs);
  db.SetEntryMeaning(0, QStringLiteral("anders"));
  AskAndSaveDictionaries(db, true, dialogs);
  EXPECT_TRUE(messages.messages().isEmpty());
  // No keeps the files as they were.
  messages.queueAnswer(MessageAnswer::No);
  AskAndSaveDictionaries(db, false, dialogs);
  EXPECT_EQ(messages.messages().size(), 1);
  TXDatabase unchanged;
  unchanged.SetDirection(true);
  unchanged.LoadDictionary(tree.file(QStringLiteral("neu.zvk")));
  EXPECT_EQ(unchanged.EntryMeaning(0), QStringLiteral("casa (f)"));
}
