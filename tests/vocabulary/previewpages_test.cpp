// The editor's preview pages of the staged course, filled by the query's own
// builders and shown in the preview's smallest window: every variable they
// use is set, nothing runs past an edge, and their links lead to nothing but
// the editor's commands, the answers and recordings.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "common/messagerecorder.h"
#include "htxtool/pagesheet.h"
#include "pages/txpage.h"
#include "querytestsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPages = QStringLiteral(ZVK_STAGE_DIR "/hzvk");
const QSize kSmallest(320, 290);

class PreviewPagesTest : public ::testing::Test, public QueryFixture {
 protected:
  PreviewPagesTest() {
    // Every text has a recording, so that the pages get their sound links.
    library.recordingPath = [](const QString& text) { return u"XS:\\espeak\\"_s + text + u".wav"_s; };
    TVokabel entrada = record(u"entrada (f)"_s, u"Eintrittskarte; Karte [Eintritt]; Ticket [Eintritt]; Eingang"_s);
    entrada.Kontext[0] = u"Dos [entradas] para el concierto del sábado, por favor."_s;
    entrada.KontextBedeutung[0] = true;
    asked = entrada;
    setRecords({entrada, record(u"desayuno (m)"_s, u"Frühstück"_s), record(u"cena (f)"_s, u"Abendessen"_s),
                record(u"postre (m)"_s, u"Nachtisch; Nachspeise"_s), record(u"plaza (f)"_s, u"Platz [in der Stadt]"_s),
                record(u"monumento (m)"_s, u"Denkmal; Sehenswürdigkeit"_s)});
  }

  // What the query wrote, as the sample of the page it names, with the list
  // colours the editor sets.
  PageSample sample(const QString& file) const {
    PageSample s;
    s.file = file;
    s.size = kSmallest;
    s.variables = {{u"pastell"_s, u"#fbf7ef"_s}, {u"dunkel"_s, u"#d8ccb4"_s}};
    for (auto it = page.variables.cbegin(); it != page.variables.cend(); ++it) s.variables.append({it.key(), it.value()});
    s.conditions = page.conditions.values();
    return s;
  }

  // Draws the page as the preview shows it and checks what every page must
  // hold: no problem of the page check, Esc closes, and every link is one
  // the editor knows.
  void check(const QString& file, TXPage& view) {
    SCOPED_TRACE(file.toStdString());
    const SampledPage drawn = DrawSample(kPages, sample(file));
    EXPECT_TRUE(drawn.problems.isEmpty()) << drawn.problems.join(u'\n').toStdString();

    MessageRecorder quiet;
    SetPageSize(view, kSmallest);
    view.setXPath(kPages);
    for (const auto& [name, value] : sample(file).variables) view.SetVariable(name, value);
    for (const QString& c : page.conditions) view.SetCondition(c, true);
    ASSERT_TRUE(view.setXFile(file));
    EXPECT_TRUE(quiet.messages().isEmpty());
    const PageState& state = view.state();
    EXPECT_EQ(state.KeyLinks.Value(QString(QChar(27))), u"§close"_s);
    static const QRegularExpression allowed(
        u"^(§close|§solve|§\\[vokabel\\+\\]|§vokabel\\[~[1-5]\\]-|XS:\\\\espeak\\\\[^@]+\\.wav)(@.*)?$"_s);
    for (const QString& target : state.Elements.Links.Names)
      EXPECT_TRUE(target.isEmpty() || allowed.match(target).hasMatch()) << target.toStdString();
  }

  TVokabel asked;
};

}  // namespace

TEST_F(PreviewPagesTest, TheThreeTasksFitTheSmallestWindowAndAnswerAsInTheTrainer) {
  query.PreparePreview(asked);

  query.BuildTypingTask();
  {
    TXPage view;
    check(u"_ed_ein.htx"_s, view);
    const auto& gaps = view.state().Elements.Gaps;
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0].Command, u"vokabel"_s);
    EXPECT_EQ(gaps[0].Lsg.join(u"; "_s), page.var(u"lsg"_s));
    EXPECT_EQ(gaps[0].Hilfe, page.var(u"help"_s));
    EXPECT_LE(gaps[0].Bounds.right(), kSmallest.width() - 14);  // the field keeps the margin
  }

  query.BuildMultipleChoice();
  {
    TXPage view;
    check(u"_ed_mch.htx"_s, view);
    for (int key = 1; key <= 6; ++key)
      EXPECT_TRUE(view.state().KeyLinks.Value(QString::number(key)).startsWith(u"§"_s)) << key;
  }

  ASSERT_TRUE(query.BuildContextTask());
  {
    TXPage view;
    check(u"_ed_ktx.htx"_s, view);
    const auto& gaps = view.state().Elements.Gaps;
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(gaps[0].Command, u"vokabel"_s);
    EXPECT_EQ(gaps[0].Lsg, QStringList{u"entradas"_s});
  }
}

TEST_F(PreviewPagesTest, TheResultPagesFitAndEnterBuildsThePreviewAnew) {
  query.PreparePreview(asked);
  ASSERT_TRUE(query.BuildContextTask());  // the result pages show the sentence again
  for (const char* code : {"+", "-", "[~2]-"}) {
    query.PreviewAnswer(QString::fromLatin1(code));
    TXPage view;
    check(page.last(), view);
    EXPECT_TRUE(view.state().EnterTarget.startsWith(u"§solve"_s)) << code;
  }
  EXPECT_EQ(page.shown.mid(page.shown.size() - 3),
            (QStringList{u"_ed_richtig.htx"_s, u"_ed_falsch1.htx"_s, u"_ed_falsch2.htx"_s}));
  EXPECT_TRUE(page.conditions.contains(u"kontextsatz"_s));
}
