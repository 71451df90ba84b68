#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <set>

#include "vocabularytestsupport.h"
#include "vocabulary/tbinfo.h"
#include "vocabulary/tveinstellungen.h"

namespace {

using namespace Qt::StringLiterals;

class VocSettingsDialogTest : public ::testing::Test, public VocabularyFixture {
 protected:
  void SetUp() override {
    library.Clear(false);
    library.Add(record(u"casa"_s, u"Haus"_s, 0, false, 0));         // 0
    library.Add(record(u"Haus"_s, u"casa (f)"_s, 0, true, 1));      // 1
    library.Add(record(u"hablar"_s, u"sprechen"_s, 1, false, 2));   // 2
    library.Add(record(u"grande"_s, u"groß"_s, 2, false, 3));       // 3
    library.Add(record(u"schnell"_s, u"rápido"_s, 2, true, 4));     // 4
    library.Add(record(u"muy"_s, u"sehr"_s, 3, false, 0));          // 5
    library.AddEmpty();
  }

  TVocEinstellungen& settings() { return library.Einstellungen; }

  static QAbstractItemModel* rows(const TVEinstellungen& d) { return d.Liste->model(); }
  static bool bold(const TVEinstellungen& d, int row) {
    return rows(d)->index(row, 0).data(Qt::FontRole).value<QFont>().bold();
  }
  static QRgb flagPixel(const TVEinstellungen& d, int row) {
    const QPixmap flag = rows(d)->index(row, 0).data(Qt::DecorationRole).value<QPixmap>();
    return flag.toImage().pixel(9, 6);
  }
  static QColor infoColor(const TVEinstellungen& d) { return d.lInfo->palette().color(QPalette::WindowText); }

  // Five right typed answers: score 100, above the default range.
  void learnerWithScores() {
    ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
    for (int i = 0; i < 5; ++i) users.RecordAnswer(u"casa"_s, false, u'e', 25, 0);
  }
};

}  // namespace

