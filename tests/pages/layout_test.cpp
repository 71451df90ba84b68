#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>

#include "pages/pagefonts.h"
#include "pages/pagelayout.h"
#include "pages/txlabel.h"
#include "pages/txpage.h"
#include "testsupport.h"

namespace {

// A page control of the trainer's size showing markup.
struct LaidOutPage {
  explicit LaidOutPage(const QString& markup) { page.ShowText(markup); }
  const tFormatted_text_list& elements() const { return page.state().Layout.Elements; }
  const TXText& word(const QString& text) const {
    for (const TXText& e : elements())
      if (e.Text == text) return e;
    static TXText none;
    ADD_FAILURE() << "no element " << text.toStdString();
    return none;
  }
  TXPage page;
};

QFontMetrics metricsOf(const FontState& f = FontState()) { return QFontMetrics(PageFonts::FontFor(f)); }

}  // namespace

TEST(Layout, TheTrainersColumnIs768PixelsAndTabsFollowIt) {
  EXPECT_EQ(PageLayout::TabPosition(104, 768), 307);
  EXPECT_EQ(PageLayout::TabPosition(40, 768), 307);
  EXPECT_EQ(PageLayout::TabPosition(-40, 768), 40);
  EXPECT_EQ(PageLayout::TabPosition(0, 768), 0);

  // Text after <x4> starts at 8 + 307; wrapped lines hang there until the next paragraph.
  QString longText;
  for (int i = 0; i < 60; ++i) longText += QStringLiteral("palabra ");
  LaidOutPage p(QStringLiteral("Vor <x4>") + longText + QStringLiteral("<p>danach"));
  const auto& e = p.elements();
  EXPECT_EQ(p.word(QStringLiteral("Vor")).X, 8);
  int wrapped = 0;
  int previousY = -1;
  for (const TXText& t : e) {
    if (t.Text != QLatin1String("palabra")) continue;
    if (t.Y != previousY) {
      EXPECT_EQ(t.X, 315) << "line at " << t.Y;
      ++wrapped;
    }
    previousY = t.Y;
    EXPECT_LE(t.X + t.Width, 8 + 768 + t.Width);
  }
  EXPECT_GT(wrapped, 2);
  EXPECT_EQ(p.word(QStringLiteral("danach")).X, 8);
}

TEST(Layout, LinesStackByAscentDescentAndSpacing) {
  const QFontMetrics m = metricsOf();
  LaidOutPage p(QStringLiteral("eins<br>zwei<p>drei"));
  const int first = 16 + m.ascent();
  EXPECT_EQ(p.word(QStringLiteral("eins")).Y, first);
  const int second = first + m.descent() + 1 + m.ascent();
  EXPECT_EQ(p.word(QStringLiteral("zwei")).Y, second);
  // A paragraph adds one more line height.
  EXPECT_EQ(p.word(QStringLiteral("drei")).Y, second + m.descent() + 1 + m.height() + m.ascent());
}

TEST(Layout, NegativeLineSpacingFixesTheDistance) {
  LaidOutPage p(QStringLiteral("<font linespace=-30>uno<br>dos<br>tres"));
  const int a = p.word(QStringLiteral("uno")).Y, b = p.word(QStringLiteral("dos")).Y, c = p.word(QStringLiteral("tres")).Y;
  EXPECT_EQ(a, 16 + 20);
  EXPECT_EQ(b - a, 30);
  EXPECT_EQ(c - b, 30);
}

TEST(Layout, JustifiedLinesSpreadTheirRoomFirstBlanksSmallest) {
  QString text;
  for (int i = 0; i < 40; ++i) text += QStringLiteral("uno dos ");
  LaidOutPage p(QStringLiteral("<block>") + text + QStringLiteral("<br>fin"));
  const auto& e = p.elements();
  // On the first (wrapped) line the words reach the column's right edge exactly.
  const int y = e[0].Y;
  int lastRight = 0;
  std::vector<int> gaps;
  for (size_t i = 0; i < e.size() && e[i].Y == y; ++i) {
    if (e[i].Kind == ElementKind::Word) {
      if (lastRight) gaps.push_back(e[i].X - lastRight);
      lastRight = e[i].X + e[i].Width;
    }
  }
  EXPECT_EQ(lastRight, 8 + 768);
  ASSERT_GT(gaps.size(), 2u);
  EXPECT_TRUE(std::is_sorted(gaps.begin(), gaps.end()));
  EXPECT_LE(gaps.back() - gaps.front(), 1);
  // The last line before BR is not justified.
  EXPECT_EQ(p.word(QStringLiteral("fin")).X, 8);
}

