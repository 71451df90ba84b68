// The exercises of a page worked the way a learner does: keys into typing
// gaps, the mouse on drag blocks and sentence parts, clicks on answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "pages/sentenceparts.h"
#include "pages/pagetestsupport.h"
#include "pages/txpage.h"
#include "pages/txrichedit.h"
#include "testsupport.h"

namespace {

// A shown page that records what it raises.
struct ExercisePage {
  ExercisePage() {
    Random::seed(7);
    page.resize(800, 572);
    page.setXPath(dir.path());
    page.GlideStepMs = 0;
    page.SwapPauseMs = 0;
    page.OnCommand = [this](TXPage*, const QString& c) { commands << c; };
    page.OnDrag = [this](TXPage*, const QString& t) { dropped << t; };
    page.OnSolved = [this](TXPage*, bool& doReact) {
      solved << doReact;
      doReact = react;
    };
    page.show();
  }
  void show(const QString& markup) { page.ShowText(markup); }
  TXRichEdit* gap(int i) const { return page.GapEditors().at(static_cast<size_t>(i)); }
  void type(int i, const QString& text) { QTest::keyClicks(gap(i), text); }
  void enter(int i) { QTest::keyClick(gap(i), Qt::Key_Return); }
  void answer(int i, const QString& text) {
    type(i, text);
    enter(i);
  }
  const TXText& element(int i) const { return page.Document()[static_cast<size_t>(i)]; }
  int elementOf(const QString& text) const {
    for (size_t i = 0; i < page.Document().size(); ++i)
      if (page.Document()[i].Text == text) return static_cast<int>(i);
    return -1;
  }
  bool hasWord(const QString& word) const { return page.state().Layout.Words.Words.contains(word); }
  // Link rectangles of a target, in view coordinates.
  QPoint linkPoint(const QString& name) const { return LinkPoint(page, name); }
  void click(const QPoint& at) { QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, at); }

  const TDragExercise& drag() const { return page.state().Elements.Drag; }
  const tDragKlotz& block(const QString& text) const {
    for (const tDragKlotz& b : drag().Blocks)
      if (b.Text == text) return b;
    ADD_FAILURE() << "no block " << text.toStdString();
    static tDragKlotz none;
    return none;
  }

  TestTree dir;
  MessageRecorder messages;
  TXPage page;
  QStringList commands;
  QStringList dropped;
  QList<bool> solved;  // DoReact as each OnSolved arrived
  bool react = false;  // what the handler leaves in DoReact
};

// Watches whether the reaction animation shows while fn runs.
bool reactionShownDuring(TXPage& page, const std::function<void()>& fn, qint64* elapsed = nullptr) {
  bool seen = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] { seen = seen || page.ReactionRunning(); });
  probe.start(50);
  QElapsedTimer clock;
  clock.start();
  fn();
  if (elapsed) *elapsed = clock.elapsed();
  return seen;
}

const QString kTwoGaps = QStringLiteral(
    "<p>Yo <a gap lsg=\"soy\" help=\"*\">soy</a> de Alemania y <a gap lsg=\"vivo\" help=\"v___\">vivo</a> en Madrid.");

}  // namespace

