#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <stdexcept>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStyleHints>
#include <QThread>

#include "common/messagerecorder.h"
#include "common/zstream.h"
#include "pages/pagefile.h"
#include "pages/txlabel.h"
#include "pages/pagetestsupport.h"
#include "pages/txpage.h"
#include "testsupport.h"

namespace {

// A page control over a directory of compressed pages, recording what it raises.
struct LinkPage {
  LinkPage() {
    page.resize(800, 572);
    page.setXPath(dir.path());
    page.OnCommand = [this](TXPage*, const QString& c) { commands << c; };
  }
  // Markup in UTF-8 or already in Windows-1252, stored as a page file.
  void write(const QString& name, const QByteArray& markup) {
    dir.write(name, ZStream::compress(PageFile::toStoredText(markup).bytes));
  }
  bool open(const QString& name) { return page.setXFile(name); }
  // Centre of the first rectangle of the link with this target name, in view coordinates.
  QPoint linkPoint(const QString& name) const { return LinkPoint(page, name); }
  void click(const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, at, page.mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, page.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &release);
  }
  void move(const QPoint& at) {
    QMouseEvent ev(QEvent::MouseMove, at, page.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &ev);
  }
  void key(int key, const QString& text = {}) {
    QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&page, &ev);
  }
  TestTree dir;
  MessageRecorder messages;
  TXPage page;
  QStringList commands;
};

}  // namespace

TEST(Links, NavigationBackAndCommandsBeforePages) {
  LinkPage p;
  p.write(QStringLiteral("eins.htx"), "<a href=\"zwei.htx\">weiter</a> <a href=\"§[neu]zwei.htx\">neu</a> <a href=\"§abc\">abc</a>");
  p.write(QStringLiteral("zwei.htx"), "<title>Zwei</title><a href=\"-\">zur\xFC" "ck</a>");
  ASSERT_TRUE(p.open(QStringLiteral("eins.htx")));

  p.click(p.linkPoint(QStringLiteral("§abc")));
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("abc")});
  EXPECT_EQ(p.page.XFile(), QStringLiteral("eins.htx"));

  p.click(p.linkPoint(QStringLiteral("§[neu]zwei.htx")));
  EXPECT_EQ(p.commands.last(), QStringLiteral("neu"));
  EXPECT_EQ(p.page.XFile(), QStringLiteral("zwei.htx"));
  EXPECT_EQ(p.page.PageTitle(), QStringLiteral("Zwei"));

  p.click(p.linkPoint(QStringLiteral("-")));
  EXPECT_EQ(p.page.XFile(), QStringLiteral("eins.htx"));
  EXPECT_EQ(p.page.History().size(), 1);
  p.page.FollowLink(QStringLiteral("-"));  // on the first page: nothing
  EXPECT_EQ(p.page.XFile(), QStringLiteral("eins.htx"));
  EXPECT_TRUE(p.messages.messages().isEmpty());
}

TEST(Links, LeftAndRightButtonsTakeTheirSideOfTheDegreeSign) {
  LinkPage p;
  p.write(QStringLiteral("start.htx"), "<a href=\"a.htx\xB0" "b.htx\">links oder rechts</a>");
  p.write(QStringLiteral("a.htx"), "A");
  p.write(QStringLiteral("b.htx"), "B");
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  const QPoint at = p.linkPoint(QStringLiteral("a.htx°b.htx"));
  p.click(at, Qt::RightButton);
  EXPECT_EQ(p.page.XFile(), QStringLiteral("b.htx"));
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  p.click(at, Qt::LeftButton);
  EXPECT_EQ(p.page.XFile(), QStringLiteral("a.htx"));
}

