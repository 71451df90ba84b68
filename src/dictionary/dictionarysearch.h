#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "dictionary/txdbeintrag.h"

// A hit of a dictionary search: an entry of one direction, by its place.
struct DictionaryHit {
  int Direction = 0;
  int Index = 0;
  bool operator==(const DictionaryHit&) const = default;
};

// The text search of the dictionary. A text is looked for exactly (letter
// case counting); a whole-word match must have a delimiter or the end of the
// searched text on both sides. A rejected match lets the search go on one
// character after its start.
namespace DictionaryMatch {
// The delimiters of whole words: blank ! ( ) , - . / ; ? [ ] and the
// opening marks "¿" and "¡", so that "hola" is a whole word of "¡hola!".
bool IsDelimiter(QChar c);
bool Contains(QStringView text, QStringView needle, bool wholeWords);
}  // namespace DictionaryMatch

// What one direction's search needs, prepared once from its entries: the
// texts "word meaning" of all entries one after the other in Windows-1252,
// and for whole-word searches the entries in which each word stands. The
// owner rebuilds it after every change of the entries (Invalidate, then
// Prepare before the next search).
class DictionarySearchIndex {
 public:
  void Prepare(const QList<TXDBEintrag>& entries);
  void Invalidate() { ready_ = false; }
  bool Ready() const { return ready_; }

  // Appends the entries of direction whose "word meaning" contains text to
  // hits, in entry order, each once, until hits holds limit entries (limit
  // < 0: no limit).
  void Find(const QList<TXDBEintrag>& entries, const QString& text, bool wholeWords, int direction,
            QList<DictionaryHit>& hits, int limit) const;

 private:
  void findByScan(const QByteArray& needle, bool wholeWords, int direction, QList<DictionaryHit>& hits,
                  int limit) const;
  bool full(const QList<DictionaryHit>& hits, int limit) const { return limit >= 0 && hits.size() >= limit; }

  bool ready_ = false;
  // False when an entry holds a character Windows-1252 cannot hold or a NUL:
  // then every entry is searched as it is.
  bool encoded_ = true;
  QByteArray texts_;              // entry after entry, each followed by a NUL
  std::vector<qsizetype> starts_;  // where each entry's text begins, and the end

  // The entries each word stands in, by the word's 64-bit hash: an open
  // hash table of chains through flat arrays, so that preparing a large
  // dictionary allocates a few arrays instead of a list per word. Two words
  // of the same hash share a chain; every candidate is checked anyway.
  void indexWords();
  template <typename Visit>
  void forEachEntryWith(std::uint64_t hash, Visit visit) const;
  std::vector<std::uint64_t> slotHash_;  // 0: empty slot
  std::vector<int> slotFirst_;          // first link of the slot's chain
  std::vector<int> linkEntry_, linkNext_;  // the chains, in ascending entry order
};
