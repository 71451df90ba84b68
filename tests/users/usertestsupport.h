#pragma once

#include <QDateTime>
#include <memory>

#include "common/messagerecorder.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "testsupport.h"
#include "users/txuserbase.h"

// The bytes of a literal with embedded NULs, without the final one.
template <size_t N>
QByteArray raw(const char (&text)[N]) {
  return QByteArray(text, static_cast<qsizetype>(N - 1));
}

// A program directory with its own settings store, a recorded message box and
// a user base whose clock the test sets.
class UserBaseFixture {
 public:
  UserBaseFixture() : env(program.path(), store) { makeBase(); }

  void makeBase() {
    base = std::make_unique<TXUserBase>(env);
    base->clock = [this] { return now; };
  }
  QString userFile(const QString& name) const {
    return program.file(QStringLiteral("Benutzer/") + name + QLatin1Char('/') + name + QStringLiteral("_S.tmb"));
  }
  static QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy hh:mm:ss"));
  }

  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  QDateTime now = at("05.03.2024 10:00:00");
  std::unique_ptr<TXUserBase> base;
};