TEST_F(VocSettingsDialogTest, ControlsWriteTheSettingsAndTheActiveCountFollows) {
  TVEinstellungen d(library);
  EXPECT_EQ(d.windowTitle(), u"*zvk spanisch - Einstellungen für den Vokabeltrainer"_s);
  EXPECT_EQ(d.lInfo->text(), u"6/6 Vokabeln aktiv"_s);
  EXPECT_EQ(d.Wortart[0]->text(), u"Nomen (2)"_s);
  EXPECT_EQ(d.Wortart[2]->text(), u"Adjektive (2)"_s);
  EXPECT_EQ(d.Wortart[3]->text(), u"kl. Wörter (1)"_s);
  EXPECT_EQ(d.Wortart[7]->text(), u"Präpositionen (0)"_s);
  EXPECT_EQ(d.SG[4]->text(), u"Tödlich"_s);
  EXPECT_EQ(d.Sprache->button(0)->text(), u"Deutsch - Spanisch"_s);
  EXPECT_TRUE(d.Richtung->button(2)->isChecked());
  EXPECT_EQ(d.mPro->text(), u"Multiple Choice 50%"_s);
  EXPECT_EQ(d.ePro->text(), u"50% Eintippen"_s);
  EXPECT_FALSE(d.Maske0->isHidden());
  EXPECT_TRUE(d.Maske1->isHidden());
  EXPECT_EQ(infoColor(d), QColor(Qt::black));

  d.Wortart[0]->click();  // no nouns
  EXPECT_FALSE(settings().WortartAktiv(0));
  EXPECT_EQ(settings().Wortarten(), 0xFFFFFE);
  EXPECT_TRUE(settings().Modified());  // a change of the word classes is saved like any other
  EXPECT_EQ(d.lInfo->text(), u"4/6 Vokabeln aktiv"_s);

  d.SG[4]->click();  // not "Tödlich"
  EXPECT_FALSE(settings().NichtZuSchwer(4));
  EXPECT_EQ(d.lInfo->text(), u"3/6 Vokabeln aktiv"_s);

  d.Sprache->button(0)->click();  // German entries only: "Haus" is a noun, "schnell" deadly
  EXPECT_EQ(settings().Sprache(), 0);
  EXPECT_EQ(d.lInfo->text(), u"0/6 Vokabeln aktiv"_s);
  EXPECT_EQ(infoColor(d), QColor(255, 0, 0));
  EXPECT_TRUE(d.Maske0->isHidden());
  EXPECT_FALSE(d.Maske1->isHidden());
  EXPECT_EQ(d.Maske1->toolTip(), u"Einstellungen sind NICHT OK!"_s);
  d.Sprache->button(2)->click();
  EXPECT_EQ(d.lInfo->text(), u"3/6 Vokabeln aktiv"_s);

  // Fewer than six active records and no round size chosen: too few for a round.
  EXPECT_TRUE(d.Maske0->isHidden());
  d.Richtung->button(0)->click();  // in forward order any active record will do
  EXPECT_EQ(settings().Richtung(), 0);
  EXPECT_FALSE(d.TrackProRunde->isEnabled());
  EXPECT_FALSE(d.LProRunde->isEnabled());
  EXPECT_FALSE(d.Maske0->isHidden());
  EXPECT_EQ(infoColor(d), QColor(Qt::black));

  d.TrackMultiple->setValue(30);
  EXPECT_EQ(settings().MultipleChoice(), 30);
  EXPECT_EQ(d.mPro->text(), u"Multiple Choice 30%"_s);
  EXPECT_EQ(d.ePro->text(), u"70% Eintippen"_s);
  d.cKontext->click();
  EXPECT_FALSE(settings().Kontext());

  // Random order: the round size between 5 and the number of records (at least 6).
  d.Richtung->button(2)->click();
  EXPECT_TRUE(d.TrackProRunde->isEnabled());
  EXPECT_EQ(d.TrackProRunde->minimum(), 5);
  EXPECT_EQ(d.TrackProRunde->maximum(), 6);
  d.Wortart[0]->click();
  d.SG[4]->click();
  EXPECT_EQ(d.lInfo->text(), u"6/6 Vokabeln aktiv"_s);
  EXPECT_FALSE(d.Maske0->isHidden());
  d.TrackProRunde->setValue(5);
  EXPECT_EQ(settings().ProRunde(), 5);
  EXPECT_EQ(d.LProRunde->text(), u"5"_s);
  d.SG[0]->click();  // "casa" and "muy" leave: 4 active, fewer than 5 per round
  EXPECT_EQ(d.lInfo->text(), u"4/6 Vokabeln aktiv"_s);
  EXPECT_EQ(infoColor(d), QColor(255, 0, 0));
  EXPECT_FALSE(d.Maske1->isHidden());
}

TEST_F(VocSettingsDialogTest, ARoundSizeAboveTheActiveRecordsIsNotUsable) {
  settings().SetProRunde(10);
  for (int i = 0; i < 94; ++i) library.Items.insert(6, record(u"extra%1"_s.arg(i), u"mehr"_s, 6, false, 0));
  library.Items[0].Wortart = 9;  // a word class the dialog has no box for
  TVEinstellungen d(library);
  EXPECT_EQ(d.TrackProRunde->maximum(), 100);
  EXPECT_EQ(d.TrackProRunde->value(), 10);
  EXPECT_EQ(d.Wortart[6]->text(), u"Adverbien (94)"_s);
  EXPECT_EQ(d.Wortart[0]->text(), u"Nomen (1)"_s);
  EXPECT_TRUE(d.Maske1->isHidden());
  // 6 active (word class 9 passes by its bit of the mask), 10 per round.
  d.Wortart[6]->click();
  EXPECT_EQ(d.lInfo->text(), u"6/100 Vokabeln aktiv"_s);
  EXPECT_FALSE(d.Maske1->isHidden());
  EXPECT_EQ(infoColor(d), QColor(255, 0, 0));
}

