#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "vocabularytestsupport.h"
#include "vocabulary/tftree.h"

namespace {

using namespace Qt::StringLiterals;

QStringList records(std::initializer_list<QString> words) {
  QStringList lines;
  for (const QString& w : words) lines += recordLines(w, u"Bedeutung von "_s + w);
  return lines;
}

class VocLibraryTreeTest : public ::testing::Test, public VocabularyFixture {
 protected:
  void SetUp() override {
    writeLibrary(u"Grundwortschatz/a.asc"_s, records({u"uno"_s, u"dos"_s}));
    writeLibrary(u"Grundwortschatz/B.asc"_s, records({u"tres"_s}));
    writeLibrary(u"Grundwortschatz/c.ASC"_s, records({u"cuatro"_s, u"cinco"_s, u"seis"_s}));
    writeLibrary(u"Grundwortschatz/notizen.txt"_s, records({u"nada"_s}));
    writeLibrary(u"Grundwortschatz/Sub/d.asc"_s, records({u"siete"_s}));
    writeLibrary(u"Grundwortschatz/Sub/Tief/e.asc"_s, records({u"ocho"_s}));
    writeLibrary(u"reisen/f.asc"_s, records({u"playa"_s}));
    // A number line that is no number: nothing can be read from it.
    QStringList broken = recordLines(u"roto"_s, u"kaputt"_s);
    broken[7] = u"Nomen"_s;
    writeLibrary(u"reisen/kaputt.asc"_s, broken);
    writeLibrary(u"Leer/Unter/g.asc"_s, records({u"nueve"_s}));
    writeLibrary(u"top.asc"_s, records({u"diez"_s}));
    program.write(u"geheim.asc"_s, crlfLines(records({u"secreto"_s})));
  }

  static QStringList childNames(QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; item && i < item->childCount(); ++i) names << item->child(i)->text(TFTree::ColOrt);
    return names;
  }
  static QStringList texts(QTreeWidgetItem* item) {
    return {item->text(1), item->text(2), item->text(3)};
  }
  QStringList loadedWords() const {
    QStringList w;
    for (int i = 0; i < library.Count(); ++i) w << library.Items[i].Vokabel;
    w.sort();
    return w;
  }
  QByteArray listFile() const { return program.read(u"S_Bibliotheken.txt"_s); }
  // A tick as the learner sets it with the mouse.
  static void tick(QTreeWidgetItem* item, Qt::CheckState state) { item->setCheckState(TFTree::ColOrt, state); }
};

}  // namespace

