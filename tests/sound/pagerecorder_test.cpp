#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "common/messagerecorder.h"
#include "pages/txpage.h"
#include "sound/baserec.h"
#include "sound/soundtestsupport.h"
#include "sound/txrecorder.h"
#include "testsupport.h"

namespace {

// The page shown on screen (the buffer less the scroll position) at a view point.
QColor shown(TXPage& page, QPoint at) { return page.grab().toImage().pixelColor(at); }

// The panel the page made through the sound layer's factory.
TXRecorder* recorderOf(const TXPage& page) { return dynamic_cast<TXRecorder*>(page.Recorder()); }

TEST(PageRecorder, ARecorderPageRecordsThroughItsButtonsAndDropsTheRecorderWithThePage) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  WriteRecorderPictures(tree.path() + QStringLiteral("/knopf_"));
  TXPage page;
  page.CreateRecorder = TXRecorder::PageFactory();
  page.setXPath(tree.path());
  page.ShowText(QStringLiteral("<body bgcolor=#000000>Sprechen Sie nach:"
                               "<recorder c-rec=100,100,40,40 c-play=160,100,40,40 pictures=\"knopf_\" max=2>"));
  page.show();
  ASSERT_NE(recorderOf(page), nullptr);
  EXPECT_TRUE(recorderOf(page)->Visible());
  EXPECT_EQ(recorderOf(page)->MaxSeconds(), 2);  // the shortest length a page can ask for
  EXPECT_EQ(shown(page, {120, 120}), QColor(Qt::red));
  EXPECT_EQ(shown(page, {180, 120}), QColor(Qt::blue));

  // The record button is a link "§rec": a click starts recording, the picture changes at once.
  QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(120, 120));
  EXPECT_EQ(recorderOf(page)->State(), TBaseRec::Recording);
  EXPECT_EQ(shown(page, {120, 120}), QColor(Qt::green));
  ASSERT_TRUE(WaitUntil([&] { return recorderOf(page)->State() == TBaseRec::Stopped; }, 5000));
  EXPECT_EQ(shown(page, {120, 120}), QColor(Qt::red));
  EXPECT_GE(recorderOf(page)->Length(), 1900);

  QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(180, 120));
  EXPECT_EQ(recorderOf(page)->State(), TBaseRec::Playing);
  EXPECT_EQ(shown(page, {180, 120}), QColor(Qt::yellow));
  ASSERT_TRUE(WaitUntil([&] { return recorderOf(page)->State() == TBaseRec::Stopped; }, 5000));

  // A page without a recorder drops the old one; "§rec" is then an ordinary host command.
  QStringList commands;
  page.OnCommand = [&](TXPage*, const QString& c) { commands << c; };
  page.ShowText(QStringLiteral("<a href=\"§rec\">aufnehmen</a>"));
  EXPECT_EQ(page.Recorder(), nullptr);
  page.FollowLink(QStringLiteral("§rec"));
  EXPECT_EQ(commands, QStringList({QStringLiteral("rec")}));
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(PageRecorder, ClearingThePageStopsARunningRecording) {
  REQUIRE_SOUND_SERVER();
  MessageRecorder messages;
  TestTree tree;
  WriteRecorderPictures(tree.path() + QStringLiteral("/knopf_"));
  TXPage page;
  page.CreateRecorder = TXRecorder::PageFactory();
  page.setXPath(tree.path());
  page.ShowText(QStringLiteral("<recorder c-rec=10,10,30,30 c-play=50,10,30,30 pictures=\"knopf_\" max=10>"));
  ASSERT_NE(recorderOf(page), nullptr);
  page.FollowLink(QStringLiteral("§rec"));
  EXPECT_EQ(recorderOf(page)->State(), TBaseRec::Recording);
  page.ClearPage();
  EXPECT_EQ(page.Recorder(), nullptr);
  // The device is free again: a new recorder can record at once.
  page.ShowText(QStringLiteral("<recorder c-rec=10,10,30,30 c-play=50,10,30,30 pictures=\"knopf_\" max=2>"));
  page.FollowLink(QStringLiteral("§rec"));
  EXPECT_EQ(recorderOf(page)->State(), TBaseRec::Recording);
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(PageRecorder, WithoutAHostPanelTheRecorderLinksReachTheHost) {
  MessageRecorder messages;
  TXPage page;
  QStringList commands;
  page.OnCommand = [&](TXPage*, const QString& command) { commands << command; };
  page.ShowText(QStringLiteral("<recorder c-rec=10,10,30,30 c-play=50,10,30,30 max=2>"));
  EXPECT_EQ(page.Recorder(), nullptr);
  page.FollowLink(QStringLiteral("§rec"));
  EXPECT_EQ(commands, QStringList{QStringLiteral("rec")});
}

}  // namespace
