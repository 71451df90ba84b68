#pragma once

#include <QStringList>
#include <memory>

class Environment;
class SettingsStore;

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

  static QString notEnoughColorsText();
  static QString resolutionTooLowText();
  static QString incompleteInstallationText();

 private:
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<Environment> environment_;
};
