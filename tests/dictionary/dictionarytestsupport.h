#pragma once

#include <QList>
#include <QString>

#include "dictionary/txdatabase.h"

// Fills the current direction with entries "word|class|meaning", in the order given.
inline void Fill(TXDatabase& db, const QStringList& entries) {
  for (const QString& e : entries) {
    const QStringList f = e.split(QLatin1Char('|'));
    db.AddEntry(f.value(0), f.value(1), f.value(2));
  }
}

// The words of the current direction, in order.
inline QStringList Words(const TXDatabase& db) {
  QStringList words;
  for (int k = 0; k < db.EntryCount(); ++k) words << db.EntryWord(k);
  return words;
}

// The words of the results, in order.
inline QStringList ResultWords(const TXDatabase& db) {
  QStringList words;
  for (const DictionaryHit& h : db.Results()) words << db.Entry(h.Direction, h.Index).Word;
  return words;
}
