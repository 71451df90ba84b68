#pragma once

#include <QDateTime>
#include <QString>

// The learning log "<name>_S_LOG.txt": one line per logout, Windows-1252 with
// CR LF. Dates and times are always written in the German forms dd.mm.yyyy
// and hh:mm:ss, whatever the system locale.
namespace LearningLog {

struct Entry {
  QDateTime login;
  // Seconds from login to logout; written as a time of day (whole days dropped).
  qint64 durationSeconds = 0;
  int typing = 0;
  int multipleChoice = 0;
  int lasVegas = 0;
  int freeFall = 0;
  int averageAbsolute = 0;
  int averageRelative = 0;
  qsizetype records = 0;
};

QString germanDate(const QDate& date);  // "dd.mm.yyyy"
QString germanTime(const QTime& time);  // "hh:mm:ss"

// The line without its line end.
QString formatLine(const Entry& entry);

// Appends the line and CR LF, creating the log (readable by its owner only) when missing.
bool append(const QString& path, const Entry& entry);

}  // namespace LearningLog
