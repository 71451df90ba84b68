#include <benchmark/benchmark.h>

#include "common/textcodec.h"
#include "common/zstream.h"
#include "environment/inifile.h"
#include "pages/zipresource.h"

namespace {

QByteArray sampleText(int lines) {
  QByteArray text;
  for (int i = 0; i < lines; ++i) text += "casa (f)\r\nHaus; Zuhause\r\n\r\nMi [casa] es peque\xF1" "a.\r\n0\r\n";
  return text;
}

void BM_InflateLibrary(benchmark::State& state) {
  const QByteArray z = ZStream::compress(sampleText(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ZStream::decompress(z));
  state.SetBytesProcessed(state.iterations() * z.size());
}
BENCHMARK(BM_InflateLibrary)->Arg(1000)->Arg(10000);

void BM_DecodeWindows1252(benchmark::State& state) {
  const QByteArray text = sampleText(10000);
  for (auto _ : state) benchmark::DoNotOptimize(Cp1252::decode(text));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_DecodeWindows1252);

void BM_ResourceLines(benchmark::State& state) {
  const QByteArray z = ZStream::compress(sampleText(750));
  for (auto _ : state) {
    auto r = TZIPResource::fromStream(z);
    int n = 0;
    while (!r.AtEnd()) n += static_cast<int>(r.ReadLine().size());
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_ResourceLines);

void BM_IniLookup(benchmark::State& state) {
  IniFile ini;
  QString text;
  for (int s = 0; s < 20; ++s) {
    text += QStringLiteral("[Abschnitt %1]\n").arg(s);
    for (int k = 0; k < 20; ++k) text += QStringLiteral("Schlüssel%1=%2\n").arg(k).arg(s * k);
  }
  ini.setText(text);
  for (auto _ : state) benchmark::DoNotOptimize(ini.readInteger(QStringLiteral("abschnitt 19"), QStringLiteral("schlüssel19"), 0));
}
BENCHMARK(BM_IniLookup);

}  // namespace


