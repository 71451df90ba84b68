// Faults found when the editor was used as an author uses it: typed text
// that must survive, keys and clicks that must act once and in the right place.
#include "editortestsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/editorpreview.h"
#include "editor/editortexts.h"
#include "editor/libraryediting.h"
#include "editor/recordform.h"
#include "pages/txpage.h"

namespace {

using namespace Qt::StringLiterals;

class EditorFaults : public EditorFixture {};

}  // namespace

TEST_F(EditorFaults, TextTypedIntoIncompleteRecordsIsNeverDropped) {
  // Two incomplete records at the end, both with typed text: both stay.
  library.Clear(false);
  library.Add({u"sol"_s, {}, {}, {}, 0, false, 0, 0});
  library.Add({u"gato"_s, {}, {}, {}, 0, false, 0, 0});
  LibraryEditing::NormalizeTrailing(library);
  ASSERT_EQ(library.Items.size(), 2);
  EXPECT_EQ(library.Items[0].Vokabel, u"sol"_s);
  EXPECT_EQ(library.Items[1].Vokabel, u"gato"_s);

  // An entry typed into the trailing record survives adding another library.
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s}));
  const QString added = writeEntries(u"b.asc"_s, {u"perro=Hund"_s});
  ASSERT_TRUE(w.SelectRecord(1));
  QTest::keyClicks(w.RP->eVokabel, u"gato"_s);
  w.chooseLibrary = [&](const QString&) { return added; };
  w.FileAdd();
  EXPECT_TRUE(entries().contains(u"gato"_s));
  EXPECT_TRUE(entries().contains(u"perro"_s));
}

TEST_F(EditorFaults, UndoNeverBringsTheTextOfAnotherRecord) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s}));
  w.RP->eKontext0->setFocus();
  QTest::keyClicks(w.RP->eKontext0, u"abc"_s);
  w.RP->eKontext0->selectAll();
  QTest::keyClick(w.RP->eKontext0, Qt::Key_Backspace);
  w.NextRecord();
  ASSERT_EQ(library.Current, 1);
  w.RP->eKontext0->setFocus();
  QTest::keyClick(w.RP->eKontext0, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(library.Items[1].Kontext[0], QString());
  EXPECT_EQ(w.RP->eKontext0->text(), QString());
}

TEST_F(EditorFaults, ADoubleClickPlaysOrAsksOnce) {
  // A course recording whose folder is not there: the author is asked for the disc, once.
  mainRecordings.Add(u"casa"_s, u"XS:\\casa.wav"_s);
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s}));
  messages.clear();
  QTest::mouseDClick(w.RP->eVokabel, Qt::LeftButton, {}, QPoint(8, w.RP->eVokabel->height() / 2));
  EXPECT_EQ(messageTexts(), QStringList{EditorTexts::kInsertDisc});
}

TEST_F(EditorFaults, APreviewFollowsTheRecordsWithoutTakingTheKeys) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s, u"gato=Katze"_s}));
  w.RP->eBedeutung0->setFocus();
  w.Preview(TEditorPreview::Typing);
  ASSERT_TRUE(w.XPage->isVisible());
  // Shown by its key, the preview has the keys; back in the form, Page Down
  // goes on through the records while the preview follows them.
  w.RP->eBedeutung0->setFocus();
  QTest::keyClick(w.RP->eBedeutung0, Qt::Key_PageDown);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_EQ(library.Current, 2);
  EXPECT_TRUE(w.XPage->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), w.RP->eBedeutung0);
}

TEST_F(EditorFaults, SearchingForNothingAsksOnce) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s}));
  int asked = 0;
  w.askSearch = [&](const TVEditor::SearchRequest&) {
    ++asked;
    return std::optional<TVEditor::SearchRequest>(TVEditor::SearchRequest{});
  };
  w.Suchen();
  w.Weitersuchen();  // no text yet: the dialog again, and no more
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(EditorFaults, InsertingAfterTheCurrentRecordStaysPutWhenRefused) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s, u"gato=Katze"_s}));
  w.EinNach();
  EXPECT_EQ(entries(), (QStringList{u"casa"_s, QString(), u"perro"_s, u"gato"_s, QString()}));
  EXPECT_EQ(library.Current, 1);
  // From the new empty record nothing more goes in after it.
  w.EinNach();
  EXPECT_EQ(library.Current, 1);
  EXPECT_EQ(library.Items.size(), 5);
}

TEST_F(EditorFaults, ChangingTheWordClassOrFlagShowsTheLibraryAsChanged) {
  TVEditor& w = openWith(writeEntries(u"a.asc"_s, {u"casa=Haus"_s}));
  ASSERT_FALSE(library.Modified);
  EXPECT_EQ(w.StatusPanel[3]->text(), QString());
  w.RP->EWortart->setCurrentIndex(2);
  EXPECT_TRUE(library.Modified);
  EXPECT_EQ(w.StatusPanel[3]->text(), u"geändert"_s);
}
