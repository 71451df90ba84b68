// The editor's work with the dictionary, through its windows: the lookup of
// the current record, the copy of an entry, the checks, the alignment, the
// random library, the dictionary window and the saving at the end.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QCheckBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "common/random.h"
#include "dictionary/dictionarytestsupport.h"
#include "editor/dictionarypanel.h"
#include "editor/editortestsupport.h"
#include "editor/editortexts.h"
#include "editor/recordform.h"
#include "editor/txwb.h"
#include "editor/tzufall.h"

namespace {

using namespace Qt::StringLiterals;

struct Rec {
  QString vokabel;
  QString first;
  int wortart = 0;
  bool deutsch = false;
  QString second = {};
  QString context = {};
};

class EditorDictionary : public EditorFixture {
 protected:
  // Both halves from entries "word|class|meaning", written to their files,
  // so that they count as unchanged.
  void prepare(const QStringList& spanishGerman, const QStringList& germanSpanish = {}) {
    for (const int d : {TXDatabase::kGermanSpanish, TXDatabase::kSpanishGerman}) {
      dictionary.SetDirection(d == TXDatabase::kGermanSpanish);
      Fill(dictionary, d == TXDatabase::kSpanishGerman ? spanishGerman : germanSpanish);
      const QString file = program.path() + (d == TXDatabase::kSpanishGerman ? u"s_d.zvk"_s : u"d_s.zvk"_s);
      ASSERT_TRUE(dictionary.SaveDirection(d, file));
      dictionary.SetFileName(d, file);
    }
  }

  TVEditor& openLibrary(const QList<Rec>& records) {
    QStringList lines;
    for (const Rec& r : records)
      lines += {r.vokabel, r.first, r.second, r.context, u"0"_s, QString(), u"0"_s, QString::number(r.wortart),
                r.deutsch ? u"1"_s : u"0"_s, u"0"_s};
    return openWith(writeLibrary(u"test.asc"_s, lines));
  }

  QStringList words(int direction) {
    QStringList out;
    for (int k = 0; k < dictionary.EntryCount(direction); ++k) out << dictionary.Entry(direction, k).Word;
    return out;
  }

  // Answers every message with handle's answer, recording the texts.
  void answerWith(std::function<MessageAnswer(const Message&)> handle) {
    previous_ = MessageBoxService::setHandler([this, handle](const Message& m) {
      texts << m.text;
      return handle(m);
    });
  }
  ~EditorDictionary() override {
    if (previous_) MessageBoxService::setHandler(previous_);
  }

