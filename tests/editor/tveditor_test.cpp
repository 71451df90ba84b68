#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include "editor/editorpreview.h"
#include "editor/editortestsupport.h"
#include "editor/recordform.h"
#include "pages/txpage.h"

namespace {

using namespace Qt::StringLiterals;

const QString kIncomplete =
    u"Die aktuelle Vokabel ist leer oder unvollständig!\rBitte vervollständigen oder löschen Sie die Vokabel."_s;
const QString kUnsaved =
    u"Die aktuelle Bibliothek wurde verändert.\rSollen die Veränderungen jetzt gespeichert werden?\r\r"
    u"[Die Veränderungen gehen sonst verloren]"_s;

using EditorWindow = EditorFixture;

}  // namespace

// --- Start-up ---

TEST_F(EditorWindow, StartsWithAnEmptyLibrary) {
  TVEditor& w = open();
  EXPECT_EQ(w.windowTitle(), u"zvk spanisch - editor"_s);
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
  EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"1/1"_s);
  EXPECT_EQ(w.StatusPanel[1]->text(), u"0 Vokabeln"_s);
  EXPECT_EQ(w.StatusPanel[2]->text(), u"(nicht angemeldet)"_s);
  EXPECT_EQ(w.StatusPanel[3]->text(), QString());
  EXPECT_EQ(scoreCell(0), QString());  // no learner: no score column
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(w.Action(u"FileLast%1"_s.arg(i))->isVisible());
  EXPECT_FALSE(w.XPage->isVisible());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorWindow, OpensTheLibraryOfTheLastRunOrSaysWhyNot) {
  const QString file = writeEntries(u"haus.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s});
  store.writeString(editorKey(), u"LetzteBibliothek"_s, file);
  store.writeString(editorKey(), u"0"_s, file);
  {
    TVEditor& w = open();
    EXPECT_EQ(w.windowTitle(), u"*zvk spanisch - "_s + file);
    EXPECT_EQ(listLines(), (QStringList{u" casa"_s, u" perro"_s, u" <leer>"_s}));
    EXPECT_EQ(w.StatusPanel[1]->text(), u"2 Vokabeln"_s);
    EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"1/3"_s);
    EXPECT_EQ(w.RP->eVokabel->text(), u"casa"_s);
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_TRUE(w.Finish());
    window.reset();
  }
  EXPECT_EQ(store.readString(editorKey(), u"LetzteBibliothek"_s), file);

  // Gone since: one warning, an empty library, and neither the start-up
  // library nor the recent entry is kept.
  QFile::remove(file);
  TVEditor& w = open();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Bibliothek "_s + file + u" konnte nicht automatisch geladen werden!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
  EXPECT_EQ(w.windowTitle(), u"zvk spanisch - editor"_s);
  EXPECT_FALSE(w.Action(u"FileLast1"_s)->isVisible());
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(store.readString(editorKey(), u"LetzteBibliothek"_s).value_or(u"?"_s), QString());
  EXPECT_EQ(store.readString(editorKey(), u"0"_s).value_or(u"?"_s), QString());
}

TEST_F(EditorWindow, ADamagedStartUpLibraryIsReportedAndNotTriedAgain) {
  QStringList lines = recordLines(u"casa"_s, u"Haus"_s) + recordLines(u"perro"_s, u"Hund"_s);
  lines[17] = u"Verb"_s;  // the second record's word class
  const QString file = writeLibrary(u"kaputt.asc"_s, lines);
  const QByteArray before = program.read(u"Vokabeln (S)/kaputt.asc"_s);
  store.writeString(editorKey(), u"LetzteBibliothek"_s, file);
  TVEditor& w = open();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Bibliothek "_s + file + u" konnte nicht automatisch geladen werden!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
  EXPECT_EQ(w.windowTitle(), u"zvk spanisch - editor"_s);
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(store.readString(editorKey(), u"LetzteBibliothek"_s), u"-"_s);
  EXPECT_EQ(program.read(u"Vokabeln (S)/kaputt.asc"_s), before);

  // The next start does not try it again.
  window.reset();
  messages.clear();
  open();
  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
}

// --- Moving between records ---

