#pragma once

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

// A temporary directory with helpers to lay out files; paths end with "/".
class TestTree {
 public:
  TestTree() { dir_.setAutoRemove(true); }
  QString path() const { return dir_.path() + QLatin1Char('/'); }
  QString file(const QString& relative) const { return path() + relative; }

  // Creates the file (and its directories) with the given bytes.
  QString write(const QString& relative, const QByteArray& bytes = {}) const;
  QString mkdir(const QString& relative) const;
  QByteArray read(const QString& relative) const;
  // Copies the files of a directory (not its subdirectories) into the tree.
  void copyFiles(const QString& fromDirectory, const QString& relative) const;

 private:
  QTemporaryDir dir_;
};

// A full disk as this process sees it: while the object lives, no file can
// grow beyond the given size (writes beyond it fail instead of ending the
// process). Files already larger can still be read.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(long long bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  unsigned long long previous_ = 0;
};

// Points the settings store at a fresh XDG_CONFIG_HOME while it lives.
class ScopedConfigHome {
 public:
  ScopedConfigHome();
  ~ScopedConfigHome();
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
  bool hadPrevious_;
};

// Tests that speak need espeak-ng. CI installs it, so there a missing
// program fails the test; elsewhere it is skipped.
#define REQUIRE_ESPEAK()                                                                              \
  do {                                                                                                \
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty()) {                      \
      if (qEnvironmentVariableIsSet("CI")) FAIL() << "espeak-ng is missing (scripts/install-deps)";  \
      GTEST_SKIP() << "espeak-ng is not installed";                                                   \
    }                                                                                                 \
  } while (false)
