#include "superlearning/tvegaslist.h"

#include "common/fileio.h"
#include "common/random.h"

void TVegasList::Load(const QString& path) {
  pairs_.clear();
  const auto text = FileIO::readText(path);
  if (!text) return;
  for (const QString& line : FileIO::splitLines(*text)) {
    const QStringList parts = line.split(QLatin1Char('\t'));
    if (parts.size() < 2) continue;
    Pair pair{parts[0].trimmed(), parts[1].trimmed(), parts.size() > 2 ? parts[2].trimmed() : QString()};
    if (pair.Word.isEmpty() || pair.Meaning.isEmpty()) continue;
    pairs_.push_back(std::move(pair));
  }
}

TVegasList::Shown TVegasList::Draw() const {
  Shown shown;
  if (pairs_.empty()) return shown;
  const int i = Random::below(Count());
  const Pair& pair = At(i);
  shown.Upper = pair.Word;
  shown.Lower = pair.Meaning;
  if (Random::below(10) <= 4) return shown;
  // Made wrong: by the extra, or by the meaning of a pair one or two lines
  // away. A replacement that reads like the original leaves the pair right.
  Shown wrong = shown;
  if (!pair.Extra.isEmpty() && Random::below(10) > 4) {
    if (pair.Extra.startsWith(QLatin1Char('.')))
      wrong.Upper = pair.Extra.mid(1);
    else
      wrong.Lower = pair.Extra;
  } else if (i > 2) {
    wrong.Lower = At(i - 1 - Random::below(2)).Meaning;
  } else if (i < Count() - 3) {
    wrong.Lower = At(i + 1 + Random::below(2)).Meaning;
  }
  if (wrong.Upper.isEmpty() || (wrong.Upper == shown.Upper && wrong.Lower == shown.Lower)) return shown;
  wrong.Right = false;
  return wrong;
}
