#include "users/learninglog.h"

#include "common/textcodec.h"
#include "users/privatefiles.h"
#include "users/userfile.h"

namespace LearningLog {

QString germanDate(const QDate& date) {
  return QStringLiteral("%1.%2.%3")
      .arg(date.day(), 2, 10, QLatin1Char('0'))
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString germanTime(const QTime& time) {
  return UserFile::formatTimeOfDay(time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0);
}

QString formatLine(const Entry& e) {
  const QChar tab = QLatin1Char('\t');
  QString line = germanDate(e.login.date()) + QLatin1Char(' ') + germanTime(e.login.time()) + QLatin1Char(' ') +
                 UserFile::formatTimeOfDay(e.durationSeconds) + QLatin1Char(' ');
  line += QStringLiteral("Eintippen:") + tab + QString::number(e.typing) + tab;
  line += QStringLiteral("Mult. Ch.:") + tab + QString::number(e.multipleChoice) + tab;
  line += QStringLiteral("Las Vegas:") + tab + QString::number(e.lasVegas) + tab;
  line += QStringLiteral("Free Fall:") + tab + QString::number(e.freeFall) + tab;
  line += QStringLiteral("Performance Insgesamt: abs: ") + QString::number(e.averageAbsolute) +
          QStringLiteral("% rel: ") + QString::number(e.averageRelative) + QStringLiteral("% ") +
          QString::number(e.records) + QStringLiteral(" verschiedene Vokabeln");
  return line;
}

bool append(const QString& path, const Entry& entry) {
  return PrivateFiles::append(path, Cp1252::encode(formatLine(entry) + QStringLiteral("\r\n")));
}

}  // namespace LearningLog