TEST_F(EditorWindow, AnIncompleteRecordInTheMiddleCannotBeLeft) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s, u"gato=Katze"_s}));
  ASSERT_TRUE(w.SelectRecord(1));
  w.RP->eBedeutung0->setFocus();
  w.RP->eBedeutung0->selectAll();
  QTest::keyClick(w.RP->eBedeutung0, Qt::Key_Delete);
  ASSERT_EQ(library.Items[1].Bedeutung[0], QString());

  for (const auto& move : {std::function<void()>([&] { w.NextRecord(); }), std::function<void()>([&] { w.PreviousRecord(); }),
                           std::function<void()>([&] { w.SelectRecord(0); })}) {
    messages.clear();
    move();
    EXPECT_EQ(messageTexts(), QStringList{kIncomplete});
    EXPECT_EQ(library.Current, 1);
    EXPECT_EQ(w.Liste->currentIndex().row(), 1);  // the list's selection returns
    EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"2/4"_s);
  }
  // A click into the list is refused the same way, and when the click is
  // done the list marks the record the form shows, not the one clicked.
  messages.clear();
  const QRect line = w.Liste->visualRect(w.Liste->model()->index(2, 0));
  QTest::mouseClick(w.Liste->viewport(), Qt::LeftButton, {}, line.center());
  QTest::qWait(10);
  EXPECT_EQ(messageTexts(), QStringList{kIncomplete});
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.Liste->currentIndex().row(), 1);
  const QModelIndexList marked = w.Liste->selectionModel()->selectedRows();
  ASSERT_EQ(marked.size(), 1);
  EXPECT_EQ(marked.first().row(), 1);

  // Completed again, it can be left.
  messages.clear();
  QTest::keyClicks(w.RP->eBedeutung0, u"Hund"_s);
  w.NextRecord();
  EXPECT_EQ(library.Current, 2);
  EXPECT_EQ(w.RP->eVokabel->text(), u"gato"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorWindow, NextAtTheEndSaysSoOrAppendsAnEmptyRecordInTheSameDirection) {
  TVEditor& w = open();
  w.NextRecord();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Ende der Bibliothek erreicht!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(library.Items.size(), 1);
  messages.clear();

  // A German entry typed into the trailing record; Page Down goes on to a new one.
  w.RP->iFremd->click();
  EXPECT_TRUE(library.Items[0].Deutsch);
  w.RP->eVokabel->setFocus();
  QTest::keyClicks(w.RP->eVokabel, u"Haus"_s);
  QTest::keyClicks(w.RP->eBedeutung0, u"casa"_s);
  EXPECT_EQ(listLines(), QStringList{u" Haus"_s});
  EXPECT_EQ(w.StatusPanel[1]->text(), u"1 Vokabeln"_s);
  QTest::keyClick(w.RP->eVokabel, Qt::Key_PageDown);
  EXPECT_TRUE(messages.messages().isEmpty());
  ASSERT_EQ(library.Items.size(), 2);
  EXPECT_EQ(library.Current, 1);
  EXPECT_TRUE(library.Items[1].IsEmpty());
  EXPECT_TRUE(library.Items[1].Deutsch);
  EXPECT_TRUE(w.RP->GermanOnTop());
  EXPECT_EQ(w.RP->eVokabel->text(), QString());
  EXPECT_EQ(listLines(), (QStringList{u" Haus"_s, u" <leer>"_s}));
  EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"2/2"_s);

  // Page Up goes back; the empty trailing record may be left.
  QTest::keyClick(w.RP->eVokabel, Qt::Key_PageUp);
  EXPECT_EQ(library.Current, 0);
  EXPECT_EQ(w.RP->eVokabel->text(), u"Haus"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
}

// --- The record form ---

TEST_F(EditorWindow, EnterWalksThroughTheFormAndAfterTheLastContextToTheNextRecord) {
  TVEditor& w = open();
  w.RP->eVokabel->setFocus();
  QTest::keyClicks(w.RP->eVokabel, u"casa"_s);
  QTest::keyClick(w.RP->eVokabel, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->eBedeutung0);
  QTest::keyClicks(w.RP->eBedeutung0, u"Haus"_s);
  QTest::keyClick(w.RP->eBedeutung0, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->eBedeutung1);
  QTest::keyClick(w.RP->eBedeutung1, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->EWortart);
  QTest::keyClick(w.RP->EWortart, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->Schwierigkeit);
  QTest::keyClick(w.RP->Schwierigkeit, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->eKontext0);
  EXPECT_EQ(library.Items.size(), 1);
  QLineEdit* last = w.RP->SecondContextShown() ? w.RP->eKontext1 : w.RP->eKontext0;
  last->setFocus();
  QTest::keyClick(last, Qt::Key_Return);
  EXPECT_EQ(entries(), (QStringList{u"casa"_s, QString()}));
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(QApplication::focusWidget(), w.RP->eVokabel);
  EXPECT_TRUE(messages.messages().isEmpty());

  // In the notes Enter is a line break.
  w.LibInfo->setFocus();
  QTest::keyClicks(w.LibInfo, u"Autor"_s);
  QTest::keyClick(w.LibInfo, Qt::Key_Return);
  QTest::keyClicks(w.LibInfo, u"Ana"_s);
  EXPECT_EQ(library.Comments, (QStringList{u"Autor"_s, u"Ana"_s}));
  EXPECT_EQ(library.Current, 1);
  w.chooseSaveName = [&](const QString&) { return program.file(u"Vokabeln (S)/n.asc"_s); };
  ASSERT_TRUE(w.FileSave());
  EXPECT_EQ(program.read(u"Vokabeln (S)/n.asc"_s),
            crlfLines(QStringList{u"// Autor"_s, u"// Ana"_s} + recordLines(u"casa"_s, u"Haus"_s)));
}


