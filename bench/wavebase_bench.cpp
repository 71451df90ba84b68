#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include "sound/txwavebase.h"

// Recording lookups as the query pages and presentations make them: every
// word of a library of kRecords records against a database of kRecords
// entries. A quarter of the words are in the database as they are, a quarter
// are found without their parentheses ("(la) palabra" as "la palabra"), a
// quarter through an entry that begins with the word and " (" (a gender
// mark), and a quarter have no recording, which walks every fall-back.

namespace {

constexpr int kRecords = 20000;

QString word(int i) { return QStringLiteral("palabra número %1").arg(i); }

struct Setup {
  TXWaveBase base;
  QStringList words;
  QTemporaryDir dir;
  QString file;

  Setup() {
    for (int i = 0; i < kRecords; ++i) {
      const QString ref = QStringLiteral("XS:\\espeak\\palabra_%1.wav").arg(i);
      switch (i % 4) {
        case 0:
          base.Add(word(i), ref);
          words.append(word(i));
          break;
        case 1:
          base.Add(QStringLiteral("la ") + word(i), ref);
          words.append(QStringLiteral("(la) ") + word(i));
          break;
        case 2:
          base.Add(word(i) + QStringLiteral(" (f)"), ref);
          words.append(word(i));
          break;
        default:
          base.Add(QStringLiteral("otra cosa %1").arg(i), ref);
          words.append(word(i));
          break;
      }
    }
    file = dir.filePath(QStringLiteral("S_wx.zvk"));
    base.Save(file);
  }
};

const Setup& setup() {
  static const Setup s;
  return s;
}

void BM_WaveBaseLookupEveryWord(benchmark::State& state) {
  const Setup& s = setup();
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (const QString& w : s.words)
      if (!s.base.Lookup(w).isEmpty()) ++found;
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found;
  state.SetItemsProcessed(state.iterations() * s.words.size());
}
BENCHMARK(BM_WaveBaseLookupEveryWord)->Unit(benchmark::kMillisecond);

// The same through both databases, the main one empty (the trainer's case
// when the course's recordings are in the secondary database).
void BM_WaveBaseLookupRecordingOverBothDatabases(benchmark::State& state) {
  const Setup& s = setup();
  static const TXWaveBase empty;
  const RecordingDatabases bases{&empty, &s.base};
  for (auto _ : state) {
    int found = 0;
    for (const QString& w : s.words)
      if (!LookupRecording(w, bases).isEmpty()) ++found;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * s.words.size());
}
BENCHMARK(BM_WaveBaseLookupRecordingOverBothDatabases)->Unit(benchmark::kMillisecond);

// Loading the database file of kRecords entries (start-up).
void BM_WaveBaseLoad(benchmark::State& state) {
  const Setup& s = setup();
  for (auto _ : state) {
    TXWaveBase base;
    base.Load(s.file);
    benchmark::DoNotOptimize(base.Count());
  }
}
BENCHMARK(BM_WaveBaseLoad)->Unit(benchmark::kMillisecond);

}  // namespace