TEST(Layout, RunsStayTogetherAndWideWordsStickOut) {
  LaidOutPage p(QStringLiteral("<font size=7>aaaaaa aaaaaa aaaaaa aaaaa <b>Haus</b>tür"));
  const TXText& haus = p.word(QStringLiteral("Haus"));
  const TXText& tuer = p.word(QStringLiteral("tür"));
  EXPECT_EQ(haus.Y, tuer.Y);
  EXPECT_EQ(tuer.X, haus.X + haus.Width);
  EXPECT_EQ(haus.RunWidth, haus.Width + tuer.Width);

  LaidOutPage wide(QStringLiteral("kurz <font size=300>Riesenwort"));
  const TXText& big = wide.word(QStringLiteral("Riesenwort"));
  EXPECT_EQ(big.X, 8);  // on a line of its own, sticking out
  EXPECT_GT(big.Width, 768);
}

TEST(Layout, BoxesTakeTheTextThatFollows) {
  LaidOutPage p(QStringLiteral("<box coords=20,100,200>Text in einer schmalen Spalte, die umbricht"));
  const TXText& t = p.word(QStringLiteral("Text"));
  EXPECT_EQ(t.X, 20);
  EXPECT_EQ(t.Y, 100 + metricsOf().ascent());
  for (const TXText& e : p.elements()) {
    if (e.Kind == ElementKind::Word) {
      EXPECT_LE(e.X + e.Width, 220 + e.Width);
    }
  }
  const TBox& box = p.page.state().Elements.Boxes[0];
  EXPECT_GT(box.Height, 20);  // AutoHeight grows with the text
}

TEST(Layout, PicturesByAlignmentAndMaps) {
  TestTree t;
  QFile::copy(QStringLiteral(ZVK_SOURCE_DIR "/tests/pages/pictures/rot.png"), t.file(QStringLiteral("rot.png")));
  TXPage page;
  page.setXPath(t.path());
  page.ShowText(QStringLiteral("a<img src=\"rot.png\" scale=1000% align=x>b<br>c<img src=\"rot.png\" scale=1000% align=m "
                               "usemap=\"k\"><map name=\"k\"><area shape=rect coords=\"0,0,2,3\" href=\"§x\">"));
  const auto& e = page.state().Layout.Elements;
  const TXText* x = nullptr;
  const TXText* m = nullptr;
  for (const TXText& el : e)
    if (el.Kind == ElementKind::ImageMark) (x ? m : x) = &el;
  ASSERT_TRUE(x && m);
  EXPECT_EQ(x->Width, 40);
  EXPECT_EQ(x->Height, 30);
  EXPECT_EQ(x->Ascent, 20);
  EXPECT_EQ(m->Ascent, 15);
  // An X-aligned picture takes no vertical room: the first line is as high as its text.
  EXPECT_EQ(e[0].Y, 16 + metricsOf().ascent());
  // The map area lies in the picture's own pixels.
  const auto& rects = page.state().Elements.Links.Rects;
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.back().Rect, QRect(QPoint(m->X, m->Y - m->Ascent), QPoint(m->X + 1, m->Y - m->Ascent + 2)));
}

TEST(Layout, ScrollRangeFollowsTheDocumentHeight) {
  QString text;
  for (int i = 0; i < 100; ++i) text += QStringLiteral("Zeile<br>");
  LaidOutPage p(text);
  const TPageLayout& l = p.page.state().Layout;
  EXPECT_TRUE(l.ScrollBarVisible);
  EXPECT_EQ(l.ScrollMax, l.DocumentHeight - 572 + 16);
  p.page.setScrollPosition(1000000);
  EXPECT_EQ(p.page.ScrollPosition(), l.ScrollMax);
  EXPECT_EQ(p.page.Buffer().height(), l.DocumentHeight + 16);

  LaidOutPage shortPage(QStringLiteral("kurz"));
  EXPECT_FALSE(shortPage.page.state().Layout.ScrollBarVisible);
  EXPECT_EQ(shortPage.page.Buffer().height(), 572);
}

TEST(Layout, WordListJoinsPiecesAndGroups) {
  LaidOutPage p(QStringLiteral("(Haus), <b>Ko</b>ffer <w>por favor</w> fin"));
  const TWordList& w = p.page.state().Layout.Words;
  EXPECT_TRUE(w.Words.contains(QStringLiteral("Haus")));
  EXPECT_TRUE(w.Words.contains(QStringLiteral("Koffer")));
  EXPECT_TRUE(w.Words.contains(QStringLiteral("por favor")));
  const TXText& favor = p.word(QStringLiteral("favor"));
  EXPECT_EQ(w.WordAt(QPoint(favor.X + 2, favor.Y - 2)), QStringLiteral("por favor"));
}

