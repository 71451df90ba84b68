#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QKeyEvent>

#include "common/random.h"
#include "common/markuptext.h"
#include "pages/pagetestsupport.h"
#include "pages/txinputfield.h"
#include "pages/txpage.h"

namespace {

const TXText* firstWord(const PageState& page, const QString& text) {
  for (const TXText& e : page.Document)
    if (e.Kind == ElementKind::Word && e.Text == text) return &e;
  return nullptr;
}

QString linkName(const PageState& page, const TXText* e) {
  return e && e->Format.LinkIndex >= 0 ? page.Elements.Links.Names[e->Format.LinkIndex] : QString();
}

}  // namespace

TEST(LinkTag, FlashIsFoundFurtherOnAndSkipsWhatLiesBetween) {
  PageFixture f;
  f.show(QStringLiteral("<a href=\"x.htx\" key=1 flash=#ff0000>eins</a> <a href=\"y.htx\" flash=#ff0000 key=2>zwei</a>"));
  const TXText* eins = firstWord(f.page, QStringLiteral("eins"));
  ASSERT_TRUE(eins);
  EXPECT_TRUE(eins->Format.Flash);
  EXPECT_EQ(eins->Format.Font.FlashColor, RGBColor(255, 0, 0));
  EXPECT_EQ(eins->Format.Font.Style & StyleUnderline, 0);  // highlighting links are not underlined
  EXPECT_EQ(eins->Format.Font.TextColor, kPageLinkColor);
  EXPECT_EQ(f.page.KeyLinks.Count(), 1);  // KEY between HREF and FLASH is skipped
  EXPECT_EQ(f.page.KeyLinks.Value(QStringLiteral("2")), QStringLiteral("y.htx"));
}

TEST(LinkTag, TargetsHintsAliasesAndVariables) {
  PageFixture f;
  f.page.SetVariable(QStringLiteral("ziel"), QStringLiteral("§goabfrage"));
  f.show(QStringLiteral("<alias #weiter=\"*seite2.htx\"><a href=\"#weiter@Weiter geht's\">a</a> "
                        "<a href=\"$ziel\" return>b</a> <a href=\"@Nur ein Hinweis\">c</a> "
                        "<a href=\"*bild.htx@Bild°klick.wav\">d</a> <a hot=\"Heiß\">e</a>"));
  EXPECT_EQ(linkName(f.page, firstWord(f.page, QStringLiteral("a"))), QStringLiteral("seite2.htx@Weiter geht's"));
  EXPECT_EQ(linkName(f.page, firstWord(f.page, QStringLiteral("b"))), QStringLiteral("§goabfrage"));
  EXPECT_EQ(f.page.EnterTarget, QStringLiteral("§goabfrage"));
  const TXText* c = firstWord(f.page, QStringLiteral("c"));
  EXPECT_EQ(linkName(f.page, c), QStringLiteral("%@Nur ein Hinweis"));
  EXPECT_TRUE(c->Format.Font.Hot);
  EXPECT_EQ(linkName(f.page, firstWord(f.page, QStringLiteral("d"))), QStringLiteral("bild.htx@Bild°klick.wav"));
  const TXText* e = firstWord(f.page, QStringLiteral("e"));
  EXPECT_EQ(linkName(f.page, e), QStringLiteral("@Heiß"));
  EXPECT_TRUE(e->Format.Font.Hot);
  // A blank between two links belongs to neither.
  EXPECT_EQ(f.page.Document[1].Kind, ElementKind::Space);
  EXPECT_EQ(f.page.Document[1].Format.LinkIndex, -1);
}

TEST(LinkTag, ALinkToThePageItselfIsPlainText) {
  PageFixture f;
  f.writePage(QStringLiteral("hier.htm"), "<a href=\"hier.htm\">hier</a> <a href=\"dort.htm\">dort</a>");
  ASSERT_TRUE(f.loader.OpenFile(QStringLiteral("hier.htm")));
  EXPECT_EQ(firstWord(f.page, QStringLiteral("hier"))->Format.LinkIndex, -1);
  EXPECT_EQ(linkName(f.page, firstWord(f.page, QStringLiteral("dort"))), QStringLiteral("dort.htm"));
}

