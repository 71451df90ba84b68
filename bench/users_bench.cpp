#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "users/txuserbase.h"
#include "users/userfile.h"

namespace {

constexpr int kRecords = 20000;

QString word(int i) { return QStringLiteral("palabra%1").arg(i); }

// A program directory with one learner whose history holds kRecords records.
class LargeUser {
 public:
  LargeUser()
      : store(dir.filePath(QStringLiteral("settings.conf"))), env(dir.path(), store), base(env) {
    base.CreateUser(QStringLiteral("bench"), QStringLiteral("pw"));
    for (int i = 0; i < kRecords; ++i)
      for (int k = 0; k < 3; ++k) base.RecordAnswer(word(i), i % 2 == 0, k ? 'm' : 'e', (i + k) % 50 - 20, i % 8);
    base.SaveUser();
  }

  MessageRecorder messages;
  QTemporaryDir dir;
  SettingsStore store;
  Environment env;
  TXUserBase base;
};

void BM_UserLoadAndSave(benchmark::State& state) {
  LargeUser user;
  for (auto _ : state) {
    user.base.OpenUser(QStringLiteral("bench"), QStringLiteral("pw"));
    benchmark::DoNotOptimize(user.base.History().size());
    user.base.SaveUser();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_UserLoadAndSave)->Unit(benchmark::kMillisecond);

// The file alone: reading and decompressing, and writing through a temporary file.
void BM_UserFileRead(benchmark::State& state) {
  LargeUser user;
  const QString path = user.base.PathsFor(QStringLiteral("bench")).userFile();
  for (auto _ : state) benchmark::DoNotOptimize(UserFile::read(path).content.records.size());
}
BENCHMARK(BM_UserFileRead)->Unit(benchmark::kMillisecond);

void BM_UserFileWrite(benchmark::State& state) {
  LargeUser user;
  user.base.OpenUser(QStringLiteral("bench"), QStringLiteral("pw"));
  const QString path = user.base.PathsFor(QStringLiteral("bench")).userFile();
  const QByteArray credentials = UserFile::credentials(QStringLiteral("bench"), QStringLiteral("pw"));
  for (auto _ : state) benchmark::DoNotOptimize(UserFile::write(path, credentials, 0, user.base.History().records()));
}
BENCHMARK(BM_UserFileWrite)->Unit(benchmark::kMillisecond);

void BM_UserItemScore(benchmark::State& state) {
  LargeUser user;
  user.base.OpenUser(QStringLiteral("bench"), QStringLiteral("pw"));
  QStringList texts;
  for (int i = 0; i < kRecords; ++i) texts << word(i).toUpper();
  for (auto _ : state) {
    int sum = 0;
    for (int i = 0; i < kRecords; ++i) sum += user.base.ItemScore(texts[i], i % 2 == 0, i % 8);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_UserItemScore)->Unit(benchmark::kMillisecond);

void BM_UserStatistics(benchmark::State& state) {
  LargeUser user;
  user.base.OpenUser(QStringLiteral("bench"), QStringLiteral("pw"));
  for (auto _ : state) {
    user.base.ComputeStatistics();
    benchmark::DoNotOptimize(user.base.Statistics().averageAbsolute);
  }
}
BENCHMARK(BM_UserStatistics)->Unit(benchmark::kMillisecond);

}  // namespace