TEST(Layout, RelayoutKeepsTargetNames) {
  LaidOutPage p(QStringLiteral("<a href=\"x.htx\" flash=#ff0000>uno</a> <box coords=0,300,100,20 href=\"y.htx\">"));
  const auto names = p.page.state().Elements.Links.Names;
  const size_t rects = p.page.state().Elements.Links.Rects.size();
  p.page.ShowPage();
  EXPECT_EQ(p.page.state().Elements.Links.Names, names);
  EXPECT_EQ(p.page.state().Elements.Links.Rects.size(), rects);
  EXPECT_TRUE(p.page.state().Elements.Links.Rects.back().Highlight || rects == 2);
}

TEST(Rendering, CheckboxesYumlAndLinkImages) {
  LaidOutPage p(QStringLiteral("<checkbox coords=14,6 name=\"a\" checked>x &yuml; <a href=\"z.htx\" flash=#ff0000>rot</a>"));
  const QImage& b = p.page.Buffer();
  const TCheckBox& box = p.page.state().Elements.CheckBoxes[0];
  EXPECT_EQ(QColor(b.pixel(box.X, box.Y)), QColor(Qt::black));
  EXPECT_EQ(QColor(b.pixel(box.X + 1, box.Y + 1)), QColor(Qt::black));
  EXPECT_EQ(QColor(b.pixel(box.X + 5, box.Y + 5)), QColor(Qt::black));  // checked: filled

  // "ÿ" alone keeps its room but draws nothing.
  const TXText& y = p.word(QString(QChar(0xFF)));
  EXPECT_GT(y.Width, 0);
  for (int xx = y.X; xx < y.X + y.Width; ++xx)
    for (int yy = y.Y - y.Ascent; yy < y.Y + y.Descent; ++yy) ASSERT_EQ(QColor(b.pixel(xx, yy)), QColor(Qt::white));

  // A highlighting link has a normal and a red highlighted image of the same size.
  const tNamedRect& r = p.page.state().Elements.Links.Rects.back();
  ASSERT_TRUE(r.Highlight);
  EXPECT_EQ(r.Normal.size(), r.Rect.size());
  EXPECT_EQ(r.Highlighted.size(), r.Rect.size());
  bool red = false;
  for (int xx = 0; xx < r.Highlighted.width(); ++xx)
    for (int yy = 0; yy < r.Highlighted.height(); ++yy)
      if (QColor(r.Highlighted.pixel(xx, yy)).red() > 200 && QColor(r.Highlighted.pixel(xx, yy)).green() < 80) red = true;
  EXPECT_TRUE(red);
  EXPECT_EQ(r.Normal, b.copy(r.Rect));
}

TEST(Rendering, HintLabelSitsBelowTheLinkOrAboveNearTheBottom) {
  TXPage page;
  page.ShowText(QStringLiteral("x"));
  page.ShowHint(QStringLiteral("la casa = das Haus"), QRect(100, 100, 50, 20));
  const QWidget* hint = page.HintLabel();
  EXPECT_EQ(hint->pos(), QPoint(108, 128));
  EXPECT_EQ(hint->width(), 216);
  page.ShowHint(QStringLiteral("unten"), QRect(100, 540, 50, 20));
  EXPECT_EQ(hint->y(), 540 - hint->height() - 8);
  page.ShowHint(QStringLiteral("rechts"), QRect(700, 100, 50, 20));
  EXPECT_EQ(hint->x() + hint->width(), 800 - 24);
}

TEST(Rendering, ReactionTextShrinksButNeverVanishes) {
  EXPECT_EQ(TXPage::ReactionPointSize(QStringLiteral("Unglaublich!"), 800), 48);
  EXPECT_LT(TXPage::ReactionPointSize(QStringLiteral("Unglaublich! Unglaublich! Unglaublich! Unglaublich!"), 800), 48);
  EXPECT_EQ(TXPage::ReactionPointSize(QString(2000, QLatin1Char('x')), 800), 6);

  TXPage page;
  page.ShowText(QStringLiteral("<a href=\"x\">x</a>"));
  page.SetVariable(QStringLiteral("kPositiv"), QStringLiteral("¡Muy bien!"));
  page.ShowReaction(true, 60);  // returns after its time, the page shown again
  EXPECT_FALSE(page.ReactionRunning());
}
