#pragma once

#include <QString>

// One entry of the dictionary: the head word, its meanings in the notation of
// the vocabulary ("; " between meanings, explanations in "[...]"), and its
// word class 1..8 (the vocabulary's word class + 1: 1 "Nomen" ... 8 "Präposition").
struct TXDBEintrag {
  QString Word;
  QString Meaning;
  int Wortart = 1;

  bool operator==(const TXDBEintrag&) const = default;
};

namespace Dictionary {
inline constexpr int kMinWortart = 1;
inline constexpr int kMaxWortart = 8;
}  // namespace Dictionary
