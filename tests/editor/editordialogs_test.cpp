#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "common/textcodec.h"
#include "editor/editortestsupport.h"
#include "editor/recordform.h"
#include "editor/timport.h"
#include "editor/txreset.h"
#include "pages/txpage.h"

namespace {

using namespace Qt::StringLiterals;

const QString kUnsaved =
    u"Die aktuelle Bibliothek wurde verändert.\rSollen die Veränderungen jetzt gespeichert werden?\r\r"
    u"[Die Veränderungen gehen sonst verloren]"_s;
const QString kSeparatorMissing = u"Bitte geben Sie das Trennzeichen der Werte an."_s;
const QString kSeparatorTooLong =
    u"Die Werte einer Zeile können nur durch ein einzelnes Zeichen getrennt sein"_s;

const QStringList kSeparators = {u"Tabulator [TAB]"_s, u"Doppelpunkt [:]"_s, u"Bindestrich [-]"_s,
                                 u"Semikolon [;]"_s,   u"Komma [,]"_s,       u"Schrägstrich [/]"_s};
const QStringList kStructures = {u"Vokabel, Bedeutung"_s,
                                 u"Vokabel, Bedeutung, Bedeutung"_s,
                                 u"Vokabel, Bedeutung, Bedeutung, Bedeutung"_s,
                                 u"Vokabel, Bedeutung, Wortart"_s,
                                 u"Vokabel, Bedeutung, Bedeutung, Kontext, Kontext"_s,
                                 u"Vokabel, Bedeutung, Schwierigkeit"_s,
                                 u"Vokabel, Bedeutung, Sonstwas, Kontext"_s};

QStringList comboItems(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

// A record as "entry|meaning|meaning|context|context|class|difficulty".
QString recordText(const TVokabel& v) {
  return QStringList{v.Vokabel, v.Bedeutung[0], v.Bedeutung[1], v.Kontext[0], v.Kontext[1],
                     QString::number(v.Wortart), QString::number(v.Schwierigkeit)}
      .join(u'|');
}

class EditorDialogsImport : public EditorFixture {
 protected:
  static QString importKey() { return Environment::kBaseKey + u"\\Anonym\\Import"_s; }
  QString stored(const QString& name) const { return store.readString(importKey(), name).value_or(QString()); }
};

using EditorDialogsReset = EditorFixture;

}  // namespace

// --- The import assistant ---

TEST_F(EditorDialogsImport, TheAssistantOffersSeparatorsStructuresAndItsHelpPage) {
  EXPECT_EQ(TImport::SeparatorOf(u"Tabulator [TAB]"_s), QChar(u'\t'));
  EXPECT_EQ(TImport::SeparatorOf(u"Semikolon [;]"_s), QChar(u';'));
  EXPECT_EQ(TImport::SeparatorOf(u"[|]"_s), QChar(u'|'));
  EXPECT_EQ(TImport::SeparatorOf(u";"_s), QChar(u';'));
  EXPECT_EQ(TImport::SeparatorOf(u"Tab [tab]"_s), QChar(u'\t'));
  EXPECT_EQ(TImport::SeparatorOf(u"[Tab]"_s), QChar(u'\t'));
  for (const QString& none : {QString(), u"ab"_s, u"Zeichen [ab]"_s, u"Komma [,] "_s, u"[]"_s})
    EXPECT_EQ(TImport::SeparatorOf(none), std::nullopt) << none.toStdString();

  program.write(u"hzvk/_import.htx"_s,
                ZStream::compress("<html><title>Import-Hilfe</title>Die Werte einer Zeile</html>"));
  TVEditor& w = open();
  int asked = 0;
  w.importDialogAnswer = [&](TImport& dialog) {
    ++asked;
    EXPECT_EQ(dialog.windowTitle(), u"Import-Assistent"_s);
    EXPECT_EQ(comboItems(dialog.Separator), kSeparators);
    EXPECT_EQ(comboItems(dialog.Struktur), kStructures);
    EXPECT_EQ(dialog.Separator->currentText(), kSeparators[0]);
    EXPECT_EQ(dialog.Struktur->currentText(), kStructures[0]);
    // The help page comes once the dialog is on the screen.
    dialog.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.Hilfe->XFile().isEmpty(); }, 2000));
    EXPECT_EQ(dialog.Hilfe->XFile(), u"_import.htx"_s);
    EXPECT_EQ(dialog.Hilfe->PageTitle(), u"Import-Hilfe"_s);
    dialog.hide();
    return false;
  };
  w.ImportX();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorDialogsImport, EachSeparatorAndStructureImportsAndIsRemembered) {
  // Structure i with separator i (the last one with the tab again); "|" stands for the separator.
  const QChar cuts[] = {u'\t', u':', u'-', u';', u',', u'/', u'\t'};
  const QList<QStringList> lines = {
      {u"uno|eins"_s},
      {u"dos|zwei|Zwo"_s},
      {u"tres|drei|Drei|Dritte"_s},
      {u"rojo|rot|2"_s, u"casa|Haus|8"_s, u"perro|Hund|x"_s},
      {u"mesa|Tisch|Tafel|La [mesa] es grande|Una [mesa] nueva"_s},
      {u"gato|Katze|4"_s, u"sol|Sonne|9"_s},
      {u"luna|Mond|egal|La [luna] brilla"_s},
  };
  const QList<QStringList> expected = {
      {u"uno|eins||||0|2"_s},
      {u"dos|zwei|Zwo|||0|2"_s},
      {u"tres|drei|Drei; Dritte|||0|2"_s},
      {u"rojo|rot||||2|2"_s, u"casa|Haus||||0|2"_s, u"perro|Hund||||0|2"_s},  // 8 is no word class
      {u"mesa|Tisch|Tafel|La [mesa] es grande|Una [mesa] nueva|0|2"_s},
      {u"gato|Katze||||0|4"_s, u"sol|Sonne||||0|2"_s},  // 9 is no difficulty
      {u"luna|Mond||La [luna] brilla||0|2"_s},
  };
  const QString folder = program.mkdir(u"Texte"_s);
  TVEditor& w = open();
  QString file;
  QStringList starts;
  w.chooseImportFile = [&](const QString& directory) {
    starts << directory;
    return file;
  };
  for (int i = 0; i < kStructures.size(); ++i) {
    SCOPED_TRACE(kStructures[i].toStdString());
    file = program.write(u"Texte/import%1.txt"_s.arg(i),
                         Cp1252::encode(lines[i].join(u"\r\n"_s).replace(u'|', cuts[i]) + u"\r\n"_s));
    const QString separator = kSeparators[i % kSeparators.size()];
    w.importDialogAnswer = [&, i](TImport& dialog) {
      if (i > 0) {  // the assistant shows what was chosen the last time
        EXPECT_EQ(dialog.Separator->currentText(), kSeparators[(i - 1) % kSeparators.size()]);
        EXPECT_EQ(dialog.Struktur->currentText(), kStructures[i - 1]);
      }
      dialog.Separator->setCurrentIndex(i % kSeparators.size());
      dialog.Struktur->setCurrentIndex(i);
      return true;
    };
    w.ImportX();

    QStringList records;
    for (const TVokabel& v : library.Items)
      if (!v.IsEmpty()) records << recordText(v);
    EXPECT_EQ(records, expected[i]);
    EXPECT_EQ(listLines().size(), expected[i].size() + 1);
    EXPECT_EQ(listLines().first(), u" "_s + expected[i].first().section(u'|', 0, 0));
    EXPECT_EQ(w.RP->eVokabel->text(), expected[i].first().section(u'|', 0, 0));
    EXPECT_EQ(w.Current(), 0);
    EXPECT_FALSE(library.Modified);
    EXPECT_EQ(stored(u"Trennzeichen"_s), separator);
    EXPECT_EQ(stored(u"Struktur"_s), kStructures[i]);
    EXPECT_EQ(QFileInfo(stored(u"Verzeichnis"_s)).canonicalFilePath(), QFileInfo(folder).canonicalFilePath());
  }
  // The file dialog starts in the vocabulary folder, then where the last file was.
  ASSERT_EQ(starts.size(), kStructures.size());
  EXPECT_EQ(QFileInfo(starts[0]).canonicalFilePath(), QFileInfo(env.VocabularyDir).canonicalFilePath());
  EXPECT_EQ(QFileInfo(starts[1]).canonicalFilePath(), QFileInfo(folder).canonicalFilePath());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorDialogsImport, RefusedSeparatorsCancelAndUnsavedChangesLeaveTheLibrary) {
  TVEditor& w = open();
  w.OpenFiles({writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s, u"gato=Katze"_s})});
  const QStringList before = entries();
  int files = 0;
  w.chooseImportFile = [&](const QString&) {
    ++files;
    return QString();
  };
  int asked = 0;
  QString separator;
  bool ok = true;
  w.importDialogAnswer = [&](TImport& dialog) {
    ++asked;
    dialog.Separator->setCurrentText(separator);
    return ok;
  };

  // Cancel: the first record, nothing else.
  ASSERT_TRUE(w.SelectRecord(2));
  ok = false;
  w.ImportX();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(files, 0);
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(w.Current(), 0);
  EXPECT_EQ(w.Liste->currentIndex().row(), 0);
  EXPECT_TRUE(messages.messages().isEmpty());

  // No separator, or one of two characters: the message, no file dialog.
  ok = true;
  separator = u"  "_s;
  w.ImportX();
  EXPECT_EQ(messageTexts(), QStringList{kSeparatorMissing});
  messages.clear();
  separator = u"Zeichen [ab]"_s;
  w.ImportX();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_TRUE(messages.messages()[0].text.startsWith(kSeparatorTooLong)) << messages.messages()[0].text.toStdString();
  EXPECT_EQ(files, 0);

  // A usable separator, but no file chosen.
  messages.clear();
  separator = u"[;]"_s;
  w.ImportX();
  EXPECT_EQ(files, 1);
  EXPECT_EQ(entries(), before);
  EXPECT_FALSE(store.keyExists(importKey()));
  EXPECT_TRUE(messages.messages().isEmpty());

  // Unsaved changes are asked about first; Cancel stops before the assistant.
  w.RP->eBedeutung0->setFocus();
  QTest::keyClicks(w.RP->eBedeutung0, u"s"_s);
  ASSERT_TRUE(library.Modified);
  asked = 0;
  messages.queueAnswer(MessageAnswer::Cancel);
  w.ImportX();
  EXPECT_EQ(messageTexts(), QStringList{kUnsaved});
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(library.Modified);
  messages.queueAnswer(MessageAnswer::No);
  ok = false;
  w.ImportX();
  EXPECT_EQ(asked, 1);
}