  QStringList texts;
  MessageBoxService::Handler previous_;
};

// --- The lookup of the current record ---

TEST_F(EditorDictionary, ThePanelShowsTheEntryOfEachRecordWithoutChangingTheDictionary) {
  prepare({u"casa|1|Haus; Heim"_s, u"perro|1|Hund"_s}, {u"Haus|1|casa"_s});
  TVEditor& w = openLibrary({{u"perro"_s, u"Hund"_s}, {u"Haus"_s, u"casa"_s, 0, true}});
  EXPECT_EQ(w.WP->dbVokabel->text(), u"perro"_s);
  EXPECT_EQ(w.WP->dbBedeutung->toPlainText(), u"Hund"_s);
  EXPECT_EQ(w.WP->DBWortart->currentIndex(), 0);
  EXPECT_TRUE(w.WP->Direction->text().startsWith(u"Spanisch-D"_s));
  // A German record is looked up in the German-Spanish half.
  ASSERT_TRUE(w.SelectRecord(1));
  EXPECT_TRUE(dictionary.IsGermanSpanish());
  EXPECT_EQ(w.WP->dbVokabel->text(), u"Haus"_s);
  EXPECT_TRUE(w.WP->Direction->text().startsWith(u"Deutsch-S"_s));
  EXPECT_EQ(w.DictionaryWindow().windowTitle(), u"zvk spanisch (1)"_s);
  EXPECT_EQ(w.DictionaryWindow().PanelDirection->text(), u"Deutsch-Spanisch"_s);
  EXPECT_FALSE(dictionary.Modified(0));
  EXPECT_FALSE(dictionary.Modified(1));

  // Typing the entry looks it up as it grows.
  w.SelectRecord(0);
  w.RP->eVokabel->setText(u"cas"_s);
  EXPECT_EQ(w.WP->dbVokabel->text(), u"casa"_s);
  // Without "Ständig nachschlagen" the panel stays where it is.
  w.Action(u"AlwaysLookup"_s)->setChecked(false);
  w.RP->eVokabel->setText(u"perro"_s);
  EXPECT_EQ(w.WP->dbVokabel->text(), u"casa"_s);
  EXPECT_FALSE(dictionary.Modified(0));
}

TEST_F(EditorDictionary, ThePanelEditsAndBrowsesTheDictionary) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|Haus"_s});
  TVEditor& w = openLibrary({{u"agua"_s, u"Wasser"_s}});
  w.WP->dNext->click();
  EXPECT_EQ(dictionary.EntryWord(), u"casa"_s);
  EXPECT_EQ(w.WP->dbVokabel->text(), u"casa"_s);
  // Editing writes through to the entry.
  w.WP->dbBedeutung->setPlainText(u"Haus; Heim"_s);
  w.WP->DBWortart->setCurrentIndex(2);
  EXPECT_EQ(dictionary.EntryMeaning(), u"Haus; Heim"_s);
  EXPECT_EQ(dictionary.EntryClass(), 3);
  EXPECT_TRUE(dictionary.Modified(0));
  // A new entry must be completed before the author browses on.
  w.WP->dAdd->click();
  EXPECT_EQ(dictionary.EntryCount(), 3);
  w.WP->dFirst->click();
  EXPECT_EQ(messageTexts(), QStringList{u"Der aktuelle Eintrag ist nicht vollständig!"_s});
  messages.queueAnswer(MessageAnswer::Cancel);
  w.WP->dDelete->click();
  EXPECT_EQ(dictionary.EntryCount(), 3);
  w.WP->dDelete->click();  // OK
  EXPECT_EQ(words(0), (QStringList{u"agua"_s, u"casa"_s}));
  EXPECT_EQ(messageTexts().mid(1), (QStringList{u"Eintrag des Wörterbuchs wirklich löschen?"_s,
                                                u"Eintrag des Wörterbuchs wirklich löschen?"_s}));
  w.WP->Direction->click();
  EXPECT_TRUE(dictionary.IsGermanSpanish());
  // The empty half has no entry to type into: the fields wait for "dAdd".
  EXPECT_TRUE(w.WP->dbVokabel->isReadOnly());
  w.WP->dAdd->click();
  EXPECT_FALSE(w.WP->dbVokabel->isReadOnly());
  QTest::keyClicks(w.WP->dbVokabel, u"Haus"_s);
  EXPECT_EQ(dictionary.EntryWord(), u"Haus"_s);
}

// --- The check of the whole library ---

TEST_F(EditorDictionary, TheCheckPassesAgreeingRecordsSkipsIncompleteOnesAndAddsMissingWords) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|[Gebäude] Haus; Heim"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"casa"_s, u"Heim; Haus [das]"_s},
                             {u"mesa"_s, QString()},  // incomplete
                             {u"libro"_s, u"Buch"_s},
                             {u"zumo"_s, u"Saft"_s, 0, false, u"Fruchtsaft"_s}});
  w.Action(u"xControl"_s)->trigger();
  EXPECT_EQ(messageTexts(), (QStringList{EditorTexts::kNotInDictionary, EditorTexts::kNotInDictionary,
                                         u"Kontrolle beendet."_s}));
  // Each where it belongs: before the first entry after it, or at the end.
  EXPECT_EQ(words(0), (QStringList{u"agua"_s, u"casa"_s, u"libro"_s, u"perro"_s, u"zumo"_s}));
  EXPECT_EQ(dictionary.Entry(0, 2).Meaning, u"Buch"_s);
  EXPECT_EQ(dictionary.Entry(0, 4).Meaning, u"Saft; Fruchtsaft"_s);
  EXPECT_EQ(dictionary.Entry(0, 4).Wortart, 1);
  EXPECT_EQ(w.Current(), 3);
  EXPECT_EQ(library.Items.at(1).Vokabel, u"mesa"_s);  // left as it was
  EXPECT_FALSE(library.Modified);

  // At the end the dictionary is saved, and both programs load that file next time.
  messages.clear();
  ASSERT_TRUE(w.Finish());
  EXPECT_EQ(messageTexts(),
            (QStringList{u"Das Wörterbuch wurde verändert. Sollen diese Veränderungen gespeichert werden?"_s,
                         u"Das Wörterbuch Spanisch-Deutsch wurde erfolgreich gespeichert."_s}));
  EXPECT_EQ(store.readString(Environment::kDirectoriesKey, u"Datenbank1"_s), program.path() + u"s_d.zvk"_s);
  EXPECT_FALSE(store.readString(Environment::kDirectoriesKey, u"Datenbank2"_s).has_value());
  TXDatabase reread;
  reread.LoadDictionary(program.path() + u"s_d.zvk"_s);
  EXPECT_EQ(Words(reread), (QStringList{u"agua"_s, u"casa"_s, u"libro"_s, u"perro"_s, u"zumo"_s}));
  // Saved once: a second end asks nothing.
  messages.clear();
  EXPECT_TRUE(w.Finish());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorDictionary, AQuestionMarkTakesTheEntryTheLookupShows) {
  prepare({u"agua|1|Wasser"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"perro"_s, u"?"_s, 2}, {u"gatito"_s, u"?"_s, 0, false, {}, u"Un (gatito) negro."_s}});
  messages.queueAnswer(MessageAnswer::No);  // keep the context
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(), (QStringList{EditorTexts::kAlsoClearContexts, u"Kontrolle beendet."_s}));
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"Hund"_s);
  EXPECT_EQ(library.Items.at(0).Wortart, 0);
  // Not in the dictionary: the entry after it, word, meanings and class.
  EXPECT_EQ(library.Items.at(1).Vokabel, u"perro"_s);
  EXPECT_EQ(library.Items.at(1).Bedeutung[0], u"Hund"_s);
  EXPECT_EQ(library.Items.at(1).Kontext[0], u"Un (gatito) negro."_s);
  EXPECT_EQ(words(0), (QStringList{u"agua"_s, u"perro"_s}));  // "?" never goes into the dictionary
}