TEST(LinkTag, EndOfLinkRestoresColourAndStyle) {
  PageFixture f;
  f.show(QStringLiteral("<b><font color=#123456>vor <a href=\"x.htx\">link</a> nach"));
  const TXText* nach = firstWord(f.page, QStringLiteral("nach"));
  EXPECT_EQ(nach->Format.Font.TextColor, RGBColor(0x12, 0x34, 0x56));
  EXPECT_EQ(nach->Format.Font.Style, StyleBold);
  EXPECT_EQ(nach->Format.LinkIndex, -1);
}

TEST(LinkTag, TypingAndDropGaps) {
  PageFixture f;
  f.show(QStringLiteral("<body gap=#ffff00>Yo <a gap lsg=\"soy; estoy\" help=\"*\" tip=\"ser\" noborder>___ ___</a> "
                        "alto. <a href=\"x\" noborder>n</a> <a drag>casa</a>"));
  ASSERT_EQ(f.page.Elements.Gaps.size(), 1u);
  const TGapSpec& gap = f.page.Elements.Gaps[0];
  EXPECT_EQ(gap.Lsg, (QStringList{QStringLiteral("soy"), QStringLiteral("estoy")}));
  EXPECT_EQ(gap.Hilfe, QStringLiteral("*"));
  EXPECT_EQ(gap.Tip, QStringLiteral("ser"));
  EXPECT_TRUE(gap.NoBorder);
  const TXText* word = firstWord(f.page, QStringLiteral("___ ___"));  // a gap word keeps its blanks
  ASSERT_TRUE(word);
  EXPECT_EQ(word->Format.GapIndex, 0);
  EXPECT_EQ(word->Format.Font.TextColor, RGBColor(255, 255, 0));
  EXPECT_EQ(gap.Element, word - f.page.Document.data());
  ASSERT_EQ(f.page.Elements.Drag.Gaps.size(), 1u);
  EXPECT_EQ(f.page.Elements.Drag.Gaps[0].Expected, QStringLiteral("casa"));
  EXPECT_EQ(firstWord(f.page, QStringLiteral("casa"))->Format.GapIndex, 255);
}

TEST(LinkTag, GapsBeyondTheDropNumbersStayPlainText) {
  PageFixture f;
  QString markup;
  for (int i = 0; i < 257; ++i) markup += QStringLiteral("<a gap lsg=\"a\" help=\"h\">w%1</a> ").arg(i);
  f.show(markup);
  EXPECT_EQ(f.page.Elements.Gaps.size(), 255u);
  EXPECT_EQ(firstWord(f.page, QStringLiteral("w256"))->Format.GapIndex, -1);
}

TEST(BoxTag, ColumnsAnchorsAndButtons) {
  PageFixture f;
  f.show(QStringLiteral("<box coords=20,10,200>Text <box coords=*-50,-10020,0,40 color=#00ff00 radius=0 "
                        "href=\"§weiter\" oncolor=#ff0000 offcolor=#0000ff bwidth=3 yo=5 dest>knopf "
                        "<box align=center coords=1,1,1,1>nie"));
  const auto& boxes = f.page.Elements.Boxes;
  ASSERT_EQ(boxes.size(), 2u);  // a BOX not starting with COORDS is ignored
  EXPECT_TRUE(boxes[0].AutoHeight);
  EXPECT_EQ(boxes[0].Height, 20);
  const TXText* text = firstWord(f.page, QStringLiteral("Text"));
  EXPECT_EQ(text->Format.BoxLeft, 20);
  EXPECT_EQ(text->Format.BoxWidth, 200);
  EXPECT_EQ(text->Format.BoxIndex, 0);

  const TBox& b = boxes[1];
  EXPECT_EQ(b.Left, 350);
  EXPECT_EQ(b.Top, 552);
  EXPECT_EQ(b.Width, 450);
  EXPECT_EQ(b.Height, 40);
  EXPECT_EQ(b.Shape, 1);  // RADIUS makes a rounded rectangle
  EXPECT_TRUE(b.Filled);
  EXPECT_EQ(b.FillColor, 0);  // button boxes with OFFCOLOR are filled black
  EXPECT_EQ(b.TextOffset, 5);
  ASSERT_GE(b.LinkRect, 0);
  const tNamedRect& r = f.page.Elements.Links.Rects[static_cast<size_t>(b.LinkRect)];
  EXPECT_TRUE(r.Highlight);
  EXPECT_EQ(r.Rect, QRect(352, 554, 447, 37));  // inside a 3-pixel border: a = 2
  EXPECT_EQ(f.page.Elements.Links.Names[r.NameIndex], QStringLiteral("§weiter"));
  EXPECT_EQ(f.page.Elements.DestRect, QRect(350, 552, 450, 40));
  EXPECT_EQ(firstWord(f.page, QStringLiteral("knopf"))->Format.Font.TextColor, kWhite);
  EXPECT_EQ(f.page.Slots.Font.TextColor, kPageTextColor);  // /FONT gives the colour back
  EXPECT_TRUE(f.page.Elements.NeedsEffects);  // a filled rounded box

  PageFixture plain;
  plain.show(QStringLiteral("<box coords=0,0,10,10 color=#ff0000 bwidth=2>"));
  EXPECT_FALSE(plain.page.Elements.NeedsEffects);

  // The BoxMark carries the box top plus the text offset; the following text does not.
  int marks = 0;
  for (const TXText& e : f.page.Document) {
    if (e.Kind != ElementKind::BoxMark) continue;
    EXPECT_EQ(e.Format.BoxTop, boxes[static_cast<size_t>(marks)].Top + (marks == 1 ? 5 : 0));
    ++marks;
  }
  EXPECT_EQ(firstWord(f.page, QStringLiteral("knopf"))->Format.BoxTop, -1);
}