TEST(TypingGap, FiveWrongAnswersFailAndTheHostHearsAfterTheKey) {
  ExercisePage p;
  p.show(QStringLiteral("<p>Yo <a gap lsg=\"soy\" help=\"*\" reaction=\"verbo\">soy</a> de Alemania."));
  TXRichEdit* e = p.gap(0);
  ASSERT_TRUE(e->isVisible());
  EXPECT_EQ(e->Margin, 0);

  p.answer(0, QStringLiteral("xyz"));  // nothing near: cleared
  EXPECT_EQ(e->text(), QString());
  EXPECT_EQ(e->Attempts(), 1);
  // The learner sees why the field is empty and how many tries are left.
  EXPECT_EQ(e->Note(), QStringLiteral("falsch – noch 4 Versuche"));
  p.answer(0, QStringLiteral("so"));  // near "soy": kept, cursor at its end
  EXPECT_EQ(e->text(), QStringLiteral("so"));
  EXPECT_EQ(e->cursorPosition(), 2);
  EXPECT_EQ(e->Note(), QStringLiteral("fast richtig – noch 3 Versuche"));
  p.enter(0);
  p.enter(0);
  EXPECT_TRUE(e->isVisible());
  EXPECT_EQ(e->Attempts(), 4);
  EXPECT_EQ(e->Note(), QStringLiteral("fast richtig – noch ein Versuch"));
  p.enter(0);  // the fifth
  EXPECT_TRUE(e->isHidden());
  EXPECT_TRUE(e->Note().isEmpty());
  EXPECT_TRUE(e->Done());
  EXPECT_TRUE(p.commands.isEmpty());  // not while the key is handled
  QCoreApplication::processEvents();
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("verbo-")});
  EXPECT_TRUE(p.solved.isEmpty());  // a gap with a reaction leaves the page to the host

  // Right at the second attempt.
  p.commands.clear();
  p.show(QStringLiteral("<p><a gap lsg=\"la casa; casa\" help=\"\" reaction=\"vokabel\">casa</a>"));
  p.answer(0, QStringLiteral("Casa"));  // case counts
  EXPECT_FALSE(p.gap(0)->Done());
  EXPECT_EQ(p.gap(0)->letterColor(0), QColor(Qt::red));
  EXPECT_EQ(p.gap(0)->letterColor(1), QColor(Qt::black));
  QTest::keyClick(p.gap(0), Qt::Key_Home);
  QTest::keyClick(p.gap(0), Qt::Key_Delete);
  p.answer(0, QStringLiteral("c"));
  QCoreApplication::processEvents();
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("vokabel#2+")});
}

TEST(TypingGap, AnEmptyAnswerGivesUpAndShowsTheAnswer) {
  ExercisePage p;
  p.show(QStringLiteral("<p>Ich <a gap lsg=\"bin\" help=\"*\">bin</a> hier."));
  const int word = p.elementOf(QStringLiteral("bin"));
  EXPECT_EQ(p.element(word).Format.GapIndex, 0);
  EXPECT_FALSE(p.hasWord(QStringLiteral("bin")));
  // The first empty Return only asks; the second gives up.
  p.enter(0);
  EXPECT_FALSE(p.gap(0)->Done());
  EXPECT_EQ(p.gap(0)->Attempts(), 0);
  EXPECT_EQ(p.gap(0)->Note(), TXRichEdit::GiveUpQuestion());
  p.enter(0);
  EXPECT_EQ(p.gap(0)->Attempts(), 5);
  EXPECT_TRUE(p.gap(0)->Done());
  // The gap's word is text now, in the page's text colour.
  EXPECT_EQ(p.element(word).Format.GapIndex, -1);
  EXPECT_EQ(p.element(word).Format.Font.TextColor, kPageTextColor);
  EXPECT_TRUE(p.hasWord(QStringLiteral("bin")));
  // The last open gap failed: the page is finished, without a reaction.
  EXPECT_EQ(p.solved, QList<bool>{false});
}

