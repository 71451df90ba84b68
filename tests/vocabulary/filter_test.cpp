#include <gtest/gtest.h>

#include <QMap>
#include <set>

#include "common/random.h"
#include "vocabularytestsupport.h"

namespace {

using namespace Qt::StringLiterals;

class VocFilterTest : public ::testing::Test, public VocabularyFixture {
 protected:
  void SetUp() override {
    library.Clear(false);
    library.Add(record(u"casa"_s, u"Haus"_s, 0, false, 0));                  // 0
    library.Add(record(u"Haus"_s, u"casa (f)"_s, 0, true, 1));               // 1
    library.Add(record(u"hablar"_s, u"sprechen"_s, 1, false, 2));            // 2
    library.Add(record(QString(27, u'a'), u"lang"_s, 4, false, 3));          // 3
    library.Add(record(QString(28, u'b'), u"länger"_s, 4, false, 4));        // 4
    library.Add(record(u"fuera"_s, u"Wortart 8"_s, 8, false, 0));            // 5
    library.Add(record(u"nunca"_s, u"Schwierigkeit 5"_s, 3, false, 5));      // 6
    library.Add(record(u"ohne"_s, QString(), 7, false, 0));                  // 7: empty record
    library.Add(record(u"rápido"_s, QString(33, u'r'), 6, false, 0));        // 8
    library.AddEmpty();
  }

  std::vector<int> active() const {
    std::vector<int> result;
    for (int i = 0; i < library.Count(true); ++i)
      if (library.IsActive(i)) result.push_back(i);
    return result;
  }

  TVocEinstellungen& settings() { return library.Einstellungen; }
};

}  // namespace