TEST_F(VocLibraryTreeTest, FoldersAreReadWhenTheyAreFirstOpened) {
  TFTree d(library);
  QTreeWidgetItem* root = d.RootItem();
  EXPECT_EQ(root->text(0), u"Vokabeln (S)"_s);
  EXPECT_TRUE(root->isExpanded());
  EXPECT_TRUE(d.ChildrenRead(root));
  EXPECT_EQ(childNames(root), (QStringList{u"Grundwortschatz"_s, u"Leer"_s, u"reisen"_s, u"top.asc"_s}));
  EXPECT_EQ(texts(root), (QStringList{u"1 Bibliotheken"_s, QString(), QString()}));
  EXPECT_EQ(texts(d.FindNode(u"top.asc"_s)), (QStringList{QString(), QString(), u"1 Vokabeln"_s}));

  QTreeWidgetItem* grund = d.FindNode(u"Grundwortschatz"_s);
  ASSERT_NE(grund, nullptr);
  EXPECT_FALSE(d.ChildrenRead(grund));
  EXPECT_EQ(grund->childCount(), 0);
  EXPECT_EQ(texts(grund), (QStringList{u"3 Bibliotheken"_s, QString(), QString()}));
  EXPECT_EQ(grund->checkState(0), Qt::Unchecked);
  EXPECT_EQ(texts(d.FindNode(u"Leer"_s)), (QStringList{u"0 Bibliotheken"_s, QString(), QString()}));

  // What appears before the folder is opened is there when it is opened.
  writeLibrary(u"Grundwortschatz/Neu/h.asc"_s, records({u"once"_s}));
  d.Tree->expandItem(grund);
  EXPECT_TRUE(d.ChildrenRead(grund));
  EXPECT_EQ(childNames(grund), (QStringList{u"Neu"_s, u"Sub"_s, u"a.asc"_s, u"B.asc"_s, u"c.ASC"_s}));
  EXPECT_EQ(texts(d.FindNode(u"Grundwortschatz/a.asc"_s)), (QStringList{QString(), QString(), u"2 Vokabeln"_s}));
  EXPECT_EQ(d.FindNode(u"grundwortschatz\\C.asc"_s)->text(3), u"3 Vokabeln"_s);
  QTreeWidgetItem* sub = d.FindNode(u"Grundwortschatz\\Sub"_s);
  ASSERT_NE(sub, nullptr);
  EXPECT_FALSE(d.ChildrenRead(sub));
  EXPECT_EQ(texts(sub), (QStringList{u"1 Bibliotheken"_s, QString(), QString()}));
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\Sub\\Tief"_s), nullptr);

  d.Tree->expandItem(d.FindNode(u"reisen"_s));
  EXPECT_EQ(d.FindNode(u"reisen\\kaputt.asc"_s)->text(3), u"0 Vokabeln"_s);
  EXPECT_EQ(d.FindNode(u"reisen\\f.asc"_s)->text(3), u"1 Vokabeln"_s);

  // The name column sorts up and down; another column ends the sorting.
  d.Tree->header()->sectionClicked(0);
  EXPECT_EQ(childNames(root).first(), u"Grundwortschatz"_s);
  d.Tree->header()->sectionClicked(0);
  EXPECT_EQ(childNames(root), (QStringList{u"top.asc"_s, u"reisen"_s, u"Leer"_s, u"Grundwortschatz"_s}));
  EXPECT_TRUE(d.Tree->header()->isSortIndicatorShown());
  d.Tree->header()->sectionClicked(2);
  EXPECT_FALSE(d.Tree->header()->isSortIndicatorShown());
}

TEST_F(VocLibraryTreeTest, FoldersShowHowManyOfTheirLibrariesAreTicked) {
  program.write(u"S_Bibliotheken.txt"_s, crlfLines({u"Grundwortschatz\\b.asc"_s}));
  TFTree d(library);
  EXPECT_EQ(d.windowTitle(), u"1 Bibliotheken ausgewählt"_s);
  QTreeWidgetItem* grund = d.FindNode(u"Grundwortschatz"_s);
  EXPECT_EQ(texts(grund), (QStringList{u"3 Bibliotheken"_s, u"1 ausgewählt"_s, QString()}));
  EXPECT_EQ(grund->checkState(0), Qt::PartiallyChecked);

  d.Tree->expandItem(grund);
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\B.asc"_s)->checkState(0), Qt::Checked);  // the list differs in case
  tick(d.FindNode(u"Grundwortschatz\\a.asc"_s), Qt::Checked);
  EXPECT_EQ(d.SelectionList(), (QStringList{u"Grundwortschatz\\b.asc"_s, u"Grundwortschatz\\a.asc"_s}));
  EXPECT_EQ(grund->text(2), u"2 ausgewählt"_s);
  EXPECT_EQ(grund->checkState(0), Qt::PartiallyChecked);
  EXPECT_EQ(d.windowTitle(), u"2 Bibliotheken ausgewählt"_s);

  // A click on a half-ticked folder ticks its own libraries, not those of its subfolders.
  tick(grund, Qt::Checked);
  EXPECT_EQ(grund->checkState(0), Qt::Checked);
  EXPECT_EQ(texts(grund), (QStringList{u"3 Bibliotheken"_s, u"3 ausgewählt"_s, QString()}));
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\c.ASC"_s)->checkState(0), Qt::Checked);
  EXPECT_EQ(d.SelectionList().size(), 3);
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\Sub"_s)->checkState(0), Qt::Unchecked);
  EXPECT_EQ(d.windowTitle(), u"3 Bibliotheken ausgewählt"_s);

  tick(d.FindNode(u"Grundwortschatz\\c.ASC"_s), Qt::Unchecked);
  EXPECT_EQ(grund->checkState(0), Qt::PartiallyChecked);
  tick(grund, Qt::Unchecked);
  EXPECT_TRUE(d.SelectionList().isEmpty());
  EXPECT_EQ(texts(grund), (QStringList{u"3 Bibliotheken"_s, QString(), QString()}));
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\a.asc"_s)->checkState(0), Qt::Unchecked);
  EXPECT_EQ(d.windowTitle(), u"0 Bibliotheken ausgewählt"_s);

  // Ticking a folder that was never opened reads it.
  QTreeWidgetItem* reisen = d.FindNode(u"reisen"_s);
  tick(reisen, Qt::Checked);
  EXPECT_TRUE(d.ChildrenRead(reisen));
  EXPECT_EQ(d.FindNode(u"reisen\\f.asc"_s)->checkState(0), Qt::Checked);
  EXPECT_EQ(d.SelectionList(), (QStringList{u"reisen\\f.asc"_s, u"reisen\\kaputt.asc"_s}));

  // A folder without libraries of its own has nothing to tick.
  QTreeWidgetItem* leer = d.FindNode(u"Leer"_s);
  EXPECT_FALSE(leer->flags() & Qt::ItemIsUserCheckable);
}

