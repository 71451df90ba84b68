#include "espeakjobs.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <deque>
#include <memory>

namespace {

// espeak-ng takes a few tenths of a second per text, most of it starting up.
constexpr int kEspeakTimeoutMs = 60000;
// A ".wav" file with no more than its header holds no speech.
constexpr qint64 kHeaderBytes = 44;

}  // namespace

QString EspeakJobs::FindProgram(const QString& nameOrPath) {
  if (nameOrPath.contains(QLatin1Char('/'))) {
    const QFileInfo info(nameOrPath);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
  }
  return QStandardPaths::findExecutable(nameOrPath);
}

EspeakJobs::EspeakJobs(QString program, QString voice, int parallel)
    : program_(std::move(program)), voice_(std::move(voice)), parallel_(std::max(1, parallel)) {}

bool EspeakJobs::Run(const std::vector<Job>& jobs, QStringList& errors) {
  struct Running {
    const Job* job;
    QString temporary;
    std::unique_ptr<QProcess> process;
  };
  const auto start = [this](const Job& job) {
    Running r{&job, job.target + QStringLiteral(".tmp"), std::make_unique<QProcess>()};
    r.process->setProcessChannelMode(QProcess::SeparateChannels);
    QStringList args{QStringLiteral("-v"), voice_, QStringLiteral("-s"), QString::number(job.speed)};
    if (job.wordGap > 0) args << QStringLiteral("-g") << QString::number(job.wordGap);
    args << QStringLiteral("-b") << QStringLiteral("1") << QStringLiteral("-w") << r.temporary << QStringLiteral("--stdin");
    r.process->start(program_, args);
    r.process->write(job.text.toUtf8() + '\n');
    r.process->closeWriteChannel();
    return r;
  };
  const auto finish = [this, &errors](Running& r) {
    QProcess& p = *r.process;
    const bool finished = p.waitForFinished(kEspeakTimeoutMs);
    const bool ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                    QFileInfo(r.temporary).size() > kHeaderBytes;
    if (!ok) {
      if (!finished) p.kill();
      p.waitForFinished(1000);
      const QString detail = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
      errors.append(QStringLiteral("espeak-ng konnte \"") + r.job->text + QStringLiteral("\" nicht sprechen") +
                    (detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
      QFile::remove(r.temporary);
      return false;
    }
    QFile::remove(r.job->target);
    if (!QFile::rename(r.temporary, r.job->target)) {
      errors.append(r.job->target + QStringLiteral(": nicht schreibbar"));
      return false;
    }
    ++generated_;
    return true;
  };

  size_t next = 0;
  std::deque<Running> running;
  bool ok = true;
  while (ok && (next < jobs.size() || !running.empty())) {
    while (next < jobs.size() && static_cast<int>(running.size()) < parallel_) running.push_back(start(jobs[next++]));
    ok = finish(running.front());
    running.pop_front();
  }
  for (Running& r : running) {
    r.process->kill();
    r.process->waitForFinished(1000);
    QFile::remove(r.temporary);
  }
  return ok;
}
