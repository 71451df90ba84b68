// The Superlearning options: defaults, storage per learner, clamping, the
// two colour byte orders, the music, the techno folder and the background pages.

#include <gtest/gtest.h>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/music.h"
#include "superlearning/tsuperoptions.h"
#include "testsupport.h"
#include "users/txuserbase.h"

namespace {

using namespace Qt::StringLiterals;
using O = SuperOption;

struct Options {
  Options() : store(tree.file(u"settings.conf"_s)), env(tree.path(), store) {
    env.PageRoot = tree.path();
    env.UserName = u"Ana"_s;
  }
  QString key() const { return env.UserKeyPath() + u"\\Super"_s; }
  void put(const QString& name, const QString& value) { store.writeString(key(), name, value); }

  MessageRecorder messages;
  TestTree tree;
  SettingsStore store;
  Environment env;
};

}  // namespace

TEST(SuperOptions, DefaultsBeforeAndAfterLoadingAndTheirStoredForm) {
  Options t;
  TSuperOptions options(t.env);
  EXPECT_EQ(options.Value(O::KlassikFaktor), 100) << "usable before the first load";
  EXPECT_EQ(options.Value(O::Faktor), 100);
  EXPECT_FALSE(options.Modified());
  options.Load();
  EXPECT_FALSE(options.Modified());
  EXPECT_EQ(options.Text(O::Schrift), u"Arial"_s);
  EXPECT_EQ(options.Value(O::Madness), 9);
  EXPECT_TRUE(options.Flag(O::Musik));
  EXPECT_FALSE(options.Flag(O::Sprachausgabe)) << "no course recordings";
  EXPECT_EQ(options.Text(O::TechnoPhotoDir), t.env.ProgramDir + u"Techno/"_s);
  EXPECT_EQ(options.Colour(O::WirbelBGRColor), QColor(Qt::white));
  EXPECT_EQ(options.Colour(O::TechnoBMPColor), QColor(0x99, 0x00, 0x99));
  EXPECT_EQ(options.Colour(O::S3DBColor), QColor(0x99, 0x00, 0x33));
  EXPECT_EQ(options.Music().Volume(), -12);
  EXPECT_TRUE(t.messages.messages().isEmpty()) << "no music folder: no message";

  ASSERT_TRUE(options.Save());
  EXPECT_EQ(t.store.readString(t.key(), u"TechnoBMPColor"_s), u"990099"_s);
  EXPECT_EQ(t.store.readString(t.key(), u"WirbelBGRColor"_s), u"FFFFFF"_s);
  EXPECT_EQ(t.store.readString(t.key(), u"S3DBColor"_s), QString::number(0x990033));
  EXPECT_EQ(t.store.readString(t.key(), u"Musik"_s), u"1"_s);
  EXPECT_EQ(t.store.readString(t.key(), u"Volume"_s), u"-12"_s);
  EXPECT_TRUE(t.store.valueExists(t.key(), u"Schwarz-Weiß"_s));
  EXPECT_EQ(t.store.valueNames(t.key()).size(), 40);

  // The speech is on by default where the course's recordings are.
  t.env.WaveDir = t.tree.mkdir(u"wave/"_s);
  t.tree.write(u"wave/ZVK_S"_s, "");
  options.SetDefaults();
  EXPECT_TRUE(options.Flag(O::Sprachausgabe));
  EXPECT_TRUE(options.Modified()) << "defaults reach the store at the next save";
}

TEST(SuperOptions, RoundTripPerLearnerAndTheAnonymousOptions) {
  Options t;
  t.tree.write(u"Musik/ruhig.mp3"_s, "ID3");
  TSuperOptions options(t.env);
  options.Load();
  options.SetValue(O::KlassikFaktor, 250);
  options.SetFlag(O::Musik, false);
  options.SetText(O::Schrift, u"Times New Roman"_s);
  options.SetValue(O::WirbelTXTColor, 0x0000FF);
  options.SetValue(O::DDBGRDelay, 1200);
  options.SetMusicDir(t.tree.file(u"Musik"_s));
  options.Music().SetVolume(-20);
  EXPECT_TRUE(options.Modified());
  options.SaveIfModified();
  EXPECT_FALSE(options.Modified());

  TSuperOptions again(t.env);
  again.Load();
  EXPECT_EQ(again.Value(O::KlassikFaktor), 250);
  EXPECT_FALSE(again.Flag(O::Musik));
  EXPECT_EQ(again.Text(O::Schrift), u"Times New Roman"_s);
  EXPECT_EQ(again.Colour(O::WirbelTXTColor), QColor(Qt::red)) << "display order: red in the low byte";
  EXPECT_EQ(again.Value(O::DDBGRDelay), 1200) << "twenty minutes";
  EXPECT_EQ(again.MusicFileCount(), 1);
  EXPECT_EQ(again.Music().Volume(), -20);

  // Setting a value to what it is changes nothing.
  again.SetValue(O::KlassikFaktor, 250);
  again.SetText(O::Schrift, u"Times New Roman"_s);
  again.SetFlag(O::Musik, false);
  EXPECT_FALSE(again.Modified());

  // Nobody logged in: the anonymous options.
  t.env.UserName.clear();
  again.Load();
  EXPECT_EQ(again.Value(O::KlassikFaktor), 100);
  EXPECT_TRUE(again.Flag(O::Musik));
}

