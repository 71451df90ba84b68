#include <benchmark/benchmark.h>

#include <QHash>
#include <QTemporaryDir>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"
#include "vocabulary/vocabularyquery.h"
#include "benchrecords.h"

namespace {

constexpr int kQueryRecords = 20000;

// The page as the trainer fills it, without drawing.
class BenchPage : public TQueryPage {
 public:
  void SetVariable(const QString& name, const QString& value) override { variables[name] = value; }
  void SetCondition(const QString&, bool) override {}
  void ShowPage(const QString& fileName) override { last = fileName; }
  bool PageVisible() const override { return true; }
  QHash<QString, QString> variables;
  QString last;
};

// A selection of kQueryRecords records, a learner who answered every one of
// them, the basic vocabulary and a query on a page.
class QueryBench {
 public:
  QueryBench()
      : store(dir.filePath(QStringLiteral("settings.conf"))),
        env(dir.path(), store),
        users(env),
        library(env),
        query(library, &reserve, &page) {
    library.setUserBase(&users);
    users.CreateUser(QStringLiteral("bench"), QString());
    library.Clear(false);
    for (int i = 0; i < kQueryRecords; ++i) library.Add(BenchRecord(i));
    library.AddEmpty();
    for (int i = 0; i < kQueryRecords; ++i) {
      const TVokabel& v = library.Items[i];
      users.RecordAnswer(v.Vokabel, v.Deutsch, 'e', i % 50 - 20, v.Wortart);
    }
    query.Reseed = [] {};
    Random::seed(5);
  }
  ~QueryBench() { library.setUserBase(nullptr); }

  MessageRecorder messages;
  QTemporaryDir dir;
  SettingsStore store;
  Environment env;
  TXUserBase users;
  TBibliothek library;
  TRes reserve;
  BenchPage page;
  TVocQuery query;
};

// "goabfrage": scores, filter, a round of ten tasks with their wrong answers,
// the first question.
void BM_QueryStart(benchmark::State& state) {
  QueryBench b;
  b.library.Einstellungen.SetRichtung(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    b.query.StartQuery();
    benchmark::DoNotOptimize(b.page.last);
  }
}
BENCHMARK(BM_QueryStart)->Arg(TVocEinstellungen::KreuzUndQuer)->Arg(TVocEinstellungen::Vor)->Unit(
    benchmark::kMillisecond);

// From one question to the next: the answer is judged and recorded, the
// result page filled, the next question drawn and built. Round ends in
// random order (and their restarts) are left out of the timing.
void BM_QueryNextQuestion(benchmark::State& state) {
  QueryBench b;
  b.library.Einstellungen.SetRichtung(static_cast<int>(state.range(0)));
  b.query.StartQuery();
  for (auto _ : state) {
    b.query.Answer(QStringLiteral("#1+"));
    b.query.NextQuestion();
    if (b.query.phase() != TVocQuery::Phase::Asking) {
      state.PauseTiming();
      b.query.StartQuery();
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(b.page.last);
  }
}
BENCHMARK(BM_QueryNextQuestion)->Arg(TVocEinstellungen::KreuzUndQuer)->Arg(TVocEinstellungen::Vor)->Unit(
    benchmark::kMillisecond);

}  // namespace