TEST_F(VocSettingsDialogTest, CancelBringsBackTheSettingsOfTheOpeningAndOkKeepsTheChanges) {
  settings().SetMinScore(-50);
  settings().SetWortarten(0xFF);
  {
    TVEinstellungen d(library);
    // Opening saved the settings.
    EXPECT_FALSE(settings().Modified());
    EXPECT_TRUE(program.read(u"prefs.ini"_s).contains("Wortarten=255\r\nMultiple Choice/Eintippen=50\r\n"));
    d.Wortart[1]->click();
    d.SG[0]->click();
    d.Richtung->button(1)->click();
    d.Sprache->button(1)->click();
    d.TrackMultiple->setValue(80);
    d.cKontext->click();
    d.Richtung->button(2)->click();
    d.TrackProRunde->setValue(6);
    d.WertVon->setText(u"10"_s);
    EXPECT_TRUE(settings().Modified());
    d.Cancel->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
  }
  EXPECT_EQ(settings().Wortarten(), 0xFF);
  EXPECT_TRUE(settings().NichtZuSchwer(0));
  EXPECT_EQ(settings().Richtung(), 2);
  EXPECT_EQ(settings().Sprache(), 2);
  EXPECT_EQ(settings().MultipleChoice(), 50);
  EXPECT_TRUE(settings().Kontext());
  EXPECT_EQ(settings().ProRunde(), 0);  // not kept in the file, yet restored as well
  EXPECT_EQ(settings().MinScore(), -50);
  EXPECT_FALSE(settings().Modified());

  // Closing the window is "Abbrechen" as well.
  {
    TVEinstellungen d(library);
    d.show();
    d.SG[3]->click();
    d.close();
  }
  EXPECT_TRUE(settings().NichtZuSchwer(3));

  {
    TVEinstellungen d(library);
    d.SG[3]->click();
    d.TrackMultiple->setValue(20);
    d.OK->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  EXPECT_FALSE(settings().NichtZuSchwer(3));
  EXPECT_EQ(settings().MultipleChoice(), 20);
  EXPECT_TRUE(settings().Modified());  // saved with the learner's data later
}

TEST_F(VocSettingsDialogTest, ExecuteTellsWhetherTheLearnerConfirmed) {
  auto press = [](bool ok) {
    QTimer::singleShot(0, [ok] {
      auto* d = qobject_cast<TVEinstellungen*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      d->Wortart[5]->click();
      (ok ? d->OK : d->Cancel)->click();
    });
  };
  press(false);
  EXPECT_FALSE(TVEinstellungen::Execute(library));
  EXPECT_TRUE(settings().WortartAktiv(5));
  press(true);
  EXPECT_TRUE(TVEinstellungen::Execute(library));
  EXPECT_FALSE(settings().WortartAktiv(5));
}

TEST_F(VocSettingsDialogTest, RecordListShowsActiveRecordsBoldWithTheirFlags) {
  TVEinstellungen d(library);
  ASSERT_EQ(rows(d)->rowCount(), 6);  // the trailing empty record has no row
  EXPECT_EQ(rows(d)->index(0, 0).data().toString(), u" casa"_s);
  EXPECT_EQ(rows(d)->index(0, 1).data().toString(), QString());  // no learner, no scores
  for (int r = 0; r < 6; ++r) EXPECT_TRUE(bold(d, r)) << r;
  const QRgb activeSpanish = QPixmap::fromImage(TVEinstellungen::Flag(3)).toImage().pixel(9, 6);
  const QRgb inactiveSpanish = QPixmap::fromImage(TVEinstellungen::Flag(2)).toImage().pixel(9, 6);
  const QRgb activeGerman = QPixmap::fromImage(TVEinstellungen::Flag(1)).toImage().pixel(9, 6);
  const QRgb inactiveGerman = QPixmap::fromImage(TVEinstellungen::Flag(0)).toImage().pixel(9, 6);
  EXPECT_EQ(std::set<QRgb>({activeSpanish, inactiveSpanish, activeGerman, inactiveGerman}).size(), 4u);
  EXPECT_EQ(flagPixel(d, 0), activeSpanish);
  EXPECT_EQ(flagPixel(d, 1), activeGerman);

  d.Wortart[0]->click();
  EXPECT_FALSE(bold(d, 0));
  EXPECT_FALSE(bold(d, 1));
  EXPECT_TRUE(bold(d, 2));
  EXPECT_EQ(flagPixel(d, 0), inactiveSpanish);
  EXPECT_EQ(flagPixel(d, 1), inactiveGerman);
  d.Sprache->button(1)->click();  // Spanish entries only
  EXPECT_FALSE(bold(d, 4));
  EXPECT_TRUE(bold(d, 5));
}

TEST_F(VocSettingsDialogTest, ScoreFieldsAreLimitedOrderedAndExplained) {
  learnerWithScores();
  TVEinstellungen d(library);
  EXPECT_TRUE(d.Filter->isEnabled());
  EXPECT_EQ(rows(d)->index(0, 1).data().toString(), u"100%"_s);
  EXPECT_EQ(rows(d)->index(1, 1).data().toString(), u"0%"_s);
  EXPECT_FALSE(bold(d, 0));  // 100 is above 75
  EXPECT_EQ(d.WertVon->text(), u"-100"_s);
  EXPECT_EQ(d.WertBis->text(), u"75"_s);
  EXPECT_EQ(d.lInfo->text(), u"5/6 Vokabeln aktiv"_s);

  d.WertBis->setText(u"150"_s);
  EXPECT_EQ(settings().MaxScore(), 100);
  EXPECT_EQ(d.WertBis->text(), u"100"_s);
  EXPECT_EQ(d.lInfo->text(), u"6/6 Vokabeln aktiv"_s);
  EXPECT_TRUE(bold(d, 0));
  EXPECT_EQ(d.lScoreExpl->text(), u"Es werden alle Vokabeln abgefragt. Der Grenzwert ist inaktiv."_s);

  // A minimum above the maximum: the two change places.
  d.WertBis->setText(u"20"_s);
  d.WertVon->setText(u"80"_s);
  EXPECT_EQ(settings().MinScore(), 20);
  EXPECT_EQ(settings().MaxScore(), 80);
  EXPECT_EQ(d.lInfo->text(), u"0/6 Vokabeln aktiv"_s);
  EXPECT_EQ(d.lScoreExpl->text(),
            u"Es werden nur Vokabeln abgefragt, die überwiegend richtig gemacht wurden, aber keine neuen Vokabeln."_s);

  // Half-typed values change nothing.
  for (const QString& partial : {QString(), u"-"_s, u"+"_s}) {
    d.WertVon->setText(partial);
    EXPECT_EQ(settings().MinScore(), 20);
    EXPECT_EQ(d.WertVon->text(), partial);
  }
  d.WertVon->setText(u"-5"_s);
  EXPECT_EQ(settings().MinScore(), -5);
  d.WertVon->setText(u"x"_s);  // not a number: -100
  EXPECT_EQ(settings().MinScore(), -100);
  EXPECT_EQ(d.WertVon->text(), u"-100"_s);
  d.WertVon->setText(u"-999"_s);
  EXPECT_EQ(d.WertVon->text(), u"-100"_s);
  EXPECT_EQ(d.WertVon->maxLength(), 4);
  d.WertBis->setText(u"0"_s);
  EXPECT_EQ(d.lScoreExpl->text(),
            u"Es werden nur Vokabeln abgefragt, die entweder neu sind oder überwiegend falsch gemacht wurden."_s);
  EXPECT_EQ(d.lInfo->text(), u"5/6 Vokabeln aktiv"_s);

  d.Cancel->click();
  EXPECT_EQ(settings().MinScore(), -100);
  EXPECT_EQ(settings().MaxScore(), 75);
}

TEST(VocSettingsDialogStatic, ScoreExplanations) {
  const QString fuenfFalsch =
      u"Es können nur Vokabeln abgefragt werden, die die letzten 5 Mal falsch gemacht wurden. Dies dürfte kaum sinnvoll sein."_s;
  const QString fuenfRichtig =
      u"Es können nur Vokabeln abgefragt werden, die die letzten 5 Mal richtig gemacht wurden. Dies dürfte kaum sinnvoll sein."_s;
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(-100, -100), fuenfFalsch);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(100, 100), fuenfRichtig);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(-100, -1),
            u"Es werden nur Vokabeln abgefragt, die schon falsch gemacht wurden, aber keine neuen Vokabeln."_s);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(1, 100),
            u"Es werden nur Vokabeln abgefragt, die überwiegend richtig gemacht wurden, aber keine neuen Vokabeln."_s);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(0, 5),
            u"Es werden nur Vokabeln abgefragt, die entweder neu sind oder überwiegend richtig waren."_s);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(-100, 100),
            u"Es werden alle Vokabeln abgefragt. Der Grenzwert ist inaktiv."_s);
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(-100, 75), QString());
  EXPECT_EQ(TVEinstellungen::ScoreExplanation(0, 0), QString());
}

