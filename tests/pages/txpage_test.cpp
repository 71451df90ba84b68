#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "pages/fontcatalog.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"
#include "sound/soundtestsupport.h"
#include "testsupport.h"

TEST(TXPage, IsAPageSizedWidgetThatAsksItsHost) {
  TXPage page;
  EXPECT_EQ(page.width(), 800);
  EXPECT_EQ(page.height(), 572);
  EXPECT_EQ(page.PageTitle(), QStringLiteral("ohne Titel"));

  page.ShowText(QStringLiteral("$[user]"));
  ASSERT_EQ(page.Document().size(), 1u);
  EXPECT_EQ(page.Document()[0].Text, QStringLiteral("[undefined]"));  // no host handler

  page.setOnSpecialCode([](TXPage*, QString& code) {
    if (code == QLatin1String("user")) code = QStringLiteral("Ana");
    else if (code == QLatin1String("login")) code = QStringLiteral("+");
  });
  page.ShowText(QStringLiteral("<if ?login>Hola $[user]</if><if ?offline>nein</if>"));
  ASSERT_EQ(page.Document().size(), 3u);
  EXPECT_EQ(page.Document()[2].Text, QStringLiteral("Ana"));

  page.SetVariable(QStringLiteral("Zähler"), QStringLiteral("3"));
  page.SetCondition(QStringLiteral("cdrom"), true);
  page.ShowText(QStringLiteral("x"));  // variables and conditions outlive the page
  EXPECT_EQ(page.GetVariable(QStringLiteral("ZÄHLER")), QStringLiteral("3"));
  EXPECT_TRUE(page.IsCondition(QStringLiteral("CDROM")));
  page.SetCondition(QStringLiteral("cdrom"), false);
  EXPECT_FALSE(page.IsCondition(QStringLiteral("cdrom")));
}

TEST(TXPage, ChildPagesReadColourVariablesFromTheirParent) {
  TXPage parent;
  TXPage child(&parent);
  parent.SetVariable(QStringLiteral("farbe"), QStringLiteral("#00ff00"));
  child.setHTMLChild(true, &parent);
  child.ShowText(QStringLiteral("<font color=$farbe>gruen"));
  ASSERT_EQ(child.Document().size(), 1u);
  EXPECT_EQ(child.Document()[0].Format.Font.TextColor, RGBColor(0, 255, 0));
}

TEST(TXPage, SettingXFileShowsThePageOrKeepsTheOld) {
  TestTree t;
  t.write(QStringLiteral("hzvk/main.htm"), "Bienvenidos");
  MessageRecorder messages;
  TXPage page;
  page.setXPath(t.file(QStringLiteral("hzvk")));
  ASSERT_TRUE(page.setXFile(QStringLiteral("main.htm")));
  EXPECT_EQ(page.XFile(), QStringLiteral("main.htm"));
  EXPECT_FALSE(page.setXFile(QStringLiteral("nada.htm")));
  EXPECT_EQ(page.Document()[0].Text, QStringLiteral("Bienvenidos"));
  EXPECT_EQ(messages.messages().size(), 1);
}

TEST(FontCatalog, ClassicFacesCountAsInstalledThroughCompatibleFonts) {
  for (const char* face : {"Times New Roman", "arial", "Courier New"}) {
    EXPECT_TRUE(FontCatalog::IsInstalled(QLatin1String(face))) << face;
  }
  EXPECT_EQ(FontCatalog::FamilyFor(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
  EXPECT_FALSE(FontCatalog::IsInstalled(QStringLiteral("NoSuchFont")));
  EXPECT_FALSE(FontCatalog::IsInstalled(QString()));

  TXPage page;
  page.ShowText(QStringLiteral("<font face=\"NoSuchFont, Arial\">a<font face=\"Nada\">b"));
  EXPECT_EQ(page.Document()[0].Format.Font.FaceName, QStringLiteral("Arial"));
  EXPECT_EQ(page.Document()[1].Format.Font.FaceName, QStringLiteral("Arial"));  // none installed: no change
}

TEST(TXPage, AColouredButtonBoxColoursItsWholeArea) {
  // The box covers its right and bottom edge too; none of it keeps the black
  // fill the button is drawn with before it is coloured.
  MessageRecorder quiet;
  TXPage page;
  page.ShowText(QStringLiteral("<box coords=10,10,100,40 href=\"x.htx\" oncolor=#ff0000 offcolor=#0000ff>"));
  const QImage shown = page.Buffer();
  for (const QPoint p : {QPoint(10, 10), QPoint(60, 30), QPoint(110, 30), QPoint(60, 50), QPoint(110, 50)})
    EXPECT_TRUE(qBlue(shown.pixel(p)) > 240 && qRed(shown.pixel(p)) < 16) << p.x() << "," << p.y();
  EXPECT_EQ(shown.pixel(111, 30), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(60, 51), qRgb(255, 255, 255));
}

TEST(TXPage, HostPicturesAreDrawnAgainWithoutRebuildingThePage) {
  MessageRecorder messages;
  TXPage page;
  QRgb color = qRgb(200, 0, 0);
  int requests = 0;
  page.setOnPictureRequest([&](TXPage*, const QString& code, QImage& picture) {
    if (code != QLatin1String("bild")) return;
    ++requests;
    picture.fill(color);
  });
  page.ShowText(QStringLiteral("<box coords=10,10,40,20><img src=\"%40x20=bild\">"
                               "<edit coords=100,10,200,30 lsg=\"hola\" help=\"h...\">"));
  ASSERT_EQ(requests, 1);
  EXPECT_EQ(page.Buffer().pixel(20, 15), color);
  ASSERT_EQ(page.GapEditors().size(), 1u);
  page.GapEditors()[0]->setText(QStringLiteral("ho"));

  color = qRgb(0, 0, 200);
  page.RefreshHostPictures();
  EXPECT_EQ(requests, 2);
  EXPECT_EQ(page.Buffer().pixel(20, 15), color);
  ASSERT_EQ(page.GapEditors().size(), 1u);
  EXPECT_EQ(page.GapEditors()[0]->text(), QStringLiteral("ho")) << "the page's widgets stay as they were";
  EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(TXPage, TheOverlayCoversThePageAndKeepsItsTimersAndHighlightsAway) {
  MessageRecorder messages;
  TXPage page;
  page.resize(200, 100);
  int followed = 0;
  page.OnCommand = [&](TXPage*, const QString&) { ++followed; };
  page.ShowText(QStringLiteral("<body bgcolor=#ff0000 wait=\"30,§weiter\"><a href=\"§x\">Link</a>"));
  page.SetOverlay(true);
  ASSERT_TRUE(page.OverlayOn());
  EXPECT_EQ(page.Overlay().size(), QSize(200, 100));
  EXPECT_EQ(page.Overlay().pixel(150, 80), qRgb(255, 0, 0)) << "it starts as what the page shows";
  page.Overlay().fill(Qt::blue);
  page.RepaintOverlay(QRect(0, 0, 200, 100));
  EXPECT_EQ(page.grab().toImage().pixel(150, 80), qRgb(0, 0, 255));
  WaitUntil([] { return false; }, 80);
  EXPECT_EQ(followed, 0) << "the WAIT timer does not jump under a presentation";
  EXPECT_EQ(page.HighlightedLink(), -1);

  page.SetOverlay(false);
  EXPECT_EQ(page.grab().toImage().pixel(150, 80), qRgb(255, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return followed == 1; }, 1000)) << "the page's WAIT goes on afterwards";
  EXPECT_TRUE(messages.messages().isEmpty());
}