TEST_F(EditorWindow, TypingWritesTheRecordAndAnUnlistedWordClassStaysAsRead) {
  QStringList lines = recordLines(u"casa"_s, u"Haus"_s, 9) + recordLines(u"perro"_s, u"Hund"_s, 1, false, 7);
  const QString file = writeLibrary(u"a.asc"_s, lines);
  TVEditor& w = openWith(file);
  EXPECT_FALSE(library.Modified);
  EXPECT_EQ(w.StatusPanel[3]->text(), QString());
  EXPECT_EQ(w.RP->EWortart->currentIndex(), -1);
  EXPECT_EQ(w.RP->EWortart->currentText(), QString());
  EXPECT_EQ(library.Items[0].Wortart, 9);

  w.RP->eVokabel->setFocus();
  w.RP->eVokabel->end(false);
  QTest::keyClicks(w.RP->eVokabel, u"s"_s);
  QTest::keyClicks(w.RP->eBedeutung1, u"Heim"_s);
  QTest::keyClicks(w.RP->eKontext0, u"mi [*]"_s);
  EXPECT_EQ(library.Items[0].Vokabel, u"casas"_s);
  EXPECT_EQ(library.Items[0].Bedeutung[1], u"Heim"_s);
  EXPECT_EQ(library.Items[0].Kontext[0], u"mi [*]"_s);
  EXPECT_TRUE(library.Modified);
  EXPECT_EQ(w.StatusPanel[3]->text(), u"geändert"_s);
  EXPECT_EQ(listLines().value(0), u" casas"_s);
  EXPECT_EQ(library.Items[0].Wortart, 9);

  // The second record: word class and difficulty 7 (stored as read).
  w.NextRecord();
  EXPECT_EQ(w.RP->EWortart->currentIndex(), 1);
  EXPECT_EQ(w.RP->Schwierigkeit->currentIndex(), -1);
  w.RP->EWortart->setCurrentIndex(2);
  EXPECT_EQ(library.Items[1].Wortart, 2);

  // Saved: the unlisted numbers go back into the file as they were read.
  ASSERT_TRUE(w.FileSave());
  const QStringList saved = QString::fromLatin1(program.read(u"Vokabeln (S)/a.asc"_s)).split(u"\r\n"_s);
  ASSERT_EQ(saved.size(), 21);  // two records, and the final line end
  EXPECT_EQ(saved[0], u"casas"_s);
  EXPECT_EQ(saved[2], u"Heim"_s);
  EXPECT_EQ(saved[7], u"9"_s);
  EXPECT_EQ(saved[17], u"2"_s);
  EXPECT_EQ(saved[19], u"7"_s);
  EXPECT_FALSE(library.Modified);
  EXPECT_EQ(w.StatusPanel[3]->text(), QString());
}

// --- Saving ---

TEST_F(EditorWindow, SavingUnderANewNameWritesTheSameBytes) {
  QStringList lines{u"// Autor: Ana"_s, u"// "_s, u"// Thema: Tiere"_s};
  lines += recordLines(u"niño"_s, u"Kind; Junge"_s, 0, false, 2);
  lines += contextRecordLines(u"pingüino"_s, u"Pinguin"_s, u"el [*] nada"_s, true, 9);
  lines += recordLines(u"Straße"_s, u"calle"_s, 0, true, 4);
  const QString file = writeLibrary(u"tiere.asc"_s, lines);
  const QByteArray original = program.read(u"Vokabeln (S)/tiere.asc"_s);
  TVEditor& w = openWith(file);
  EXPECT_EQ(w.LibInfo->toPlainText(), u"Autor: Ana\n\nThema: Tiere"_s);

  const QString copy = program.file(u"Vokabeln (S)/kopie"_s);
  QStringList proposed;
  w.chooseSaveName = [&](const QString& p) {
    proposed << p;
    return copy;
  };
  ASSERT_TRUE(w.FileSaveAs());
  EXPECT_EQ(proposed, QStringList{file});
  // Without an extension the library's own is added.
  EXPECT_EQ(program.read(u"Vokabeln (S)/kopie.asc"_s), original);
  EXPECT_EQ(library.FileName, copy + u".asc"_s);
  EXPECT_EQ(w.windowTitle(), u"*zvk spanisch - "_s + copy + u".asc"_s);
  EXPECT_EQ(w.Action(u"FileLast1"_s)->text(), u"&1 "_s + copy + u".asc"_s);
  EXPECT_TRUE(messages.messages().isEmpty());

  // Reopened and saved again: still the same bytes.
  w.OpenFiles({copy + u".asc"_s});
  ASSERT_TRUE(w.FileSave());
  EXPECT_EQ(program.read(u"Vokabeln (S)/kopie.asc"_s), original);
}