TEST_F(VocSettingsDialogTest, WithoutALearnerThereIsNoFilterAndNoHistogram) {
  TVEinstellungen d(library);
  EXPECT_FALSE(d.Filter->isEnabled());
  EXPECT_TRUE(d.Histogram->isHidden());
  EXPECT_TRUE(d.lHistogram->isHidden());
  EXPECT_TRUE(d.HistogramImage().isNull());
}

TEST_F(VocSettingsDialogTest, HistogramShowsTheRangeAndTheScores) {
  learnerWithScores();
  users.RecordAnswer(u"hablar"_s, false, u'm', -12, 1);
  TVEinstellungen d(library);
  EXPECT_EQ(d.lHistogram->text(), u"Werte-Histogramm: (Durchschnitt: 15%)"_s);  // 88 / 6
  const QImage h = d.HistogramImage();
  ASSERT_EQ(h.size(), QSize(201, 100));
  const QRgb grey = qRgb(0x66, 0x66, 0x66), green = qRgb(0x22, 0x88, 0), middle = qRgb(0x99, 0x99, 0x99),
             white = qRgb(255, 255, 255);
  EXPECT_EQ(h.pixel(0, 0), green);      // score -100 lies in the range -100..75
  EXPECT_EQ(h.pixel(175, 0), green);    // score 75
  EXPECT_EQ(h.pixel(176, 0), grey);
  EXPECT_EQ(h.pixel(100, 0), middle);   // score 0
  // Four records of score 0: 67 of 100 rows; one of -12 and one of 100: 17 rows each.
  EXPECT_EQ(h.pixel(100, 99), white);
  EXPECT_EQ(h.pixel(100, 33), white);
  EXPECT_EQ(h.pixel(100, 32), middle);
  EXPECT_EQ(h.pixel(88, 83), white);
  EXPECT_EQ(h.pixel(88, 82), green);
  EXPECT_EQ(h.pixel(200, 83), white);   // the highest score has its bar too
  EXPECT_EQ(h.pixel(200, 82), grey);
  EXPECT_EQ(h.pixel(150, 99), green);

  d.WertVon->setText(u"0"_s);
  const QImage narrowed = d.HistogramImage();
  EXPECT_EQ(narrowed.pixel(0, 0), grey);
  EXPECT_EQ(narrowed.pixel(99, 0), grey);
  EXPECT_EQ(narrowed.pixel(101, 0), green);
  // The widget paints that picture.
  EXPECT_EQ(d.Histogram->grab().toImage().pixel(0, 0), grey);
}