// --- Resetting a learner's answers ---

TEST_F(EditorDialogsImport, OkIsRefusedWhileTheSeparatorCannotBeCutWith) {
  TImport dialog(program.path() + u"hzvk/"_s);
  dialog.show();
  for (const auto& [text, message] : std::initializer_list<std::pair<QString, QString>>{
           {u"Eigenes []"_s, kSeparatorMissing}, {u"   "_s, kSeparatorMissing}, {u"ab"_s, kSeparatorTooLong}}) {
    messages.clear();
    dialog.Separator->setCurrentText(text);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << text.toStdString();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages().first().text.startsWith(message)) << text.toStdString();
  }
  messages.clear();
  dialog.Separator->setCurrentText(u"Leerzeichen [ ]"_s);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorDialogsReset, ARecordTwiceInTheLibraryLosesItsAnswersOnce) {
  users.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); };
  ASSERT_TRUE(users.CreateUser(u"Ana"_s, QString()));
  for (int score : {10, 10}) users.RecordAnswer(u"casa"_s, false, QLatin1Char('e'), score, 0);
  ASSERT_TRUE(users.SaveUser());
  users.ListUsers();
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"casa=Haus"_s}));
  w.Action(u"UserLogon"_s)->trigger();
  ASSERT_TRUE(users.IsLoggedIn());
  const int before = users.ItemScore(u"casa"_s, false, 0);
  w.resetDialogAnswer = [](TXReset& dialog) {
    dialog.Versuche->setValue(1);
    return true;
  };
  w.ScoreResetAllX();
  const int after = users.ItemScore(u"casa"_s, false, 0);
  EXPECT_LT(after, before);
  EXPECT_NE(after, 0);  // one of the two answers went, not both
  EXPECT_EQ(library.Items[0].Score, after);
  EXPECT_EQ(library.Items[1].Score, after);
}

