// The Superlearning settings dialog: its conversions, the techno preview,
// and the dialog itself driven under the offscreen platform.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/music.h"
#include "superlearning/supersettingsconversions.h"
#include "superlearning/tsupersettingsdialog.h"
#include "superlearning/tsuperoptions.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;
using O = SuperOption;
namespace C = SuperSettingsConversions;

struct Settings {
  // The installation's music folder exists (the dialog's OK insists on it).
  Settings() : store((tree.mkdir(u"MP3/"_s), tree.file(u"settings.conf"_s))), env(tree.path(), store), options(env) {
    env.PageRoot = tree.path();
    options.Load();
  }
  std::unique_ptr<TSuperSettingsDialog> open() { return std::make_unique<TSuperSettingsDialog>(options); }
  template <typename W>
  static W* child(TSuperSettingsDialog& d, const QString& name) {
    W* w = d.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  static QSlider* slider(TSuperSettingsDialog& d, const QString& name) { return child<QSlider>(d, name); }
  static QString label(TSuperSettingsDialog& d, const QString& name) { return child<QLabel>(d, name)->text(); }

  MessageRecorder messages;
  TestTree tree;
  SettingsStore store;
  Environment env;
  TSuperOptions options;
};

}  // namespace

TEST(SuperSettingsConversions, FrameDelaySecondsAndIntervals) {
  EXPECT_EQ(C::FrameDelayFromPosition(1), 20);
  EXPECT_EQ(C::FrameDelayLabel(20), u"20 ms"_s);
  EXPECT_EQ(C::FrameDelayFromPosition(50), 1000);
  EXPECT_EQ(C::FrameDelayLabel(1000), u"1 s"_s);
  EXPECT_EQ(C::FrameDelayLabel(2500), u"2,5 s"_s);
  EXPECT_EQ(C::FrameDelayFromPosition(100), 10000);
  EXPECT_EQ(C::FrameDelayFromPosition(188), 240000);
  EXPECT_EQ(C::FrameDelayLabel(240000), u"4:0 min"_s);
  EXPECT_EQ(C::FrameDelayLabel(90000), u"1:30 min"_s);
  for (int p : {1, 49, 50, 90, 100, 139, 188}) EXPECT_EQ(C::PositionFromFrameDelay(C::FrameDelayFromPosition(p)), p) << p;
  EXPECT_EQ(C::PositionFromFrameDelay(4000), 80);
  // The stretch after 140 starts lower than 140 ends, as the slider always had it.
  EXPECT_LT(C::FrameDelayFromPosition(141), C::FrameDelayFromPosition(140));

  EXPECT_EQ(C::SecondsText(3000), u"3,0"_s);
  EXPECT_EQ(C::SecondsText(500), u"0,5"_s);
  EXPECT_EQ(C::MsFromSecondsText(u"2.5"_s, 0, 100000), 2500);
  EXPECT_EQ(C::MsFromSecondsText(u"2,5"_s, 0, 100000), 2500);
  EXPECT_EQ(C::MsFromSecondsText(u"1,500"_s, 0, 100000), 1500) << "a decimal comma, not thousands";
  EXPECT_EQ(C::MsFromSecondsText(u"viel"_s, 0, 100000), 0);
  EXPECT_EQ(C::MsFromSecondsText(u"1e9"_s, 0, 100000), 100000);
  EXPECT_EQ(C::MsFromSecondsText(u"inf"_s, 0, 100000), 100000);
  EXPECT_EQ(C::MsFromSecondsText(u"nan"_s, 0, 100000), 0);
  EXPECT_EQ(C::MsFromSecondsText(u"-3"_s, 0, 100000), 0);

  EXPECT_EQ(C::IntervalText(30), u"30 Sekunden"_s);
  EXPECT_EQ(C::IntervalText(60), u"1 Minute"_s);
  EXPECT_EQ(C::IntervalText(1200), u"20 Minuten"_s);
  for (int s : {30, 60, 120, 600, 1200}) EXPECT_EQ(C::SecondsFromIntervalText(C::IntervalText(s)), s);
  EXPECT_EQ(C::SecondsFromIntervalText(u"bald"_s), 0);
  EXPECT_EQ(C::SecondsFromIntervalText(u"x Minuten"_s), 0);
}

