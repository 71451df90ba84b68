#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Speaks texts into ".wav" files with several espeak-ng processes at once.
// Each text goes through standard input, so nothing in it is taken for an
// option; each recording is written to a temporary file first, so a build
// that is stopped leaves no short ".wav" behind.
class EspeakJobs {
 public:
  struct Job {
    QString text;
    QString target;  // the ".wav" file
    int speed = 150;  // words per minute
    int wordGap = 0;  // extra pause between words, in units of 10 ms
  };

  // The full path of the program (a name looked up in PATH, or a path);
  // empty when it is not there.
  static QString FindProgram(const QString& nameOrPath);

  EspeakJobs(QString program, QString voice, int parallel);

  // Speaks every job; false after the first failure, with the reason in errors.
  bool Run(const std::vector<Job>& jobs, QStringList& errors);
  int Generated() const { return generated_; }

 private:
  QString program_;
  QString voice_;
  int parallel_;
  int generated_ = 0;
};
