// Printing from the editor: the card templates, the card grid, the page
// range, the cards and the list on paper (PDFs read back with poppler), the
// card dialog and the commands of the editor window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>
#include <QSlider>

#include "common/messagerecorder.h"
#include "editor/cardtemplate.h"
#include "editor/carddocument.h"
#include "editor/editortestsupport.h"
#include "editor/libraryprint.h"
#include "editor/printtext.h"
#include "editor/txprintdlg.h"
#include "pdftestsupport.h"
#include "vocabulary/tvoclib.h"

namespace {

using namespace Qt::StringLiterals;

// A library of n records "wortK" = "bedK", with the trailing empty record.
TVocLib numbered(int n) {
  TVocLib lib;
  lib.Items.clear();
  for (int k = 0; k < n; ++k) lib.Items << record(u"wort%1"_s.arg(k), u"bed%1"_s.arg(k));
  lib.Items << TVokabel();
  return lib;
}

const QString kGrid2x4 = u"PW=210\nPH=297\nCW=105\nCH=74\nCX=2\nCY=4\nSF=Liberation Sans\n"
                         u"ID=v\nTEXT=$VOKABEL\nX=8\nY=20\nFH=6\n"
                         u"ID=b\nBACK\nTEXT=$BEDEUTUNGEN\nX=8\nY=20\nFH=6\n"_s;

TDocument documentFor(const QString& templ, int records) {
  TDocument d;
  d.cards = CardTemplate::Read(templ);
  for (int k = 0; k < records; ++k) d.selected << k;
  return d;
}

struct Word {
  double x = 0;  // left edge in 0.1 mm
  double y = 0;  // top edge in 0.1 mm
  QString text;
};

// The words of one page of a PDF with their places.
QList<Word> wordsOf(const QString& pdf, int page) {
  const QString bbox = QString::fromUtf8(PdfTest::Run(
      u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s}));
  const QRegularExpression word(u"<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"[\\d.-]+\" yMax=\"[\\d.-]+\">([^<]*)<"_s);
  QList<Word> out;
  for (auto it = word.globalMatch(bbox); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out << Word{m.captured(1).toDouble() * 254 / 72, m.captured(2).toDouble() * 254 / 72, m.captured(3)};
  }
  return out;
}

std::optional<Word> find(const QList<Word>& words, const QString& text) {
  for (const Word& w : words)
    if (w.text == text) return w;
  return std::nullopt;
}

constexpr int kDpi = 150;

// Page 1 of a PDF as a grey picture at kDpi.
QImage rendered(const QString& pdf, const QString& base) {
  PdfTest::Run(u"pdftoppm"_s, {u"-r"_s, QString::number(kDpi), u"-gray"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, base});
  QImage image(base + u"-1.pgm"_s);
  if (image.isNull()) image.load(base + u"-01.pgm"_s);
  return image;
}

int px(int units) { return static_cast<int>(units * kDpi / 254.0 + 0.5); }

// The darkest grey of each pixel row of the column at x (0.1 mm, three
// pixels wide) between y0 and y1.
QList<int> columnDown(const QImage& image, int x, int y0, int y1) {
  QList<int> out;
  for (int y = px(y0); y < px(y1) && y < image.height(); ++y) {
    int darkest = 255;
    for (int dx = -1; dx <= 1; ++dx) darkest = std::min(darkest, qGray(image.pixel(std::clamp(px(x) + dx, 0, image.width() - 1), y)));
    out << darkest;
  }
  return out;
}

int greyPixelsDown(const QImage& image, int x, int y0, int y1) {
  int grey = 0;
  for (const int g : columnDown(image, x, y0, y1)) grey += g < 200;
  return grey;
}

}  // namespace

// --- The template ---

