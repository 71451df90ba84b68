#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "common/msclock.h"
#include "common/random.h"
#include "common/zstream.h"
#include "pages/txpage.h"
#include "superlearning/gamecommands.h"
#include "superlearning/tsuperoptions.h"
#include "trainer/tmain.h"
#include "vocabulary/vocabularyquery.h"
#include "vocabulary/vocabularytestsupport.h"

// The trainer's main window with the games' commands, a course folder of
// plain pages and a library, on the loop clock of the tests.
struct GameShell : VocabularyFixture {
  // pages: the game's folder below hzvk/ and its page names (without ".htx").
  GameShell(int modus, const QString& folder, const QStringList& pages, const QList<TVokabel>& records) {
    program.write(QStringLiteral("hzvk/main.htx"), page(QStringLiteral("Start")));
    program.write(QStringLiteral("hzvk/bye.htx"), page(QStringLiteral("Auf Wiedersehen")));
    for (const QString& p : pages) program.write(QStringLiteral("hzvk/") + folder + p + QStringLiteral(".htx"), page(p));
    env.ReadDirectorySettings();
    library.Clear(false);
    for (const TVokabel& r : records) library.Add(r);
    library.AddEmpty();
    library.Einstellungen.SetModus(modus);
    window = std::make_unique<TMain>(env, &users, &library);
    window->Query()->Reseed = [] {};
    window->ShowStartPage();
    games = std::make_unique<TGameCommands>(*window->XPage(), *window->Query(), library, options, nullptr,
                                            window->Loops(), window->PageFolder());
    games->Register(window->Commands());
    Random::seed(11);
  }

  static QByteArray page(const QString& title) {
    return ZStream::compress((QStringLiteral("<title>") + title + QStringLiteral("</title>") + title).toUtf8());
  }
  void run(const QString& command) { window->Dispatcher().Run(command); }
  QString shownPage() const { return window->XPage()->XFile(); }
  QString var(const QString& name) const { return window->XPage()->GetVariable(name); }
  bool condition(const QString& name) const { return window->XPage()->IsCondition(name); }
  bool logIn() { return users.CreateUser(QStringLiteral("anna"), QString()); }
  // Answers of one kind in the learner's history.
  int recordedAnswers(QChar kind) const {
    int n = 0;
    for (const TXUserVoc& r : users.History().records()) n += static_cast<int>(r.kinds.count(kind));
    return n;
  }

  ManualClock clock;
  MsClock::Replace replace{clock};
  TSuperOptions options{env};
  std::unique_ptr<TMain> window;
  std::unique_ptr<TGameCommands> games;
};
