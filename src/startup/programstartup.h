#pragma once

#include <QStringList>
#include <memory>

#include "sound/txwavebase.h"

class Environment;
class SettingsStore;

// The start-up both programs share. It owns the settings store and the
// Environment for the rest of the program, and the two recording databases:
//   Begin: the command line and the random generator;
//   ReadSettings: the ini file beside the programs (not from a network
//     program directory), the directory settings, the completeness of the
//     installation and the special recording directories;
//   CreateMainRecordingDatabase, CreateSecondaryRecordingDatabase.
// A program puts its own steps in between (the trainer checks the screen
// after the command line, and logs in before the recordings are loaded).
class ProgramStartup {
 public:
  ProgramStartup(const QString& programDir, std::unique_ptr<SettingsStore> store);
  ~ProgramStartup();

  // Right after the application object is made: Qt's own dialogs and
  // buttons speak German whatever the desktop's language (when Debian's Qt
  // translations are installed; the programs' message boxes name their
  // buttons themselves), and a file size limit makes a write fail instead of
  // ending the program, so that the failure is reported and the old file kept.
  static void PrepareApplication();

  void Begin(const QStringList& arguments);
  // False (after the stop message) when the installation is incomplete.
  bool ReadSettings();

  Environment& environment() { return *environment_; }
  SettingsStore& store() { return *store_; }

  // The main recording database: loaded from RecordingDbFile; when that
  // file is missing, an empty database is created as ProgramDir +
  // "S_wx.zvk", and a failure to write it is reported (the program goes on
  // with the empty database).
  void CreateMainRecordingDatabase();
  // The secondary recording database: the course's "s_w.zvk" when a
  // recording directory is set, and the add-ons' SkDir + "S_sk.zvk" and
  // SxDir + "S_sx.zvk" (a directory without its database is emptied).
  void CreateSecondaryRecordingDatabase();
  TXWaveBase& MainRecordings() { return *mainRecordings_; }
  TXWaveBase& SecondaryRecordings() { return *secondaryRecordings_; }
  RecordingDatabases Recordings() const { return {mainRecordings_.get(), secondaryRecordings_.get()}; }
  // The recording of a text, looked up in both databases.
  RecordingLookup RecordingPaths() const;

  static QString incompleteInstallationText();
  static QString recordingDatabaseFailedText();

 private:
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<Environment> environment_;
  std::unique_ptr<TXWaveBase> mainRecordings_;
  std::unique_ptr<TXWaveBase> secondaryRecordings_;
};