TEST(CardTemplate, ReadsEveryKeyInMillimetresOrTenths) {
  const CardTemplate t = CardTemplate::Read(
      u"/ a comment\nPW=210\nPH=!2970\nLM=5,5\nTM=x\nCW=85\nCH=!540\nCX=2\nCY=-3\nSF=Liberation Serif\n"
      u"X=99\n"  // before any element: nothing to apply to
      u"ID=eins\ntext=$vokabel\nX=!50\nY=7\nW=40\nH=10\nFH=6\nFN=Liberation Mono\nCOL=#336699\nFS=biu\n"
      u"ID=zwei\nBACK\nTEXT=$BEDEUTUNGEN\nCOL=blau\nFS=i\n"_s);
  EXPECT_EQ(t.PW, 2100);
  EXPECT_EQ(t.PH, 2970);
  EXPECT_EQ(t.LM, 55);
  EXPECT_EQ(t.TM, 0);   // not a number
  EXPECT_EQ(t.CW, 850);
  EXPECT_EQ(t.CH, 540);
  EXPECT_EQ(t.CX, 2);
  EXPECT_EQ(t.CY, 0);   // not above 0
  EXPECT_EQ(t.SF, u"Liberation Serif"_s);
  ASSERT_EQ(t.elements.size(), 2);
  const TTextElement& a = t.elements.at(0);
  EXPECT_EQ(a.id, u"eins"_s);
  EXPECT_EQ(a.text, u"$vokabel"_s);
  EXPECT_FALSE(a.back);
  EXPECT_EQ(a.x, 50);
  EXPECT_EQ(a.y, 70);
  EXPECT_EQ(a.width, 400);
  EXPECT_EQ(a.height, 100);
  EXPECT_EQ(a.fontHeight, 60);
  EXPECT_EQ(a.fontName, u"Liberation Mono"_s);
  EXPECT_EQ(a.colour, QColor(0x33, 0x66, 0x99));
  EXPECT_TRUE(a.bold && a.italic && a.underline);
  const TTextElement& b = t.elements.at(1);
  EXPECT_TRUE(b.back);
  EXPECT_EQ(b.x, 20);  // the defaults
  EXPECT_EQ(b.y, 20);
  EXPECT_EQ(b.colour, QColor(Qt::black));  // "blau" is no colour
  EXPECT_TRUE(b.italic && !b.bold && !b.underline);
  // The last element gets its default width too: the card less x and 20.
  EXPECT_EQ(b.width, 850 - 20 - 20);
}

TEST(CardTemplate, DefaultWidthsComeFromACardWidthReadAfterTheElements) {
  const CardTemplate t = CardTemplate::Read(u"ID=a\nX=30\nID=b\nX=200\nCW=100\n"_s);
  ASSERT_EQ(t.elements.size(), 2);
  EXPECT_EQ(t.elements.at(0).width, 1000 - 300 - 20);
  // An element beyond the card has no width, never a negative one.
  EXPECT_EQ(t.elements.at(1).width, 0);
}

TEST(CardTemplate, PlaceholdersPrintTheRecord) {
  TVokabel r = record(u"casa"_s, u"Haus"_s, 0, false);
  r.Bedeutung[1] = u"Heim"_s;
  r.Kontext[1] = u"Mi casa es tu casa."_s;
  EXPECT_EQ(CardTemplates::Placeholder(u"$VOKABEL"_s, r, u"T"_s), u"casa"_s);
  EXPECT_EQ(CardTemplates::Placeholder(u"$bedeutungen"_s, r, u"T"_s), u"Haus; Heim"_s);
  EXPECT_EQ(CardTemplates::Placeholder(u"$WORTART"_s, r, u"T"_s), u"Nomen"_s);
  EXPECT_EQ(CardTemplates::Placeholder(u"$BUCHSTABE"_s, r, u"T"_s), u"S"_s);
  // Only the contexts there are: the empty first one leaves no empty line.
  EXPECT_EQ(CardTemplates::Placeholder(u"$KONTEXTE"_s, r, u"T"_s), u"Mi casa es tu casa."_s);
  r.Kontext[0] = u"Una casa."_s;
  EXPECT_EQ(CardTemplates::Placeholder(u"$KONTEXTE"_s, r, u"T"_s), u"Una casa.\nMi casa es tu casa."_s);
  EXPECT_EQ(CardTemplates::Placeholder(u"$TITEL"_s, r, u"Wohnen"_s), u"Wohnen"_s);
  EXPECT_EQ(CardTemplates::Placeholder(u"Lektion 1"_s, r, u"T"_s), u"Lektion 1"_s);
  r.Deutsch = true;
  EXPECT_EQ(CardTemplates::Placeholder(u"$BUCHSTABE"_s, r, u"T"_s), u"D"_s);
}

