#pragma once

#include <QStringList>
#include <memory>

#include "startup/programstartup.h"

class Environment;
class SettingsStore;
class TBibliothek;
class TXUserBase;

// The trainer's start-up up to the creation of its long-lived objects: the
// shared start-up with the trainer's screen check after the command line.
class TrainerStartup {
 public:
  // The screen the trainer runs on.
  struct Screen {
    int width = 0;
    int height = 0;
    int colorBits = 0;
  };

  TrainerStartup(const QString& programDir, std::unique_ptr<SettingsStore> store);

  // Runs the sequence; false (after a stop message) when the trainer must end.
  bool run(const QStringList& arguments, const Screen& screen);

  ProgramStartup& shared() { return shared_; }
  Environment& environment() { return shared_.environment(); }
  void CreateMainRecordingDatabase() { shared_.CreateMainRecordingDatabase(); }
  void CreateSecondaryRecordingDatabase() { shared_.CreateSecondaryRecordingDatabase(); }
  TXWaveBase& MainRecordings() { return shared_.MainRecordings(); }
  TXWaveBase& SecondaryRecordings() { return shared_.SecondaryRecordings(); }
  RecordingDatabases Recordings() const { return shared_.Recordings(); }

  static QString notEnoughColorsText();
  static QString resolutionTooLowText();
  static QString incompleteInstallationText() { return ProgramStartup::incompleteInstallationText(); }
  static QString recordingDatabaseFailedText() { return ProgramStartup::recordingDatabaseFailedText(); }

  // Ties the vocabulary library to the user base: scores come from the
  // logged-in learner's history, the learner's query settings are loaded at
  // every login and saved (when changed) whenever the learner's data is
  // saved. Hooks set before are kept and run first.
  static void ConnectVocabulary(TBibliothek& library, TXUserBase& users);
  // Start-up after the login: the settings (and with them the selection)
  // of anonymous use when no login loaded any.
  static void LoadVocabularySettings(TBibliothek& library);

 private:
  ProgramStartup shared_;
};