TEST(Links, CheckboxesHintsAndExerciseCalls) {
  LinkPage p;
  p.write(QStringLiteral("s.htx"), "<checkbox coords=12,4 name=\"laut\">laut <a href=\"@Ein Hinweis\">Hinweis</a> "
                                   "<a href=\"extra.htx\">Extra</a>");
  ASSERT_TRUE(p.open(QStringLiteral("s.htx")));
  p.click(p.linkPoint(QStringLiteral("+laut")));
  EXPECT_TRUE(p.page.IsCondition(QStringLiteral("laut")));
  p.click(p.linkPoint(QStringLiteral("+laut")));
  EXPECT_FALSE(p.page.IsCondition(QStringLiteral("laut")));
  EXPECT_EQ(p.commands, (QStringList{QStringLiteral("+laut"), QStringLiteral("-laut")}));

  p.click(p.linkPoint(QStringLiteral("%@Ein Hinweis")));
  EXPECT_FALSE(p.page.HintLabel()->isHidden());
  EXPECT_EQ(p.page.HintLabel()->Caption(), QStringLiteral("Ein Hinweis"));
  p.click(p.linkPoint(QStringLiteral("%@Ein Hinweis")));  // a second click closes it
  EXPECT_TRUE(p.page.HintLabel()->isHidden());

  // A page name that begins with "ex" is taken as an exercise-collection call.
  p.click(p.linkPoint(QStringLiteral("extra.htx")));
  ASSERT_FALSE(p.messages.messages().isEmpty());
  EXPECT_EQ(p.messages.messages().last().text, QStringLiteral("EX nicht gefunden"));
}

TEST(Links, EnterOnceAndKeysInEitherCase) {
  LinkPage p;
  p.write(QStringLiteral("k.htx"), "<a href=\"§los@Los geht's\" return>Los</a> <a href=\"§weiter@Weiter\" key=w>Weiter</a>");
  ASSERT_TRUE(p.open(QStringLiteral("k.htx")));
  p.key(Qt::Key_Return);
  p.key(Qt::Key_Return);
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("los")});  // once, without its hint
  p.key(Qt::Key_W, QStringLiteral("W"));
  p.key(Qt::Key_W, QStringLiteral("w"));
  EXPECT_EQ(p.commands.mid(1), (QStringList{QStringLiteral("weiter"), QStringLiteral("weiter")}));
}

