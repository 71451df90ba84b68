#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "common/messagerecorder.h"
#include "common/textcodec.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "testsupport.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"

// Lines joined as a library file writes them: CR LF after every line.
inline QByteArray crlfLines(const QStringList& lines) {
  QByteArray out;
  for (const QString& line : lines) out += Cp1252::encode(line) + "\r\n";
  return out;
}

// The ten lines of one record.
inline QStringList recordLines(const QString& vokabel, const QString& bedeutung, int wortart = 0,
                               bool deutsch = false, int schwierigkeit = 0) {
  return {vokabel, bedeutung, QString(), QString(), QStringLiteral("0"), QString(), QStringLiteral("0"),
          QString::number(wortart), deutsch ? QStringLiteral("1") : QStringLiteral("0"),
          QString::number(schwierigkeit)};
}

inline TVokabel record(const QString& vokabel, const QString& bedeutung, int wortart = 0, bool deutsch = false,
                       int schwierigkeit = 0) {
  TVokabel v;
  v.Vokabel = vokabel;
  v.Bedeutung[0] = bedeutung;
  v.Wortart = wortart;
  v.Deutsch = deutsch;
  v.Schwierigkeit = schwierigkeit;
  return v;
}

// A program directory with a vocabulary directory, its own settings store, a
// recorded message box, a user base and the library.
class VocabularyFixture {
 public:
  VocabularyFixture() : env(program.path(), store), users(env), library(env) {
    env.VocabularyDir = program.mkdir(QStringLiteral("Vokabeln (S)"));
    library.setUserBase(&users);
  }

  QString writeLibrary(const QString& relative, const QStringList& lines) const {
    return program.write(QStringLiteral("Vokabeln (S)/") + relative, crlfLines(lines));
  }

  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  TXUserBase users;
  TBibliothek library;
};
