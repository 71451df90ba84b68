#include "wavebuilder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "common/fileio.h"
#include "courserecords.h"
#include "espeakjobs.h"
#include "sound/txwavebase.h"

namespace {

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

QString WaveBuilder::espeakProgram() const { return EspeakJobs::FindProgram(options_.espeak); }

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
  std::vector<EspeakJobs::Job> jobs;
  for (const QString& spoken : texts_.spokenForms()) {
    const QString target = QDir(dir).filePath(fileNameFor(spoken));
    if (QFileInfo(target).isFile() && QFileInfo(target).size() > 44) {
      ++kept_;
      continue;
    }
    jobs.push_back({spoken, target, options_.speed});
  }
  EspeakJobs espeak(program, options_.voice, options_.jobs);
  const bool ok = espeak.Run(jobs, errors_);
  generated_ = espeak.Generated();
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
