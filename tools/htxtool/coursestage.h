#pragma once

#include <QString>
#include <QStringList>

// Builds an installation tree from the course sources: page files are
// packed, text files converted to Windows-1252 with CR LF, everything else
// copied. Files whose target is newer than the source are left alone.
class CourseStage {
 public:
  CourseStage(const QString& sourceDir, const QString& targetDir);

  // Returns false after the first file that could not be converted or written;
  // errors() says which.
  bool run();

  const QStringList& errors() const { return errors_; }
  int written() const { return written_; }

  enum class Kind { Page, Text, Binary, Skipped };
  static Kind kindOf(const QString& relativePath);

 private:
  bool stageFile(const QString& relativePath);

  QString source_;
  QString target_;
  QStringList errors_;
  int written_ = 0;
};
