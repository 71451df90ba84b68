#include "labrecordings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include "common/fileio.h"
#include "courserecords.h"
#include "espeakjobs.h"

namespace {

// The identity of a recording: the text and everything that shapes the voice.
QString stampOf(const QString& text, const QString& voice, int speed, int gap) {
  const QString identity = text + QLatin1Char('|') + voice + QLatin1Char('|') + QString::number(speed) +
                           QLatin1Char('|') + QString::number(gap);
  return QString::fromLatin1(QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// "relative path<TAB>stamp" per line.
QMap<QString, QString> readStamps(const QString& path) {
  QMap<QString, QString> stamps;
  const auto bytes = path.isEmpty() ? std::nullopt : FileIO::readBytes(path);
  if (!bytes) return stamps;
  for (const QByteArray& line : bytes->split('\n')) {
    const qsizetype tab = line.indexOf('\t');
    if (tab > 0) stamps.insert(QString::fromUtf8(line.left(tab)), QString::fromLatin1(line.mid(tab + 1)));
  }
  return stamps;
}

}  // namespace

LabRecordings::LabRecordings(Options options) : options_(std::move(options)) {}

QString LabRecordings::RelativePath(const QString& reference) {
  static const QRegularExpression kForm(QStringLiteral("^XS:\\\\LA((?:\\\\[a-z0-9_]+)*\\\\[a-z0-9_]*a\\.wav)$"));
  const QRegularExpressionMatch m = kForm.match(reference);
  if (!m.hasMatch()) return {};
  return QStringLiteral("wave/") + kFolder + QString(m.captured(1)).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString LabRecordings::NormalSpeedPath(const QString& slowPath) {
  QString path = slowPath;
  path[path.size() - 5] = QLatin1Char('b');
  return path;
}

bool LabRecordings::run() {
  const QString program = EspeakJobs::FindProgram(options_.espeak);
  if (program.isEmpty()) {
    errors_.append(options_.espeak + QStringLiteral(" wurde nicht gefunden: die Sätze des Sprachlabors werden mit "
                                                    "espeak-ng gesprochen (Paket espeak-ng, scripts/install-deps)"));
    return false;
  }
  QList<TThema> topics;
  if (!CourseRecords::ReadLabTopics(options_.sentences, topics, errors_)) return false;

  const QDir stage(options_.stageDir);
  const QMap<QString, QString> before = readStamps(options_.stampFile);
  QMap<QString, QString> after;
  std::vector<EspeakJobs::Job> jobs;
  const auto want = [&](const QString& relative, const QString& text, int speed, int gap) {
    const QString stamp = stampOf(text, options_.voice, speed, gap);
    after.insert(relative, stamp);
    const QString target = stage.filePath(relative);
    if (before.value(relative) == stamp && QFileInfo(target).size() > 44) {
      ++kept_;
      return;
    }
    jobs.push_back({text, target, speed, gap});
  };
  for (const TThema& topic : topics) {
    for (const TSatz& s : topic.Saetze) {
      const QString relative = RelativePath(s.Aufnahme);
      if (relative.isEmpty()) {
        errors_.append(QStringLiteral("Sprachlabor, Thema \"") + topic.Titel + QStringLiteral("\", Satz \"") + s.Satz +
                       QStringLiteral("\": die Aufnahme \"") + s.Aufnahme +
                       QStringLiteral("\" hat nicht die Form XS:\\LA\\...a.wav"));
        return false;
      }
      if (after.contains(relative)) {
        errors_.append(QStringLiteral("Sprachlabor: die Aufnahme \"") + s.Aufnahme +
                       QStringLiteral("\" gehört zu mehr als einem Satz"));
        return false;
      }
      ++sentences_;
      want(relative, s.Satz, options_.slowSpeed, options_.slowWordGap);
      want(NormalSpeedPath(relative), s.Satz, options_.normalSpeed, 0);
    }
  }
  for (const EspeakJobs::Job& job : jobs) {
    const QString dir = QFileInfo(job.target).absolutePath();
    if (!QDir().mkpath(dir)) {
      errors_.append(dir + QStringLiteral(": Verzeichnis kann nicht angelegt werden"));
      return false;
    }
  }
  EspeakJobs espeak(program, options_.voice, options_.jobs);
  const bool spoken = espeak.Run(jobs, errors_);
  generated_ = espeak.Generated();

  // The stamps of what exists now: made in this run, or kept from the last one.
  QByteArray stamps;
  for (auto it = after.cbegin(); it != after.cend(); ++it) {
    const bool made = QFileInfo(stage.filePath(it.key())).size() > 44 &&
                      (before.value(it.key()) == it.value() || spoken);
    if (made) stamps += it.key().toUtf8() + '\t' + it.value().toLatin1() + '\n';
  }
  if (!options_.stampFile.isEmpty() &&
      (!QDir().mkpath(QFileInfo(options_.stampFile).absolutePath()) ||
       !FileIO::writeAtomically(options_.stampFile, stamps))) {
    errors_.append(options_.stampFile + QStringLiteral(": nicht schreibbar"));
    return false;
  }
  if (!spoken) return false;

  // Recordings of sentences that are gone.
  const QString root = stage.filePath(QStringLiteral("wave/") + kFolder);
  QDirIterator it(root, {QStringLiteral("*.wav"), QStringLiteral("*.wav.tmp")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (after.contains(stage.relativeFilePath(path))) continue;
    if (!QFile::remove(path)) {
      errors_.append(path + QStringLiteral(": kann nicht entfernt werden"));
      return false;
    }
    if (path.endsWith(QLatin1String(".wav"))) ++removed_;
  }
  return true;
}
