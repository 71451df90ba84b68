#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "dictionary/txdbeintrag.h"

// Collects the entries of one dictionary direction from any number of
// sources. Entries of the same word (ignoring letter case; the first
// spelling stays) and the same class are merged: their meanings joined
// without repeats, in the order they arrived, so that the first source's
// meanings lead. The result is sorted by the dictionary's order.
class DictionaryBuilder {
 public:
  // Adds the meanings ("; " between them) of word under its class. A meaning
  // with a comma outside brackets is left out and counted: the dictionary's
  // check would read it as two. Nothing is added for an empty word or when
  // no meaning is left.
  void Add(const QString& word, int wortart, const QString& meaning);
  void Add(const QList<TXDBEintrag>& entries);

  int Dropped() const { return dropped_; }
  qsizetype Size() const { return entries_.size(); }
  QList<TXDBEintrag> Entries() const;

 private:
  QList<std::pair<TXDBEintrag, QStringList>> entries_;
  QHash<QString, int> places_;
  int dropped_ = 0;
};