TEST(Links, HoverHighlightsCursorsSoundsAndTooltips) {
  LinkPage p;
  p.write(QStringLiteral("h.htx"), "<a href=\"x.htx@\xB0klick.wav\" flash=#ff0000>Klang</a> <a href=\"\xA7" "cmd\">Befehl</a>");
  p.dir.write(QStringLiteral("klick.wav"), "RIFF");
  QStringList played, anchors;
  p.page.PlaySoundAsync = [&](const QString& f) { played << f; };
  p.page.OnAnkerChange = [&](TXPage*, const QString& a) { anchors << a; };
  p.page.OnMoveCommand = [&](TXPage*, QString& code) { code = QStringLiteral("%"); };
  ASSERT_TRUE(p.open(QStringLiteral("h.htx")));

  p.move(p.linkPoint(QStringLiteral("x.htx@°klick.wav")));
  EXPECT_FALSE(p.page.TooltipPending());  // a sound hint is no tooltip
  EXPECT_EQ(p.page.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_GE(p.page.HighlightedLink(), 0);
  ASSERT_EQ(played.size(), 1);
  EXPECT_TRUE(played[0].endsWith(QStringLiteral("klick.wav")));
  EXPECT_EQ(anchors, QStringList{QStringLiteral("x.htx")});

  // The host turned this command into "%": no hand, no highlight.
  p.move(p.linkPoint(QStringLiteral("§cmd")));
  EXPECT_NE(p.page.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(p.page.HighlightedLink(), -1);
  p.move(QPoint(700, 500));
  EXPECT_EQ(p.page.HighlightedLink(), -1);

  // A link's tooltip waits for the mouse to rest; the page the host shows
  // next drops it.
  p.page.OnCommand = [](TXPage* page, const QString&) { page->ShowText(QStringLiteral("<p>Ziel")); };
  p.write(QStringLiteral("t.htx"), "<a href=\"\xA7weiter@Zur n\xE4" "chsten Seite\">weiter</a>");
  ASSERT_TRUE(p.open(QStringLiteral("t.htx")));
  p.move(p.linkPoint(QStringLiteral("§weiter@Zur nächsten Seite")));
  EXPECT_TRUE(p.page.TooltipPending());
  p.click(p.linkPoint(QStringLiteral("§weiter@Zur nächsten Seite")));
  EXPECT_TRUE(p.page.state().Elements.Links.Rects.empty());
  EXPECT_FALSE(p.page.TooltipPending());
}

TEST(Links, OneBrokenLinkReportPerPage) {
  LinkPage p;
  QStringList bad;
  p.page.OnBadLink = [&](TXPage*, const QString& t) { bad << t; };
  p.write(QStringLiteral("b.htx"), "<a href=\"fehlt.htx@Hinweis\">eins</a> <a href=\"auch.htx\">zwei</a> "
                                   "<a href=\"§ok\">drei</a> <a href=\"-\">vier</a> <checkbox name=\"c\">c");
  ASSERT_TRUE(p.open(QStringLiteral("b.htx")));
  EXPECT_EQ(bad, QStringList{QStringLiteral("fehlt.htx@Hinweis")});
}

TEST(Links, WaitTimersFollowOnlyWithAutoJump) {
  LinkPage p;
  p.write(QStringLiteral("w.htx"), "<body wait=\"30,ziel.htx\">warten");
  p.write(QStringLiteral("ziel.htx"), "Ziel");
  ASSERT_TRUE(p.open(QStringLiteral("w.htx")));
  for (int i = 0; i < 50 && p.page.XFile() != QLatin1String("ziel.htx"); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  EXPECT_EQ(p.page.XFile(), QStringLiteral("ziel.htx"));

  p.page.AutoJump = false;
  ASSERT_TRUE(p.open(QStringLiteral("w.htx")));
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  EXPECT_EQ(p.page.XFile(), QStringLiteral("w.htx"));
}

TEST(Links, MissingDocumentsAndTheEnd) {
  LinkPage p;
  int ended = 0;
  p.page.OnEnd = [&](TXPage*) { ++ended; };
  p.write(QStringLiteral("d.htx"), "x");
  ASSERT_TRUE(p.open(QStringLiteral("d.htx")));
  p.page.FollowLink(QStringLiteral("hilfe.pdf"));
  ASSERT_EQ(p.messages.messages().size(), 1);
  EXPECT_EQ(p.messages.messages()[0].text, p.dir.file(QStringLiteral("hilfe.pdf")) + QStringLiteral(" konnte nicht gefunden werden!"));
  p.dir.write(QStringLiteral("setup.exe"), "MZ");
  p.page.FollowLink(QStringLiteral("setup.exe"));  // programs are never started
  EXPECT_EQ(p.messages.messages().last().text, p.dir.file(QStringLiteral("setup.exe")) + QStringLiteral(" konnte nicht geöffnet werden!"));
  p.page.FollowLink(QStringLiteral("END"));
  EXPECT_EQ(ended, 1);
}

TEST(Links, AFailingHostCommandIsReportedAndInputComesBack) {
  MessageRecorder messages;
  TXPage page;
  page.OnCommand = [](TXPage*, const QString&) { throw std::runtime_error("Datei fehlt"); };
  page.ShowText(QStringLiteral("<a href=\"§kaputt\">Kaputt</a>"));
  page.FollowLink(QStringLiteral("§kaputt"));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages()[0].kind, MessageKind::Stop);
  EXPECT_TRUE(messages.messages()[0].text.contains(QStringLiteral("„kaputt“")));
  EXPECT_TRUE(messages.messages()[0].text.contains(QStringLiteral("Datei fehlt")));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The page takes the next command as before.
  QStringList commands;
  page.OnCommand = [&](TXPage*, const QString& command) { commands << command; };
  page.FollowLink(QStringLiteral("§weiter"));
  EXPECT_EQ(commands, QStringList{QStringLiteral("weiter")});
}

TEST(Links, TheBackgroundPictureIsReadOncePerPage) {
  MessageRecorder messages;
  TestTree tree;
  QImage tile(20, 20, QImage::Format_RGB32);
  tile.fill(Qt::green);
  ASSERT_TRUE(tile.save(tree.file(QStringLiteral("kachel.png"))));
  TXPage page;
  page.resize(200, 100);
  page.setXPath(tree.path());
  page.ShowText(QStringLiteral("<body background=kachel.png>Text"));
  EXPECT_EQ(page.Buffer().pixelColor(150, 80), QColor(Qt::green));
  // Drawn again (as after an exercise) without the file: the page keeps its picture.
  QFile::remove(tree.file(QStringLiteral("kachel.png")));
  page.ShowPage();
  EXPECT_EQ(page.Buffer().pixelColor(150, 80), QColor(Qt::green));
  // A new page reads its own picture anew.
  page.ShowText(QStringLiteral("<body bgcolor=#ffffff background=kachel.png>Text"));
  EXPECT_EQ(page.Buffer().pixelColor(150, 80), QColor(Qt::white));
}

TEST(Links, TheSecondClickOfADoubleClickDoesNotActOnTheNextPage) {
  LinkPage p;
  // "Beenden" on the second page lies where the answer was on the first.
  p.write(QStringLiteral("start.htx"), "<a href=\"zwei.htx\">Antwort</a>");
  p.write(QStringLiteral("zwei.htx"), "<a href=\"§beenden\">Beenden</a>");
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  const QPoint at = p.linkPoint(QStringLiteral("zwei.htx"));
  const auto doubleClick = [&] {
    p.click(at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, p.page.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, p.page.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&p.page, &press);
    QCoreApplication::sendEvent(&p.page, &twice);
    QMouseEvent release(QEvent::MouseButtonRelease, at, p.page.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&p.page, &release);
  };
  ASSERT_EQ(p.linkPoint(QStringLiteral("zwei.htx")), at);
  doubleClick();
  EXPECT_EQ(p.page.XFile(), QStringLiteral("zwei.htx"));
  ASSERT_EQ(p.linkPoint(QStringLiteral("§beenden")).y(), at.y());
  EXPECT_TRUE(p.commands.isEmpty());

  // The same spot after the interval is the learner's click.
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(60);
  QThread::msleep(100);
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  p.click(at);
  ASSERT_EQ(p.page.XFile(), QStringLiteral("zwei.htx"));
  QThread::msleep(100);
  p.click(p.linkPoint(QStringLiteral("§beenden")));
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("beenden")});
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(400);
}

