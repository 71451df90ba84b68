#pragma once

#include <QString>

#include "vocabulary/tvokabel.h"

// Record i of the benchmarks' large libraries: every fourth one German, every
// fifth with a context sentence, meanings with gender marks, optional parts and
// explanations, all word classes and difficulties.
inline TVokabel BenchRecord(int i) {
  TVokabel v;
  v.Deutsch = i % 4 == 0;
  v.Vokabel = v.Deutsch ? QStringLiteral("Wort Nummer %1").arg(i) : QStringLiteral("palabra número %1").arg(i);
  v.Bedeutung[0] = v.Deutsch ? QStringLiteral("(el/la) palabra %1 (f); vocablo (m)").arg(i)
                             : QStringLiteral("[Sprache] Wort %1; Vokabel (f); folgend(es)").arg(i);
  if (i % 3 == 0) v.Bedeutung[1] = QStringLiteral("Ausdruck");
  if (i % 5 == 0) {
    v.Kontext[0] = QStringLiteral("Esta es la [palabra] número %1.").arg(i);
    v.KontextBedeutung[0] = true;
  }
  v.Wortart = i % 8;
  v.Schwierigkeit = i % 5;
  return v;
}