TEST_F(EditorWindow, SaveRefusesAnIncompleteRecordAndReportsAFailedWrite) {
  // The second record has no meaning.
  const QString file = writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro="_s, u"gato=Katze"_s});
  const QByteArray before = program.read(u"Vokabeln (S)/a.asc"_s);
  TVEditor& w = openWith(file);
  ASSERT_EQ(library.Current, 0);

  int asked = 0;
  w.chooseSaveName = [&](const QString&) {
    ++asked;
    return program.file(u"Vokabeln (S)/neu.asc"_s);
  };
  for (const auto& save : {std::function<bool()>([&] { return w.FileSave(); }),
                           std::function<bool()>([&] { return w.FileSaveAs(); })}) {
    messages.clear();
    EXPECT_FALSE(save());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages()[0].text.startsWith(u"Die Bibliothek enthält eine unvollständige Vokabel!"_s));
    EXPECT_EQ(library.Current, 1);
    EXPECT_EQ(w.Liste->currentIndex().row(), 1);
    EXPECT_EQ(w.RP->eVokabel->text(), u"perro"_s);
  }
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(program.read(u"Vokabeln (S)/a.asc"_s), before);
  EXPECT_FALSE(QFile::exists(program.file(u"Vokabeln (S)/neu.asc"_s)));

  // A place that cannot be written: the stop message, and nothing changes.
  messages.clear();
  QTest::keyClicks(w.RP->eBedeutung0, u"Hund"_s);
  w.chooseSaveName = [&](const QString&) { return program.file(u"fehlt/neu.asc"_s); };
  EXPECT_FALSE(w.FileSaveAs());
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Fehler beim Speichern der Bibliothek!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_TRUE(library.Modified);
  EXPECT_EQ(library.FileName, file);
  EXPECT_EQ(w.windowTitle(), u"*zvk spanisch - "_s + file);
}