TEST_F(EditorDialogsReset, ResetsTheLibrarysOrEveryAnswerOfTheLearner) {
  users.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); };
  ASSERT_TRUE(users.CreateUser(u"Ana"_s, QString()));
  for (const auto& [text, score] : std::initializer_list<std::pair<QString, int>>{
           {u"casa"_s, 50}, {u"casa"_s, 50}, {u"perro"_s, -20}, {u"gato"_s, 30}, {u"sol"_s, -10}})
    users.RecordAnswer(text, false, QLatin1Char('e'), score, 0);
  ASSERT_TRUE(users.SaveUser());
  users.ListUsers();

  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s, u"mesa=Tisch"_s}));
  EXPECT_FALSE(w.Action(u"ScoreResetAll"_s)->isEnabled());
  w.Action(u"UserLogon"_s)->trigger();
  ASSERT_TRUE(users.IsLoggedIn());
  EXPECT_TRUE(w.Action(u"ScoreResetAll"_s)->isEnabled());
  const int perro = users.ItemScore(u"perro"_s, false, 0);
  ASSERT_GT(users.ItemScore(u"casa"_s, false, 0), 0);
  ASSERT_LT(perro, 0);
  ASSERT_NE(scoreCell(0), u"0%"_s);

  // The dialog: the learner's name, all five answers.
  int shown = 0;
  w.resetDialogAnswer = [&](TXReset& dialog) {
    ++shown;
    EXPECT_EQ(dialog.windowTitle(), u"Ana"_s);
    EXPECT_EQ(dialog.Versuche->minimum(), 1);
    EXPECT_EQ(dialog.Versuche->maximum(), 5);
    EXPECT_EQ(dialog.Versuche->value(), 5);
    EXPECT_EQ(dialog.lVersuche->text(), u"5 Antworten"_s);
    EXPECT_TRUE(dialog.Bibliothek->isChecked());
    EXPECT_FALSE(dialog.nurPositiv->isChecked());
    dialog.Versuche->setValue(2);
    EXPECT_EQ(dialog.lVersuche->text(), u"2 Antworten"_s);
    return false;
  };
  w.ScoreResetAllX();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(users.ItemScore(u"casa"_s, false, 0), 100);  // Cancel takes nothing back

  // This library, positive scores only: the negative one stays.
  const auto answer = [&](bool library, bool positiveOnly, int n) {
    w.resetDialogAnswer = [=](TXReset& dialog) {
      (library ? dialog.Bibliothek : dialog.Datenbank)->setChecked(true);
      dialog.nurPositiv->setChecked(positiveOnly);
      dialog.Versuche->setValue(n);
      return true;
    };
  };
  answer(true, true, 5);
  w.ScoreResetAllX();
  EXPECT_EQ(scoreCell(0), u"0%"_s);
  EXPECT_EQ(users.ItemScore(u"casa"_s, false, 0), 0);
  EXPECT_EQ(scoreCell(1), QString::number(perro) + u"%"_s);
  EXPECT_EQ(users.ItemScore(u"perro"_s, false, 0), perro);

  // This library, every score: the records outside it stay.
  answer(true, false, 5);
  w.ScoreResetAllX();
  EXPECT_EQ(scoreCell(1), u"0%"_s);
  EXPECT_EQ(users.ItemScore(u"perro"_s, false, 0), 0);
  EXPECT_GT(users.ItemScore(u"gato"_s, false, 0), 0);
  EXPECT_LT(users.ItemScore(u"sol"_s, false, 0), 0);

  // Everything the learner answered; the library's scores follow.
  users.RecordAnswer(u"mesa"_s, false, QLatin1Char('e'), 30, 0);
  users.RecordAnswer(u"mesa"_s, false, QLatin1Char('e'), 30, 0);
  EXPECT_EQ(scoreCell(2), u"0%"_s);  // not shown before the reset
  answer(false, false, 1);
  w.ScoreResetAllX();
  EXPECT_EQ(users.ItemScore(u"mesa"_s, false, 0), 30);
  EXPECT_EQ(scoreCell(2), u"30%"_s);
  EXPECT_EQ(users.ItemScore(u"gato"_s, false, 0), 0);
  EXPECT_EQ(users.ItemScore(u"sol"_s, false, 0), 0);
  EXPECT_TRUE(messages.messages().isEmpty());

  w.Action(u"UserLogoff"_s)->trigger();
  EXPECT_FALSE(w.Action(u"ScoreResetAll"_s)->isEnabled());
}
