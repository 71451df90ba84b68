#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "common/textcodec.h"
#include "editor/editortestsupport.h"
#include "editor/recordform.h"
#include "editor/editortexts.h"
#include "editor/tedconfig.h"
#include "pages/txpage.h"

namespace {

using namespace Qt::StringLiterals;
using namespace EditorScheme;

const QString kSettingsNotSaved = u"Einstellungen konnten nicht gespeichert werden"_s;

QByteArray schemeLines(const QStringList& lines) { return Cp1252::encode(lines.join(u"\r\n"_s) + u"\r\n"_s); }

// An installed family other than the fallback, for reading a font back.
QString installedFamily() {
  const QStringList families = QFontDatabase::families();
  if (families.contains(u"Liberation Sans"_s)) return u"Liberation Sans"_s;
  for (const QString& f : families)
    if (f.compare(u"Arial"_s, Qt::CaseInsensitive) != 0 && Cp1252::decode(Cp1252::encode(f)) == f) return f;
  return {};
}

// Writing a file into the folder fails while this lives: the folder is
// read-only; where that does not stop this process (root writes anyway),
// a folder of the file's name is in the way as well.
class UnwritableFolder {
 public:
  UnwritableFolder(const QString& folder, const QString& fileName) : folder_(folder) {
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::ExeOther);
    QFile probe(folder_ + u"/.probe"_s);
    if (probe.open(QIODevice::WriteOnly)) {
      probe.close();
      probe.remove();
      QDir(folder_).mkdir(fileName);
    }
  }
  ~UnwritableFolder() {
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  }

 private:
  QString folder_;
};

using EditorSchemeWindow = EditorFixture;

class EditorSchemeDialog : public EditorFixture {
 protected:
  // The dialog on scheme and name, shown, counting the times it applies the scheme.
  std::unique_ptr<TEdConfig> openDialog() {
    auto dialog = std::make_unique<TEdConfig>(env, scheme, name, [this] { ++applied; }, nullptr);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }
  static QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
  }
  static void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }

  TElemente scheme = TElemente::PlatformDefaults();
  QString name = kDefaultName;
  int applied = 0;
};

}  // namespace

// --- Scheme files ---

