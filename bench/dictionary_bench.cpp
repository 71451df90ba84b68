#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "dictionary/dictionaryfile.h"
#include "dictionary/txdatabase.h"
#include "common/fileio.h"

// The dictionary as the trainer uses it: loading both directions at start-up,
// and whole-word searches across both for a word that is missing (every
// entry must be ruled out) and for a common one. Once on the course's own
// dictionary from the staged tree, once on kEntries generated entries per
// direction (words made of Spanish-like syllables, two or three meanings,
// some with explanations, as a large dictionary has them).

namespace {

constexpr int kEntries = 50000;

QString madeWord(int n) {
  static const char* syllables[] = {"ca", "sa", "pe", "rro", "me", "sa", "ga", "to", "li", "bro", "ma", "no",
                                    "ár", "bol", "ni", "ño", "que", "so", "tra", "ba", "jo", "ver", "de", "lu"};
  QString w;
  for (int k = 0; k < 2 + n % 3; ++k) {
    w += QLatin1String(syllables[n % 24]);
    n /= 24;
    n += 7 * k;
  }
  return w;
}

QList<TXDBEintrag> generated(int seed) {
  Random::seed(static_cast<std::uint32_t>(seed));
  QList<TXDBEintrag> entries;
  for (int i = 0; i < kEntries; ++i) {
    QStringList meanings;
    for (int m = 0; m < 2 + i % 2; ++m) meanings << madeWord(Random::below(1 << 20));
    if (i % 5 == 0) meanings.last() += QStringLiteral(" [von Personen]");
    entries.append({madeWord(i * 31 + seed) + QString::number(i % 10), meanings.join(QStringLiteral("; ")), 1 + i % 8});
  }
  return entries;
}

struct Files {
  QTemporaryDir dir;
  QString spanish, german;
  Files() {
    spanish = dir.filePath(QStringLiteral("s_d.zvk"));
    german = dir.filePath(QStringLiteral("d_s.zvk"));
    FileIO::writeAtomically(spanish, DictionaryFile::Compressed(generated(1)));
    FileIO::writeAtomically(german, DictionaryFile::Compressed(generated(2)));
  }
};

const Files& files() {
  static const Files f;
  return f;
}

// The staged dictionary: the course's entries and, where they are installed, the
// converted free dictionaries.
const QString kStagedSpanish = QStringLiteral(ZVK_STAGE_DIR "/s_d.zvk");
const QString kStagedGerman = QStringLiteral(ZVK_STAGE_DIR "/d_s.zvk");

void loadBoth(benchmark::State& state, const QString& spanish, const QString& german) {
  MessageRecorder quiet;
  int entries = 0;
  for (auto _ : state) {
    TXDatabase db;
    db.LoadBoth(spanish, german);
    entries = db.EntryCount(0) + db.EntryCount(1);
    benchmark::DoNotOptimize(db);
  }
  state.counters["entries"] = entries;
}

void search(benchmark::State& state, const QString& spanish, const QString& german, const QString& text) {
  MessageRecorder quiet;
  TXDatabase db;
  db.LoadBoth(spanish, german);
  TXDatabase::SearchOptions options;
  options.WholeWords = state.range(0) != 0;
  for (auto _ : state) {
    db.SearchEntries(text, options);
    benchmark::DoNotOptimize(db.Results().size());
  }
  state.counters["entries"] = db.EntryCount(0) + db.EntryCount(1);
  state.counters["hits"] = static_cast<double>(db.Results().size());
}

void BM_DictionaryLoadBothStaged(benchmark::State& state) { loadBoth(state, kStagedSpanish, kStagedGerman); }
void BM_DictionaryLoadBothGenerated(benchmark::State& state) { loadBoth(state, files().spanish, files().german); }
void BM_DictionarySearchMissingStaged(benchmark::State& state) {
  search(state, kStagedSpanish, kStagedGerman, QStringLiteral("Xylofonverleih"));
}
void BM_DictionarySearchCommonStaged(benchmark::State& state) {
  search(state, kStagedSpanish, kStagedGerman, QStringLiteral("casa"));
}
void BM_DictionarySearchMissingGenerated(benchmark::State& state) {
  search(state, files().spanish, files().german, QStringLiteral("Xylofonverleih"));
}
void BM_DictionarySearchCommonGenerated(benchmark::State& state) {
  search(state, files().spanish, files().german, QStringLiteral("casa"));
}

}  // namespace

// Argument 1: whole words (the page's usual search); 0: any part of a word.
BENCHMARK(BM_DictionaryLoadBothStaged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DictionaryLoadBothGenerated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DictionarySearchMissingStaged)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DictionarySearchCommonStaged)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DictionarySearchMissingGenerated)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DictionarySearchCommonGenerated)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
