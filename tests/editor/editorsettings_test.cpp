#include "editor/editorsettings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QStatusBar>

#include "editor/editortestsupport.h"
#include "environment/settingsstore.h"
#include "testsupport.h"

namespace {

using namespace Qt::StringLiterals;

const QString kKey = u"Software\\zvk\\zvk spanisch\\5\\Anonym\\Editor"_s;

struct SettingsFiles {
  TestTree tree;
  SettingsStore store{tree.file(u"settings.conf"_s)};
  QString defaultDir = tree.mkdir(u"Vokabeln (S)"_s);

  EditorSettings read(QSize desktop = {1024, 768}, const QStringList& schemes = {}) const {
    return EditorSettings::Read(store, kKey, desktop, defaultDir,
                                [schemes](const QString& name) { return schemes.contains(name); });
  }
  void place(int x, int y, int w, int h) {
    store.writeValues(kKey, {{u"X"_s, QString::number(x)},
                             {u"Y"_s, QString::number(y)},
                             {u"W"_s, QString::number(w)},
                             {u"H"_s, QString::number(h)}});
  }
};

}  // namespace

TEST(EditorSettings, AnEmptyStoreGivesTheDefaults) {
  SettingsFiles f;
  const EditorSettings s = f.read();
  EXPECT_TRUE(s.recent.Files().isEmpty());
  EXPECT_EQ(s.lastLibrary, QString());
  EXPECT_TRUE(s.statusBar);
  EXPECT_EQ(QRect(s.x, s.y, s.width, s.height), QRect(-1, -1, 640, 480));
  EXPECT_EQ(s.scheme, u"default"_s);
  EXPECT_EQ(s.vocabularyDir, f.defaultDir);
  // Unplaced: centred on the desktop.
  EXPECT_EQ(s.WindowRect({1024, 768}), QRect(192, 144, 640, 480));
  EXPECT_EQ(s.WindowRect({600, 400}), QRect(0, 0, 640, 480));
}

TEST(EditorSettings, PlaceAndSizeAreClampedToTheDesktop) {
  struct Case {
    QRect stored;
    QSize desktop;
    QRect expected;
  };
  const Case cases[] = {
      {{100, 50, 800, 600}, {1024, 768}, {100, 50, 800, 600}},
      {{5000, 5000, 5000, 5000}, {1024, 768}, {384, 288, 1024, 768}},
      {{-50, -7, 100, 100}, {1024, 768}, {-1, -1, 640, 480}},
      {{384, 288, 640, 480}, {1024, 768}, {384, 288, 640, 480}},
      // A desktop smaller than the smallest window: the lower bounds win.
      {{10, 10, 300, 200}, {600, 400}, {-1, -1, 640, 480}},
      {{10, 10, 700, 500}, {600, 400}, {-1, -1, 640, 480}},
  };
  for (const Case& c : cases) {
    SettingsFiles f;
    f.place(c.stored.x(), c.stored.y(), c.stored.width(), c.stored.height());
    const EditorSettings s = f.read(c.desktop);
    EXPECT_EQ(QRect(s.x, s.y, s.width, s.height), c.expected) << c.stored.x() << "," << c.stored.width();
  }
  // A placed window stays where it was put.
  SettingsFiles f;
  f.place(100, 50, 800, 600);
  EXPECT_EQ(f.read().WindowRect({1024, 768}), QRect(100, 50, 800, 600));
}

TEST(EditorSettings, UnusableValuesFallBack) {
  SettingsFiles f;
  const QString libraries = f.tree.mkdir(u"Bibliotheken"_s);
  f.store.writeValues(kKey, {{u"Editor-Schema"_s, u"blau"_s},
                             {u"Vokabel-Dateien"_s, f.tree.file(u"fehlt/"_s)},
                             {u"X"_s, u"links"_s},
                             {u"Statusleiste"_s, u"0"_s}});
  EditorSettings s = f.read({1024, 768}, {u"grau"_s});
  EXPECT_EQ(s.scheme, u"default"_s);  // no such scheme file
  EXPECT_EQ(s.vocabularyDir, f.defaultDir);
  EXPECT_EQ(s.x, -1);
  EXPECT_FALSE(s.statusBar);

  f.store.writeValues(kKey, {{u"Editor-Schema"_s, u"grau"_s}, {u"Vokabel-Dateien"_s, libraries.chopped(1)}});
  s = f.read({1024, 768}, {u"grau"_s});
  EXPECT_EQ(s.scheme, u"grau"_s);
  EXPECT_EQ(s.vocabularyDir, libraries);  // with its separator

  // A value written the Windows way names the same directory.
  QString windows = libraries;
  windows.replace(u'/', u'\\');
  f.store.writeString(kKey, u"Vokabel-Dateien"_s, windows);
  EXPECT_EQ(f.read().vocabularyDir, libraries);
}

