#pragma once

#include <QString>
#include <optional>

class TBibliothek;
class TSuperOptions;

// One text of a presentation and the file of its recording (empty: none).
struct TextItem {
  QString text;
  QString sound;
};

// The texts of a presentation: alternately the word of the next active
// record and its first meaning, the Spanish side with its recording when
// speech is on. A new presentation begins with a word.
class PresentationTexts {
 public:
  PresentationTexts(TBibliothek& library, TSuperOptions& options);
  // None when no record is active any more: the presentation ends.
  std::optional<TextItem> Next();

  static inline const QString kNoneActive = QStringLiteral(
      "Es sind keine Vokabeln aktiv. Bitte wählen Sie auf der Vokabelseite einen anderen Bereich oder ändern Sie "
      "die Einstellungen.");

 private:
  TBibliothek& library_;
  TSuperOptions& options_;
};
