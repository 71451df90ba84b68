#pragma once

#include <QString>
#include <QStringList>

class Environment;
class TXUserBase;

// The texts the trainer gives its pages for special codes ("user", "wave",
// "version", "perfa", "zeit"...). Codes are compared exactly.
class TrainerSpecialCodes {
 public:
  TrainerSpecialCodes(const Environment& environment, const TXUserBase* users) : env_(environment), users_(users) {}

  // The installed extensions' names ("extensions", and the page conditions "online" and "mute").
  QStringList InstalledExtensions;

  // Replaces code by its text. While nobody is logged in, a code of the
  // learner's rows or one that matches no row becomes empty; with a learner a
  // code that matches no row stays as it is.
  void Answer(QString& code) const;

 private:
  bool vocabularyDirectory(const QString& name) const;
  bool hasLibraries(const QString& name) const;
  QString extensionsText() const;

  const Environment& env_;
  const TXUserBase* users_;
};
