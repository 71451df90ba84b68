#pragma once

#include <QString>
#include <QStringList>

#include "speechtexts.h"

// Speaks the course's Spanish texts with espeak-ng and writes the main
// recording database of the staged installation:
//
//   stage/wave/espeak/<name>.wav   one 16-bit mono recording per distinct spoken text
//   stage/S_wx.zvk                 every lookup key -> "XS:\espeak\<name>.wav"
//
// The texts come from every library ("*.asc", any depth) below the staged
// "Vokabeln (S)" and from the basic vocabulary sources given.
//
// Incremental: a recording's name is made from its spoken text and the
// voice settings, so a file that exists already holds that text and is not
// made again. Recordings of the folder that no text needs any more are
// removed. The database keeps entries that do not point into the folder
// (recordings added by hand with the editor); for a text that has such an
// entry, that entry stays. The database file is rewritten only when its
// content changes.
class WaveBuilder {
 public:
  struct Options {
    QString stageDir;                 // the installation tree (ProgramDir)
    QStringList basicSources;         // basic vocabulary: ten-line records, UTF-8 source or packed resource
    QString espeak = QStringLiteral("espeak-ng");  // program name or path
    QString voice = QStringLiteral("es");
    int speed = 150;                  // words per minute; a little slower than espeak's default for learners
    int jobs = 4;                     // espeak-ng processes at once
  };

  static inline const QString kSubFolder = QStringLiteral("espeak");

  explicit WaveBuilder(Options options);

  // False after the first error; errors() says what went wrong.
  bool run();

  const QStringList& errors() const { return errors_; }
  const SpeechTexts::Collection& texts() const { return texts_; }
  int generated() const { return generated_; }
  int kept() const { return kept_; }
  int removed() const { return removed_; }
  bool databaseWritten() const { return databaseWritten_; }

  // Paths of the staged tree.
  QString vocabularyDir() const;
  QString waveDir() const;  // the folder of the generated recordings
  QString databasePath() const;

  // The file name of the recording of a spoken text under these settings.
  QString fileNameFor(const QString& spoken) const;
  // The full path of the espeak-ng program, or empty when it is not there.
  QString espeakProgram() const;

 private:
  bool collect();
  bool generate(const QString& program);
  bool removeStale();
  bool writeDatabase();

  Options options_;
  SpeechTexts::Collection texts_;
  QStringList errors_;
  int generated_ = 0;
  int kept_ = 0;
  int removed_ = 0;
  bool databaseWritten_ = false;
};