TEST(BoxTag, PlainLinkBoxesEllipsesAndEffects) {
  PageFixture f;
  f.page.SetVariable(QStringLiteral("ziel"), QStringLiteral("ende.htx"));
  f.show(QStringLiteral("<box coords=0,0,100,50 href=\"$ziel\" return alpha=128>x<ellipse coords=100,100,40,20 color=red>"));
  const auto& boxes = f.page.Elements.Boxes;
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Target, QStringLiteral("ende.htx"));
  EXPECT_EQ(f.page.EnterTarget, QStringLiteral("ende.htx"));
  ASSERT_EQ(f.page.Elements.Links.Rects.size(), 1u);
  EXPECT_FALSE(f.page.Elements.Links.Rects[0].Highlight);
  EXPECT_EQ(f.page.Elements.Links.Rects[0].Rect, QRect(0, 0, 100, 50));
  EXPECT_EQ(boxes[1].rect(), QRect(80, 90, 40, 20));
  EXPECT_EQ(boxes[1].Shape, 2);
  EXPECT_TRUE(f.page.Elements.NeedsEffects);
  const TXText& ellipseMark = f.page.Document.back();
  EXPECT_EQ(ellipseMark.Kind, ElementKind::BoxMark);
  EXPECT_EQ(ellipseMark.Format.BoxTop, 100);
  EXPECT_EQ(ellipseMark.Format.BoxLeft, 0);  // an ellipse keeps the text column
}

TEST(ImageTag, PicturesScaleModesAndHostPictures) {
  PageFixture f;
  QFile::copy(QStringLiteral(ZVK_SOURCE_DIR "/tests/pages/pictures/rot.png"), f.dir.file(QStringLiteral("rot.png")));
  QStringList requested;
  f.page.PictureRequest = [&](const QString& code, QImage& picture) {
    requested << QStringLiteral("%1 %2x%3").arg(code).arg(picture.width()).arg(picture.height());
  };
  f.show(QStringLiteral("<b>a <img src=\"rot.png\" scale=50>b <img src=\"rot.png\" scale=50% align=x alpha=50 mode=10 "
                        "usemap=\"karte\"> <img src=\"fehlt.png\"><img src=\"%320x200=absolut\"><img src=\"%ax=relativ\">"));
  std::vector<const TXText*> images;
  for (const TXText& e : f.page.Document)
    if (e.Kind == ElementKind::ImageMark) images.push_back(&e);
  ASSERT_EQ(images.size(), 4u);  // the missing picture is left out, with one message
  ASSERT_EQ(f.messages.messages().size(), 1);
  EXPECT_EQ(f.messages.messages()[0].text,
            QStringLiteral("Das Bild ") + f.dir.file(QStringLiteral("fehlt.png")) + QStringLiteral(" konnte nicht geladen werden!"));
  EXPECT_EQ(images[0]->Format.ImgScale, 100);  // no "%": full size
  EXPECT_EQ(images[0]->Format.ImgAlign, 5);
  EXPECT_EQ(images[0]->Format.Font.Style, StyleBold);  // the text format before the tag
  EXPECT_EQ(images[1]->Format.ImgScale, 50);
  EXPECT_EQ(images[1]->Format.ImgAlign, 6);
  EXPECT_EQ(images[1]->Format.ImgAlpha, 127);
  EXPECT_EQ(images[1]->Format.ImgMode, 9);
  EXPECT_EQ(images[1]->Format.ImgUseMap, QStringLiteral("karte"));
  EXPECT_EQ(images[0]->Format.PictureIndex, images[1]->Format.PictureIndex);  // loaded once
  EXPECT_EQ(requested, (QStringList{QStringLiteral("absolut 320x200"), QStringLiteral("relativ 100x60")}));
  EXPECT_TRUE(images[3]->Format.ImgUseMap.isEmpty());  // a map belongs to its own picture only
  EXPECT_EQ(firstWord(f.page, QStringLiteral("b"))->Format.PictureIndex, -1);
  EXPECT_TRUE(f.page.Elements.NeedsEffects);
}