TEST_F(VocLibraryTreeTest, OkWritesTheListAndLoadsTheSelection) {
  // All libraries of one folder and nothing else: the whole folder, subfolders included.
  {
    TFTree d(library);
    tick(d.FindNode(u"Grundwortschatz"_s), Qt::Checked);
    d.OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  EXPECT_EQ(listFile(), "Grundwortschatz\\a.asc\r\nGrundwortschatz\\B.asc\r\nGrundwortschatz\\c.ASC\r\n");
  EXPECT_EQ(library.Einstellungen.Selection(), u"Grundwortschatz"_s);
  EXPECT_EQ(library.Einstellungen.FileCount(), 5);
  EXPECT_EQ(loadedWords().size(), 8);

  // One library in each of two folders: the list file.
  {
    TFTree d(library);
    EXPECT_EQ(d.windowTitle(), u"3 Bibliotheken ausgewählt"_s);
    tick(d.FindNode(u"Grundwortschatz"_s), Qt::Unchecked);
    d.Tree->expandItem(d.FindNode(u"reisen"_s));
    tick(d.FindNode(u"reisen\\f.asc"_s), Qt::Checked);
    tick(d.FindNode(u"top.asc"_s), Qt::Checked);
    d.Tree->expandItem(d.FindNode(u"Grundwortschatz"_s));
    tick(d.FindNode(u"Grundwortschatz\\B.asc"_s), Qt::Checked);
    EXPECT_EQ(d.SelectionName(), QString());
    d.OK->click();
  }
  EXPECT_EQ(listFile(), "Grundwortschatz\\B.asc\r\nreisen\\f.asc\r\ntop.asc\r\n");
  EXPECT_EQ(library.Einstellungen.Selection(), QString());
  EXPECT_EQ(loadedWords(), (QStringList{u"diez"_s, u"playa"_s, u"tres"_s}));

  // "Abbrechen" changes neither the list file nor the selection.
  {
    TFTree d(library);
    tick(d.FindNode(u"reisen"_s), Qt::Checked);
    d.Cancel->click();
  }
  EXPECT_EQ(listFile(), "Grundwortschatz\\B.asc\r\nreisen\\f.asc\r\ntop.asc\r\n");
  EXPECT_EQ(loadedWords(), (QStringList{u"diez"_s, u"playa"_s, u"tres"_s}));

  // Nothing ticked loads nothing, not the folder that has only subfolders.
  {
    TFTree d(library);
    for (const QString& folder : {u"Grundwortschatz"_s, u"reisen"_s, u""_s}) tick(d.FindNode(folder), Qt::Unchecked);
    EXPECT_TRUE(d.SelectionList().isEmpty());
    EXPECT_EQ(d.SelectionName(), QString());
    d.OK->click();
  }
  EXPECT_EQ(listFile(), QByteArray());
  EXPECT_EQ(library.Einstellungen.Selection(), QString());
  EXPECT_EQ(library.Count(), 0);

  // A learner's list lies in the learner's directory.
  ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
  {
    TFTree d(library);
    EXPECT_EQ(d.windowTitle(), u"0 Bibliotheken ausgewählt"_s);
    tick(d.FindNode(u"top.asc"_s), Qt::Checked);
    d.OK->click();
  }
  EXPECT_EQ(program.read(u"Benutzer/anna/S_Bibliotheken.txt"_s), "top.asc\r\n");
  EXPECT_EQ(loadedWords(), QStringList{u"diez"_s});
}

TEST_F(VocLibraryTreeTest, AListFileThatCannotBeWrittenKeepsTheDialogOpen) {
  program.mkdir(u"S_Bibliotheken.txt"_s);  // a directory where the list file belongs
  library.SetSelection(u"reisen"_s);
  TFTree d(library);
  EXPECT_TRUE(d.SelectionList().isEmpty());
  tick(d.FindNode(u"top.asc"_s), Qt::Checked);
  d.OK->click();
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_EQ(messages.messages()[0].text, program.file(u"S_Bibliotheken.txt"_s) + u" konnte nicht gespeichert werden!"_s);
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(library.Einstellungen.Selection(), u"reisen"_s);

  // A whole folder needs no list file.
  tick(d.FindNode(u"top.asc"_s), Qt::Unchecked);
  tick(d.FindNode(u"Grundwortschatz"_s), Qt::Checked);
  d.OK->click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(library.Einstellungen.Selection(), u"Grundwortschatz"_s);
}

TEST_F(VocLibraryTreeTest, SelectionsGoToAndComeFromXslFiles) {
  TFTree d(library);
  QString answer;
  QStringList startDirs;
  d.askFileName = [&](bool, const QString& dir) {
    startDirs << dir;
    return answer;
  };
  QTreeWidgetItem* grund = d.FindNode(u"Grundwortschatz"_s);
  d.Tree->expandItem(grund);
  d.Tree->expandItem(d.FindNode(u"Grundwortschatz\\Sub"_s));
  tick(d.FindNode(u"Grundwortschatz\\Sub\\d.asc"_s), Qt::Checked);
  tick(d.FindNode(u"Grundwortschatz\\a.asc"_s), Qt::Checked);

  answer = program.file(u"meine"_s);
  d.SaveButton->click();
  EXPECT_EQ(program.read(u"meine.xsl"_s), "Grundwortschatz\\Sub\\d.asc\r\nGrundwortschatz\\a.asc\r\n");
  EXPECT_EQ(startDirs, QStringList{program.path()});

  tick(grund, Qt::Checked);
  tick(d.FindNode(u"Grundwortschatz\\Sub"_s), Qt::Unchecked);
  EXPECT_EQ(d.SelectionList().size(), 3);
  answer = program.file(u"meine.xsl"_s);
  d.LoadButton->click();
  EXPECT_EQ(d.SelectionList(), (QStringList{u"Grundwortschatz\\Sub\\d.asc"_s, u"Grundwortschatz\\a.asc"_s}));
  EXPECT_EQ(d.windowTitle(), u"2 Bibliotheken ausgewählt"_s);
  // Every folder read so far shows the loaded state, deeper ones too.
  EXPECT_EQ(grund->checkState(0), Qt::PartiallyChecked);
  EXPECT_EQ(grund->text(2), u"1 ausgewählt"_s);
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\B.asc"_s)->checkState(0), Qt::Unchecked);
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\Sub"_s)->checkState(0), Qt::Checked);
  EXPECT_EQ(d.FindNode(u"Grundwortschatz\\Sub\\d.asc"_s)->checkState(0), Qt::Checked);

  // A name with another extension gets ".xsl"; cancelling the file dialog does nothing.
  answer = program.file(u"liste.txt"_s);
  d.SaveButton->click();
  EXPECT_FALSE(program.read(u"liste.txt.xsl"_s).isEmpty());
  answer.clear();
  d.LoadButton->click();
  d.SaveButton->click();
  EXPECT_TRUE(messages.messages().isEmpty());

  // Failures are reported, and a failed load keeps the list.
  answer = program.file(u"fehlt/auswahl.xsl"_s);
  d.SaveButton->click();
  d.LoadButton->click();
  QByteArray junk("ZVK!");
  junk += '\0';
  junk += "\x01\x02\xff\r\nGrundwortschatz\\B.asc\r\n";
  answer = program.write(u"fremd.xsl"_s, junk);
  d.LoadButton->click();
  ASSERT_EQ(messages.messages().size(), 3);
  EXPECT_EQ(messages.messages()[0].text, program.file(u"fehlt/auswahl.xsl"_s) + u" konnte nicht gespeichert werden!"_s);
  EXPECT_EQ(messages.messages()[1].text, program.file(u"fehlt/auswahl.xsl"_s) + u" konnte nicht geladen werden!"_s);
  EXPECT_EQ(messages.messages()[2].text, program.file(u"fremd.xsl"_s) + u" konnte nicht geladen werden!"_s);
  for (const Message& m : messages.messages()) EXPECT_EQ(m.kind, MessageKind::Stop);
  EXPECT_EQ(d.SelectionList().size(), 2);

  // A logged-in learner starts in the learner's directory.
  ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
  startDirs.clear();
  answer.clear();
  d.LoadButton->click();
  EXPECT_EQ(startDirs, QStringList{users.CurrentUserDirectory()});
}

TEST_F(VocLibraryTreeTest, LinesReachingOutsideTheVocabularyDirectoryAreIgnored) {
  const QStringList hostile = {u"..\\geheim.asc"_s,
                               u"Grundwortschatz\\..\\..\\geheim.asc"_s,
                               u"Grundwortschatz/../../geheim.asc"_s,
                               program.file(u"geheim.asc"_s),
                               u"C:\\geheim.asc"_s,
                               u"\\geheim.asc"_s,
                               u"  Grundwortschatz\\a.asc \t"_s,
                               QString(),
                               u"GRUNDWORTSCHATZ/A.ASC"_s,
                               u"reisen/f.asc"_s};
  program.write(u"S_Bibliotheken.txt"_s, crlfLines(hostile));
  program.write(u"fremd.xsl"_s, crlfLines(hostile));
  {
    TFTree d(library);
    EXPECT_EQ(d.SelectionList(), (QStringList{u"Grundwortschatz\\a.asc"_s, u"reisen\\f.asc"_s}));
    EXPECT_EQ(d.windowTitle(), u"2 Bibliotheken ausgewählt"_s);
    tick(d.FindNode(u"top.asc"_s), Qt::Checked);
    d.OK->click();
  }
  EXPECT_EQ(listFile(), "Grundwortschatz\\a.asc\r\nreisen\\f.asc\r\ntop.asc\r\n");
  EXPECT_FALSE(loadedWords().contains(u"secreto"_s));
  EXPECT_EQ(loadedWords(), (QStringList{u"diez"_s, u"dos"_s, u"playa"_s, u"uno"_s}));

  {
    TFTree d(library);
    ASSERT_TRUE(d.LoadSelection(program.file(u"fremd.xsl"_s)));
    EXPECT_EQ(d.SelectionList(), (QStringList{u"Grundwortschatz\\a.asc"_s, u"reisen\\f.asc"_s}));
  }
  EXPECT_EQ(TFTree::ParseList(u"a.asc\r\n\x01zwei.asc"_s), std::nullopt);
  EXPECT_EQ(TFTree::ParseList(QString()), QStringList());
}

TEST_F(VocLibraryTreeTest, ExecuteTellsWhetherTheLearnerConfirmed) {
  auto press = [](bool ok) {
    QTimer::singleShot(0, [ok] {
      auto* d = qobject_cast<TFTree*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      d->RootItem()->setCheckState(0, Qt::Checked);
      (ok ? d->OK : d->Cancel)->click();
    });
  };
  press(false);
  EXPECT_FALSE(TFTree::Execute(library));
  EXPECT_FALSE(QFile::exists(program.file(u"S_Bibliotheken.txt"_s)));
  press(true);
  EXPECT_TRUE(TFTree::Execute(library));
  EXPECT_EQ(listFile(), "top.asc\r\n");
  EXPECT_EQ(loadedWords(), QStringList{u"diez"_s});
}
