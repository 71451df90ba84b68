#pragma once

#include <QStringList>
#include <memory>

#include "sound/txwavebase.h"

class Environment;
class SettingsStore;
class TBibliothek;
class TXUserBase;

// The trainer's start-up sequence up to the creation of its long-lived
// objects: command line, screen check, settings file and settings store,
// completeness of the installation. Owns the settings store and the
// Environment for the rest of the program.
class TrainerStartup {
 public:
  // screenSize and colorBits describe the screen the trainer runs on.
  struct Screen {
    int width = 0;
    int height = 0;
    int colorBits = 0;
  };

  TrainerStartup(const QString& programDir, std::unique_ptr<SettingsStore> store);
  ~TrainerStartup();

  // Runs the sequence; false (after a stop message) when the trainer must end.
  bool run(const QStringList& arguments, const Screen& screen);

  Environment& environment() { return *environment_; }

  // The main recording database (after the login): loaded from
  // RecordingDbFile; when that file is missing, an empty database is created
  // as ProgramDir + "S_wx.zvk", and a failure to write it is reported (the
  // program goes on with the empty database).
  void CreateMainRecordingDatabase();
  // The secondary recording database (after the extension check): the
  // course's "s_w.zvk" when a recording directory is set, and the add-ons'
  // SkDir + "S_sk.zvk" and SxDir + "S_sx.zvk" (a directory without its
  // database is emptied).
  void CreateSecondaryRecordingDatabase();
  TXWaveBase& MainRecordings() { return *mainRecordings_; }
  TXWaveBase& SecondaryRecordings() { return *secondaryRecordings_; }
  RecordingDatabases Recordings() const { return {mainRecordings_.get(), secondaryRecordings_.get()}; }

  static QString notEnoughColorsText();
  static QString resolutionTooLowText();
  static QString incompleteInstallationText();
  static QString recordingDatabaseFailedText();

  // Ties the vocabulary library to the user base: scores come from the
  // logged-in learner's history, the learner's query settings are loaded at
  // every login and saved (when changed) whenever the learner's data is
  // saved. Hooks set before are kept and run first.
  static void ConnectVocabulary(TBibliothek& library, TXUserBase& users);
  // Start-up after the login: the settings (and with them the selection)
  // of anonymous use when no login loaded any.
  static void LoadVocabularySettings(TBibliothek& library);

 private:
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<Environment> environment_;
  std::unique_ptr<TXWaveBase> mainRecordings_;
  std::unique_ptr<TXWaveBase> secondaryRecordings_;
};