TEST(CardTemplate, LoadingSaysWhatWentWrong) {
  TestTree tree;
  const CardTemplates::Loaded missing = CardTemplates::Load(tree.file(u"fehlt.txt"_s));
  EXPECT_FALSE(missing.cards);
  EXPECT_TRUE(missing.error.startsWith(u"Datei "_s));
  EXPECT_TRUE(missing.error.endsWith(u" existiert nicht!"_s));
  // The shipped templates read, every key of the full one in use.
  const CardTemplates::Loaded shipped = CardTemplates::Load(QStringLiteral(ZVK_SOURCE_DIR) + u"/course/Editor/Karteikarten.txt"_s);
  ASSERT_TRUE(shipped.cards);
  EXPECT_EQ(shipped.cards->CW, 1050);
  EXPECT_EQ(shipped.cards->CX, 2);
  EXPECT_EQ(shipped.cards->CY, 4);
  EXPECT_EQ(shipped.cards->elements.size(), 6);
  const CardTemplates::Loaded small = CardTemplates::Load(QStringLiteral(ZVK_SOURCE_DIR) + u"/course/Editor/Kleine Karten.txt"_s);
  ASSERT_TRUE(small.cards);
  EXPECT_EQ(small.cards->TM, 100);
}

// --- The grid ---

TEST(CardGrid, FitsThePaperAndCountsThePages) {
  TDocument d = documentFor(kGrid2x4, 10);
  const TDocument::Grid g = d.Fit();
  EXPECT_EQ(g.across, 2);
  EXPECT_EQ(g.down, 4);
  EXPECT_EQ(g.left, 0);
  EXPECT_EQ(g.top, (2970 - 4 * 740) / 2);  // centred downwards from the top edge
  EXPECT_EQ(d.PageCount(g), 2);
  d.selected.clear();
  EXPECT_EQ(d.PageCount(g), 1);

  // Missing counts fill the page; a margin is measured from the top left.
  TDocument small = documentFor(u"CW=74\nCH=52\nLM=10\nTM=!100\n"_s, 25);
  const TDocument::Grid s = small.Fit();
  EXPECT_EQ(s.across, 2);
  EXPECT_EQ(s.down, 5);
  EXPECT_EQ(s.left, 100);
  EXPECT_EQ(s.top, 100);
  EXPECT_EQ(small.PageCount(s), 3);

  // Cards wider than the paper: at least one, never none.
  TDocument wide = documentFor(u"CW=300\nCH=300\n"_s, 1);
  const TDocument::Grid w = wide.Fit();
  EXPECT_EQ(w.across, 1);
  EXPECT_EQ(w.down, 1);
  // No card size: the count shares the paper.
  TDocument shared = documentFor(u"CX=3\nCY=2\n"_s, 1);
  EXPECT_EQ(shared.Fit().cardWidth, 2100 / 3);
  EXPECT_EQ(shared.Fit().cardHeight, 2970 / 2);
}

TEST(CardGrid, TooManyCardsAreFewerWithAMessage) {
  TDocument d = documentFor(u"CW=80\nCH=100\nCX=3\nCY=4\n"_s, 1);
  QStringList messages;
  const TDocument::Grid g = d.Fit(&messages);
  EXPECT_EQ(g.across, 2);
  EXPECT_EQ(g.down, 2);
  EXPECT_EQ(messages, (QStringList{u"3 Karten passen nicht nebeneinander auf die Seite!"_s,
                                   u"4 Karten passen nicht nebeneinander auf die Seite!"_s}));
}