TEST(TypingGap, AccentKeyHelpAndTypingOverPlaceholders) {
  ExercisePage p;
  p.show(QStringLiteral("<p><a gap lsg=\"café\" help=\"\">café</a> <a gap lsg=\"Haus\" help=\"*\">Haus</a> "
                        "<a gap lsg=\"Straße\" help=\"Stra..e\">Straße</a>"));
  TXRichEdit* e = p.gap(0);
  p.type(0, QStringLiteral("cafe"));
  QTest::keyClick(e, Qt::Key_F1);
  EXPECT_EQ(e->text(), QStringLiteral("café"));
  EXPECT_EQ(e->selectionLength(), 0);
  EXPECT_EQ(e->cursorPosition(), 4);
  // Typing goes on behind the accented letter; a selection is typed over.
  p.type(0, QStringLiteral("s"));
  EXPECT_EQ(e->text(), QStringLiteral("cafés"));
  QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(e->selectionStart(), 3);
  EXPECT_EQ(e->selectionLength(), 2);
  p.type(0, QStringLiteral("e"));
  EXPECT_EQ(e->text(), QStringLiteral("cafe"));
  QTest::keyClick(e, Qt::Key_F1);
  EXPECT_EQ(e->text(), QStringLiteral("café"));
  QTest::keyClick(e, Qt::Key_F1);
  EXPECT_EQ(e->text(), QStringLiteral("cafè"));
  for (int i = 0; i < 3; ++i) QTest::keyClick(e, Qt::Key_F1);  // ê, ë, back to e
  EXPECT_EQ(e->text(), QStringLiteral("cafe"));
  // Almost right: the cursor goes after the "e", so F1 corrects it.
  p.enter(0);
  EXPECT_EQ(e->cursorPosition(), 4);
  EXPECT_EQ(e->letterColor(3), QColor(Qt::red));
  QTest::keyClick(e, Qt::Key_F1);
  EXPECT_EQ(e->letterColor(3), QColor(Qt::black));
  p.enter(0);
  EXPECT_TRUE(e->Done());

  // F12 shows the masked help, the cursor at its first placeholder; typing replaces them.
  TXRichEdit* haus = p.gap(1);
  QTest::keyClick(haus, Qt::Key_F12);
  EXPECT_EQ(haus->text(), QStringLiteral("H__s"));
  EXPECT_EQ(haus->cursorPosition(), 1);
  p.type(1, QStringLiteral("au"));
  EXPECT_EQ(haus->text(), QStringLiteral("Haus"));
  p.enter(1);
  EXPECT_TRUE(haus->Done());

  // F2 too; "s" cycles to "ß" in gaps; control characters are swallowed.
  TXRichEdit* strasse = p.gap(2);
  QTest::keyClick(strasse, Qt::Key_F2);
  EXPECT_EQ(strasse->text(), QStringLiteral("Stra..e"));
  QTest::keyClick(strasse, Qt::Key_B, Qt::ControlModifier);
  p.type(2, QStringLiteral("s"));
  QTest::keyClick(strasse, Qt::Key_F1);
  EXPECT_EQ(strasse->text(), QStringLiteral("Straß.e"));
  QTest::keyClick(strasse, Qt::Key_Right);
  QTest::keyClick(strasse, Qt::Key_Backspace);
  EXPECT_EQ(strasse->text(), QStringLiteral("Straße"));
  p.enter(2);
  EXPECT_TRUE(strasse->Done());
  EXPECT_EQ(p.solved.size(), 1);
}

TEST(TypingGap, SelectAllCutAndPasteTakeOnlyOneLineOfLetters) {
  ExercisePage p;
  p.show(QStringLiteral("<p><a gap lsg=\"la casa\" help=\"*\">la casa</a> <a gap lsg=\"x\" help=\"\">x</a>"));
  TXRichEdit* e = p.gap(0);
  p.type(0, QStringLiteral("el caso"));
  QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(e->selectionLength(), 7);
  QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(e->text(), QString());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("el caso"));
  QGuiApplication::clipboard()->setText(QStringLiteral("la\tcasa\nsegunda línea"));
  QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(e->text(), QStringLiteral("lacasa"));  // the tab is a control character
  EXPECT_EQ(e->cursorPosition(), 6);
  EXPECT_EQ(p.solved.size(), 0);
}

TEST(TypingGap, AfterALinkClickedAwayFromAGapTheKeysReachTheNewPage) {
  ExercisePage p;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&p.page));
  p.page.OnCommand = [&p](TXPage* page, const QString& c) {
    p.commands << c;
    if (c == u"aufgeben") page->ShowText(QStringLiteral("<p>Lösung: tío <a href=\"§weiter\" return>Weiter</a>"));
  };
  p.show(QStringLiteral("<p>Mi <a gap lsg=\"tío\" help=\"*\">tío</a> vive aquí.<p><a href=\"§aufgeben\">Lösung</a>"));
  ASSERT_EQ(QApplication::focusWidget(), p.gap(0));
  p.click(p.linkPoint(QStringLiteral("§aufgeben")));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the old gap is gone
  ASSERT_EQ(QApplication::focusWidget(), &p.page);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(p.commands, (QStringList{QStringLiteral("aufgeben"), QStringLiteral("weiter")}));
}