TEST_F(VocFilterTest, DirectionModeWordClassAndDifficulty) {
  // Word class 8 has its bit in the default mask; difficulty 5 is beyond the
  // five that can be switched off: both records are active.
  EXPECT_EQ(active(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8}));
  EXPECT_EQ(library.ActiveCount(), 8);

  settings().SetSprache(TVocEinstellungen::DeutschSpanisch);
  EXPECT_EQ(active(), (std::vector<int>{1}));
  settings().SetSprache(TVocEinstellungen::SpanischDeutsch);
  EXPECT_EQ(active(), (std::vector<int>{0, 2, 3, 4, 5, 6, 8}));
  settings().SetSprache(TVocEinstellungen::Beides);

  settings().SetModus(TVocEinstellungen::ModusFreeFall);  // Spanish entries shorter than 28 characters
  EXPECT_EQ(active(), (std::vector<int>{0, 2, 3, 5, 6, 8}));
  settings().SetModus(TVocEinstellungen::ModusAirport);  // entry and meaning at most 32 characters
  EXPECT_EQ(active(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  settings().SetModus(TVocEinstellungen::ModusSuperDD);
  EXPECT_EQ(active(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  settings().SetModus(TVocEinstellungen::ModusAbfragen);

  settings().SetModified(false);
  settings().SetWortartAktiv(0, false);
  settings().SetWortartAktiv(6, false);
  EXPECT_FALSE(settings().Modified());  // the bit setter does not mark the settings
  EXPECT_EQ(active(), (std::vector<int>{2, 3, 4, 5, 6}));
  settings().SetWortarten(TVocEinstellungen::kAllWortarten);
  EXPECT_TRUE(settings().Modified());
  settings().SetNichtZuSchwer(3, false);
  settings().SetNichtZuSchwer(4, false);
  EXPECT_EQ(active(), (std::vector<int>{0, 1, 2, 5, 6, 8}));

  // With every difficulty switched off only the one beyond them is left.
  for (int d = 0; d < 5; ++d) settings().SetNichtZuSchwer(d, false);
  EXPECT_EQ(active(), (std::vector<int>{6}));
  for (int d = 0; d < 5; ++d) settings().SetNichtZuSchwer(d, true);
  // A word class outside the known eight goes by its bit alone.
  settings().SetWortartAktiv(8, false);
  EXPECT_FALSE(library.IsActive(5));
  settings().SetWortarten(-1);
  EXPECT_TRUE(library.IsActive(5));
  EXPECT_FALSE(library.IsActive(9));   // the trailing empty record
  EXPECT_FALSE(library.IsActive(42));
}

TEST_F(VocFilterTest, ScoresFromAScriptedHistory) {
  // Without a learner the score range is ignored and scores stay as they are.
  library.Items[0].Score = 90;
  library.RefreshScores();
  EXPECT_EQ(library.AverageScore(), 0);
  EXPECT_EQ(library.Items[0].Score, 90);
  EXPECT_TRUE(library.IsActive(0));

  ASSERT_TRUE(users.CreateUser(u"anna"_s, QString()));
  for (int i = 0; i < 5; ++i) users.RecordAnswer(u"casa"_s, false, u'e', 25, 0);
  users.RecordAnswer(u"Haus"_s, true, u'm', -12, 0);
  users.RecordAnswer(u"HABLAR"_s, false, u'e', 25, 1);  // texts compare without regard to case
  users.RecordAnswer(u"Haus"_s, false, u'e', 25, 0);     // another direction: another item
  library.RefreshScores();
  EXPECT_EQ(library.Items[0].Score, 100);
  EXPECT_EQ(library.Items[1].Score, -12);
  EXPECT_EQ(library.Items[2].Score, 25);
  EXPECT_EQ(library.Items[3].Score, 0);
  EXPECT_EQ(library.ScoreHistogram()[200], 1);
  EXPECT_EQ(library.ScoreHistogram()[88], 1);
  EXPECT_EQ(library.ScoreHistogram()[125], 1);
  EXPECT_EQ(library.ScoreHistogram()[100], 6);
  EXPECT_EQ(library.AverageScore(), 13);  // 113 / 9 = 12.6

  // 100 is above the default range -100..75; a given-up answer later: 25 * 4 - 15 = 85.
  EXPECT_EQ(active(), (std::vector<int>{1, 2, 3, 4, 5, 6, 8}));
  users.RecordAnswer(u"casa"_s, false, u'e', -15, 0);
  library.RefreshScores();
  EXPECT_EQ(library.Items[0].Score, 85);
  EXPECT_FALSE(library.IsActive(0));
  settings().SetMaxScore(100);
  settings().SetMinScore(0);
  EXPECT_EQ(active(), (std::vector<int>{0, 2, 3, 4, 5, 6, 8}));

  // Halves round away from zero.
  library.Clear(false);
  library.Add(record(u"otra"_s, u"andere"_s));
  library.Add(record(u"nuevo"_s, u"neu"_s));
  for (int i = 0; i < 3; ++i) users.RecordAnswer(u"nuevo"_s, false, u'e', -25, 0);
  library.RefreshScores();
  EXPECT_EQ(library.AverageScore(), -38);  // -75 / 2
  library.Items[0].Vokabel = u"casa"_s;
  library.RefreshScores();
  EXPECT_EQ(library.AverageScore(), 5);  // (85 - 75) / 2
}

TEST_F(VocFilterTest, CursorWalksForwardAndBackwardWithWrapping) {
  settings().SetSprache(TVocEinstellungen::SpanischDeutsch);  // active: 0, 2, 3, 4, 5, 6, 8
  settings().SetRichtung(TVocEinstellungen::Vor);
  library.ResetCursor();
  std::vector<int> seen;
  for (int i = 0; i < 9; ++i) {
    ASSERT_TRUE(library.NextActive());
    seen.push_back(library.CursorIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 2, 3, 4, 5, 6, 8, 0, 2}));

  settings().SetRichtung(TVocEinstellungen::Zurueck);
  library.ResetCursor();
  seen.clear();
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(library.NextActive());
    seen.push_back(library.CursorIndex());
  }
  EXPECT_EQ(seen, (std::vector<int>{8, 6, 5, 4, 3, 2, 0, 8}));

  // No active record: no endless search.
  settings().SetWortarten(0);
  for (int r : {0, 1, 2}) {
    settings().SetRichtung(r);
    library.ResetCursor();
    EXPECT_FALSE(library.NextActive());
  }
}

TEST_F(VocFilterTest, RandomCursorRepeatsNoRecentRecordAndNeverHangs) {
  library.Clear(false);
  for (int i = 0; i < 30; ++i) library.Add(record(u"w%1"_s.arg(i), u"m"_s, 0, false, i < 25 ? 0 : 1));
  library.AddEmpty();
  settings().SetRichtung(TVocEinstellungen::KreuzUndQuer);
  Random::seed(11);
  library.ResetCursor();
  std::vector<int> shown;
  std::set<int> all;
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(library.NextActive());
    shown.push_back(library.CursorIndex());
    all.insert(library.CursorIndex());
  }
  EXPECT_EQ(all.size(), 30u);
  // A record comes back only after at least min(20, active) - 1 = 19 others.
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < std::min(shown.size(), i + 20); ++j) ASSERT_NE(shown[i], shown[j]) << i << " " << j;

  // Fewer active records than at the reset: the cursor still moves on.
  settings().SetNichtZuSchwer(0, false);  // only the five records of difficulty 1 stay
  std::set<int> rest;
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(library.NextActive());
    rest.insert(library.CursorIndex());
  }
  EXPECT_EQ(rest, (std::set<int>{25, 26, 27, 28, 29}));

  // One active record is shown again and again.
  library.ResetCursor();
  settings().SetNichtZuSchwer(1, false);
  settings().SetNichtZuSchwer(0, true);
  library.Items.erase(library.Items.begin() + 1, library.Items.end() - 1);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(library.NextActive());
    EXPECT_EQ(library.CursorIndex(), 0);
  }
}