TEST(CardGrid, PageRangesAreCorrectedToThePages) {
  const auto range = [](const QString& from, const QString& to) { return PageRange::From(from, to, 5); };
  EXPECT_EQ(range(u"2"_s, u"4"_s).first, 2);
  EXPECT_EQ(range(u"2"_s, u"4"_s).last, 4);
  EXPECT_FALSE(range(u"2"_s, u"4"_s).all);
  EXPECT_EQ(range(u"4"_s, u"2"_s).first, 2);  // swapped
  EXPECT_EQ(range(u"x"_s, u"3"_s).first, 1);
  EXPECT_EQ(range(u"2"_s, QString()).first, 1);  // an empty "bis" is 1
  EXPECT_EQ(range(u"2"_s, QString()).last, 2);
  EXPECT_EQ(range(u"9"_s, u"3"_s).first, 3);  // 3..9: the last is past the end
  EXPECT_EQ(range(u"9"_s, u"3"_s).last, -1);
  EXPECT_TRUE(range(u"1"_s, u"7"_s).all);
  TDocument d;
  d.firstPage = 2;
  d.lastPage = -1;
  EXPECT_EQ(d.PrintedPages(5), (std::pair<int, int>{2, 5}));
  d.firstPage = 9;
  EXPECT_EQ(d.PrintedPages(5), (std::pair<int, int>{5, 5}));
}

// --- On paper ---