TEST_F(EditorDictionary, AnotherWordClassWithTheSameMeaningsStopsTheCheck) {
  prepare({u"bien|7|gut"_s, u"casa|1|Haus"_s});
  TVEditor& w = openLibrary({{u"bien"_s, u"gut"_s, 2}, {u"casa"_s, u"Haus"_s}});
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(), QStringList{u"Möglicher Fehler bei den Wortarten entdeckt."_s});
  EXPECT_EQ(w.Current(), 0);
}

TEST_F(EditorDictionary, DifferentMeaningsAreOfferedToTheOtherSide) {
  prepare({u"casa|1|Haus; Heim"_s, u"gato|1|Katze; Mieze"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"casa"_s, u"Haus"_s},
                             {u"gato"_s, u"Katze"_s, 0, false, u"Kater"_s},
                             {u"perro"_s, u"Hund; Köter"_s}});
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(),
            (QStringList{u"Das Wörterbuch kennt folgende weitere Bedeutungen:\r\r>Heim<\r\rSollen sie übernommen werden?"_s,
                         u"Diese Vokabel hat andere Bedeutungen als\rder entsprechende Eintrag im Wörterbuch!\r\r"
                         u">Kater<\r\n>Mieze<\r\rSollen beide erweitert werden?"_s,
                         u"Folgende Bedeutungen sind noch nicht im Wörterbuch:\r\r>Köter<\r\rSollen sie übernommen werden?"_s,
                         u"Kontrolle beendet."_s}));
  EXPECT_EQ(library.Items.at(0).Bedeutung[1], u"Heim"_s);
  EXPECT_EQ(library.Items.at(1).Bedeutung[1], u"Kater; Mieze"_s);
  EXPECT_EQ(dictionary.Entry(0, 1).Meaning, u"Katze; Mieze; Kater"_s);
  EXPECT_EQ(dictionary.Entry(0, 2).Meaning, u"Hund; Köter"_s);

  // Run again: everything agrees now. A No ends a check without a word more.
  messages.clear();
  w.SelectRecord(0);
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(), QStringList{u"Kontrolle beendet."_s});
  w.RP->eBedeutung1->setText(u"Heim; Hütte"_s);
  w.SelectRecord(0);
  messages.clear();
  messages.queueAnswer(MessageAnswer::No);
  w.Kontrollieren();
  EXPECT_EQ(messageTexts().size(), 1);
  EXPECT_EQ(dictionary.Entry(0, 0).Meaning, u"Haus; Heim"_s);
}

TEST_F(EditorDictionary, EscapeEndsTheCheckBeforeTheNextRecord) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|Haus"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"agua"_s, u"Wasser"_s}, {u"casa"_s, u"Haus"_s}, {u"perro"_s, u"Hund"_s}});
  w.RP->eVokabel->setFocus();
  QCoreApplication::postEvent(w.RP->eVokabel, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(), QStringList{u"Kontrolle wurde abgebrochen."_s});
  EXPECT_EQ(w.Current(), 0);
  EXPECT_FALSE(w.CheckRunning());
}