TEST(TypingGap, TwoGapsRaiseOnSolvedOnceAndTheHandlerDecidesTheReaction) {
  ExercisePage p;
  p.show(kTwoGaps);
  p.answer(0, QStringLiteral("soy"));
  EXPECT_TRUE(p.solved.isEmpty());
  EXPECT_TRUE(p.gap(0)->Done());
  EXPECT_TRUE(p.gap(1)->isVisible());
  EXPECT_TRUE(p.hasWord(QStringLiteral("soy")));
  qint64 elapsed = 0;
  const bool shown = reactionShownDuring(p.page, [&] { p.answer(1, QStringLiteral("vivo")); }, &elapsed);
  EXPECT_EQ(p.solved, QList<bool>{true});
  EXPECT_FALSE(shown);  // the handler set DoReact to false
  EXPECT_LT(elapsed, 1500);
  EXPECT_TRUE(p.page.Solved());

  // Left at true (and without a handler) the reaction runs for two seconds.
  p.react = true;
  p.solved.clear();
  p.show(kTwoGaps);
  p.answer(0, QStringLiteral("soy"));
  EXPECT_TRUE(reactionShownDuring(p.page, [&] { p.answer(1, QStringLiteral("vivo")); }, &elapsed));
  EXPECT_GE(elapsed, 1900);
  EXPECT_EQ(p.solved, QList<bool>{true});
  EXPECT_FALSE(p.page.ReactionRunning());
}

TEST(TypingGap, AReactionWithAnExtensionLoadsThatPage) {
  ExercisePage p;
  p.dir.write(QStringLiteral("weiter.htm"), "Gut gemacht!");
  p.show(QStringLiteral("<p><a gap lsg=\"uno\" help=\"\" reaction=\"weiter.htm\">uno</a>"));
  p.answer(0, QStringLiteral("uno"));
  EXPECT_EQ(p.page.XFile(), QStringLiteral("weiter.htm"));
  EXPECT_TRUE(p.commands.isEmpty());
}

TEST(TypingGap, AFreeStandingFieldShowsItsAnswerWhenClosed) {
  ExercisePage p;
  p.show(QStringLiteral("Das Haus: <edit coords=100,100,160,26 lsg=\"la casa; casa\" help=\"la c___\" init=\"la \"></a>"));
  TXRichEdit* e = p.gap(0);
  EXPECT_EQ(e->text(), QStringLiteral("la "));
  EXPECT_EQ(e->geometry(), QRect(100, 100, 160, 26));
  p.answer(0, QStringLiteral("casa"));
  EXPECT_TRUE(e->isHidden());
  EXPECT_EQ(p.page.state().Elements.Gaps[0].Shown, QStringLiteral("la casa"));
  // The answer is drawn where the field was.
  const QImage area = p.page.Buffer().copy(QRect(100, 100, 160, 26));
  bool dark = false;
  for (int y = 0; y < area.height() && !dark; ++y)
    for (int x = 0; x < area.width() && !dark; ++x) dark = qGray(area.pixel(x, y)) < 100;
  EXPECT_TRUE(dark);
}