TEST(MapTag, AreasBelongToTheLastMap) {
  PageFixture f;
  f.show(QStringLiteral("<area shape=rect coords=\"1,2,3,4\" href=\"vorher\"><map name=\"karte\">"
                        "<area shape=rect coords=\"10,20,110,70\" href=\"§kopf\"><area shape=circle coords=\"1,1,5\" href=\"x\"></map>"));
  ASSERT_EQ(f.page.Elements.Maps.size(), 1u);
  const tMap& m = f.page.Elements.Maps[0];
  EXPECT_EQ(m.Name, QStringLiteral("karte"));
  ASSERT_EQ(m.Areas.size(), 1u);
  EXPECT_EQ(m.Areas[0].Target, QStringLiteral("§kopf"));
  EXPECT_EQ(m.Areas[0].Rect, QRect(QPoint(10, 20), QPoint(109, 69)));
}

TEST(CheckBoxTag, RegistersAToggleAndLeavesTheLinkColour) {
  PageFixture f;
  f.page.SetCondition(QStringLiteral("vorlesen"), true);
  f.show(QStringLiteral("<checkbox coords=14,6 name=\"vorlesen\" flash=#ff0000>Vorlesen <checkbox name=\"x\" checked>y"));
  const auto& boxes = f.page.Elements.CheckBoxes;
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0].Checked);
  EXPECT_EQ(boxes[0].Width, 14);
  EXPECT_TRUE(boxes[1].Checked);
  const TXText& mark = f.page.Document[0];
  EXPECT_EQ(mark.Kind, ElementKind::CheckMark);
  EXPECT_EQ(f.page.Elements.Links.Names[mark.Format.LinkIndex], QStringLiteral("+vorlesen"));
  EXPECT_FALSE(mark.Format.Flash);
  const TXText* text = firstWord(f.page, QStringLiteral("Vorlesen"));
  EXPECT_EQ(text->Format.LinkIndex, -1);
  EXPECT_EQ(text->Format.Font.TextColor, kPageLinkColor);
  EXPECT_EQ(text->Format.Font.FlashColor, RGBColor(255, 0, 0));
  EXPECT_EQ(text->Format.CheckSpacing, 6);
}

TEST(MultipleTag, GeneratesOneLinkPerCellColumnByColumn) {
  PageFixture f;
  Random::seed(3);
  f.show(QStringLiteral("<multiple coords=10,100,200,30 dim=2,3 txt=\"a|b|c|d|e|f\" reaction=+>"));
  const TMultipleChoice& mc = f.page.Multiple;
  ASSERT_EQ(mc.Answers.size(), 6);
  EXPECT_EQ(mc.Right, QStringLiteral("a"));
  EXPECT_EQ(mc.Reaction, QStringLiteral("+"));
  QString expected;
  for (int i = 0; i < 6; ++i) {
    const QString& answer = mc.Answers[i];
    expected += QStringLiteral("<box coords=%1,%2,200,30 align=m>").arg(10 + (i / 2) * 200).arg(100 + (i % 2) * 30);
    const QString result = answer == QLatin1String("a") ? QStringLiteral("+@") : QStringLiteral("-[%1]@").arg(answer);
    expected += QStringLiteral("<a href=\"§mchx%1%2\" key=%2>%3</a>").arg(result).arg(i + 1).arg(answer);
  }
  EXPECT_EQ(mc.Markup, expected);
  // The generated markup is read as part of the page: six linked answers with their digit keys.
  EXPECT_EQ(f.page.Elements.Boxes.size(), 6u);
  EXPECT_EQ(f.page.KeyLinks.Count(), 6);
  EXPECT_EQ(linkName(f.page, firstWord(f.page, mc.Answers[0])).left(5), QStringLiteral("§mchx"));
}