TEST_F(EditorWindow, ADamagedLibraryIsSavedOnlyUnderANewName) {
  QStringList lines = recordLines(u"casa"_s, u"Haus"_s) + recordLines(u"perro"_s, u"Hund"_s);
  lines[19] = u"leicht"_s;  // the second record's difficulty
  const QString file = writeLibrary(u"kaputt.asc"_s, lines);
  const QByteArray damaged = program.read(u"Vokabeln (S)/kaputt.asc"_s);
  TVEditor& w = open();
  w.chooseLibraries = [&](const QString&) { return QStringList{file}; };
  w.Action(u"FileOpen"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
  EXPECT_TRUE(messages.messages()[0].text.contains(file));
  EXPECT_EQ(listLines(), (QStringList{u" casa"_s, u" <leer>"_s}));  // the records before the damage
  EXPECT_EQ(w.windowTitle(), u"zvk spanisch - editor"_s);
  EXPECT_FALSE(w.Action(u"FileLast1"_s)->isVisible());

  QStringList proposed;
  w.chooseSaveName = [&](const QString& p) {
    proposed << p;
    return QString();  // cancelled
  };
  EXPECT_FALSE(w.FileSave());
  EXPECT_EQ(proposed.size(), 1);
  EXPECT_EQ(program.read(u"Vokabeln (S)/kaputt.asc"_s), damaged);

  const QString repaired = program.file(u"Vokabeln (S)/heil.asc"_s);
  w.chooseSaveName = [&](const QString&) { return repaired; };
  ASSERT_TRUE(w.FileSave());
  EXPECT_EQ(program.read(u"Vokabeln (S)/kaputt.asc"_s), damaged);
  EXPECT_EQ(program.read(u"Vokabeln (S)/heil.asc"_s), crlfLines(recordLines(u"casa"_s, u"Haus"_s)));
  EXPECT_EQ(w.Action(u"FileLast1"_s)->text(), u"&1 "_s + repaired);
}

// --- The question before unsaved changes go ---

TEST_F(EditorWindow, UnsavedChangesAreAskedAboutBeforeANewLibrary) {
  TVEditor& w = open();
  const auto typeRecord = [&] {
    w.RP->eVokabel->setFocus();
    QTest::keyClicks(w.RP->eVokabel, u"casa"_s);
    QTest::keyClicks(w.RP->eBedeutung0, u"Haus"_s);
    ASSERT_TRUE(library.Modified);
  };
  int dialogs = 0;
  QString answer;
  w.chooseSaveName = [&](const QString&) {
    ++dialogs;
    return answer;
  };

  // Not modified: no question.
  w.FileNew();
  EXPECT_TRUE(messages.messages().isEmpty());

  typeRecord();
  messages.queueAnswer(MessageAnswer::Cancel);
  w.Action(u"FileNew"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, kUnsaved);
  EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(entries(), QStringList{u"casa"_s});
  EXPECT_TRUE(library.Modified);

  // Yes, but the save dialog is cancelled: the same as Cancel.
  messages.clear();
  messages.queueAnswer(MessageAnswer::Yes);
  w.FileNew();
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(entries(), QStringList{u"casa"_s});

  // Yes and a name: saved, then the new library.
  messages.clear();
  answer = program.file(u"Vokabeln (S)/haus.asc"_s);
  messages.queueAnswer(MessageAnswer::Yes);
  w.FileNew();
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(program.read(u"Vokabeln (S)/haus.asc"_s), crlfLines(recordLines(u"casa"_s, u"Haus"_s)));
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
  EXPECT_FALSE(library.Modified);
  EXPECT_EQ(w.windowTitle(), u"zvk spanisch - editor"_s);

  // No: discarded without saving.
  typeRecord();
  messages.clear();
  messages.queueAnswer(MessageAnswer::No);
  w.FileNew();
  EXPECT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(listLines(), QStringList{u" <leer>"_s});
  EXPECT_FALSE(library.Modified);

  // The end of the window asks too; Cancel keeps it open.
  typeRecord();
  messages.clear();
  messages.queueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  messages.queueAnswer(MessageAnswer::Cancel);
  EXPECT_FALSE(w.Finish());
  EXPECT_EQ(messageTexts(), (QStringList{kUnsaved, kUnsaved}));
  EXPECT_FALSE(store.valueExists(editorKey(), u"W"_s));
  messages.queueAnswer(MessageAnswer::No);
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(store.valueExists(editorKey(), u"W"_s));
  EXPECT_EQ(messages.messages().size(), 3);
}

// --- Opening files and the recent files ---

TEST_F(EditorWindow, OpeningSeveralFilesAndTheRecentFiles) {
  QStringList files;
  for (const char* name : {"a", "b", "c", "d", "e"})
    files << writeEntries(QLatin1String(name) + u".asc"_s, {QLatin1String(name) + u"1=x"_s, QLatin1String(name) + u"2=y"_s});
  TVEditor& w = open();
  QStringList offered;
  QStringList chosen;
  w.chooseLibraries = [&](const QString& directory) {
    offered << directory;
    return chosen;
  };

  // The first file replaces the library, the others are appended.
  chosen = {files[0], files[1]};
  w.FileOpen();
  EXPECT_EQ(offered, QStringList{env.VocabularyDir});
  EXPECT_EQ(listLines(), (QStringList{u" a1"_s, u" a2"_s, u" b1"_s, u" b2"_s, u" <leer>"_s}));
  EXPECT_EQ(w.StatusPanel[1]->text(), u"4 Vokabeln"_s);
  EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"1/5"_s);
  EXPECT_EQ(w.Action(u"FileLast1"_s)->text(), u"&1 "_s + files[0]);
  EXPECT_FALSE(w.Action(u"FileLast2"_s)->isVisible());

  // Each open of a single file: newest first, at most four, no duplicates.
  messages.queueAnswer(MessageAnswer::No);  // the appended library was never saved
  for (const int i : {2, 3, 4, 1, 3}) {
    chosen = {files[i]};
    w.FileOpen();
  }
  const QStringList expected{files[3], files[1], files[4], files[2]};
  for (int i = 0; i < 4; ++i) {
    QAction* recent = w.Action(u"FileLast%1"_s.arg(i + 1));
    EXPECT_TRUE(recent->isVisible());
    EXPECT_EQ(recent->text(), u"&%1 "_s.arg(i + 1) + expected[i]);
  }
  EXPECT_EQ(entries(), (QStringList{u"d1"_s, u"d2"_s, QString()}));

  // A recent file opens again; one that is gone is named and taken out.
  messages.clear();
  w.Action(u"FileLast3"_s)->trigger();
  EXPECT_EQ(entries(), (QStringList{u"e1"_s, u"e2"_s, QString()}));
  EXPECT_EQ(w.Action(u"FileLast1"_s)->text(), u"&1 "_s + files[4]);
  QFile::remove(files[1]);
  w.Action(u"FileLast3"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_TRUE(messages.messages()[0].text.contains(files[1])) << messages.messages()[0].text.toStdString();
  EXPECT_EQ(entries(), (QStringList{u"e1"_s, u"e2"_s, QString()}));
  EXPECT_EQ(w.Action(u"FileLast1"_s)->text(), u"&1 "_s + files[4]);
  EXPECT_EQ(w.Action(u"FileLast2"_s)->text(), u"&2 "_s + files[3]);
  EXPECT_EQ(w.Action(u"FileLast3"_s)->text(), u"&3 "_s + files[2]);
  EXPECT_FALSE(w.Action(u"FileLast4"_s)->isVisible());

  // Adding a library keeps the current record; the records of two files
  // have no one file to go back to, so the next save asks for a name.
  w.chooseLibrary = [&](const QString&) { return files[0]; };
  w.SelectRecord(1);
  w.Action(u"FileAdd"_s)->trigger();
  EXPECT_EQ(entries(), (QStringList{u"e1"_s, u"e2"_s, u"a1"_s, u"a2"_s, QString()}));
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.StatusPanel[3]->text(), u"geändert"_s);
  EXPECT_TRUE(library.FileName.isEmpty());

  // The recent files and the last library outlive the window.
  messages.queueAnswer(MessageAnswer::No);
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(store.readString(editorKey(), u"0"_s), files[4]);
  EXPECT_EQ(store.readString(editorKey(), u"2"_s), files[2]);
  EXPECT_EQ(store.readString(editorKey(), u"3"_s).value_or(u"?"_s), QString());
  EXPECT_EQ(store.readString(editorKey(), u"LetzteBibliothek"_s), files[4]);
}

// --- Library commands ---

