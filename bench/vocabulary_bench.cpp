#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "common/fileio.h"
#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "vocabulary/answers.h"
#include "vocabulary/libraryfile.h"
#include "vocabulary/tbibliothek.h"
#include "benchrecords.h"

namespace {

constexpr int kRecords = 20000;

// A program directory with a library of kRecords records and a learner who
// answered every one of them.
class LargeLibrary {
 public:
  LargeLibrary()
      : store(dir.filePath(QStringLiteral("settings.conf"))), env(dir.path(), store), users(env), library(env) {
    library.setUserBase(&users);
    library.Clear(false);
    for (int i = 0; i < kRecords; ++i) library.Add(BenchRecord(i));
    library.AddEmpty();
    path = dir.filePath(QStringLiteral("gross.asc"));
    library.SaveToFile(path);
    users.CreateUser(QStringLiteral("bench"), QString());
    for (int i = 0; i < kRecords; ++i) {
      const TVokabel& v = library.Items[i];
      users.RecordAnswer(v.Vokabel, v.Deutsch, 'e', i % 50 - 20, v.Wortart);
      users.RecordAnswer(v.Vokabel, v.Deutsch, 'm', 12, v.Wortart);
    }
  }

  MessageRecorder messages;
  QTemporaryDir dir;
  SettingsStore store;
  Environment env;
  TXUserBase users;
  TBibliothek library;
  QString path;
};

void BM_LibraryLoad(benchmark::State& state) {
  LargeLibrary large;
  TVocLib lib;
  for (auto _ : state) benchmark::DoNotOptimize(lib.LoadFromFile(large.path, true));
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_LibraryLoad)->Unit(benchmark::kMillisecond);

void BM_LibrarySave(benchmark::State& state) {
  LargeLibrary large;
  const QString copy = large.dir.filePath(QStringLiteral("kopie.asc"));
  for (auto _ : state) benchmark::DoNotOptimize(large.library.SaveToFile(copy));
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_LibrarySave)->Unit(benchmark::kMillisecond);

// Scores from the learner's history and the filter over the whole library,
// as the vocabulary page does before it shows the number of active records.
void BM_RefreshScoresAndActiveCount(benchmark::State& state) {
  LargeLibrary large;
  for (auto _ : state) {
    large.library.RefreshScores();
    benchmark::DoNotOptimize(large.library.ActiveCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_RefreshScoresAndActiveCount)->Unit(benchmark::kMillisecond);

void BM_ExpandAnswersOfLibrary(benchmark::State& state) {
  LargeLibrary large;
  for (auto _ : state) {
    qsizetype forms = 0;
    for (int i = 0; i < kRecords; ++i) {
      QStringList list;
      ExpandAnswers(large.library.Items[i].Bedeutung[0], list);
      ExpandAnswers(large.library.Items[i].Bedeutung[1], list);
      forms += list.size();
    }
    benchmark::DoNotOptimize(forms);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ExpandAnswersOfLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