TEST(SuperSettingsConversions, ThePreviewMarkupAsTheModeWillLook) {
  C::Preview p;
  p.picture = u"/kurs/Techno/vorschau.JPG"_s;
  p.background = QColor(0x11, 0x22, 0x33);
  p.text = Qt::white;
  p.tint = QColor(0x99, 0x00, 0x99);
  p.effect = 7;
  p.transparency = 40;
  p.border = 100;
  p.font = u"Verdana"_s;
  EXPECT_EQ(C::PreviewMarkup(p),
            u"<body bgcolor=#112233 text=#FFFFFF>"
            "<box coords=0,0,160><img src=\"/kurs/Techno/vorschau.JPG\" color=#990099 mode=7 transparent=102>"
            "<box coords=0,0,160,18 color=#0 top><box coords=0,82,160,18 color=#0 top>"
            "<box coords=0,40,160 align=m><font face=\"Verdana, courier new\" size=2>*zvk techno"_s);
  // No picture, no border; a quotation mark in the folder cannot end the attribute.
  p.border = 0;
  p.picture.clear();
  EXPECT_FALSE(C::PreviewMarkup(p).contains(u"<img"_s));
  EXPECT_FALSE(C::PreviewMarkup(p).contains(u"top>"_s));
  p.picture = u"/kurs/\"Bilder\"/vorschau.jpg"_s;
  EXPECT_TRUE(C::PreviewMarkup(p).contains(u"<img src=\"$vorschaubild\""_s));
}