TEST_F(EditorDictionary, WhileTheCheckRunsTheCommandsWaitAndTheWindowStays) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = openLibrary({{u"perro"_s, u"Hund"_s}, {u"zumo"_s, u"Saft"_s}});
  bool sortLocked = false;
  bool checkOpen = false;
  bool wbLocked = false;
  bool closed = true;
  answerWith([&](const Message& m) {
    if (m.text == EditorTexts::kNotInDictionary) {
      sortLocked = !w.Action(u"EditSort"_s)->isEnabled();
      checkOpen = w.Action(u"xControl"_s)->isEnabled();
      wbLocked = !w.DictionaryWindow().Action(u"WbClear"_s)->isEnabled();
      closed = w.close();
      return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
  });
  w.Kontrollieren();
  EXPECT_TRUE(sortLocked);
  EXPECT_TRUE(checkOpen);
  EXPECT_TRUE(wbLocked);
  EXPECT_FALSE(closed);
  EXPECT_EQ(texts, (QStringList{EditorTexts::kNotInDictionary, u"Kann diese Seite noch nicht verlassen!"_s}));
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.Action(u"EditSort"_s)->isEnabled());
  EXPECT_TRUE(w.DictionaryWindow().Action(u"WbClear"_s)->isEnabled());
}

TEST_F(EditorDictionary, WhileTheCheckRunsNoInputReachesTheRecordOrTheDictionary) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|Haus"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"agua"_s, u"Wasser"_s}, {u"casa"_s, u"Haus"_s}, {u"perro"_s, u"Hund"_s}});
  w.RP->eVokabel->setFocus();
  // What the author does while the check runs arrives between two records.
  QCoreApplication::postEvent(w.RP->eVokabel, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s));
  auto* composed = new QInputMethodEvent;
  composed->setCommitString(u"á"_s);
  QCoreApplication::postEvent(w.RP->eVokabel, composed);
  const QPoint centre = w.WP->dDelete->rect().center();
  const QPointF global = w.WP->dDelete->mapToGlobal(centre);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(w.WP->dDelete, new QMouseEvent(type, centre, global, Qt::LeftButton, Qt::LeftButton,
                                                               Qt::NoModifier));
  w.Kontrollieren();
  EXPECT_EQ(messageTexts(), QStringList{u"Kontrolle beendet."_s});
  EXPECT_EQ(entries(), (QStringList{u"agua"_s, u"casa"_s, u"perro"_s, QString()}));
  EXPECT_EQ(words(0), (QStringList{u"agua"_s, u"casa"_s, u"perro"_s}));
  EXPECT_FALSE(library.Modified);
  EXPECT_FALSE(dictionary.Modified(0));
}

TEST_F(EditorDictionary, TheChecksCommandEndsARunningCheck) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = openLibrary({{u"perro"_s, u"Hund"_s}, {u"zumo"_s, u"Saft"_s}});
  answerWith([&w](const Message& m) {
    if (m.text == EditorTexts::kNotInDictionary) w.Action(u"xControl"_s)->trigger();
    return MessageAnswer::Yes;
  });
  w.Kontrollieren();
  EXPECT_EQ(texts, (QStringList{EditorTexts::kNotInDictionary, u"Kontrolle wurde abgebrochen."_s}));
  EXPECT_EQ(words(0), (QStringList{u"agua"_s, u"perro"_s}));
  EXPECT_EQ(w.Current(), 0);
}

TEST_F(EditorDictionary, NoCheckLeavesAnIncompleteRecord) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = openLibrary({{u"mesa"_s, QString()}, {u"agua"_s, u"Wasser"_s}});
  w.Kontrollieren();
  w.XPressCon();
  EXPECT_EQ(messageTexts(), (QStringList{EditorTexts::kIncompleteRecord, EditorTexts::kIncompleteRecord}));
  EXPECT_EQ(w.Current(), 0);
  EXPECT_FALSE(w.CheckRunning());
}