TEST_F(EditorWindow, LibraryCommandsKeepTheListInStepWithTheLibrary) {
  const QString file =
      writeEntries(u"a.asc"_s, {u"perro=Hund"_s, u"casa=Haus"_s, u"árbol=Baum"_s, u"casa=Haus"_s, u"gato=Katze"_s});
  TVEditor& w = openWith(file);
  const auto inStep = [&] {
    EXPECT_EQ(w.Liste->model()->rowCount(), library.Items.size());
    EXPECT_TRUE(library.Items.last().IsEmpty());
    EXPECT_EQ(listLines().last(), u" <leer>"_s);
    EXPECT_EQ(w.Liste->currentIndex().row(), library.Current);
    EXPECT_EQ(w.StatusPanel[1]->text(), u"%1 Vokabeln"_s.arg(library.Items.size() - 1));
  };

  w.SelectRecord(3);
  QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(entries(), (QStringList{u"árbol"_s, u"casa"_s, u"casa"_s, u"gato"_s, u"perro"_s, QString()}));
  EXPECT_TRUE(QRegularExpression(u"^Sortiert in \\d+ ms$"_s).match(w.StatusPanel[0]->text()).hasMatch())
      << w.StatusPanel[0]->text().toStdString();
  EXPECT_EQ(library.Current, 0);
  EXPECT_EQ(w.RP->eVokabel->text(), u"árbol"_s);
  inStep();

  w.Action(u"EditNoDoubles"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"1 doppelte Vokabeln wurden entfernt!"_s);
  EXPECT_EQ(entries(), (QStringList{u"árbol"_s, u"casa"_s, u"gato"_s, u"perro"_s, QString()}));
  EXPECT_EQ(w.windowTitle(), u"*zvk spanisch - "_s + file);
  inStep();

  QStringList before = entries();
  w.Action(u"EditMix"_s)->trigger();
  QStringList mixed = entries();
  EXPECT_EQ(mixed.last(), QString());
  std::sort(mixed.begin(), mixed.end());
  std::sort(before.begin(), before.end());
  EXPECT_EQ(mixed, before);
  inStep();

  // Turning from the third record on: reversed copies behind the records.
  w.EditSort();
  w.SelectRecord(2);
  w.Action(u"SPUmkehrenAb"_s)->trigger();
  EXPECT_EQ(entries(), (QStringList{u"árbol"_s, u"casa"_s, u"gato"_s, u"perro"_s, u"Katze"_s, u"Hund"_s, QString()}));
  EXPECT_TRUE(library.Items[4].Deutsch);
  EXPECT_EQ(library.Items[4].Bedeutung[0], u"gato"_s);
  inStep();

  w.SelectRecord(1);
  w.Action(u"EditDelVoc"_s)->trigger();
  EXPECT_EQ(entries().first(2), (QStringList{u"árbol"_s, u"gato"_s}));
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.RP->eVokabel->text(), u"gato"_s);
  inStep();

  // Inserting: an empty record before the current one, which cannot be left until filled.
  w.Action(u"EinVor"_s)->trigger();
  EXPECT_EQ(entries().first(3), (QStringList{u"árbol"_s, QString(), u"gato"_s}));
  EXPECT_EQ(library.Current, 1);
  inStep();
  messages.clear();
  w.EditSort();
  EXPECT_EQ(messageTexts(), QStringList{u"Die Bibliothek enthält eine unvollständige Vokabel!\rBitte "
                                        u"vervollständigen oder löschen Sie diese Vokabel."_s});
  EXPECT_EQ(entries().first(3), (QStringList{u"árbol"_s, QString(), u"gato"_s}));
  w.EditDelVoc();
  inStep();

  // Fewer than two records: nothing to compare.
  messages.queueAnswer(MessageAnswer::No);
  w.FileNew();
  messages.clear();
  w.EditNoDoubles();
  EXPECT_EQ(messageTexts(), QStringList{u"Nicht genug Vokabeln!"_s});
  inStep();
}

// --- Search and go to ---

TEST_F(EditorWindow, SearchSelectsTheHitAndGoToFindsNumbersAndBeginnings) {
  QStringList records;
  for (const char* e : {"perro=Hund", "Casa=Haus", "mesa=Tisch", "gato=Katze", "cama=Bett", "calle=Straße",
                        "sol=Sonne", "casita=kleines Haus", "luna=Mond", "agua=Wasser"})
    records << QString::fromUtf8(e);
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, records));
  QList<TVEditor::SearchRequest> lastRequests;
  std::optional<TVEditor::SearchRequest> request = TVEditor::SearchRequest{u"haus"_s, false};
  w.askSearch = [&](const TVEditor::SearchRequest& last) {
    lastRequests << last;
    return request;
  };

  w.Action(u"xSuchen"_s)->trigger();
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.RP->eBedeutung0->selectedText(), u"Haus"_s);
  EXPECT_EQ(w.RP->eBedeutung0->selectionStart(), 0);
  EXPECT_EQ(w.Action(u"GoToPos"_s)->text(), u"2/11"_s);
  // F3: the next hit, in another record's field.
  w.Action(u"xWeitersuchen"_s)->trigger();
  EXPECT_EQ(library.Current, 7);
  EXPECT_EQ(w.RP->eBedeutung0->text(), u"kleines Haus"_s);
  EXPECT_EQ(w.RP->eBedeutung0->selectedText(), u"Haus"_s);
  EXPECT_EQ(w.RP->eBedeutung0->selectionStart(), 8);
  EXPECT_TRUE(messages.messages().isEmpty());

  // Case-sensitive: only the entry written with a capital.
  request = TVEditor::SearchRequest{u"Ca"_s, true};
  w.Suchen();
  EXPECT_EQ(lastRequests.last().text, u"haus"_s);
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.RP->eVokabel->selectedText(), u"Ca"_s);
  w.Weitersuchen();  // the only hit again
  EXPECT_EQ(library.Current, 1);

  request = TVEditor::SearchRequest{u"Elefant"_s, false};
  w.Suchen();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Suche blieb erfolglos!"_s);
  EXPECT_EQ(library.Current, 1);
  messages.clear();
  request.reset();  // Cancel
  w.Suchen();
  EXPECT_TRUE(messages.messages().isEmpty());

  std::optional<QString> goTo = u"12"_s;
  w.askGoTo = [&] { return goTo; };
  w.SelectRecord(4);
  w.Action(u"GoToPos"_s)->trigger();
  EXPECT_EQ(library.Current, 4);
  goTo = u"10"_s;
  w.GoToPos();
  EXPECT_EQ(library.Current, 9);
  w.GoTo(u"3"_s);
  EXPECT_EQ(library.Current, 2);
  w.GoTo(u"ca"_s);
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(w.RP->eVokabel->text(), u"Casa"_s);
  w.GoTo(u"CAL"_s);
  EXPECT_EQ(library.Current, 5);
  w.GoTo(u"xyz"_s);
  EXPECT_EQ(library.Current, 5);
  EXPECT_TRUE(messages.messages().isEmpty());
}