TEST(DragBlocks, SnappingDropsAndAnythingElseGlidesBack) {
  ExercisePage p;
  p.show(QStringLiteral("<p>Mi <a drag>hermana</a> <a drag>habla</a> español."
                        "<klotz falsch=\"hermano/hablo\" y=300 nr=4>"));
  ASSERT_EQ(p.drag().Blocks.size(), 4u);
  const QRect gap0 = p.drag().Gaps[0].Rect;
  const QRect gap1 = p.drag().Gaps[1].Rect;
  EXPECT_EQ(gap0.width(), 120);
  // The tray: four blocks of 120 in a centred row.
  QList<int> xs;
  for (const tDragKlotz& b : p.drag().Blocks) {
    EXPECT_EQ(b.Rect.y(), 300);
    EXPECT_EQ(b.Rect.size(), QSize(120, gap0.height()));
    xs << b.Rect.x();
  }
  std::sort(xs.begin(), xs.end());
  // Left (800 - 4 x 140 + 20) / 2 = 130, right 800 - 130, steps (670 - 130 - 120) / 3.
  EXPECT_EQ(xs, (QList<int>{130, 270, 410, 550}));

  // A block dropped 3 pixels off the corner without moving there goes back.
  const tDragKlotz habla = p.block(QStringLiteral("habla"));
  const QPoint grab(10, 5);
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, habla.Rect.topLeft() + grab);
  EXPECT_TRUE(p.page.Dragging());
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, gap1.topLeft() + grab + QPoint(3, 0));
  EXPECT_FALSE(p.page.Dragging());
  EXPECT_EQ(p.block(QStringLiteral("habla")).Rect, habla.Rect);
  EXPECT_TRUE(p.dropped.isEmpty());
  EXPECT_TRUE(p.drag().Gaps[1].Open());

  // A wrong block snaps too, but does not stay.
  const tDragKlotz hablo = p.block(QStringLiteral("hablo"));
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, hablo.Rect.topLeft() + grab);
  QTest::mouseMove(&p.page, gap1.topLeft() + grab + QPoint(-6, 7));
  EXPECT_EQ(p.page.DragPosition(), gap1.topLeft());
  QTest::mouseMove(&p.page, gap1.topLeft() + grab + QPoint(30, 30));  // out of reach: follows the mouse
  EXPECT_EQ(p.page.DragPosition(), gap1.topLeft() + QPoint(30, 30));
  QTest::mouseMove(&p.page, gap1.topLeft() + grab + QPoint(8, -8));
  EXPECT_EQ(p.page.DragPosition(), gap1.topLeft());
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, gap1.topLeft() + grab + QPoint(8, -8));
  EXPECT_EQ(p.block(QStringLiteral("hablo")).Rect, hablo.Rect);
  EXPECT_TRUE(p.dropped.isEmpty());

  // Snapped within 8 pixels, released there: dropped.
  QStringList before;
  for (const tDragKlotz& b : p.drag().Blocks) before << b.Text;
  const tDragKlotz hermana = p.block(QStringLiteral("hermana"));
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, hermana.Rect.topLeft() + grab);
  QTest::mouseMove(&p.page, gap0.topLeft() + grab + QPoint(3, 2));
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, gap0.topLeft() + grab + QPoint(3, 2));
  EXPECT_EQ(p.dropped, QStringList{QStringLiteral("hermana")});
  EXPECT_FALSE(p.drag().Gaps[0].Open());
  EXPECT_EQ(p.drag().Blocks.size(), 3u);
  EXPECT_TRUE(p.hasWord(QStringLiteral("hermana")));
  EXPECT_TRUE(p.solved.isEmpty());
  // The page was drawn again; the other blocks keep their order and close up.
  before.removeAll(QStringLiteral("hermana"));
  QStringList after;
  for (const tDragKlotz& b : p.drag().Blocks) after << b.Text;
  EXPECT_EQ(after, before);
  EXPECT_EQ(p.drag().Blocks[0].Rect.x(), 130);

  // The last gap: the page is solved and the tray emptied.
  const tDragKlotz last = p.block(QStringLiteral("habla"));
  const QRect target = p.drag().Gaps[1].Rect;
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, last.Rect.topLeft() + grab);
  QTest::mouseMove(&p.page, target.topLeft() + grab);
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, target.topLeft() + grab);
  EXPECT_EQ(p.dropped, (QStringList{QStringLiteral("hermana"), QStringLiteral("habla")}));
  EXPECT_EQ(p.solved, QList<bool>{true});
  EXPECT_TRUE(p.drag().Blocks.empty());
  EXPECT_TRUE(p.page.Solved());
}

TEST(SentenceBuilding, DraggingPartsIntoOrderSolvesTheSentence) {
  ExercisePage p;
  p.show(QStringLiteral("<satz teile=\"Yo / vivo/en/ Madrid\" coords=40,200,700,40>"));
  const auto sentence = [&]() -> const TSentence& { return p.page.state().Elements.Sentences.at(0); };
  EXPECT_EQ(sentence().Correct, QStringLiteral("Yo vivo en Madrid"));
  ASSERT_EQ(sentence().Parts.size(), 4u);
  EXPECT_EQ(sentence().Parts[0].Rect.left(), 40);
  EXPECT_EQ(sentence().Parts[1].Rect.left(), sentence().Parts[0].Rect.right() + 1 + 3);
  EXPECT_EQ(sentence().Parts[0].Rect.height(), 40);

  // Each wanted part is dragged onto the place where it belongs; the two swap.
  for (int pos = 0; pos < 4; ++pos) {
    const QString wanted = sentence().CorrectParts[pos];
    int at = pos;
    while (sentence().Parts[static_cast<size_t>(at)].Text != wanted) ++at;
    if (at == pos) continue;
    const QRect from = sentence().Parts[static_cast<size_t>(at)].Rect;
    const QPoint target(sentence().Parts[static_cast<size_t>(pos)].Rect.left() + 2, 220);
    QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, from.center());
    QTest::mouseMove(&p.page, target);
    EXPECT_EQ(sentence().Parts[static_cast<size_t>(pos)].Text, wanted);
    QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, target);
  }
  if (!sentence().Solved) {  // shuffled into the right order: one click tells
    const QPoint on = sentence().Parts[0].Rect.center();
    QTest::mouseClick(&p.page, Qt::LeftButton, Qt::NoModifier, on);
  }
  EXPECT_TRUE(sentence().Solved);
  EXPECT_EQ(p.solved, QList<bool>{true});
  for (const char* word : {"Yo", "vivo", "en", "Madrid"}) EXPECT_TRUE(p.hasWord(QLatin1String(word))) << word;
}