TEST(CardPrint, FrontAndMirroredBackOnPaper) {
  if (!PdfTest::HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  TestTree tree;
  const TVocLib lib = numbered(10);
  TDocument d = documentFor(kGrid2x4, 10);
  d.backShift = 30;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const QString front = tree.file(u"vorne.pdf"_s);
  PdfTest::ToPdf(printer, front);
  ASSERT_TRUE(d.Print(printer, false, lib));
  EXPECT_EQ(PdfTest::PageCount(front), 2);
  const QList<Word> page1 = wordsOf(front, 1);
  const int top = (2970 - 4 * 740) / 2;
  for (int k = 0; k < 8; ++k) {
    const std::optional<Word> w = find(page1, u"wort%1"_s.arg(k));
    ASSERT_TRUE(w) << k;
    EXPECT_NEAR(w->x, (k % 2) * 1050 + 80, 15) << k;
    EXPECT_NEAR(w->y, top + (k / 2) * 740 + 200, 25) << k;
  }
  EXPECT_FALSE(find(page1, u"bed0"_s));
  const QList<Word> page2 = wordsOf(front, 2);
  EXPECT_TRUE(find(page2, u"wort8"_s) && find(page2, u"wort9"_s));
  EXPECT_EQ(page2.size(), 2);

  // The back: column 0 at the right, moved by the shift.
  const QString back = tree.file(u"hinten.pdf"_s);
  PdfTest::ToPdf(printer, back);
  ASSERT_TRUE(d.Print(printer, true, lib));
  const QList<Word> backPage = wordsOf(back, 1);
  const std::optional<Word> b0 = find(backPage, u"bed0"_s);
  const std::optional<Word> b1 = find(backPage, u"bed1"_s);
  ASSERT_TRUE(b0 && b1);
  EXPECT_NEAR(b0->x, 1050 + 30 + 80, 15);
  EXPECT_NEAR(b1->x, 30 + 80, 15);
  EXPECT_FALSE(find(backPage, u"wort0"_s));

  // Only the chosen pages.
  d.firstPage = 2;
  const QString second = tree.file(u"zweite.pdf"_s);
  PdfTest::ToPdf(printer, second);
  ASSERT_TRUE(d.Print(printer, false, lib));
  EXPECT_EQ(PdfTest::PageCount(second), 1);
  EXPECT_TRUE(find(wordsOf(second, 1), u"wort9"_s));
}

TEST(CardPrint, CutLinesAreDashedAndOptional) {
  if (!PdfTest::CanRender()) GTEST_SKIP() << "poppler-utils are not installed";
  TestTree tree;
  const TVocLib lib = numbered(2);
  TDocument d = documentFor(u"CW=90\nCH=60\nCX=2\nCY=3\n"_s, 2);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const TDocument::Grid g = d.Fit();
  const int middle = g.left + g.cardWidth;
  const int bottom = g.top + g.down * g.cardHeight;
  const QString with = tree.file(u"mit.pdf"_s);
  PdfTest::ToPdf(printer, with);
  ASSERT_TRUE(d.Print(printer, false, lib));
  const QImage lined = rendered(with, tree.file(u"mit"_s));
  ASSERT_FALSE(lined.isNull());
  const int grey = greyPixelsDown(lined, middle, g.top + 20, bottom - 20);
  const int length = px(bottom - g.top - 40);
  EXPECT_GT(grey, length / 4);       // a line down the middle column border...
  EXPECT_LT(grey, length * 95 / 100);  // ...with gaps: dashed
  // Grey, not black.
  const QList<int> line = columnDown(lined, middle, g.top + 20, bottom - 20);
  const int darkest = *std::min_element(line.begin(), line.end());
  EXPECT_GT(darkest, 0x50);
  EXPECT_LT(darkest, 0x80);
  // Away from the borders only the row lines cross the column.
  EXPECT_LE(greyPixelsDown(lined, middle - 300, g.top + 20, bottom - 20), 2 * (g.down - 1));

  d.cutLines = false;
  const QString without = tree.file(u"ohne.pdf"_s);
  PdfTest::ToPdf(printer, without);
  ASSERT_TRUE(d.Print(printer, false, lib));
  EXPECT_EQ(greyPixelsDown(rendered(without, tree.file(u"ohne"_s)), middle, g.top + 20, bottom - 20), 0);
}

TEST(CardPrint, LongTextsAreClippedToTheirBox) {
  if (!PdfTest::CanRender()) GTEST_SKIP() << "poppler-utils are not installed";
  TestTree tree;
  TVocLib lib;
  lib.Items.clear();
  TVokabel r = record(u"Donaudampfschifffahrtsgesellschaftskapitänswitwe"_s, u"a b c d e f g h i j k l m n o p"_s);
  lib.Items << r << TVokabel();
  TDocument d = documentFor(u"CW=60\nCH=40\nCX=1\nCY=1\nID=v\nTEXT=$VOKABEL\nFH=6\n"
                            u"ID=b\nTEXT=$BEDEUTUNGEN\nY=15\nW=20\nH=10\nFH=4\n"_s, 1);
  QPrinter printer(QPrinter::HighResolution);
  const QString pdf = tree.file(u"lang.pdf"_s);
  PdfTest::ToPdf(printer, pdf);
  ASSERT_TRUE(d.Print(printer, false, lib));
  // The box of 10 mm holds two lines of 4 mm at 1.2 spacing: the rest is not drawn.
  const QString text = PdfTest::PageText(pdf, 1);
  EXPECT_TRUE(text.contains(u"ghijklm"_s));
  EXPECT_FALSE(text.contains(u"nop"_s));
  // The word longer than the card ends at the card's edge.
  const TDocument::Grid g = d.Fit();
  const QImage page = rendered(pdf, tree.file(u"lang"_s));
  ASSERT_FALSE(page.isNull());
  int inside = 0;
  int outside = 0;
  for (int y = px(g.top + 20); y < px(g.top + 90); ++y) {
    for (int x = px(g.left + 40); x < px(g.left + g.cardWidth - 20); ++x) inside += qGray(page.pixel(x, y)) < 128;
    for (int x = px(g.left + g.cardWidth + 10); x < px(2000); ++x) outside += qGray(page.pixel(x, y)) < 128;
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

TEST(CardPrint, ATemplateWithoutCardWidthStillPrintsItsTexts) {
  if (!PdfTest::HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  TestTree tree;
  TDocument d = documentFor(u"CX=2\nCY=2\nID=v\nTEXT=$VOKABEL\nFH=5\n"_s, 3);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const QString pdf = tree.file(u"ohnebreite.pdf"_s);
  PdfTest::ToPdf(printer, pdf);
  ASSERT_TRUE(d.Print(printer, false, numbered(3)));
  const QList<Word> words = wordsOf(pdf, 1);
  const std::optional<Word> second = find(words, u"wort1"_s);
  ASSERT_TRUE(second);
  EXPECT_NEAR(second->x, 1050 + 20, 15);  // the paper shared by two cards
  EXPECT_TRUE(find(words, u"wort2"_s));
}

TEST(ListPrint, RecordsTakeTheirLinesAndFillThePages) {
  TVocLib lib = numbered(3);
  lib.Items[1].Kontext[0] = u"Una frase."_s;
  lib.Items[1].Kontext[1] = u"Otra frase."_s;
  QFont font(u"Arial"_s);
  font.setPixelSize(LibraryPrint::kFontHeight);
  const QList<LibraryPrint::RecordLines> lines = LibraryPrint::Layout(lib, QFontMetricsF(font), 2000);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines.at(0).Height(), 1);
  EXPECT_EQ(lines.at(1).Height(), 3);  // entry and two context lines
  // (297 mm - 21 mm) / 4.4 mm = 62 lines to a page.
  QList<LibraryPrint::RecordLines> many;
  for (int k = 0; k < 70; ++k) many << lines.at(0);
  const auto pages = LibraryPrint::Pages(many, 2970);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(pages.at(0).size(), 62);
  // A record taller than a page stands alone and the rest goes on.
  LibraryPrint::RecordLines tall = lines.at(0);
  tall.meanings = QStringList(80, u"x"_s);
  EXPECT_EQ(LibraryPrint::Pages({tall, lines.at(0)}, 2970).size(), 2);
  // A word longer than the width stands on a line of its own; nothing loops.
  const QStringList cut = PrintText::Wrap(u"Donaudampfschifffahrtsgesellschaft ab cd"_s, QFontMetricsF(font), 100);
  EXPECT_EQ(cut, (QStringList{u"Donaudampfschifffahrtsgesellschaft"_s, u"ab cd"_s}));
  EXPECT_EQ(PrintText::Wrap(u"a\n\nb"_s, QFontMetricsF(font), 100, 2), (QStringList{u"a"_s, QString()}));
  EXPECT_EQ(LibraryPrint::Abbreviation(0), u"N."_s);
  EXPECT_EQ(LibraryPrint::Abbreviation(3), u"kl. W."_s);
  EXPECT_EQ(LibraryPrint::Abbreviation(6), QString());
  EXPECT_EQ(LibraryPrint::Abbreviation(7), QString());
}

TEST(ListPrint, TheListOnPaper) {
  if (!PdfTest::HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
  TestTree tree;
  TVocLib lib = numbered(70);
  lib.FileName = tree.file(u"Reise.asc"_s);
  lib.Items[0].Wortart = 1;
  lib.Items[1].Wortart = 6;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const QString pdf = tree.file(u"liste.pdf"_s);
  PdfTest::ToPdf(printer, pdf);
  ASSERT_TRUE(LibraryPrint::Print(printer, lib));
  EXPECT_EQ(PdfTest::PageCount(pdf), 2);
  const QString first = PdfTest::PageText(pdf, 1);
  EXPECT_TRUE(first.contains(u"Reise.asc"_s));
  EXPECT_TRUE(first.contains(u"S. 1"_s));
  EXPECT_TRUE(first.contains(u"wort0"_s) && first.contains(u"bed0"_s));
  EXPECT_TRUE(first.contains(u"V."_s));
  EXPECT_TRUE(PdfTest::PageText(pdf, 2).contains(u"S. 2"_s));
  EXPECT_TRUE(PdfTest::PageText(pdf, 2).contains(u"wort69"_s));
  // Where the parts of a line stand (the printable area starts at the
  // printer's margin, so the places are measured from the first record).
  const QList<Word> words = wordsOf(pdf, 1);
  const std::optional<Word> w0 = find(words, u"wort0"_s);
  const std::optional<Word> w1 = find(words, u"wort1"_s);
  const std::optional<Word> b0 = find(words, u"bed0"_s);
  const std::optional<Word> verb = find(words, u"V."_s);
  ASSERT_TRUE(w0 && w1 && b0 && verb);
  EXPECT_NEAR(w1->y - w0->y, 44, 3);            // one line each
  EXPECT_NEAR(b0->x - w0->x, 1250 - 290, 5);    // the meanings' column
  EXPECT_GT(verb->x, w0->x + 60);               // after the entry
  EXPECT_LT(verb->x, w0->x + 910);
  // Every record of the page is a noun but the verb and the adverb, which has none.
  int abbreviations = 0;
  int records = 0;
  for (const Word& w : words) {
    abbreviations += w.text == u"N."_s;
    records += w.text.startsWith(u"wort"_s);
  }
  EXPECT_GT(records, 50);
  EXPECT_EQ(abbreviations, records - 2);

  MessageRecorder messages;
  EXPECT_FALSE(LibraryPrint::Print(printer, numbered(0)));
  ASSERT_EQ(messages.messages().size(), 1);
  EXPECT_EQ(messages.messages().at(0).text, u"Welche Vokabeln soll ich drucken?!"_s);
}

// --- The dialog and the editor's commands ---

class CardDialog : public EditorFixture {};

TEST_F(CardDialog, OpensWithTheTemplateTheRecordsAndTheStoredShift) {
  program.write(u"Editor/Karteikarten.txt"_s, kGrid2x4.toUtf8());
  store.writeInteger(Environment::kDirectoriesKey, u"Versatz"_s, -15);
  QStringList entries;
  for (int k = 0; k < 10; ++k) entries << u"wort%1=bed%1"_s.arg(k);
  TVEditor& w = openWith(writeEntries(u"karten.asc"_s, entries));
  library.Items[3].Wortart = 1;  // a verb
  bool shown = false;
  w.cardDialogShown = [&](TXPrintDlg& d) {
    shown = true;
    EXPECT_EQ(d.windowTitle(), u"Karteikarten drucken"_s);
    EXPECT_EQ(d.TemplateInfo->text(), u"Karteikarten.txt"_s);
    EXPECT_EQ(d.lWordsAvailable->text(), u"10 Vokabeln insgesamt"_s);
    EXPECT_EQ(d.lWordsSelected->text(), u"10 Vokabeln ausgewählt"_s);
    EXPECT_EQ(d.AlleSeiten->text(), u"Alle Seiten (2)"_s);
    EXPECT_EQ(d.Versatz->value(), -15);
    EXPECT_EQ(d.mm->text(), u"-1,5 mm"_s);
    // Without a learner there is no score to filter by.
    EXPECT_FALSE(d.Filter->isEnabled());
    EXPECT_EQ(d.Filter->title(), u"Filter inaktiv - Benutzer nicht angemeldet"_s);
    EXPECT_TRUE(d.FromV->isHidden());
    d.Wortarten[1]->setChecked(false);  // no verbs
    EXPECT_EQ(d.lWordsSelected->text(), u"9 Vokabeln ausgewählt"_s);
    EXPECT_EQ(d.AlleSeiten->text(), u"Alle Seiten (2)"_s);
    d.Wortarten[0]->setChecked(false);
    EXPECT_EQ(d.AlleSeiten->text(), u"Alle Seiten (1)"_s);
    d.Versatz->setValue(25);
    // Pages typed: corrected to those there are.
    d.von->setText(u"3"_s);
    d.bis->setText(u"x"_s);
    d.SeitenVon->setChecked(true);
    d.CorrectPages();
    EXPECT_EQ(d.von->text(), u"1"_s);
    EXPECT_EQ(d.bis->text(), QString());  // past the last page: not set, so all pages
    EXPECT_TRUE(d.AlleSeiten->isChecked());
    // A template that is not there.
    d.LoadTemplate(program.file(u"Editor/fehlt.txt"_s));
  };
  w.FilePrintCards();
  EXPECT_TRUE(shown);
  EXPECT_EQ(messageTexts(), QStringList{u"Datei "_s + QDir::toNativeSeparators(program.file(u"Editor/fehlt.txt"_s)) +
                                        u" existiert nicht!"_s});
  // The shift is kept for the next time.
  EXPECT_EQ(env.Versatz, 25);
  EXPECT_EQ(store.readInteger(Environment::kDirectoriesKey, u"Versatz"_s), 25);
}

TEST_F(CardDialog, TheFittingMessageComesOncePerTemplate) {
  program.write(u"Editor/Karteikarten.txt"_s, QByteArray("CW=80\nCH=100\nCX=3\nCY=2\nID=v\nTEXT=$VOKABEL\n"));
  TVEditor& w = openWith(writeEntries(u"karten.asc"_s, {u"casa=Haus"_s}));
  const QString pdf = program.file(u"karten.pdf"_s);
  w.setUpPrinter = [&pdf](QPrinter& printer) {
    PdfTest::ToPdf(printer, pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  };
  w.cardDialogShown = [&](TXPrintDlg& d) {
    EXPECT_TRUE(d.PrintSide(false));
    EXPECT_TRUE(d.PrintSide(true));
    // The preview draws the first page without a message.
    d.show();
    d.Tabs->setCurrentIndex(1);
    const QImage front = d.FrontPreview->pixmap().toImage();
    ASSERT_FALSE(front.isNull());
    int dark = 0;
    for (int y = 0; y < front.height(); ++y)
      for (int x = 0; x < front.width(); ++x) dark += qGray(front.pixel(x, y)) < 128;
    EXPECT_GT(dark, 0);
    EXPECT_EQ(messages.messages().size(), 1);
    // Another template: its corrections are told again.
    d.LoadTemplate(program.file(u"Editor/Karteikarten.txt"_s));
  };
  w.FilePrintCards();
  EXPECT_EQ(messageTexts(), (QStringList{u"3 Karten passen nicht nebeneinander auf die Seite!"_s,
                                         u"3 Karten passen nicht nebeneinander auf die Seite!"_s}));
  EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(CardDialog, TheEditorPrintsTheListOrSaysThereIsNothing) {
  TVEditor& w = open();
  bool asked = false;
  w.setUpPrinter = [&asked](QPrinter&) { return asked = true; };
  w.Action(u"FilePrint"_s)->trigger();
  EXPECT_EQ(messageTexts(), QStringList{u"Welche Vokabeln soll ich drucken?!"_s});
  EXPECT_FALSE(asked);  // no dialog for nothing
  if (!PdfTest::HavePoppler()) return;
  w.OpenFiles({writeEntries(u"liste.asc"_s, {u"casa=Haus"_s, u"perro=Hund"_s})});
  const QString pdf = program.file(u"liste.pdf"_s);
  int setUps = 0;
  w.setUpPrinter = [&pdf, &setUps](QPrinter& printer) {
    ++setUps;
    PdfTest::ToPdf(printer, pdf);
    return true;
  };
  w.Action(u"FilePrint"_s)->trigger();
  EXPECT_TRUE(PdfTest::PageText(pdf, 1).contains(u"perro"_s));
  // The printer chosen once serves the session; its set-up changes it.
  QFile::remove(pdf);
  w.Action(u"FilePrint"_s)->trigger();
  EXPECT_TRUE(QFile::exists(pdf));
  EXPECT_EQ(setUps, 1);
  w.Action(u"FilePrintSetup"_s)->trigger();
  EXPECT_EQ(setUps, 2);
}