TEST(MultipleTag, AnsweredViewAndUnsafeAnswers) {
  PageFixture f;
  Random::seed(1);
  // A tag ends at ">" and a quoted value at a double quote: everything else may stand in an answer.
  const QString answers = QStringLiteral("sí, claro|a<b|$[x] &amp; a&b&c|@°]%");
  f.page.SetVariable(QStringLiteral("x"), QStringLiteral("BOOM"));
  f.show(QStringLiteral("<multiple coords=0,0,300,20 dim=4,1 txt=\"") + answers + QStringLiteral("\">"));
  QStringList shown;
  for (const TXText& e : f.page.Document)
    if (e.Kind == ElementKind::Word || e.Kind == ElementKind::Space) shown << e.Text;
  const QString text = shown.join(QString());
  for (const QString& a : f.page.Multiple.Answers) EXPECT_TRUE(text.contains(a)) << a.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("BOOM")));
  EXPECT_EQ(f.page.Elements.Boxes.size(), 4u);  // no answer opened a tag
  for (const QString& name : f.page.Elements.Links.Names) {
    if (!name.startsWith(QStringLiteral("§mchx-["))) continue;
    const QString inner = name.mid(7, name.lastIndexOf(QLatin1Char(']')) - 7);
    EXPECT_FALSE(inner.contains(QLatin1Char('@')) || inner.contains(QLatin1Char(',')) || inner.contains(QLatin1Char(']')));
    EXPECT_TRUE(f.page.Multiple.Answers.contains(MarkupText::UnescapeTarget(inner)));
  }

  // Answered: the right answer underlined with its two marking lines, wrong ones plain.
  f.page.Multiple.Answered = true;
  f.page.KeepMultipleChoice = true;
  f.show(QStringLiteral("<multiple coords=0,0,300,20 dim=4,1 txt=\"andere|liste\">"));
  EXPECT_EQ(f.page.Multiple.Right, QStringLiteral("sí, claro"));  // the answers stay
  EXPECT_TRUE(f.page.Multiple.Markup.contains(QStringLiteral("<u>sí, claro</u><box coords=")));
  EXPECT_TRUE(f.page.Multiple.Markup.contains(QStringLiteral("<st>")));
  EXPECT_FALSE(f.page.Multiple.Markup.contains(QStringLiteral("<a href")));
}

TEST(MultipleTag, HugeGridsAreCutDown) {
  PageFixture f;
  f.show(QStringLiteral("<multiple coords=0,0,10,10 dim=1000,1000 txt=\"a|b\">"));
  EXPECT_LE(f.page.Elements.Boxes.size(), 100u);
}

TEST(ExerciseTags, KlotzAndSatz) {
  PageFixture f;
  f.show(QStringLiteral("<klotz y=400 nr=0><klotz falsch=\"el/los\" nr=5 left=40><satz teile=\"Yo soy de Madrid\" coords=10,300,500,40>"
                        "<satz teile=\"\" coords=10,10,10,10>"));
  const TDragExercise& d = f.page.Elements.Drag;
  EXPECT_TRUE(d.Configured);
  EXPECT_EQ(d.ExtraWrong, (QStringList{QStringLiteral("el"), QStringLiteral("los")}));
  EXPECT_EQ(d.TrayTop, 350);  // the KLOTZ without its list was ignored
  EXPECT_EQ(d.PerRow, 5);
  EXPECT_EQ(d.BlockWidth, 100);
  EXPECT_EQ(d.TrayLeft, 40);
  ASSERT_EQ(f.page.Elements.Sentences.size(), 1u);
  EXPECT_EQ(f.page.Elements.Sentences[0].Rect, QRect(10, 300, 500, 40));

  f.show(QStringLiteral("<klotz falsch=\"x\" nr=0>"));
  EXPECT_EQ(f.page.Elements.Drag.PerRow, 1);  // never zero blocks per row
}

