#pragma once

#include <QString>
#include <QStringList>

// The language lab's recordings, spoken with espeak-ng at build time: each
// sentence of the lab's data twice, below the staged recording directory.
//
//   "XS:\LA\01\la0101a.wav"  ->  stage/wave/LA/01/la0101a.wav   slow
//                                stage/wave/LA/01/la0101b.wav   normal speed
//
// A stamp file (kept in the build tree) notes what text, voice and speed
// every file was made from: only new or changed sentences are spoken again.
// Recordings below wave/LA that no sentence names any more are removed.
class LabRecordings {
 public:
  struct Options {
    QString stageDir;   // the installation tree (ProgramDir)
    QString sentences;  // the lab's data resource, packed or plain text
    QString stampFile;  // empty: every recording is made again
    QString espeak = QStringLiteral("espeak-ng");
    QString voice = QStringLiteral("es");
    // Slow enough to take down word by word, with a short pause between words.
    int slowSpeed = 115;
    int slowWordGap = 4;
    int normalSpeed = 160;
    int jobs = 4;
  };

  static inline const QString kFolder = QStringLiteral("LA");

  explicit LabRecordings(Options options);

  // False after the first error; errors() says what went wrong.
  bool run();

  const QStringList& errors() const { return errors_; }
  int sentences() const { return sentences_; }
  int generated() const { return generated_; }
  int kept() const { return kept_; }
  int removed() const { return removed_; }

  // The path below the stage of the slow recording a reference names, as
  // "wave/LA/..." (forward slashes); empty for a reference that is not of
  // the form "XS:\LA\<folders>\<name>a.wav" in lower-case letters and digits.
  static QString RelativePath(const QString& reference);
  // The normal-speed file of a slow one ("...a.wav" -> "...b.wav").
  static QString NormalSpeedPath(const QString& slowPath);

 private:
  Options options_;
  QStringList errors_;
  int sentences_ = 0;
  int generated_ = 0;
  int kept_ = 0;
  int removed_ = 0;
};