TEST(SentenceBuilding, APartReleasedAwayGlidesBackAndKeepsTheOrder) {
  ExercisePage p;
  p.show(QStringLiteral("<body bgcolor=#ffffe0><satz teile=\"uno/dos/tres/cuatro/cinco\" coords=40,200,700,40>"));
  const TSentence& s = p.page.state().Elements.Sentences.at(0);
  QStringList before;
  for (const tSatzteil& part : s.Parts) before << part.Text;
  const QRect first = s.Parts[0].Rect;
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, first.center());
  // The lifted part's place shows the page background (KBGR #00FF00 stands for it).
  EXPECT_EQ(p.page.Buffer().pixelColor(first.topLeft() + QPoint(2, 2)), QColor(0xFF, 0xFF, 0xE0));
  QTest::mouseMove(&p.page, QPoint(400, 450));  // below the sentence: no match
  EXPECT_EQ(p.page.DragPosition(), QPoint(400, 450) - (first.center() - first.topLeft()));
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 450));
  QStringList after;
  for (const tSatzteil& part : s.Parts) after << part.Text;
  EXPECT_EQ(after, before);
  EXPECT_EQ(s.Parts[0].Rect, first);
  EXPECT_FALSE(p.page.Dragging());
  // A redraw of the page keeps the learner's order.
  p.page.ShowPage();
  QStringList redrawn;
  for (const tSatzteil& part : s.Parts) redrawn << part.Text;
  EXPECT_EQ(redrawn, before);

  // With a KBGR colour of its own the place is filled with it.
  p.show(QStringLiteral("<body kbgr=#ff0000><satz teile=\"uno/dos\" coords=40,200,700,40>"));
  const QRect part = p.page.state().Elements.Sentences.at(0).Parts[1].Rect;
  QTest::mousePress(&p.page, Qt::LeftButton, Qt::NoModifier, part.center());
  EXPECT_EQ(p.page.Buffer().pixelColor(part.topLeft() + QPoint(2, 2)), QColor(Qt::red));
  QTest::mouseRelease(&p.page, Qt::LeftButton, Qt::NoModifier, part.center());
  EXPECT_NE(p.page.Buffer().pixelColor(part.topLeft() + QPoint(2, 2)), QColor(Qt::red));
}

TEST(MultipleChoice, WithAReactionTheHostTakesTheAnswer) {
  ExercisePage p;
  const QString markup =
      QStringLiteral("<multiple coords=40,100,200,30 dim=2,1 txt=\"Hund|Katze\" reaction=perro>");
  p.show(markup);
  p.click(p.linkPoint(QStringLiteral("§mchx-[Katze]@") +
                      QString::number(p.page.state().Multiple.Answers.indexOf(QStringLiteral("Katze")) + 1)));
  EXPECT_EQ(p.commands, QStringList{QStringLiteral("perro-[Katze]")});
  EXPECT_TRUE(p.page.state().Multiple.Answers.isEmpty());

  p.show(markup);
  p.page.FollowLink(QStringLiteral("§mchx+"));
  EXPECT_EQ(p.commands.last(), QStringLiteral("perro+"));
}