TEST(FieldTags, InputEditButtonAndRecorder) {
  PageFixture f;
  f.page.SetVariable(QStringLiteral("loesung"), QStringLiteral("hablo; hablas"));
  f.show(QStringLiteral("<input coords=10,20,200 name=\"name\" value=\"Ana\" maxl=300 upper password>"
                        "<edit coords=10,60,150,24 lsg=\"$loesung\" help=\"ha___\" init=\"?\" reaction=\"weiter.htx\">"
                        "<button coords=5,5,80,30 caption=\"Weiter\" href=\"§next\" color=#c0c0c0 3d>"
                        "<recorder c-rec=10,500,40,40 c-play=60,500,40,40 max=20>"));
  const PageElements& e = f.page.Elements;
  ASSERT_TRUE(e.Input);
  EXPECT_EQ(e.Input->Rect.width(), 200);
  EXPECT_EQ(e.Input->MaxLength, 200);
  EXPECT_TRUE(e.Input->Upper && e.Input->Password);
  EXPECT_EQ(f.page.GetVariable(QStringLiteral("name")), QStringLiteral("Ana"));
  ASSERT_EQ(e.Gaps.size(), 1u);
  EXPECT_TRUE(e.Gaps[0].FreeStanding);
  EXPECT_EQ(e.Gaps[0].Lsg, (QStringList{QStringLiteral("hablo"), QStringLiteral("hablas")}));
  EXPECT_EQ(e.Gaps[0].Bounds, QRect(10, 60, 150, 24));
  ASSERT_EQ(e.Buttons.size(), 1u);
  EXPECT_EQ(e.Buttons[0].Target, QStringLiteral("§next"));
  EXPECT_TRUE(e.Buttons[0].ThreeD);
  ASSERT_TRUE(e.Recorder);
  EXPECT_EQ(e.Recorder->Max, 4);  // 20 counts as 4
  EXPECT_TRUE(e.Links.Names.contains(QStringLiteral("§rec@REC")));
  EXPECT_TRUE(e.Links.Names.contains(QStringLiteral("§play@PLAY")));
}

TEST(FieldTags, TheInputFieldEditsItsVariable) {
  TXPage page;
  QStringList commands;
  page.OnCommand = [&](TXPage*, const QString& c) { commands << c; };
  page.SetVariable(QStringLiteral("wort"), QStringLiteral("nino"));
  page.ShowText(QStringLiteral("<input coords=10,10,200 name=\"wort\" lower>"));
  TXInputField* field = page.InputField();
  ASSERT_TRUE(field);
  EXPECT_EQ(field->text(), QStringLiteral("nino"));
  field->setCursorPosition(3);
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &f1);
  EXPECT_EQ(page.GetVariable(QStringLiteral("wort")), QStringLiteral("niño"));
  EXPECT_EQ(field->cursorPosition(), 3);
  field->setText(QStringLiteral("MADRID"));
  EXPECT_EQ(page.GetVariable(QStringLiteral("wort")), QStringLiteral("madrid"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &enter);
  EXPECT_EQ(commands, QStringList{QStringLiteral("wort")});

  page.ShowText(QStringLiteral("ohne Feld"));
  EXPECT_EQ(page.InputField(), nullptr);
}

TEST(WordGroups, EveryGroupHasItsOwnNumber) {
  PageFixture f;
  QString markup;
  for (int i = 0; i < 120; ++i) markup += QStringLiteral("<w>w%1</w> ").arg(i);
  f.show(markup);
  QSet<int> groups;
  for (const TXText& e : f.page.Document)
    if (e.Kind == ElementKind::Word) groups.insert(e.Format.WordGroup);
  EXPECT_EQ(groups.size(), 120);
}

TEST(MarkupText, EscapedTextReadsBackAsItself) {
  PageFixture f;
  for (const QString& data : {QStringLiteral("a<b <c> $[x] $y &amp; A&B&C&D x&"), QStringLiteral("<<$$&&"),
                              QStringLiteral("€ ñ ¿qué?")}) {
    f.page.SetVariable(QStringLiteral("x"), QStringLiteral("BOOM"));
    f.show(MarkupText::EscapeText(data));
    QString back;
    for (const TXText& e : f.page.Document) back += e.Text;
    EXPECT_EQ(back, data);
  }
  EXPECT_EQ(MarkupText::UnescapeTarget(MarkupText::EscapeTarget(QStringLiteral("a\"b@c°d]e,f%g"))),
            QStringLiteral("a\"b@c°d]e,f%g"));
}
