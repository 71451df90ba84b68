// Verb tables on paper: the printed forms, the pages of one verb and of all
// verbs in a PDF read back with poppler's tools, and the print dialog.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include "common/messagerecorder.h"
#include "pdftestsupport.h"
#include "testsupport.h"
#include "verbs/verbprintdialog.h"
#include "verbs/verbtableprinter.h"

namespace {

using namespace Qt::StringLiterals;

TVerb hablar() {
  TVerb v;
  v.Infinitiv = u"hablar"_s;
  v.Bedeutung = u"sprechen"_s;
  const QStringList endings[8] = {
      {u"o"_s, u"as"_s, u"a"_s, u"amos"_s, u"áis"_s, u"an"_s},
      {u"aba"_s, u"abas"_s, u"aba"_s, u"ábamos"_s, u"abais"_s, u"aban"_s},
      {u"é"_s, u"aste"_s, u"ó"_s, u"amos"_s, u"asteis"_s, u"aron"_s},
      {u"aré"_s, u"arás"_s, u"ará"_s, u"aremos"_s, u"aréis"_s, u"arán"_s},
      {u"e"_s, u"es"_s, u"e"_s, u"emos"_s, u"éis"_s, u"en"_s},
      {u"ara/hablase"_s, u"aras/hablases"_s, u"ara/hablase"_s, u"áramos/hablásemos"_s, u"arais/hablaseis"_s,
       u"aran/hablasen"_s},
      {QString(), u"a"_s, u"e"_s, u"emos"_s, u"ad"_s, u"en"_s},
      {u"aría"_s, u"arías"_s, u"aría"_s, u"aríamos"_s, u"aríais"_s, u"arían"_s}};
  for (int t = 0; t < 8; ++t)
    for (int p = 0; p < 6; ++p) v.Formen[t][p] = endings[t][p].isEmpty() ? QString() : u"habl"_s + endings[t][p];
  for (int t = 8; t < 16; ++t)
    for (int p = 0; p < 6; ++p) v.Formen[t][p] = u"he hablado"_s;
  v.Formen[13][0] = u"hubiera/hubiese hablado"_s;
  v.Formen[14] = {u"hablando"_s, u"hablado"_s, {}, {}, {}, {}};
  return v;
}

TVerb named(const QString& infinitive) {
  TVerb v = hablar();
  v.Infinitiv = infinitive;
  return v;
}

bool havePoppler() { return PdfTest::HavePoppler(); }
int pageCount(const QString& pdf) { return PdfTest::PageCount(pdf); }
QSizeF pageSize(const QString& pdf) { return PdfTest::PageSize(pdf); }
QString pageText(const QString& pdf, int page) { return PdfTest::PageText(pdf, page); }
void toPdf(QPrinter& printer, const QString& path) { PdfTest::ToPdf(printer, path); }

}  // namespace

TEST(VerbPrint, PrintedFormsAreSplitAndShortened) {
  TVerb v = hablar();
  auto printed = [&](int t, int p) { return VerbTablePrinter::Printed(v, t, p); };
  EXPECT_EQ(printed(0, 0).regular, u"hablo"_s);
  EXPECT_EQ(printed(0, 0).irregular, QString());
  // The imperfect subjunctive's second choice is cut by the first person's stem.
  EXPECT_EQ(printed(5, 0).Text(), u"hablara/-se"_s);
  EXPECT_EQ(printed(5, 1).Text(), u"hablaras/-ses"_s);
  EXPECT_EQ(printed(5, 3).Text(), u"habláramos/-semos"_s);
  // Elsewhere only the second choice is printed.
  EXPECT_EQ(printed(13, 0).Text(), u"hubiese hablado"_s);

  // The irregular part from the mark on, counted on the form without it.
  v.Formen[5][0] = u"t*uviera/tuviese"_s;
  v.Formen[5][1] = u"t*uvieras/tuvieses"_s;
  EXPECT_EQ(printed(5, 0).regular, u"t"_s);
  EXPECT_EQ(printed(5, 0).irregular, u"uviera/-se"_s);
  EXPECT_EQ(printed(5, 1).Text(), u"tuvieras/-ses"_s);
  v.Formen[0][0] = u"*soy"_s;
  EXPECT_EQ(printed(0, 0).regular, QString());
  EXPECT_EQ(printed(0, 0).irregular, u"soy"_s);
  v.Formen[3][0] = u"a/*bc"_s;
  EXPECT_EQ(printed(3, 0).regular, QString());
  EXPECT_EQ(printed(3, 0).irregular, u"bc"_s);
  v.Formen[3][1] = u"a*b/cd"_s;
  EXPECT_EQ(printed(3, 1).irregular, u"cd"_s);

  // A first choice shorter than two letters, or longer than the second: nothing is read past the text.
  v.Formen[5] = {u"x/yz"_s, u"abcdef/g"_s, u"*/"_s, u"/"_s, u"abc/"_s, u"*a/*b"_s};
  EXPECT_EQ(printed(5, 0).Text(), u"x/-yz"_s);
  EXPECT_EQ(printed(5, 1).Text(), u"abcdef/-g"_s);
  EXPECT_EQ(printed(5, 2).Text(), u"/-"_s);
  EXPECT_EQ(printed(5, 3).Text(), u"/-"_s);
  EXPECT_EQ(printed(5, 4).Text(), u"abc/-"_s);
  EXPECT_EQ(printed(5, 5).Text(), u"a/-b"_s);
}