// --- Previews ---

TEST_F(EditorWindow, PreviewsShowTheRecordAsAnExercise) {
  QStringList lines = recordLines(u"casa"_s, u"Haus; Heim"_s) + recordLines(u"perro"_s, u"Hund"_s);
  lines += contextRecordLines(u"gato"_s, u"Katze"_s, u"el [*] duerme"_s);
  for (const char* e : {"mesa", "silla", "cama", "puerta", "ventana"}) lines += recordLines(QLatin1String(e), QLatin1String(e) + u"-de"_s);
  TVEditor& w = openWith(writeLibrary(u"a.asc"_s, lines));
  ASSERT_TRUE(messages.messages().isEmpty());

  w.Action(u"PreviewEin"_s)->trigger();
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s);
  EXPECT_TRUE(w.XPage->GetVariable(u"Aufgabe"_s).contains(u"casa"_s));
  EXPECT_EQ(w.XPage->GetVariable(u"lsg"_s), u"Haus; Heim"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
  // The same key again: hidden.
  w.Action(u"PreviewEin"_s)->trigger();
  EXPECT_FALSE(w.XPage->isVisible());

  // Multiple choice: the right meaning once among six answer links.
  w.Action(u"PreviewMCH"_s)->trigger();
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_mch.htx"_s);
  int right = 0;
  for (int i = 0; i < 6; ++i) {
    const QString option = w.XPage->GetVariable(u"MCH%1"_s.arg(i));
    EXPECT_TRUE(option.contains(u"vokabel"_s)) << option.toStdString();
    if (option.contains(u"vokabel+"_s)) {
      ++right;
      EXPECT_TRUE(option.contains(u"Haus"_s)) << option.toStdString();
    }
  }
  EXPECT_EQ(right, 1);
  // Another kind replaces the shown one.
  w.Action(u"PreviewEin"_s)->trigger();
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s);

  // The preview follows the current record.
  w.NextRecord();
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_TRUE(w.XPage->GetVariable(u"Aufgabe"_s).contains(u"perro"_s));
  EXPECT_EQ(w.XPage->GetVariable(u"lsg"_s), u"Hund"_s);

  // No context: the message, and no preview.
  w.Action(u"PreviewKontext"_s)->trigger();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].text, u"Kein (gültiger) Kontext vorhanden!"_s);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_FALSE(w.XPage->isVisible());
  messages.clear();

  w.NextRecord();
  w.Action(u"PreviewKontext"_s)->trigger();
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_ktx.htx"_s);
  const QString task = w.XPage->GetVariable(u"Aufgabe"_s);
  EXPECT_TRUE(task.startsWith(u"el <a gap lsg=\"gato\""_s)) << task.toStdString();
  EXPECT_TRUE(task.endsWith(u"</a> duerme"_s)) << task.toStdString();
  EXPECT_TRUE(messages.messages().isEmpty());

  // Onto the empty trailing record: the preview goes without a message.
  ASSERT_TRUE(w.SelectRecord(8));
  EXPECT_FALSE(w.XPage->isVisible());
  EXPECT_TRUE(messages.messages().isEmpty());
  // An incomplete record gets none.
  for (const char* kind : {"PreviewEin", "PreviewMCH", "PreviewKontext"}) {
    messages.clear();
    w.Action(QLatin1String(kind))->trigger();
    EXPECT_EQ(messageTexts(), QStringList{kIncomplete}) << kind;
    EXPECT_FALSE(w.XPage->isVisible()) << kind;
  }
}