namespace {

// The number next to a caption in the group of that title on a tab of the dialog.
QString infoValue(const TBInfo& info, int tab, const QString& group, const QString& caption) {
  for (QGroupBox* box : info.Tabs->widget(tab)->findChildren<QGroupBox*>()) {
    if (box->title() != group) continue;
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    for (int r = 0; grid && r < grid->rowCount(); ++r) {
      QLayoutItem* item = grid->itemAtPosition(r, 0);
      auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
      if (label && label->text() == caption) return qobject_cast<QLabel*>(grid->itemAtPosition(r, 1)->widget())->text();
    }
  }
  return u"(fehlt)"_s;
}

}  // namespace

TEST_F(VocSettingsDialogTest, InformationCountsBothDirections) {
  library.Items[0].Kontext[1] = u"Mi [casa] es grande."_s;
  library.Items[1].Kontext[0] = u"Das [Haus] ist groß."_s;
  library.Items.insert(6, record(u"siempre"_s, u"immer"_s, 6, false, 1));
  library.Items.insert(7, record(u"bei"_s, u"en; con"_s, 7, true, 4));
  TBInfo info(library);
  EXPECT_EQ(info.windowTitle(), u"Infos zur Bibliothek"_s);
  ASSERT_EQ(info.Tabs->count(), 2);
  EXPECT_EQ(info.Tabs->tabText(0), u"Wortarten"_s);
  EXPECT_EQ(info.Tabs->tabText(1), u"Schwierigkeitsgrade"_s);
  const QString es = u"Spanisch-Deutsch"_s, de = u"Deutsch-Spanisch"_s;
  EXPECT_EQ(infoValue(info, 0, es, u"Nomen:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, es, u"Verben:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, es, u"Kleine Wörter:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, es, u"Redew. ohne Verb:"_s), u"0"_s);
  EXPECT_EQ(infoValue(info, 0, es, u"Adverbien:"_s), u"1"_s);
  // Every record counts in the total, adverbs and prepositions too.
  EXPECT_EQ(infoValue(info, 0, es, u"Vokabeln gesamt:"_s), u"5"_s);
  EXPECT_EQ(infoValue(info, 0, es, u"davon mit Kontext(en):"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, de, u"Adjektive:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, de, u"Präpositionen:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 0, de, u"Vokabeln gesamt:"_s), u"3"_s);
  EXPECT_EQ(infoValue(info, 0, de, u"davon mit Kontext(en):"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 1, es, u"Baby:"_s), u"2"_s);
  EXPECT_EQ(infoValue(info, 1, es, u"Leicht:"_s), u"1"_s);
  EXPECT_EQ(infoValue(info, 1, es, u"Vokabeln gesamt:"_s), u"5"_s);
  EXPECT_EQ(infoValue(info, 1, de, u"Tödlich:"_s), u"2"_s);
  EXPECT_EQ(infoValue(info, 1, de, u"Mittel:"_s), u"0"_s);
  EXPECT_EQ(infoValue(info, 1, de, u"Vokabeln gesamt:"_s), u"3"_s);

  // The settings dialog's "Info" opens it.
  TVEinstellungen d(library);
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<TBInfo*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->accept();
  });
  d.Info->click();
}

TEST_F(VocSettingsDialogTest, FitsASmallScreenWithTheHistogramShown) {
  learnerWithScores();
  TVEinstellungen d(library);
  d.adjustSize();
  // 800 x 600 less a title bar and a panel: the buttons and the histogram stay on the screen.
  const QSize size = d.sizeHint();
  EXPECT_LE(size.height(), 540) << size.width() << "x" << size.height();
  EXPECT_LE(size.width(), 780) << size.width() << "x" << size.height();
  EXPECT_FALSE(d.Histogram->isHidden());
}