TEST_F(EditorDictionary, CtrlKInAFieldStartsTheCheck) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = openLibrary({{u"agua"_s, u"Wasser"_s}});
  w.RP->eVokabel->setFocus();
  w.RP->eVokabel->setCursorPosition(1);
  QTest::keyClick(w.RP->eVokabel, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(messageTexts(), QStringList{u"Kontrolle beendet."_s});
  EXPECT_EQ(w.RP->eVokabel->text(), u"agua"_s);  // not cut by the field
}

// --- The quick check ---

TEST_F(EditorDictionary, TheQuickCheckAddsSilentlyAndStopsAtOtherMeanings) {
  prepare({u"casa|1|Haus; Heim"_s, u"perro|1|Hund"_s});
  TVEditor& w = openLibrary({{u"casa"_s, u"Heim; Haus"_s},
                             {u"Haus"_s, u"casa"_s, 0, true},  // the German half is empty
                             {u"zumo"_s, u"Saft"_s},
                             {u"perro"_s, u"Hund; Köter"_s},
                             {u"gato"_s, u"Katze"_s}});
  w.Action(u"WBAutomatik"_s)->setChecked(true);
  w.Action(u"XPressKontrolle"_s)->trigger();
  EXPECT_EQ(messageTexts(), QStringList{u"Diese Vokabel hat andere Bedeutungen als\rder entsprechende Eintrag im "
                                        u"Wörterbuch!\r\r>Hund; Köter<\r\n>Hund<"_s});
  EXPECT_EQ(w.Current(), 3);
  EXPECT_EQ(words(0), (QStringList{u"casa"_s, u"perro"_s, u"zumo"_s}));
  EXPECT_EQ(words(1), QStringList{u"Haus"_s});
  EXPECT_EQ(dictionary.Entry(1, 0).Meaning, u"casa"_s);
  EXPECT_EQ(dictionary.Entry(0, 1).Meaning, u"Hund"_s);  // the quick check changes no meanings
  // From the last record on it passes to the end.
  messages.clear();
  w.SelectRecord(4);
  w.XPressCon();
  EXPECT_EQ(messageTexts(), QStringList{u"Kontrolle beendet."_s});
  EXPECT_EQ(words(0).last(), u"zumo"_s);
  EXPECT_TRUE(words(0).contains(u"gato"_s));
}

// --- The copy from the dictionary ---

TEST_F(EditorDictionary, RepeatedCopiesCycleTheMeaningsAndTakeTheWordClass) {
  prepare({u"hacer|2|machen; tun; schaffen"_s});
  TVEditor& w = openLibrary({{u"hacer"_s, u"x"_s, 0}});
  QAction* copy = w.Action(u"EditCopyDB"_s);
  copy->trigger();
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"machen"_s);
  EXPECT_EQ(library.Items.at(0).Bedeutung[1], u"tun; schaffen"_s);
  EXPECT_EQ(library.Items.at(0).Wortart, 1);
  EXPECT_EQ(w.RP->EWortart->currentIndex(), 1);
  copy->trigger();
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"machen; tun"_s);
  EXPECT_EQ(library.Items.at(0).Bedeutung[1], u"schaffen"_s);
  copy->trigger();
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"machen"_s);
  EXPECT_EQ(library.Items.at(0).Bedeutung[1], u"tun; schaffen"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_FALSE(dictionary.Modified(0));
}

TEST_F(EditorDictionary, ACopyAcrossTheHalvesSwapsWordAndMeaningAndOffersToClearTheContexts) {
  prepare({u"casa|1|Haus; Heim"_s});
  TVEditor& w = openLibrary({{u"Gebäude"_s, u"edificio"_s, 0, true, {}, u"Ein (Gebäude) aus Stein."_s}});
  w.Action(u"AlwaysLookup"_s)->setChecked(false);
  dictionary.SetDirection(false);
  dictionary.FirstEntry();
  w.CopyDBX();
  EXPECT_EQ(messageTexts(), QStringList{u"Auch Kontext(e) löschen?"_s});
  const TVokabel& r = library.Items.at(0);
  EXPECT_EQ(r.Vokabel, u"Haus; Heim"_s);
  EXPECT_EQ(r.Bedeutung[0], u"casa"_s);
  EXPECT_TRUE(r.Kontext[0].isEmpty());

  // No entry to copy: nothing changes.
  dictionary.ClearEntries();
  w.CopyDBX();
  EXPECT_EQ(library.Items.at(0).Vokabel, u"Haus; Heim"_s);
}

// --- The alignment with the dictionary (F2) ---