TEST(EditorScheme, ReadingTakesEachKnownValueOrItsFallback) {
  const QString family = installedFamily();
  ASSERT_FALSE(family.isEmpty());
  TestTree tree;
  const QString file = tree.write(u"a.ed"_s, schemeLines({
      u"Kommentar ohne Gleichheitszeichen"_s,
      u" schrift = "_s + family.toLower() + u"  "_s,
      u"Fett=01"_s,
      u"SIZE1= 7 "_s,
      u"size2=20"_s,
      u"SIZE3=abc"_s,
      u"FARBE0=00FF80"_s,
      u"farbe1 = #00ff80"_s,
      u"FARBE2=#GGGGGG"_s,
      u"FARBE3=#1234567"_s,
      u"FARBE8=#FFFFFF"_s,
      u"SIZE4=8"_s,
      u"=#FFFFFF"_s,
  }));
  TElemente scheme;
  scheme.sizes = {12, 12, 12};
  scheme.bold = true;
  scheme.changed = true;
  scheme.colours[4] = QColor(1, 2, 3);
  ReadScheme(file, scheme);
  EXPECT_EQ(scheme.font, family);
  EXPECT_FALSE(scheme.bold);
  EXPECT_EQ(scheme.sizes, (std::array<int, 3>{7, 10, 14}));  // unusable sizes give the defaults, not the old values
  EXPECT_EQ(scheme.colours[0], QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(scheme.colours[1], QColor(0, 255, 128));
  EXPECT_EQ(scheme.colours[2], QColor(0, 0, 255));
  EXPECT_EQ(scheme.colours[3], QColor(0, 0, 255));
  EXPECT_EQ(scheme.colours[4], QColor(1, 2, 3));  // missing keys keep their values
  EXPECT_FALSE(scheme.changed);

  // Only "1" is bold; a font that is not installed is Arial; the value ends after 255 characters.
  const auto read = [&](const QString& line, TElemente s = {}) {
    ReadScheme(tree.write(u"b.ed"_s, schemeLines({line})), s);
    return s;
  };
  EXPECT_TRUE(read(u"FETT= 1 "_s).bold);
  TElemente bold;
  bold.bold = true;
  for (const QString& value : {u"01"_s, u"true"_s, u"2"_s, QString()}) EXPECT_FALSE(read(u"FETT="_s + value, bold).bold) << value.toStdString();
  EXPECT_EQ(read(u"SCHRIFT=Keine Solche Schrift"_s).font, u"Arial"_s);
  EXPECT_EQ(read(u"SCHRIFT="_s + family.leftJustified(255) + u"x"_s).font, family);

  // A missing file changes nothing.
  TElemente kept = bold;
  kept.changed = true;
  ReadScheme(tree.file(u"fehlt.ed"_s), kept);
  EXPECT_TRUE(kept.changed);
  EXPECT_TRUE(kept.bold);
}

// A number reader would also take a "0X" prefix, a sign or blanks; in a
// scheme file each of them makes the value no colour, which reads as blue.
TEST(EditorScheme, ColourWithAnyCharacterThatIsNoHexDigitIsBlue) {
  TestTree tree;
  for (const QString& value : {u"#0X80"_s, u"#0x80"_s, u"#+80"_s, u"# 80"_s}) {
    TElemente scheme;
    ReadScheme(tree.write(u"c.ed"_s, schemeLines({u"FARBE2="_s + value})), scheme);
    EXPECT_EQ(scheme.colours[2], QColor(0, 0, 255)) << value.toStdString();
  }
}

TEST(EditorScheme, WrittenFileIsExactAndReadsBack) {
  TElemente scheme;
  scheme.font = u"Überschrift"_s;
  scheme.bold = true;
  scheme.sizes = {8, 11, 13};
  const char* colours[] = {"#000000", "#ffffff", "#00FF80", "#4f4f4f", "#C0C0C0", "#0000FF", "#12ab9c", "#FEDCBA"};
  for (int i = 0; i < TElemente::kColours; ++i) scheme.colours[i] = QColor(QLatin1String(colours[i]));
  EXPECT_EQ(SchemeText(scheme), QByteArray("SCHRIFT=\xDC" "berschrift\r\nFETT=1\r\nSIZE1=8\r\nSIZE2=11\r\nSIZE3=13\r\n"
                                           "FARBE0=#000000\r\nFARBE1=#FFFFFF\r\nFARBE2=#00FF80\r\nFARBE3=#4F4F4F\r\n"
                                           "FARBE4=#C0C0C0\r\nFARBE5=#0000FF\r\nFARBE6=#12AB9C\r\nFARBE7=#FEDCBA\r\n"));

  // Written into a folder that is not there yet and read into other values.
  TestTree tree;
  scheme.font = installedFamily();
  const QString file = tree.file(u"Editor/neu.ed"_s);
  ASSERT_TRUE(WriteScheme(file, scheme));
  EXPECT_EQ(tree.read(u"Editor/neu.ed"_s), SchemeText(scheme));
  TElemente back = TElemente::PlatformDefaults();
  ReadScheme(file, back);
  EXPECT_EQ(back.colours, scheme.colours);
  EXPECT_EQ(back.sizes, scheme.sizes);
  EXPECT_EQ(back.bold, scheme.bold);
  EXPECT_EQ(back.font, scheme.font);

  scheme.bold = false;
  EXPECT_TRUE(SchemeText(scheme).contains("\r\nFETT=0\r\n"));
}

TEST(EditorScheme, SchemeFolderAndNamesIgnoreLetterCase) {
  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  Environment env(program.path(), store);
  EXPECT_EQ(SchemeDir(env), program.path() + u"Editor/"_s);
  EXPECT_EQ(SchemeFile(env, u"Neu"_s), program.path() + u"Editor/Neu.ed"_s);
  EXPECT_TRUE(SchemeNames(env).isEmpty());

  for (const char* file : {"Papier.ed", "papier.ED", "DEFAULT.ED", "Nacht.ed", "notiz.txt"})
    program.write(u"editor/"_s + QLatin1String(file), "FARBE0=#000000\r\n");
  program.mkdir(u"editor/Alt.ed"_s);
  EXPECT_EQ(SchemeDir(env), program.path() + u"editor/"_s);
  EXPECT_EQ(SchemeFile(env, u"NACHT"_s), program.path() + u"editor/Nacht.ed"_s);
  EXPECT_EQ(SchemeFile(env, u"default"_s), program.path() + u"editor/DEFAULT.ED"_s);
  EXPECT_TRUE(SchemeExists(env, u"nacht"_s));
  EXPECT_FALSE(SchemeExists(env, u"Alt"_s));  // a folder is no scheme
  EXPECT_FALSE(SchemeExists(env, u"notiz"_s));
  EXPECT_FALSE(SchemeExists(env, QString()));

  QStringList names = SchemeNames(env);
  ASSERT_EQ(names.size(), 2) << names.join(u","_s).toStdString();
  names.sort(Qt::CaseInsensitive);
  EXPECT_EQ(names[0], u"Nacht"_s);
  EXPECT_EQ(names[1].compare(u"papier"_s, Qt::CaseInsensitive), 0);
}

TEST(EditorScheme, ShadesStayInRangeAndTextFollowsBrightness) {
  EXPECT_EQ(Lighter(QColor(0xF0, 0xF0, 0xF0), 64), QColor(255, 255, 255));
  EXPECT_EQ(Lighter(QColor(0x10, 0xC0, 0x00), 64), QColor(0x50, 0xFF, 0x40));
  EXPECT_EQ(Darker(QColor(0x10, 0x10, 0x10), 32), QColor(0, 0, 0));
  EXPECT_EQ(Darker(QColor(0x00, 0xFF, 0x80), 32), QColor(0x00, 0xDF, 0x60));
  EXPECT_EQ(TextOn(QColor(0x4F, 0x4F, 0x4F)), QColor(Qt::white));
  EXPECT_EQ(TextOn(QColor(0x50, 0x50, 0x50)), QColor(Qt::black));
  EXPECT_EQ(TextOn(QColor(0xEF, 0x00, 0x00)), QColor(Qt::white));  // the average of the channels counts: 79
  EXPECT_EQ(TextOn(QColor(0xF0, 0x00, 0x00)), QColor(Qt::black));  // 80
  EXPECT_EQ(HexName(QColor(0xab, 0x0c, 0xde)), u"#AB0CDE"_s);
}

// --- The window's look ---

TEST_F(EditorSchemeWindow, TheStoredSchemeColoursTheWindowAtStart) {
  const QString family = installedFamily();
  ASSERT_FALSE(family.isEmpty());
  program.write(u"Editor/Abend.ed"_s, schemeLines({u"SCHRIFT="_s + family, u"FETT=1"_s, u"FARBE2=#00FF80"_s,
                                                   u"FARBE3=#4F4F4F"_s, u"FARBE4=#C8D0E0"_s, u"FARBE5=#FFFFFF"_s}));
  program.write(u"Editor/default.ed"_s, schemeLines({u"FARBE2=#102030"_s}));
  store.writeString(editorKey(), u"Editor-Schema"_s, u"Abend"_s);
  TVEditor& w = open();
  EXPECT_EQ(w.SchemeName(), u"Abend"_s);
  EXPECT_EQ(w.XPage->GetVariable(u"pastell"_s), u"#00FF80"_s);
  EXPECT_EQ(w.XPage->GetVariable(u"dunkel"_s), u"#00DF60"_s);
  EXPECT_EQ(w.LibInfo->palette().color(QPalette::Base), QColor(0x4F, 0x4F, 0x4F));
  EXPECT_EQ(w.LibInfo->palette().color(QPalette::Text), QColor(Qt::white));
  EXPECT_TRUE(w.RP->eVokabel->hasFrame());  // a white field
  EXPECT_EQ(w.font().family(), family);
  EXPECT_TRUE(w.font().bold());

  // A field in the panel's colour keeps its border too; any other colour stands out by itself.
  w.Scheme().colours[TElemente::Notes] = QColor(0x50, 0x50, 0x50);
  w.Scheme().colours[TElemente::RecordField] = QColor(0xC8, 0xD0, 0xE0);
  w.ApplyScheme();
  EXPECT_EQ(w.LibInfo->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_TRUE(w.RP->eVokabel->hasFrame());
  w.Scheme().colours[TElemente::RecordField] = QColor(0xF0, 0xF0, 0xF0);
  w.ApplyScheme();
  EXPECT_FALSE(w.RP->eVokabel->hasFrame());
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorSchemeWindow, AMissingSchemeFileLeavesDefaultOrThePlatformColours) {
  store.writeString(editorKey(), u"Editor-Schema"_s, u"Fehlt"_s);
  TVEditor& w = open();
  EXPECT_EQ(w.SchemeName(), u"default"_s);
  const QPalette notes = w.LibInfo->palette();
  EXPECT_NE(notes.color(QPalette::Base), notes.color(QPalette::Text));
  EXPECT_EQ(notes.color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  EXPECT_EQ(w.XPage->GetVariable(u"pastell"_s), HexName(QApplication::palette().color(QPalette::Base)));

  // With a "default.ed", the missing scheme reads as that one.
  window.reset();
  program.write(u"Editor/default.ed"_s, schemeLines({u"FARBE2=#A0B0C0"_s}));
  store.writeString(editorKey(), u"Editor-Schema"_s, u"Fehlt"_s);
  TVEditor& again = open();
  EXPECT_EQ(again.SchemeName(), u"default"_s);
  EXPECT_EQ(again.XPage->GetVariable(u"pastell"_s), u"#A0B0C0"_s);
  EXPECT_EQ(again.XPage->GetVariable(u"dunkel"_s), u"#8090A0"_s);
}

TEST_F(EditorSchemeWindow, AChangedSchemeIsWrittenAsDefaultAtTheEnd) {
  program.mkdir(u"editor"_s);
  TVEditor& w = open();
  ASSERT_TRUE(w.Finish());
  EXPECT_FALSE(QFileInfo::exists(program.file(u"editor/default.ed"_s)));  // nothing changed: nothing written

  window.reset();
  TVEditor& again = open();
  again.Scheme().colours[TElemente::List] = QColor(0x12, 0xAB, 0x9C);
  again.Scheme().changed = true;
  EXPECT_TRUE(again.Finish());
  TElemente back;
  ReadScheme(program.file(u"editor/default.ed"_s), back);
  EXPECT_EQ(back.colours[TElemente::List], QColor(0x12, 0xAB, 0x9C));
  EXPECT_FALSE(QDir(program.file(u"Editor"_s)).exists());
  EXPECT_EQ(store.readString(editorKey(), u"Editor-Schema"_s).value_or(QString()), u"default"_s);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorSchemeWindow, AnUnwritableSchemeFolderIsReportedAndTheEndGoesOn) {
  const QString folder = program.mkdir(u"Editor"_s);
  TVEditor& w = open();
  w.Scheme().changed = true;
  UnwritableFolder unwritable(folder, u"default.ed"_s);
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(messageTexts(), QStringList{kSettingsNotSaved});
  EXPECT_FALSE(QFileInfo(program.file(u"Editor/default.ed"_s)).isFile());
}

// --- The scheme dialog ---

TEST_F(EditorSchemeDialog, ChoosingANamedSchemeAppliesItAndCancelPutsBackTheOpeningOne) {
  program.write(u"Editor/Papier.ed"_s, schemeLines({u"FARBE2=#FFFFF0"_s}));
  program.write(u"Editor/Nacht.ed"_s, schemeLines({u"FARBE2=#202040"_s, u"SIZE1=12"_s}));
  program.write(u"Editor/default.ed"_s, schemeLines({u"FARBE2=#808080"_s}));
  scheme.colours[TElemente::List] = QColor(0x80, 0x80, 0x80);
  auto dialog = openDialog();
  QStringList listed = items(dialog->Schema);
  listed.sort();
  EXPECT_EQ(listed, (QStringList{u"Nacht"_s, u"Papier"_s}));
  EXPECT_EQ(dialog->Schema->currentItem(), nullptr);
  EXPECT_EQ(dialog->F[2]->text(), u"808080"_s);

  dialog->Schema->setCurrentItem(dialog->Schema->findItems(u"Nacht"_s, Qt::MatchExactly).first());
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(name, u"Nacht"_s);
  EXPECT_EQ(scheme.colours[TElemente::List], QColor(0x20, 0x20, 0x40));
  EXPECT_EQ(scheme.sizes[0], 12);
  EXPECT_EQ(dialog->F[2]->text(), u"202040"_s);
  EXPECT_FALSE(scheme.changed);

  dialog->reject();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(applied, 2);
  EXPECT_EQ(name, u"default"_s);
  EXPECT_EQ(scheme.colours[TElemente::List], QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(scheme.sizes[0], 9);

  // A named scheme is marked in the list, whatever the case of its name.
  name = u"papier"_s;
  auto named = openDialog();
  ASSERT_NE(named->Schema->currentItem(), nullptr);
  EXPECT_EQ(named->Schema->currentItem()->text(), u"Papier"_s);
  EXPECT_EQ(applied, 2);
}

TEST_F(EditorSchemeDialog, ATypedColourMakesTheSchemeUnnamedAndOkWritesIt) {
  const QByteArray papier = schemeLines({u"FARBE2=#FFFFF0"_s});
  program.write(u"Editor/Papier.ed"_s, papier);
  name = u"Papier"_s;
  ReadScheme(program.file(u"Editor/Papier.ed"_s), scheme);
  auto dialog = openDialog();
  EXPECT_EQ(dialog->F[2]->text(), u"FFFFF0"_s);

  type(dialog->F[2], u"00ff80"_s);
  EXPECT_EQ(scheme.colours[TElemente::List], QColor(0, 255, 128));
  EXPECT_TRUE(scheme.changed);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(name, u"default"_s);
  EXPECT_EQ(dialog->Schema->currentItem(), nullptr);

  // Six characters that are no colour give way to the colour there is.
  const QColor notes = scheme.colours[TElemente::Notes];
  type(dialog->F[3], u"zzzzzz"_s);
  EXPECT_EQ(dialog->F[3]->text(), HexName(notes).mid(1));
  EXPECT_EQ(scheme.colours[TElemente::Notes], notes);
  EXPECT_EQ(applied, 1);

  // The name it had is proposed for saving.
  QString proposed;
  dialog->askName = [&](const QString& proposal) -> std::optional<QString> {
    proposed = proposal;
    return std::nullopt;
  };
  QTest::mouseClick(dialog->SaveScheme, Qt::LeftButton);
  EXPECT_EQ(proposed, u"Papier"_s);
  EXPECT_EQ(program.read(u"Editor/Papier.ed"_s), papier);

  dialog->accept();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  TElemente written;
  ReadScheme(program.file(u"Editor/default.ed"_s), written);
  EXPECT_EQ(written.colours[TElemente::List], QColor(0, 255, 128));
  EXPECT_FALSE(scheme.changed);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorSchemeDialog, SavingUnderANameListsItOnceAndOnlyWhenWritten) {
  program.write(u"Editor/Papier.ed"_s, schemeLines({u"FARBE2=#FFFFF0"_s}));
  scheme.colours[TElemente::List] = QColor(0x12, 0x34, 0x56);
  scheme.changed = true;
  auto dialog = openDialog();
  QString answer = u"Mein"_s;
  dialog->askName = [&](const QString&) -> std::optional<QString> { return answer; };

  dialog->SaveUnderName();
  TElemente mine;
  ReadScheme(program.file(u"Editor/Mein.ed"_s), mine);
  EXPECT_EQ(mine.colours[TElemente::List], QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(items(dialog->Schema).count(u"Mein"_s), 1);
  ASSERT_NE(dialog->Schema->currentItem(), nullptr);
  EXPECT_EQ(dialog->Schema->currentItem()->text(), u"Mein"_s);
  EXPECT_EQ(name, u"Mein"_s);
  EXPECT_FALSE(scheme.changed);

  // Another letter case is the same scheme: its file is replaced, its entry stays single.
  answer = u"papier"_s;
  dialog->SaveUnderName();
  EXPECT_EQ(items(dialog->Schema).size(), 2);
  EXPECT_EQ(dialog->Schema->currentItem()->text(), u"Papier"_s);
  EXPECT_EQ(name, u"Papier"_s);
  EXPECT_EQ(QDir(program.file(u"Editor"_s)).entryList(QDir::Files), (QStringList{u"Mein.ed"_s, u"Papier.ed"_s}));
  TElemente papier;
  ReadScheme(program.file(u"Editor/Papier.ed"_s), papier);
  EXPECT_EQ(papier.colours[TElemente::List], QColor(0x12, 0x34, 0x56));
  // Papier was another scheme than the one shown: it is replaced only after asking.
  EXPECT_EQ(messageTexts(), QStringList{EditorTexts::SchemeExists(u"papier"_s)});
  messages.clear();
  answer = u"Mein"_s;
  messages.queueAnswer(MessageAnswer::No);
  dialog->SaveUnderName();
  EXPECT_EQ(name, u"Papier"_s);  // No: nothing written, Papier stays the scheme
  messages.clear();

  // A scheme that could not be written gets no entry.
  answer = u"Neu"_s;
  {
    UnwritableFolder unwritable(program.file(u"Editor"_s), u"Neu.ed"_s);
    dialog->SaveUnderName();
  }
  EXPECT_EQ(messageTexts(), QStringList{u"Das Farbschema konnte nicht gespeichert werden."_s});
  EXPECT_EQ(items(dialog->Schema).size(), 2);
  EXPECT_EQ(name, u"Papier"_s);
}

TEST_F(EditorSchemeDialog, TheNameDialogRefusesEmptyNamesAndFileNameCharacters) {
  TSchemaDlg dialog(u"Papier"_s);
  EXPECT_EQ(dialog.SchemaName->text(), u"Papier"_s);
  dialog.show();
  const auto refused = [&](const QString& text) {
    messages.clear();
    dialog.SchemaName->setText(text);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << text.toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << text.toStdString();
    return messageTexts();
  };
  EXPECT_EQ(refused(QString()), QStringList{u"Bitte einen Namen eingeben"_s});
  EXPECT_EQ(refused(u"   "_s), QStringList{u"Bitte einen Namen eingeben"_s});
  const QString invalid = u"Der Name darf keines der folgenden Zeichen enthalten: /\\*:<>|?\""_s;
  EXPECT_EQ(refused(u"a/b"_s), QStringList{invalid});
  for (QChar c : u"\\*:<>|?\""_s) EXPECT_EQ(refused(u"a"_s + c + u"b"_s), QStringList{invalid});

  messages.clear();
  dialog.SchemaName->setText(u"Mein Schema"_s);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorSchemeDialog, KeysApplyValuesWithoutClosingOrChoosingAScheme) {
  program.write(u"Editor/Nacht.ed"_s, "FARBE2=#302A25\r\n");
  auto dialog = openDialog();
  // Tab into the list of schemes chooses none of them.
  dialog->Schema->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(name, kDefaultName);
  EXPECT_EQ(applied, 0);
  // Enter in a colour field applies the colour; the dialog stays open.
  type(dialog->F[2], u"00ff8"_s);
  QTest::keyClick(dialog->F[2], Qt::Key_Z);  // not a colour: nothing yet
  dialog->F[2]->setText(u"00FF80"_s);
  QTest::keyClick(dialog->F[2], Qt::Key_Return);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(scheme.colours[TElemente::List], QColor(0x00, 0xFF, 0x80));
  EXPECT_TRUE(scheme.changed);
}
