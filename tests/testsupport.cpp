#include "testsupport.h"

#include <csignal>
#include <sys/resource.h>

#include <QFile>
#include <QFileInfo>

QString TestTree::write(const QString& relative, const QByteArray& bytes) const {
  const QString p = file(relative);
  QDir().mkpath(QFileInfo(p).absolutePath());
  QFile f(p);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
  return p;
}

QString TestTree::mkdir(const QString& relative) const {
  QDir().mkpath(file(relative));
  QString p = file(relative);
  if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
  return p;
}

QByteArray TestTree::read(const QString& relative) const {
  QFile f(file(relative));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ScopedConfigHome::ScopedConfigHome()
    : previous_(qgetenv("XDG_CONFIG_HOME")), hadPrevious_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
  qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
}

ScopedConfigHome::~ScopedConfigHome() {
  if (hadPrevious_) qputenv("XDG_CONFIG_HOME", previous_);
  else qunsetenv("XDG_CONFIG_HOME");
}

ScopedFileSizeLimit::ScopedFileSizeLimit(long long bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  previous_ = limit.rlim_cur;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(previous_);
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

void TestTree::copyFiles(const QString& fromDirectory, const QString& relative) const {
  const QDir from(fromDirectory);
  mkdir(relative);
  for (const QString& name : from.entryList(QDir::Files)) {
    QFile::remove(file(relative + QLatin1Char('/') + name));
    QFile::copy(from.filePath(name), file(relative + QLatin1Char('/') + name));
  }
}