TEST_F(EditorDictionary, TheAlignmentRepairsEntryAndContextAndTakesTheDictionarysMeanings) {
  prepare({u"bajo|3|niedrig"_s, u"bien|7|gut"_s, u"casa (f)|1|Haus"_s, u"francés, -e|3|französisch"_s,
           u"mal|3|schlecht"_s, u"mal|7|schlecht"_s});
  TVEditor& w = openLibrary({{u"francés, e"_s, u"x"_s, 2, false, {}, u"(Es (francés( de París."_s},
                             {u"casa"_s, u"y"_s},
                             {u"bien"_s, u"z"_s},
                             {u"mal"_s, u"w"_s}});
  w.Kontexteabgleichen();
  EXPECT_EQ(library.Items.at(0).Vokabel, u"francés, -e"_s);
  EXPECT_EQ(library.Items.at(0).Kontext[0], u"Es (francés) de París."_s);
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"französisch"_s);
  // The dictionary's gender note comes with its meanings and class.
  w.SelectRecord(1);
  w.Kontexteabgleichen();
  EXPECT_EQ(library.Items.at(1).Vokabel, u"casa (f)"_s);
  EXPECT_EQ(library.Items.at(1).Bedeutung[0], u"Haus"_s);
  // A noun whose word the dictionary knows in one other class takes that class.
  w.SelectRecord(2);
  QTest::keyClick(w.RP->eVokabel, Qt::Key_F2);
  EXPECT_EQ(library.Items.at(2).Bedeutung[0], u"gut"_s);
  EXPECT_EQ(library.Items.at(2).Wortart, 6);
  // With two entries of the word, the class is no evidence: nothing changes.
  w.SelectRecord(3);
  w.Kontexteabgleichen();
  EXPECT_EQ(library.Items.at(3).Bedeutung[0], u"w"_s);
  EXPECT_EQ(library.Items.at(3).Wortart, 0);
}

TEST_F(EditorDictionary, TheOnlyEntryOfItsWordGivesANounItsClass) {
  // No neighbour on either side is no homonym.
  prepare({u"bien|7|gut"_s});
  TVEditor& w = openLibrary({{u"bien"_s, u"z"_s}});
  w.Kontexteabgleichen();
  EXPECT_EQ(library.Items.at(0).Bedeutung[0], u"gut"_s);
  EXPECT_EQ(library.Items.at(0).Wortart, 6);
}

// --- The random library ---

TEST_F(EditorDictionary, ARandomLibraryFromAnEmptyDictionarySaysSoOnce) {
  prepare({});
  TVEditor& w = open();
  w.randomDialogAnswer = [](TZufall& d) {
    d.cSize->setValue(800);
    return true;
  };
  w.Action(u"FileRandom"_s)->trigger();
  EXPECT_EQ(messageTexts(), QStringList{EditorTexts::kNothingToDraw});
  EXPECT_EQ(entries(), QStringList{QString()});
  EXPECT_TRUE(w.Action(u"AlwaysLookup"_s)->isChecked());

  // Only phrases, and phrases are not wanted: the same.
  messages.clear();
  dictionary.SetDirection(false);
  Fill(dictionary, {u"hola|6|hallo"_s, u"¡qué va!|6|ach was!"_s});
  w.randomDialogAnswer = [](TZufall& d) {
    d.cRedewendungen->setChecked(false);
    return true;
  };
  w.RandomX();
  EXPECT_EQ(messageTexts(), QStringList{EditorTexts::kNothingToDraw});
  EXPECT_EQ(entries(), QStringList{QString()});
}

TEST_F(EditorDictionary, ARandomLibraryDrawsTheShareOfEachLanguageAndTheWantedClasses) {
  prepare({u"casa|1|Haus"_s, u"hola|6|hallo"_s, u"perro|1|Hund; Köter"_s, u"|1|"_s}, {u"Hund|1|perro"_s});
  Random::seed(7);
  TVEditor& w = open();
  int shownSize = 0;
  w.randomDialogAnswer = [&shownSize](TZufall& d) {
    shownSize = d.Size();
    d.cProzent->setValue(100);  // only Spanish
    d.cRedewendungen->setChecked(false);
    return true;
  };
  w.RandomX();
  EXPECT_EQ(shownSize, 40);
  EXPECT_TRUE(messages.messages().isEmpty());
  // Each draw of the entry without word or meaning makes no record.
  QStringList seen = entries();
  seen.removeAll(QString());
  EXPECT_EQ(library.Count(), seen.size());
  EXPECT_GT(seen.size(), 20);
  EXPECT_LT(seen.size(), 40);
  EXPECT_FALSE(seen.contains(u"hola"_s));
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  for (const TVokabel& r : library.Items) EXPECT_FALSE(r.Deutsch);
  EXPECT_EQ(LibraryEditing::FirstIncompleteRecord(library), -1);
  EXPECT_EQ(w.Current(), 0);

  // Only German, and the German half has one entry.
  w.randomDialogAnswer = [](TZufall& d) {
    d.cProzent->setValue(0);
    d.cAlphabetisch->setChecked(false);
    return true;
  };
  messages.queueAnswer(MessageAnswer::No);  // the drawn library is not kept
  w.RandomX();
  EXPECT_EQ(library.Count(), 40);
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(library.Items.at(i).Deutsch);
    EXPECT_EQ(library.Items.at(i).Vokabel, u"Hund"_s);
    EXPECT_EQ(library.Items.at(i).Bedeutung[0], u"perro"_s);
  }
}