TEST_F(EditorWindow, PreviewPageCommandsAnswerButRecordNothing) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s}));
  const auto show = [&] {
    if (!w.XPage->isVisible() || w.PreviewControl().Answered()) w.Preview(TEditorPreview::Typing);
    ASSERT_TRUE(w.XPage->isVisible());
    ASSERT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s);
  };

  show();
  w.XPage->FollowLink(u"§close"_s);  // the page's own link
  EXPECT_FALSE(w.XPage->isVisible());

  show();
  w.PreviewCommand(u"vokabel+"_s);
  EXPECT_EQ(w.XPage->XFile(), u"_ed_richtig.htx"_s);
  EXPECT_TRUE(w.PreviewControl().Answered());
  // Answered: the key shows the task again instead of hiding the preview.
  w.Preview(TEditorPreview::Typing);
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s);

  w.PreviewCommand(u"vokabel-"_s);
  EXPECT_EQ(w.XPage->XFile(), u"_ed_falsch1.htx"_s);
  show();
  w.PreviewCommand(u"vokabel#2-"_s);
  EXPECT_EQ(w.XPage->XFile(), u"_ed_falsch1.htx"_s);
  show();
  w.PreviewCommand(u"vokabel[~2]-"_s);
  EXPECT_EQ(w.XPage->XFile(), u"_ed_falsch2.htx"_s);

  // The trainer's links mean nothing here.
  show();
  for (const char* command : {"vokabelweiter", "vokabel%x", "vokabel", "vokabel+x", "vstart"}) {
    w.PreviewCommand(QLatin1String(command));
    EXPECT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s) << command;
    EXPECT_TRUE(w.XPage->isVisible()) << command;
    EXPECT_FALSE(w.PreviewControl().Answered()) << command;
  }

  // "solve" shows the solution and counts as answered; a second "solve" asks again.
  w.PreviewCommand(u"solve"_s);
  EXPECT_TRUE(w.PreviewControl().Answered());
  EXPECT_TRUE(w.XPage->isVisible());
  w.PreviewCommand(u"solve"_s);
  EXPECT_FALSE(w.PreviewControl().Answered());
  EXPECT_EQ(w.XPage->XFile(), u"_ed_ein.htx"_s);
  w.PreviewCommand(u"close"_s);
  EXPECT_FALSE(w.XPage->isVisible());

  EXPECT_TRUE(messages.messages().isEmpty());
  EXPECT_FALSE(library.Modified);
  EXPECT_FALSE(users.IsModified());
}

// --- A learner's scores ---

TEST_F(EditorWindow, ALearnersScoresShowAndTheEndSavesTheLearnerOnly) {
  users.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); };
  ASSERT_TRUE(users.CreateUser(u"Ana"_s, QString()));
  users.RecordAnswer(u"casa"_s, false, QLatin1Char('e'), 100, 0);
  users.RecordAnswer(u"casa"_s, false, QLatin1Char('e'), 100, 0);
  ASSERT_TRUE(users.SaveUser());
  users.ListUsers();
  const QString userFile = program.file(u"Benutzer/Ana/Ana_S.tmb"_s);
  ASSERT_TRUE(QFile::exists(userFile));
  const QString learnerKey = Environment::kBaseKey + u"\\Ana"_s;
  store.deleteKey(learnerKey);

  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s}));
  EXPECT_FALSE(w.Action(u"ScoreReset"_s)->isEnabled());
  users.clock = [] { return QDateTime(QDate(2024, 3, 6), QTime(9, 0)); };
  w.Action(u"UserLogon"_s)->trigger();  // the only learner, without a password: no dialog
  ASSERT_TRUE(users.IsLoggedIn());
  EXPECT_EQ(w.StatusPanel[2]->text(), u"Ana"_s);
  EXPECT_TRUE(w.Action(u"ScoreReset"_s)->isEnabled());
  EXPECT_FALSE(w.Action(u"UserLogon"_s)->isEnabled());
  const int score = users.ItemScore(u"casa"_s, false, 0);
  ASSERT_NE(score, 0);
  EXPECT_EQ(scoreCell(0), QString::number(score) + u"%"_s);
  EXPECT_EQ(scoreCell(1), u"0%"_s);

  w.Action(u"ScoreReset"_s)->trigger();
  EXPECT_EQ(scoreCell(0), u"0%"_s);
  EXPECT_EQ(users.ItemScore(u"casa"_s, false, 0), 0);

  users.RecordAnswer(u"perro"_s, false, QLatin1Char('m'), 50, 0);
  users.clock = [] { return QDateTime(QDate(2024, 3, 6), QTime(9, 1, 30)); };
  const QByteArray before = program.read(u"Benutzer/Ana/Ana_S.tmb"_s);
  EXPECT_TRUE(w.Finish());
  EXPECT_FALSE(users.IsLoggedIn());
  EXPECT_NE(program.read(u"Benutzer/Ana/Ana_S.tmb"_s), before);
  // The learner's window settings are the trainer's: the editor leaves them alone.
  EXPECT_FALSE(store.valueExists(learnerKey, u"Fenster-Modus"_s));
  EXPECT_FALSE(store.valueExists(learnerKey, u"Hintergrund"_s));
  EXPECT_FALSE(store.valueExists(Environment::kBaseKey + u"\\Anonym"_s, u"Fenster-Modus"_s));

  // What the user file keeps: the answers and the learning time of this session.
  TXUserBase again(env);
  ASSERT_EQ(again.OpenUser(u"Ana"_s, QString()), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(again.ItemScore(u"casa"_s, false, 0), 0);
  EXPECT_NE(again.ItemScore(u"perro"_s, false, 0), 0);
  EXPECT_EQ(again.StoredLearningSeconds(), 90);
  EXPECT_TRUE(messages.messages().isEmpty());
}