TEST_F(VocFilterTest, PresentationTextsCarryTheRecordingOfTheSpanishSide) {
  const QMap<QString, QString> recordings = {{u"casa"_s, u"/wave/casa.wav"_s}, {u"casa (f)"_s, u"/wave/f.wav"_s},
                                             {u"Haus"_s, u"/wave/falsch.wav"_s}};
  library.recordingPath = [&](const QString& text) { return recordings.value(text); };
  settings().SetRichtung(TVocEinstellungen::Vor);
  library.ResetCursor();

  QString word, meaning, sound;
  ASSERT_TRUE(library.NextText(word, meaning, sound, true));
  EXPECT_EQ(word, u"casa"_s);
  EXPECT_EQ(meaning, u"Haus"_s);
  EXPECT_EQ(sound, u"/wave/casa.wav"_s);
  ASSERT_TRUE(library.NextText(word, meaning, sound, true));  // German entry: its meaning is Spanish
  EXPECT_EQ(word, u"Haus"_s);
  EXPECT_EQ(sound, u"/wave/f.wav"_s);
  library.ResetCursor();
  ASSERT_TRUE(library.NextText(word, meaning, sound, false));
  EXPECT_TRUE(sound.isEmpty());

  library.ResetCursor();
  bool alternation = false;
  QStringList texts, sounds;
  for (int i = 0; i < 4; ++i) {
    QString text;
    ASSERT_TRUE(library.NextTextAlternating(text, sound, alternation, true));
    texts << text;
    sounds << sound;
  }
  EXPECT_EQ(texts, (QStringList{u"casa"_s, u"Haus"_s, u"Haus"_s, u"casa (f)"_s}));
  EXPECT_EQ(sounds, (QStringList{u"/wave/casa.wav"_s, QString(), QString(), u"/wave/f.wav"_s}));
  EXPECT_FALSE(alternation);

  // The meaning of a record that is gone is not shown: a new record is taken.
  QString text;
  ASSERT_TRUE(library.NextTextAlternating(text, sound, alternation, true));
  library.Clear(true);
  EXPECT_FALSE(library.NextTextAlternating(text, sound, alternation, true));
  EXPECT_FALSE(library.NextText(word, meaning, sound, true));
}