// --- The dictionary window ---

TEST_F(EditorDictionary, TheWindowSearchesAndBrowsesTheDictionary) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|Haus; Heim"_s, u"casita|1|Häuschen"_s, u"perro|1|Hund"_s});
  TVEditor& w = open();
  TXWb& wb = w.DictionaryWindow();
  w.Action(u"AnsichtWB"_s)->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&wb));
  EXPECT_TRUE(w.Action(u"AnsichtWB"_s)->isChecked());
  EXPECT_EQ(wb.windowTitle(), u"zvk spanisch (4)"_s);
  EXPECT_EQ(wb.size(), QSize(600, 311));
  EXPECT_TRUE(wb.SuchenPanel->isVisible());
  EXPECT_FALSE(wb.xSuchen->isEnabled());
  EXPECT_TRUE(wb.SpracheSpanisch->isChecked());
  EXPECT_EQ(wb.Grid->horizontalHeaderItem(2)->text(), u"  Bedeutung(en)"_s);

  wb.Suchen->setText(u"cas"_s);
  wb.SuchButton->click();
  EXPECT_EQ(wb.Ergebnis->text(), u"2 Einträge gefunden."_s);
  ASSERT_EQ(wb.Grid->rowCount(), 2);
  EXPECT_EQ(wb.Grid->item(0, 0)->text(), u"1"_s);
  EXPECT_EQ(wb.Grid->item(0, 1)->text(), u"casa"_s);
  EXPECT_EQ(wb.Grid->item(0, 2)->text(), u"Haus; Heim"_s);
  EXPECT_EQ(wb.Grid->item(0, 3)->text(), u"Nomen"_s);
  // Choosing a row makes its entry current, in the editing panel.
  wb.Grid->setCurrentCell(1, 1);
  EXPECT_EQ(dictionary.EntryWord(), u"casita"_s);
  EXPECT_TRUE(wb.BearbeitenPanel->isVisible());
  EXPECT_EQ(wb.BearbeitenPanel->dbVokabel->text(), u"casita"_s);
  EXPECT_EQ(w.WP->dbVokabel->text(), u"casita"_s);  // the main window follows

  // Meanings, whole words only: "Heim" but not "Häuschen" for "Haus".
  wb.ShowPanel(wb.SuchenPanel);
  wb.SpracheDeutsch->setChecked(true);
  wb.NurGanze->setChecked(true);
  wb.Suchen->setText(u"Haus"_s);
  QTest::keyClick(wb.Suchen, Qt::Key_Return);
  EXPECT_EQ(wb.Ergebnis->text(), u"1 Einträge gefunden."_s);
  wb.Suchen->setText(u"Katze"_s);
  wb.Search();
  EXPECT_EQ(wb.Ergebnis->text(), u"0 Einträge gefunden."_s);
  EXPECT_EQ(wb.Grid->rowCount(), 1);  // one empty row

  // Browsing by keyword: the neighbourhood, with the entry's row current.
  wb.xBlaettern->click();
  wb.Stichwort->setText(u"perro"_s);
  EXPECT_EQ(dictionary.EntryWord(), u"perro"_s);
  EXPECT_EQ(wb.Grid->rowCount(), 4);
  EXPECT_EQ(wb.Grid->currentRow(), 3);
  EXPECT_TRUE(wb.StichwortPanel->isVisible());

  // Closing hides the window and unchecks its command.
  wb.Action(u"WbClose"_s)->trigger();
  EXPECT_FALSE(wb.isVisible());
  EXPECT_FALSE(w.Action(u"AnsichtWB"_s)->isChecked());
  EXPECT_FALSE(dictionary.Modified(0));
}