TEST(Links, AHintNoteClosesWithItsPage) {
  LinkPage p;
  p.write(QStringLiteral("start.htx"), "<a href=\"@Ein Hinweis\">?</a> <a href=\"zwei.htx\">weiter</a>");
  p.write(QStringLiteral("zwei.htx"), "Zwei");
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  p.page.show();
  p.click(p.linkPoint(QStringLiteral("%@Ein Hinweis")));
  ASSERT_TRUE(p.page.HintLabel()->isVisible());
  p.key(Qt::Key_unknown);
  ASSERT_TRUE(p.open(QStringLiteral("zwei.htx")));
  EXPECT_FALSE(p.page.HintLabel()->isVisible());
}

TEST(Links, IncludesThatFanOutEndWithOneMessage) {
  LinkPage p;
  // Sixteen small files, each including the next four times: no cycle,
  // within the nesting depth, but four to the sixteenth includes in all.
  for (int i = 0; i < 16; ++i) {
    QByteArray text = "Teil " + QByteArray::number(i) + " ";
    if (i < 15)
      for (int k = 0; k < 4; ++k) text += "<include href=\"t" + QByteArray::number(i + 1) + ".htx\">";
    p.write(QStringLiteral("t%1.htx").arg(i), text);
  }
  p.write(QStringLiteral("start.htx"), "<include href=\"t0.htx\"> Ende");
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(p.open(QStringLiteral("start.htx")));
  EXPECT_LT(timer.elapsed(), 20000);
  ASSERT_EQ(p.messages.messages().size(), 1);
  EXPECT_EQ(p.messages.messages()[0].text, QStringLiteral("Fehler bei INCLUDE!!!"));
  // Two includes per file down to the depth limit: one message, not 65,536.
  p.messages.clear();
  for (int i = 0; i < 17; ++i)
    p.write(QStringLiteral("d%1.htx").arg(i), "<include href=\"d" + QByteArray::number(i + 1) + ".htx\"><include href=\"d" +
                                                  QByteArray::number(i + 1) + ".htx\">");
  p.write(QStringLiteral("d17.htx"), "x");
  ASSERT_TRUE(p.open(QStringLiteral("d0.htx")));
  EXPECT_EQ(p.messages.messages().size(), 1);
}
