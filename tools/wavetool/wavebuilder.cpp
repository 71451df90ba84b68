#include "wavebuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <deque>
#include <memory>

#include "common/fileio.h"
#include "courserecords.h"
#include "sound/txwavebase.h"

namespace {

// espeak-ng takes a few tenths of a second per text, most of it starting up.
constexpr int kEspeakTimeoutMs = 60000;

QString referencePrefix() { return QStringLiteral("XS:\\") + WaveBuilder::kSubFolder + QLatin1Char('\\'); }

}  // namespace

WaveBuilder::WaveBuilder(Options options) : options_(std::move(options)) {
  if (options_.jobs < 1) options_.jobs = 1;
}

QString WaveBuilder::vocabularyDir() const { return QDir(options_.stageDir).filePath(QStringLiteral("Vokabeln (S)")); }

QString WaveBuilder::waveDir() const { return QDir(options_.stageDir).filePath(QStringLiteral("wave/") + kSubFolder); }

QString WaveBuilder::databasePath() const { return QDir(options_.stageDir).filePath(QStringLiteral("S_wx.zvk")); }

QString WaveBuilder::fileNameFor(const QString& spoken) const {
  // The settings are part of the name: other settings make other recordings.
  const QString identity = spoken + QLatin1Char('|') + options_.voice + QLatin1Char('|') + QString::number(options_.speed);
  const QByteArray hash = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex().left(10);
  return TXWaveBase::RecordingFileName(spoken) + QLatin1Char('_') + QString::fromLatin1(hash) + QStringLiteral(".wav");
}

QString WaveBuilder::espeakProgram() const {
  if (options_.espeak.contains(QLatin1Char('/'))) {
    const QFileInfo info(options_.espeak);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
  }
  return QStandardPaths::findExecutable(options_.espeak);
}

bool WaveBuilder::run() {
  const QString program = espeakProgram();
  if (program.isEmpty()) {
    errors_.append(options_.espeak + QStringLiteral(" wurde nicht gefunden: die Sprachaufnahmen des Kurses werden mit "
                                                    "espeak-ng erzeugt (Paket espeak-ng, scripts/install-deps)"));
    return false;
  }
  return collect() && generate(program) && removeStale() && writeDatabase();
}

bool WaveBuilder::collect() {
  QList<TVokabel> records;
  if (!CourseRecords::Read(vocabularyDir(), options_.basicSources, records, errors_)) return false;
  texts_.addRecords(records);
  return true;
}

bool WaveBuilder::generate(const QString& program) {
  const QString dir = waveDir();
  if (!QDir().mkpath(dir)) {
    errors_.append(dir + QStringLiteral(": Verzeichnis kann nicht angelegt werden"));
    return false;
  }
  struct Job {
    QString spoken;
    QString target;
    QString temporary;
    std::unique_ptr<QProcess> process;
  };
  std::deque<Job> pending;
  for (const QString& spoken : texts_.spokenForms()) {
    const QString target = QDir(dir).filePath(fileNameFor(spoken));
    if (QFileInfo(target).isFile() && QFileInfo(target).size() > 44) {
      ++kept_;
      continue;
    }
    pending.push_back({spoken, target, target + QStringLiteral(".tmp"), nullptr});
  }

  std::deque<Job> running;
  const auto start = [&](Job& job) {
    job.process = std::make_unique<QProcess>();
    job.process->setProcessChannelMode(QProcess::SeparateChannels);
    // The text goes through standard input, so that nothing in it is taken for an option.
    job.process->start(program, {QStringLiteral("-v"), options_.voice, QStringLiteral("-s"),
                                 QString::number(options_.speed), QStringLiteral("-b"), QStringLiteral("1"),
                                 QStringLiteral("-w"), job.temporary, QStringLiteral("--stdin")});
    job.process->write(job.spoken.toUtf8() + '\n');
    job.process->closeWriteChannel();
  };
  const auto finish = [&](Job& job) {
    QProcess& p = *job.process;
    const bool finished = p.waitForFinished(kEspeakTimeoutMs);
    const bool ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                    QFileInfo(job.temporary).size() > 44;
    if (!ok) {
      if (!finished) p.kill();
      p.waitForFinished(1000);
      const QString detail = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
      errors_.append(QStringLiteral("espeak-ng konnte \"") + job.spoken + QStringLiteral("\" nicht sprechen") +
                     (detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
      QFile::remove(job.temporary);
      return false;
    }
    // Complete recordings only: a build that is stopped leaves a ".tmp" file, never a short ".wav".
    QFile::remove(job.target);
    if (!QFile::rename(job.temporary, job.target)) {
      errors_.append(job.target + QStringLiteral(": nicht schreibbar"));
      return false;
    }
    ++generated_;
    return true;
  };

  bool ok = true;
  while (ok && (!pending.empty() || !running.empty())) {
    while (!pending.empty() && static_cast<int>(running.size()) < options_.jobs) {
      running.push_back(std::move(pending.front()));
      pending.pop_front();
      start(running.back());
    }
    ok = finish(running.front());
    running.pop_front();
  }
  for (Job& job : running) {
    job.process->kill();
    job.process->waitForFinished(1000);
    QFile::remove(job.temporary);
  }
  return ok;
}

bool WaveBuilder::removeStale() {
  QSet<QString> needed;
  for (const QString& spoken : texts_.spokenForms()) needed.insert(fileNameFor(spoken));
  const QDir dir(waveDir());
  for (const QString& name : dir.entryList(QDir::Files)) {
    const bool recording = name.endsWith(QLatin1String(".wav"));
    const bool leftover = name.endsWith(QLatin1String(".wav.tmp"));
    if ((!recording && !leftover) || needed.contains(name)) continue;
    if (!QFile::remove(dir.filePath(name))) {
      errors_.append(dir.filePath(name) + QStringLiteral(": kann nicht entfernt werden"));
      return false;
    }
    if (recording) ++removed_;
  }
  return true;
}

bool WaveBuilder::writeDatabase() {
  const QString path = databasePath();
  const auto before = FileIO::readBytes(path);

  TXWaveBase base(TXWaveBase::IgnoreDuplicates);
  if (before) {
    TXWaveBase old(TXWaveBase::IgnoreDuplicates);
    if (!old.Load(path)) {
      errors_.append(path + QStringLiteral(": keine lesbare Datenbank der Sprachaufnahmen; bitte entfernen"));
      return false;
    }
    for (int i = 0; i < old.Count(); ++i) {
      const TXWave& wave = old.Entry(i);
      if (!wave.Reference.startsWith(referencePrefix(), Qt::CaseInsensitive)) base.Add(wave.Text, wave.Reference);
    }
  }
  for (const auto& [key, spoken] : texts_.entries()) base.Add(key, referencePrefix() + fileNameFor(spoken));

  const QByteArray content = base.Serialize();
  if (before && *before == content) return true;
  if (!base.Save(path)) {
    errors_.append(path + QStringLiteral(": nicht schreibbar"));
    return false;
  }
  databaseWritten_ = true;
  return true;
}