TEST_F(EditorDictionary, TheWindowKeepsItsHeightAndSharesItsWidthByTheGridRule) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = open();
  TXWb& wb = w.DictionaryWindow();
  wb.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&wb));
  for (const int width : {600, 800, 1024}) {
    wb.resize(width, 311);
    QCoreApplication::processEvents();
    const int grid = wb.centralWidget()->width() - 240 - 14;
    EXPECT_EQ(wb.Grid->width(), grid);
    EXPECT_EQ(wb.Grid->columnWidth(0), 20);
    EXPECT_EQ(wb.Grid->columnWidth(1), (grid - 97) * 10 / 24);
    EXPECT_EQ(wb.Grid->columnWidth(2), grid - (grid - 97) * 10 / 24 - 97);
    EXPECT_EQ(wb.Grid->columnWidth(3), 57);
  }
  wb.resize(1400, 500);
  EXPECT_EQ(wb.size(), QSize(1024, 311));
}

TEST_F(EditorDictionary, SpecialCharacterKeysWorkInsideTheFields) {
  prepare({u"agua|1|Wasser"_s});
  TVEditor& w = open();
  TXWb& wb = w.DictionaryWindow();
  wb.show();
  wb.activateWindow();
  // The window's own keys work while it is the active window.
  ASSERT_TRUE(QTest::qWaitFor([&wb] { return QApplication::activeWindow() == &wb; }));
  wb.Suchen->clear();
  wb.Suchen->setFocus();
  // Ctrl+A, Ctrl+Z and Ctrl+U are a line edit's own keys elsewhere.
  QTest::keyClick(wb.Suchen, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(wb.Suchen, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(wb.Suchen, Qt::Key_U, Qt::ControlModifier);
  QTest::keyClick(wb.Suchen, Qt::Key_F5);
  QTest::keyClick(wb.Suchen, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(wb.Suchen, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(wb.Suchen->text(), u"â¡ûçÑ¿"_s);
  // The items without a key, by the menu; a selection is replaced.
  wb.xBearbeiten->click();
  QPlainTextEdit* memo = wb.BearbeitenPanel->dbBedeutung;
  memo->setFocus();
  memo->selectAll();
  for (QAction* a : wb.Actions())
    if (a->text() == u"oe"_s) a->trigger();
  EXPECT_EQ(memo->toPlainText(), u"œ"_s);
  EXPECT_EQ(dictionary.EntryMeaning(), u"œ"_s);  // and through to the entry
  // Ctrl+S in a field sorts the dictionary.
  dictionary.AddEntry(u"Aa"_s, u"1"_s, u"x"_s);
  wb.Suchen->setFocus();
  wb.xSuchen->click();
  QTest::keyClick(wb.Suchen, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dictionary.EntryWord(0), u"Aa"_s);
}

TEST_F(EditorDictionary, ClearingTheDictionaryAsksFirst) {
  prepare({u"agua|1|Wasser"_s, u"casa|1|Haus"_s});
  TVEditor& w = open();
  TXWb& wb = w.DictionaryWindow();
  messages.queueAnswer(MessageAnswer::No);
  wb.Action(u"WbClear"_s)->trigger();
  EXPECT_EQ(dictionary.EntryCount(), 2);
  wb.Action(u"WbClear"_s)->trigger();
  EXPECT_EQ(dictionary.EntryCount(), 0);
  EXPECT_EQ(messageTexts(), (QStringList{u"Wirklich alle Einträge löschen???"_s, u"Wirklich alle Einträge löschen???"_s}));
  EXPECT_EQ(wb.windowTitle(), u"zvk spanisch (0)"_s);
  EXPECT_FALSE(wb.Action(u"WbImport"_s)->isVisible());
}

TEST_F(EditorDictionary, WithWriteProtectionTheDictionaryIsNeverWritten) {
  prepare({u"agua|1|Wasser"_s});
  env.WriteProtect = true;
  TVEditor& w = open();
  QFile file(program.path() + u"s_d.zvk"_s);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray saved = file.readAll();
  file.close();
  w.WP->dbBedeutung->setPlainText(u"Wasser; Gewässer"_s);
  ASSERT_TRUE(w.Finish());
  EXPECT_TRUE(messages.messages().isEmpty());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), saved);
}

}  // namespace
