#pragma once

#include <QString>
#include <vector>

#include "verbs/tverb.h"

// The verbs of the course in file order, read once at start-up and kept for
// the whole run.
class TXVerben {
 public:
  // Reads the verb file. When it cannot be opened the message
  // "Verben konnten nicht geöffnet werden: <path>!!!" is shown and the
  // trainer runs without verbs (false).
  bool Load(const QString& path);
  static QString NotOpenedText(const QString& path);

  void SetVerbs(std::vector<TVerb> verbs) { verbs_ = std::move(verbs); }
  const std::vector<TVerb>& Verbs() const { return verbs_; }
  int Count() const { return static_cast<int>(verbs_.size()); }
  // Verb n, or null when there is no such verb.
  const TVerb* Verb(int n) const;
  TVerb* Verb(int n);

 protected:
  std::vector<TVerb> verbs_;
};