TEST(MultipleChoice, WithoutAReactionThePageShowsTheAnsweredView) {
  ExercisePage p;
  p.show(QStringLiteral("Was bedeutet <b>perro</b>? <multiple coords=40,100,200,30 dim=2,1 txt=\"Hund|Katze\">"));
  const int right = static_cast<int>(p.page.state().Multiple.Answers.indexOf(QStringLiteral("Hund"))) + 1;
  qint64 elapsed = 0;
  const bool shown = reactionShownDuring(
      p.page, [&] { p.click(p.linkPoint(QStringLiteral("§mchx+@") + QString::number(right))); }, &elapsed);
  EXPECT_TRUE(shown);
  EXPECT_GE(elapsed, 1400);
  EXPECT_TRUE(p.commands.isEmpty());
  // Rebuilt: the answers are plain text now, the right one underlined.
  EXPECT_TRUE(p.page.state().Multiple.Answered);
  EXPECT_TRUE(p.page.state().Multiple.Answers.isEmpty());
  for (const QString& name : p.page.state().Elements.Links.Names) EXPECT_FALSE(name.startsWith(QStringLiteral("§mchx")));
  const int hund = p.elementOf(QStringLiteral("Hund"));
  ASSERT_GE(hund, 0);
  EXPECT_TRUE(p.element(hund).Format.Font.Style & StyleUnderline);
  EXPECT_TRUE(p.hasWord(QStringLiteral("perro")));
}

TEST(ShowSolutions, SolvesEverythingWithoutAReaction) {
  ExercisePage p;
  p.react = true;  // ignored: ShowSolutions never reacts
  p.show(QStringLiteral("<p>Yo <a gap lsg=\"soy\" help=\"*\">soy</a>. Mi <a drag>hermana</a> <a drag>habla</a>."
                        "<klotz falsch=\"hablo\" y=300><satz teile=\"uno/dos/tres/cuatro/cinco/seis\" coords=40,400,700,30>"));
  ASSERT_FALSE(p.page.Solved());
  qint64 elapsed = 0;
  EXPECT_FALSE(reactionShownDuring(p.page, [&] { p.page.ShowSolutions(); }, &elapsed));
  EXPECT_TRUE(p.page.Solved());
  EXPECT_EQ(p.solved, QList<bool>{false});
  EXPECT_TRUE(p.gap(0)->Done());
  EXPECT_TRUE(p.drag().Blocks.empty());
  EXPECT_TRUE(p.page.InputOn());
  EXPECT_TRUE(p.page.state().Elements.Sentences[0].Solved);
  EXPECT_TRUE(SentenceParts::ReadsRight(p.page.state().Elements.Sentences[0]));
  for (const char* word : {"soy", "hermana", "habla", "uno", "seis"}) EXPECT_TRUE(p.hasWord(QLatin1String(word))) << word;

  p.page.ShowSolutions();  // solved already: nothing
  EXPECT_EQ(p.solved.size(), 1);
}

TEST(ExerciseLoops, LinksDuringTheReactionWaitAndAGonePageEndsIt) {
  ExercisePage p;
  p.dir.write(QStringLiteral("zwei.html"), "Zwei");
  p.react = true;
  p.show(kTwoGaps);
  p.answer(0, QStringLiteral("soy"));
  QString fileDuring = QStringLiteral("?");
  QTimer::singleShot(300, &p.page, [&] {
    p.page.FollowLink(QStringLiteral("zwei.html"));  // a timer's or a key's link
    fileDuring = p.page.XFile();
  });
  p.answer(1, QStringLiteral("vivo"));
  EXPECT_EQ(fileDuring, QString());  // not followed while the reaction ran
  EXPECT_EQ(p.page.XFile(), QStringLiteral("zwei.html"));  // followed afterwards

  // A page destroyed while its reaction or a block glides: the loops end at once.
  MessageRecorder quiet;
  auto* page = new TXPage;
  page->ShowText(QStringLiteral("x"));
  QTimer::singleShot(200, [&] { delete page; });
  QElapsedTimer clock;
  clock.start();
  page->ShowReaction(true, 5000);
  EXPECT_LT(clock.elapsed(), 3000);

  page = new TXPage;
  page->GlideStepMs = 50;
  page->ShowText(QStringLiteral("<a drag>uno</a> <a drag>dos</a>"));
  QTimer::singleShot(200, [&] { delete page; });
  clock.restart();
  page->ShowSolutions();
  EXPECT_LT(clock.elapsed(), 3000);
}