TEST(SuperSettingsDialog, OpensOnAudioWithEveryOptionInItsControl) {
  Settings t;
  t.options.SetValue(O::VegasFaktor, 200);
  t.options.SetValue(O::TechnoFrameDelay, 4000);
  t.options.SetValue(O::DDBGRDelay, 0);
  t.options.SetValue(O::AirBGRDelay, 120);
  t.options.SetValue(O::TechnoTextDelay, 2500);
  t.options.SetValue(O::DDBGRDelay, 0);
  auto d = t.open();
  EXPECT_EQ(d->windowTitle(), u"ZVK Superlearning - Einstellungen"_s);
  QTabWidget* tabs = Settings::child<QTabWidget>(*d, u"PC"_s);
  ASSERT_EQ(tabs->count(), 9);
  QStringList names;
  for (int i = 0; i < tabs->count(); ++i) names << tabs->tabText(i);
  EXPECT_EQ(names, (QStringList{u"klassisch"_s, u"abgedreht"_s, u"techno - optik"_s, u"techno - animation"_s, u"DD"_s,
                                u"las vegas"_s, u"airport"_s, u"audio"_s, u"Super3D"_s}));
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), u"audio"_s);
  EXPECT_LE(d->sizeHint().height(), 560) << "fits an 800 x 600 screen";
  EXPECT_LE(d->width(), 800);

  EXPECT_EQ(Settings::slider(*d, u"TrackBar"_s)->value(), 100);
  EXPECT_EQ(Settings::label(*d, u"lblSteps"_s), u"100 Schritte"_s);
  EXPECT_EQ(Settings::slider(*d, u"tVegasFaktor"_s)->value(), 180) << "200 shows at the slider's end";
  EXPECT_EQ(Settings::slider(*d, u"trFrameDelay"_s)->value(), 80);
  EXPECT_EQ(Settings::label(*d, u"lblFrameDelay"_s), u"4 s"_s);
  EXPECT_EQ(Settings::label(*d, u"lDDText"_s), u"2 s"_s);
  EXPECT_EQ(Settings::slider(*d, u"trAirCharDelay"_s)->value(), 3) << "100 ms: (3 - 1) x 50";
  EXPECT_FALSE(Settings::child<QCheckBox>(*d, u"cDDAutomatic"_s)->isChecked());
  EXPECT_EQ(Settings::child<QComboBox>(*d, u"cDDBGRDelay"_s)->currentIndex(), -1);
  EXPECT_TRUE(Settings::child<QCheckBox>(*d, u"cAirAutomatic"_s)->isChecked());
  EXPECT_EQ(Settings::child<QComboBox>(*d, u"cAirBGRDelay"_s)->currentText(), u"2 Minuten"_s);
  EXPECT_EQ(Settings::child<QComboBox>(*d, u"cTextDelay"_s)->currentText(), u"2,5"_s);
  EXPECT_EQ(Settings::child<QComboBox>(*d, u"cDDFile"_s)->currentText(), TSuperSettingsDialog::kRandomPage);
  EXPECT_EQ(Settings::child<QLabel>(*d, u"MP3Info"_s)->text(), u"0 MP3-Dateien"_s);

  // OK keeps what the controls show: the slider's end, no background interval.
  Settings::child<QComboBox>(*d, u"cTextDelay"_s)->setEditText(u"3.5"_s);
  d->Ok();
  EXPECT_EQ(t.options.Value(O::VegasFaktor), 180);
  // The frame delay slider goes beyond what the option keeps (100 s): its label says what is kept.
  QSlider* frames = Settings::slider(*d, u"trFrameDelay"_s);
  frames->setValue(188);
  EXPECT_EQ(Settings::label(*d, u"lblFrameDelay"_s), u"1:40 min"_s);
  frames->setValue(80);
  EXPECT_EQ(t.options.Value(O::TechnoFrameDelay), 4000);
  EXPECT_EQ(t.options.Value(O::DDBGRDelay), 0);
  EXPECT_EQ(t.options.Value(O::AirBGRDelay), 120);
  EXPECT_EQ(t.options.Value(O::TechnoTextDelay), 3500) << "typed with a point";
  // An interval the list does not offer is kept as it is.
  t.options.SetValue(O::AirBGRDelay, 90);
  auto other = t.open();
  EXPECT_EQ(Settings::child<QComboBox>(*other, u"cAirBGRDelay"_s)->currentText(), u"90 Sekunden"_s);
  other->Ok();
  EXPECT_EQ(t.options.Value(O::AirBGRDelay), 90);
  EXPECT_EQ(t.options.Text(O::DD), QString()) << "at random: an empty name";
  d.reset();  // destroyed: the changed options are saved
  EXPECT_EQ(t.store.readString(t.env.UserKeyPath() + u"\\Super"_s, u"VegasFaktor"_s), u"180"_s);
}