TEST(VerbPrint, OneVerbOnALandscapePage) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are missing";
  TestTree tree;
  const QString pdf = tree.file(u"eins.pdf"_s);
  QPrinter printer(QPrinter::HighResolution);
  toPdf(printer, pdf);
  ASSERT_TRUE(VerbTablePrinter::Print(printer, {named(u"ser"_s), hablar()}, 1));
  EXPECT_EQ(pageCount(pdf), 1);
  const QSizeF size = pageSize(pdf);
  EXPECT_GT(size.width(), size.height()) << "landscape";
  const QString text = pageText(pdf, 1);
  for (const QString& expected : {u"hablar"_s, u"sprechen"_s, u"IND Presente"_s, u"Cond. perf."_s, u"hablo"_s,
                                  u"hablara/-se"_s, u"hubiese hablado"_s, u"hablando"_s})
    EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
  EXPECT_FALSE(text.contains(u"ser\n"_s));
  EXPECT_FALSE(text.contains(u"*"_s));
}

TEST(VerbPrint, AllVerbsTwoToAPage) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are missing";
  TestTree tree;
  const QString pdf = tree.file(u"alle.pdf"_s);
  QPrinter printer(QPrinter::HighResolution);
  toPdf(printer, pdf);
  std::vector<TVerb> verbs;
  for (const char* name : {"uno", "dos", "tres", "cuatro", "cinco"}) verbs.push_back(named(QString::fromLatin1(name)));
  ASSERT_TRUE(VerbTablePrinter::Print(printer, verbs, -1));
  EXPECT_EQ(pageCount(pdf), 3);
  const QString first = pageText(pdf, 1);
  EXPECT_TRUE(first.contains(u"uno"_s));
  EXPECT_TRUE(first.contains(u"dos"_s));
  EXPECT_FALSE(first.contains(u"tres"_s));
  EXPECT_TRUE(pageText(pdf, 3).contains(u"cinco"_s));
  EXPECT_FALSE(VerbTablePrinter::Print(printer, {}, -1)) << "nothing to print";
}

// A small page with wide margins: the boxes shrink, and every word stays on the paper.
TEST(VerbPrint, ASmallPageKeepsEverythingOnThePaper) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are missing";
  TestTree tree;
  const QString pdf = tree.file(u"klein.pdf"_s);
  QPrinter printer(QPrinter::HighResolution);
  toPdf(printer, pdf);
  printer.setPageSize(QPageSize(QPageSize::A6));
  printer.setPageMargins(QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter);
  ASSERT_TRUE(VerbTablePrinter::Print(printer, {hablar(), named(u"comer"_s)}, -1));
  const QString bbox = QString::fromUtf8(PdfTest::Run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s}));
  const QRegularExpression page(u"<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""_s);
  const QRegularExpressionMatch pm = page.match(bbox);
  ASSERT_TRUE(pm.hasMatch());
  const double w = pm.captured(1).toDouble(), h = pm.captured(2).toDouble();
  const QRegularExpression word(u"<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" yMax=\"([\\d.-]+)\">([^<]*)<"_s);
  int words = 0;
  for (auto it = word.globalMatch(bbox); it.hasNext(); ++words) {
    const QRegularExpressionMatch m = it.next();
    EXPECT_GE(m.captured(1).toDouble(), 0) << m.captured(5).toStdString();
    EXPECT_GE(m.captured(2).toDouble(), 0) << m.captured(5).toStdString();
    EXPECT_LE(m.captured(3).toDouble(), w) << m.captured(5).toStdString();
    EXPECT_LE(m.captured(4).toDouble(), h) << m.captured(5).toStdString();
  }
  EXPECT_GT(words, 100);
  EXPECT_TRUE(bbox.contains(u">comer<"_s));
}

TEST(VerbPrint, TheDialogPrintsTheChosenVerbOrAll) {
  if (!havePoppler()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are missing";
  TestTree tree;
  MessageRecorder messages;
  std::vector<TVerb> verbs = {named(u"uno"_s), named(u"dos"_s), named(u"tres"_s)};
  TVerbPrDlg dialog(verbs);
  EXPECT_EQ(dialog.windowTitle(), u"Verbtafeln drucken"_s);
  ASSERT_EQ(dialog.VL()->count(), 4);
  EXPECT_EQ(dialog.VL()->itemText(0), u"<alle Verben>"_s);
  EXPECT_EQ(dialog.VL()->itemText(3), u"tres"_s);
  EXPECT_EQ(dialog.Choice(), -1);
  QStringList captions;
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) captions << b->text();
  EXPECT_TRUE(captions.contains(u"Einrichten..."_s));
  EXPECT_TRUE(captions.contains(u"Abbrechen"_s));

  // OK asks where to print (here: a PDF file) and prints the choice.
  int setUps = 0;
  const QString pdf = tree.file(u"dialog.pdf"_s);
  dialog.SetUpPrinter = [&](QPrinter& printer, QWidget*) {
    ++setUps;
    toPdf(printer, pdf);
    return true;
  };
  dialog.VL()->setCurrentIndex(2);
  QPushButton* ok = nullptr;
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    if (b->text() == u"OK"_s) ok = b;
  ASSERT_NE(ok, nullptr);
  ok->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(setUps, 1);
  EXPECT_EQ(pageCount(pdf), 1);
  EXPECT_TRUE(pageText(pdf, 1).contains(u"dos"_s));
  EXPECT_TRUE(messages.messages().isEmpty());

  // A set-up that is cancelled prints nothing and leaves the dialog open.
  TVerbPrDlg second(verbs);
  second.SetUpPrinter = [](QPrinter&, QWidget*) { return false; };
  second.accept();
  EXPECT_NE(second.result(), QDialog::Accepted);
}