TEST(SuperOptions, StoredAndTypedNumbersAreClampedAndColourGroupsFallBackWhole) {
  Options t;
  t.put(u"KlassikFaktor"_s, u"1000"_s);
  t.put(u"TechnoSpeed"_s, u"-40"_s);
  t.put(u"Faktor"_s, u"1e9"_s);
  t.put(u"TextDelay"_s, u"nan"_s);
  t.put(u"Madness"_s, u"-inf"_s);
  t.put(u"TechnoRand"_s, u"viel"_s);
  t.put(u"Volume"_s, u"5"_s);
  t.put(u"WirbelBGRColor"_s, u"0000ff"_s);
  t.put(u"WirbelTXTColor"_s, u"00FF00"_s);
  t.put(u"TechnoBGRColor"_s, u"00ff00"_s);  // TechnoTextColor is missing
  t.put(u"TechnoBMPColor"_s, u"123456"_s);
  TSuperOptions options(t.env);
  options.Load();
  EXPECT_EQ(options.Value(O::KlassikFaktor), 500);
  EXPECT_EQ(options.Value(O::TechnoSpeed), -25);
  EXPECT_EQ(options.Value(O::Faktor), 400);
  EXPECT_EQ(options.Value(O::TextDelay), 0) << "NaN gives the minimum";
  EXPECT_EQ(options.Value(O::Madness), 1);
  EXPECT_EQ(options.Value(O::TechnoRand), 100) << "no number: the default";
  EXPECT_EQ(options.Music().Volume(), 0);
  EXPECT_EQ(options.Colour(O::WirbelBGRColor), QColor(Qt::red));
  EXPECT_EQ(options.Colour(O::WirbelTXTColor), QColor(Qt::green));
  EXPECT_EQ(options.Colour(O::TechnoBGRColor), QColor(Qt::black)) << "the whole techno group takes its defaults";
  EXPECT_EQ(options.Colour(O::TechnoTextColor), QColor(Qt::white));
  EXPECT_EQ(options.Colour(O::TechnoBMPColor), QColor(0x99, 0x00, 0x99));
  // An existing key without "Schrift": an empty font name; without "TechnoPhotoDir": the default folder.
  EXPECT_EQ(options.Text(O::Schrift), QString());
  EXPECT_EQ(options.Text(O::TechnoPhotoDir), t.env.ProgramDir + u"Techno/"_s);

  options.SetValue(O::KlassikFaktor, 5);
  EXPECT_EQ(options.Value(O::KlassikFaktor), 20);
  EXPECT_EQ(TSuperOptions::ParseClamped(u" 250 "_s, 20, 500), 250);
  EXPECT_EQ(TSuperOptions::ParseClamped(u"inf"_s, 20, 500), 500);
  EXPECT_EQ(TSuperOptions::ParseClamped(u"-5"_s, 20, 500), 20);
  EXPECT_EQ(TSuperOptions::ParseClamped(u""_s, 20, 500), std::nullopt);
  EXPECT_EQ(TSuperOptions::SwapRedBlue(0x123456), 0x563412u);
  EXPECT_TRUE(t.messages.messages().isEmpty());
}