TEST(EditorSettings, SaveAndReadRoundTrip) {
  SettingsFiles f;
  const QString libraries = f.tree.mkdir(u"Bibliotheken"_s);
  EditorSettings s;
  for (const char* file : {"/a/d.asc", "/a/c.asc", "/a/b.asc", "/a/a.asc"}) s.recent.Add(QLatin1String(file));
  s.lastLibrary = u"/a/a.asc"_s;
  s.statusBar = false;
  s.x = 10;
  s.y = 20;
  s.width = 800;
  s.height = 600;
  s.scheme = u"grau"_s;
  s.vocabularyDir = libraries;
  ASSERT_TRUE(s.Save(f.store, kKey));
  EXPECT_EQ(f.store.readString(kKey, u"0"_s), u"/a/a.asc"_s);
  EXPECT_EQ(f.store.readString(kKey, u"3"_s), u"/a/d.asc"_s);

  const EditorSettings back = f.read({1024, 768}, {u"grau"_s});
  EXPECT_EQ(back.recent.Files(), s.recent.Files());
  EXPECT_EQ(back.lastLibrary, s.lastLibrary);
  EXPECT_EQ(back.statusBar, false);
  EXPECT_EQ(QRect(back.x, back.y, back.width, back.height), QRect(10, 20, 800, 600));
  EXPECT_EQ(back.scheme, u"grau"_s);
  EXPECT_EQ(back.vocabularyDir, libraries);

  // Fewer files later: the old entries do not come back.
  EditorSettings fewer = back;
  fewer.recent = RecentFiles();
  fewer.recent.Add(u"/a/x.asc"_s);
  ASSERT_TRUE(fewer.Save(f.store, kKey));
  EXPECT_EQ(f.read().recent.Files(), QStringList{u"/a/x.asc"_s});
}

using EditorWindowSettings = EditorFixture;

TEST_F(EditorWindowSettings, TheWindowStartsFromItsSettingsAndWritesThemAtTheEnd) {
  const QString other = program.mkdir(u"Andere"_s);
  const QString file = program.write(u"Andere/tiere.asc"_s, crlfLines(recordLines(u"gato"_s, u"Katze"_s)));
  store.writeValues(editorKey(), {{u"Statusleiste"_s, u"0"_s}});
  TVEditor& w = open();
  EXPECT_FALSE(w.Action(u"mStatus"_s)->isChecked());
  EXPECT_FALSE(w.statusBar()->isVisibleTo(&w));
  EXPECT_EQ(w.Settings().vocabularyDir, env.VocabularyDir);

  QStringList offered;
  w.chooseLibraries = [&](const QString& directory) {
    offered << directory;
    return QStringList{file};
  };
  w.FileOpen();
  w.FileOpen();
  // The file dialogs start where the last library came from.
  EXPECT_EQ(offered, (QStringList{env.VocabularyDir, other}));

  w.SetWindowSize(800, 600);
  EXPECT_TRUE(w.Action(u"w800"_s)->isChecked());
  EXPECT_FALSE(w.Action(u"w640"_s)->isChecked());
  w.Action(u"mStatus"_s)->trigger();
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(store.readInteger(editorKey(), u"W"_s), 800);
  EXPECT_EQ(store.readInteger(editorKey(), u"H"_s), 600);
  EXPECT_EQ(store.readBool(editorKey(), u"Statusleiste"_s), true);
  EXPECT_EQ(store.readString(editorKey(), u"Vokabel-Dateien"_s), other);
  EXPECT_EQ(store.readString(editorKey(), u"LetzteBibliothek"_s), file);
  EXPECT_EQ(store.readString(editorKey(), u"Editor-Schema"_s), u"default"_s);
  const QRect frame = w.frameGeometry();
  EXPECT_EQ(store.readInteger(editorKey(), u"X"_s), frame.x());
  EXPECT_EQ(store.readInteger(editorKey(), u"Y"_s), frame.y());

  // A second Finish (the program's own after the window's close) writes nothing again.
  store.writeInteger(editorKey(), u"W"_s, 1);
  EXPECT_TRUE(w.Finish());
  EXPECT_EQ(store.readInteger(editorKey(), u"W"_s), 1);
  EXPECT_TRUE(messages.messages().isEmpty());
}

// A window that was neither moved nor resized opens the next time where and
// as large as it was: "X", "Y", "W" and "H" are the outer rectangle, and the
// window's frame must not be added to it at every start.
TEST_F(EditorWindowSettings, AnUnchangedWindowKeepsItsPlaceAndSizeBetweenRuns) {
  store.writeValues(editorKey(), {{u"X"_s, u"20"_s}, {u"Y"_s, u"30"_s}, {u"W"_s, u"700"_s}, {u"H"_s, u"500"_s}});
  for (int run = 0; run < 2; ++run) {
    TVEditor& w = open();
    EXPECT_EQ(w.frameGeometry(), QRect(20, 30, 700, 500)) << "run " << run;
    EXPECT_TRUE(w.Finish());
    window.reset();
    EXPECT_EQ(store.readInteger(editorKey(), u"X"_s), 20) << "run " << run;
    EXPECT_EQ(store.readInteger(editorKey(), u"Y"_s), 30) << "run " << run;
    EXPECT_EQ(store.readInteger(editorKey(), u"W"_s), 700) << "run " << run;
    EXPECT_EQ(store.readInteger(editorKey(), u"H"_s), 500) << "run " << run;
  }
}