TEST(SuperSettingsDialog, VolumeAndMusicFolderActAtOnceAndCancelRestoresThem) {
  Settings t;
  t.tree.write(u"Musik/eins.mp3"_s, "ID3");
  t.tree.write(u"Musik/zwei.MP3"_s, "ID3");
  t.options.Music().SetVolume(-12);
  const QString before = t.options.MusicDir();
  auto d = t.open();
  Settings::slider(*d, u"Volume"_s)->setValue(20);
  EXPECT_EQ(t.options.Music().Volume(), -4);
  d->ChooseFile = [&](const QString&, const QString& filter) {
    EXPECT_TRUE(filter.contains(u"*.mp3"_s) && filter.contains(u"*.MP3"_s));
    return t.tree.file(u"Musik/eins.mp3"_s);
  };
  Settings::child<QPushButton>(*d, u"Choose"_s)->click();
  EXPECT_EQ(t.options.MusicFileCount(), 2);
  EXPECT_EQ(Settings::child<QLabel>(*d, u"MP3Info"_s)->text(), u"2 MP3-Dateien"_s);
  d->Cancel();
  EXPECT_EQ(t.options.Music().Volume(), -12);
  EXPECT_EQ(t.options.MusicDir(), before);
  EXPECT_FALSE(t.options.Modified());

  // Esc undoes the volume like "Abbrechen".
  auto escaped = t.open();
  Settings::slider(*escaped, u"Volume"_s)->setValue(24);
  EXPECT_EQ(t.options.Music().Volume(), 0);
  QTest::keyClick(escaped.get(), Qt::Key_Escape);
  EXPECT_EQ(t.options.Music().Volume(), -12);

  // Reset, then cancel: the defaults stay, the volume is as at the opening.
  t.options.SetValue(O::Madness, 3);
  t.options.Music().SetVolume(-20);
  auto again = t.open();
  again->Reset();
  again->Cancel();
  EXPECT_EQ(t.options.Value(O::Madness), 9);
  EXPECT_EQ(t.options.Music().Volume(), -20);

  // A folder without titles; a folder that does not exist blocks OK.
  auto third = t.open();
  Settings::child<QLineEdit>(*third, u"MP3Dir"_s)->setText(t.tree.mkdir(u"leer/"_s));
  Settings::child<QPushButton>(*third, u"MP3Test"_s)->click();
  EXPECT_EQ(Settings::child<QLabel>(*third, u"MP3Info"_s)->text(), TSuperSettingsDialog::kNoMp3);
  Settings::child<QLineEdit>(*third, u"MP3Dir"_s)->setText(t.tree.file(u"fehlt/"_s));
  third->Ok();
  ASSERT_FALSE(t.messages.messages().isEmpty());
  EXPECT_EQ(t.messages.messages().last().text, TSuperSettingsDialog::kNoMusicDir);
  EXPECT_NE(third->result(), QDialog::Accepted);
}

TEST(SuperSettingsDialog, ColoursFontsAndTheTechnoPreview) {
  Settings t;
  t.tree.mkdir(u"Techno/"_s);
  QImage picture(32, 20, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  ASSERT_TRUE(picture.save(t.tree.file(u"Techno/VORSCHAU.jpg"_s), "JPG"));
  t.options.SetText(O::TechnoPhotoDir, t.tree.file(u"Techno/"_s));
  auto d = t.open();
  d->ChooseColour = [](const QColor&) { return QColor(Qt::red); };
  Settings::child<QPushButton>(*d, u"WirbelTXT"_s)->click();
  Settings::child<QPushButton>(*d, u"colorText"_s)->click();
  Settings::child<QTabWidget>(*d, u"PC"_s)->setCurrentIndex(2);
  EXPECT_TRUE(d->PreviewMarkup().contains(t.tree.file(u"Techno/VORSCHAU.jpg"_s))) << "the picture in any letter case";
  EXPECT_TRUE(d->PreviewMarkup().contains(u"text=#FF0000"_s));
  Settings::slider(*d, u"trRand"_s)->setValue(200);
  EXPECT_TRUE(d->PreviewMarkup().contains(u"<box coords=0,0,160,37 color=#0 top>"_s));
  d->Ok();
  EXPECT_EQ(t.options.Colour(O::WirbelTXTColor), QColor(Qt::red));
  EXPECT_EQ(t.options.Value(O::WirbelTXTColor), 0x0000FF) << "display order";
  EXPECT_EQ(t.options.Value(O::TechnoTextColor), 0xFF0000) << "RGB order";
  EXPECT_EQ(t.options.Value(O::TechnoRand), 200);
  EXPECT_TRUE(t.messages.messages().isEmpty()) << t.messages.messages()[0].text.toStdString();

  // A picture folder that is not there: said on OK only when the learner typed it.
  t.options.SetText(O::TechnoPhotoDir, t.tree.file(u"fehlt/"_s));
  t.open()->Ok();
  EXPECT_TRUE(t.messages.messages().isEmpty()) << "another tab was changed, not the folder";
  auto typed = t.open();
  Settings::child<QLineEdit>(*typed, u"eTechnoDir"_s)->setText(t.tree.file(u"woanders/"_s));
  typed->Ok();
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_TRUE(t.messages.messages()[0].text.contains(u"existiert nicht!"_s));
  EXPECT_EQ(typed->result(), QDialog::Accepted) << "the dialog closes anyway";
}