TEST(SuperOptions, TheTechnoFolderIsCheckedWithItsThreeMessages) {
  Options t;
  TSuperOptions options(t.env);
  options.SetTechnoDir(QString());
  ASSERT_EQ(t.messages.messages().size(), 1);
  EXPECT_EQ(t.messages.messages()[0].text, TSuperOptions::kNoTechnoDir);

  const QString missing = t.tree.file(u"fehlt"_s);
  options.SetTechnoDir(missing);
  ASSERT_EQ(t.messages.messages().size(), 2);
  EXPECT_EQ(t.messages.messages()[1].text, u"Superlearning : Das Verzeichnis \""_s + missing + u"/\" existiert nicht!"_s);
  EXPECT_EQ(options.Text(O::TechnoPhotoDir), QString()) << "a missing folder is not kept";

  const QString empty = t.tree.mkdir(u"Bilder/"_s);
  options.SetTechnoDir(empty);
  ASSERT_EQ(t.messages.messages().size(), 3);
  EXPECT_EQ(t.messages.messages()[2].text,
            u"Superlearning : Das Verzeichnis \""_s + empty + u"\" enthält keine Bilder (JPG oder BMP)!"_s);
  EXPECT_EQ(options.Text(O::TechnoPhotoDir), empty) << "kept: pictures may come";

  t.tree.write(u"Bilder/Urlaub/Strand.JPG"_s, "jpg");
  options.SetTechnoDir(empty);
  EXPECT_EQ(t.messages.messages().size(), 3);
}

TEST(SuperOptions, BackgroundPagesChosenByNameOrAtRandom) {
  Options t;
  t.tree.write(u"hzvk/SuperDD/sommer.htx"_s, "x");
  t.tree.write(u"hzvk/SuperDD/winter.htx"_s, "x");
  t.tree.write(u"hzvk/SuperDD/mehr/herbst.htx"_s, "x");
  t.tree.write(u"hzvk/SuperDD/notiz.txt"_s, "x");
  t.tree.write(u"hzvk/Air/tafel.htx"_s, "x");
  Random::seed(3);
  TSuperOptions options(t.env);
  EXPECT_EQ(options.Pages(false), (QStringList{u"mehr/herbst"_s, u"sommer"_s, u"winter"_s}));
  EXPECT_EQ(options.Pages(true), QStringList{u"tafel"_s});

  // One page: always that one.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(options.ChoosePage(true), t.tree.file(u"hzvk/Air/tafel.htx"_s));
  // Random: never the same page twice in a row.
  QString last = options.ChoosePage(false);
  for (int i = 0; i < 10; ++i) {
    const QString next = options.ChoosePage(false);
    EXPECT_NE(next, last);
    EXPECT_TRUE(QFileInfo::exists(next)) << next.toStdString();
    last = next;
  }
  // The chosen page, also in a subfolder; once deleted, a random one.
  options.SetText(O::DD, u"herbst"_s);
  EXPECT_EQ(options.ChoosePage(false), t.tree.file(u"hzvk/SuperDD/mehr/herbst.htx"_s));
  options.SetText(O::DD, u"sommer"_s);
  EXPECT_EQ(options.ChoosePage(false), t.tree.file(u"hzvk/SuperDD/sommer.htx"_s));
  QFile::remove(t.tree.file(u"hzvk/SuperDD/sommer.htx"_s));
  EXPECT_NE(options.ChoosePage(false), t.tree.file(u"hzvk/SuperDD/sommer.htx"_s));

  Options none;
  TSuperOptions without(none.env);
  EXPECT_EQ(without.ChoosePage(true), QString());
}

TEST(SuperOptions, EachLearnerHasTheirOwnAndAnAnonymousSessionTheAnonymousOnes) {
  Options t;
  t.env.UserName.clear();
  t.env.UserDir = t.tree.mkdir(u"Benutzer/"_s);
  TXUserBase users(t.env);
  TSuperOptions options(t.env);
  options.FollowLogins(users);
  options.Load();
  options.SetValue(O::KlassikFaktor, 300);  // anonymous, not saved yet

  ASSERT_TRUE(users.CreateUser(u"anna"_s, u"pw"_s));
  EXPECT_EQ(options.Value(O::KlassikFaktor), 100) << "Anna's own (new) options";
  options.SetValue(O::KlassikFaktor, 250);
  // Saving Anna's data saves her options; the session then goes on anonymously.
  users.SaveUser();
  EXPECT_FALSE(users.IsLoggedIn());
  EXPECT_EQ(options.Value(O::KlassikFaktor), 300) << "not Anna's: the anonymous ones, kept when Anna logged in";
  EXPECT_EQ(t.store.readString(u"Software\\zvk\\zvk spanisch\\5\\anna\\Super"_s, u"KlassikFaktor"_s), u"250"_s);
  ASSERT_EQ(users.OpenUser(u"anna"_s, u"pw"_s), TXUserBase::OpenResult::Opened);
  EXPECT_EQ(options.Value(O::KlassikFaktor), 250);
}
