#include <gtest/gtest.h>

#include "editor/editorlayout.h"
#include "editor/editorpreview.h"
#include "editor/recordingtexts.h"
#include "editor/recordlistmodel.h"

namespace {

using namespace Qt::StringLiterals;

}  // namespace

TEST(EditorLayoutTest, PartsFollowTheWindowSize) {
  // The smallest window: the list takes half the width, the bottom panels 120 pixels.
  const EditorLayout small = EditorLayout::Compute(QRect(0, 30, 640, 400), 460, 480, true);
  EXPECT_EQ(small.list, QRect(0, 30, 320, 280));
  EXPECT_EQ(small.notes, QRect(0, 310, 320, 120));
  EXPECT_EQ(small.dictionary, QRect(320, 310, 320, 120));
  EXPECT_EQ(small.record, QRect(320, 30, 320, 280));
  EXPECT_EQ(small.rowHeight, 20);
  EXPECT_EQ(small.fontSizeIndex, 0);
  EXPECT_FALSE(small.secondContext);

  // Wider than 800: a third of the extra width goes to the list.
  EXPECT_EQ(EditorLayout::ListWidth(1024), 474);
  EXPECT_EQ(EditorLayout::ListWidth(800), 400);
  EXPECT_EQ(EditorLayout::BottomHeight(534), 120);
  EXPECT_EQ(EditorLayout::BottomHeight(738), 171);
  const EditorLayout large = EditorLayout::Compute(QRect(0, 40, 1024, 690), 738, 768, true);
  EXPECT_EQ(large.list.width(), 474);
  EXPECT_EQ(large.notes.height(), 171);
  EXPECT_EQ(large.rowHeight, 25);
  EXPECT_EQ(large.fontSizeIndex, 2);
  EXPECT_TRUE(large.secondContext);

  // Without the notes the list reaches down to the status bar; the dictionary stays.
  const EditorLayout noNotes = EditorLayout::Compute(QRect(0, 30, 640, 400), 460, 480, false);
  EXPECT_EQ(noNotes.list.height(), 400);
  EXPECT_TRUE(noNotes.notes.isEmpty());
  EXPECT_EQ(noNotes.dictionary, small.dictionary);

  // The row and font steps at their borders.
  EXPECT_EQ(EditorLayout::RowHeight(500), 20);
  EXPECT_EQ(EditorLayout::RowHeight(501), 22);
  EXPECT_EQ(EditorLayout::RowHeight(600), 22);
  EXPECT_EQ(EditorLayout::RowHeight(800), 25);
  EXPECT_GT(EditorLayout::RowHeight(1200), 25);
  EXPECT_EQ(EditorLayout::FontSizeIndex(533), 0);
  EXPECT_EQ(EditorLayout::FontSizeIndex(534), 1);
  EXPECT_EQ(EditorLayout::FontSizeIndex(701), 2);
}

TEST(EditorRecordingTextsTest, DoubleClickFindsTheMeaningUnderTheMouse) {
  const QString meanings = u"[ugs.] la casa; el hogar.; (la vivienda)"_s;
  EXPECT_EQ(RecordingTexts::SegmentAt(meanings, 3), u"la casa"_s);  // the note is skipped
  EXPECT_EQ(RecordingTexts::SegmentAt(meanings, 20), u"el hogar."_s);
  EXPECT_EQ(RecordingTexts::SegmentAt(meanings, meanings.size()), u"(la vivienda)"_s);
  EXPECT_EQ(RecordingTexts::SegmentAt(u"hola"_s, 0), u"hola"_s);
  EXPECT_EQ(RecordingTexts::SegmentAt(QString(), 5), QString());

  // The segment, the selection, then the segment without its dots and parentheses.
  EXPECT_EQ(RecordingTexts::AroundCursor(meanings, 20, u" hogar "_s),
            (QStringList{u"el hogar."_s, u"hogar"_s, u"el hogar"_s}));
  EXPECT_EQ(RecordingTexts::AroundCursor(meanings, 30, QString()),
            (QStringList{u"(la vivienda)"_s, u"la vivienda"_s}));
  EXPECT_EQ(RecordingTexts::Candidates(u"hola"_s), QStringList{u"hola"_s});
}

TEST(EditorPreviewTest, OnlyThePreviewsAnswerCodesCount) {
  for (const QString& code : {u"+"_s, u"-"_s, u"#1+"_s, u"#3-"_s, u"[~2]-"_s, u"[~5]+"_s})
    EXPECT_TRUE(TEditorPreview::IsAnswerCode(code)) << code.toStdString();
  for (const QString& code : {u"weiter"_s, u"%3+"_s, u""_s, u"#+"_s, u"[~]-"_s, u"+ -"_s, u"-+x"_s})
    EXPECT_FALSE(TEditorPreview::IsAnswerCode(code)) << code.toStdString();
}

TEST(EditorRecordListTest, LinesShowTheEntryAndAnEmptyMark) {
  EXPECT_EQ(RecordListModel::EntryText(u"casa"_s), u" casa"_s);
  EXPECT_EQ(RecordListModel::EntryText(QString()), u" <leer>"_s);
}
