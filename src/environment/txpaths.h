#pragma once

#include <QDialog>
#include <functional>

class Environment;
class PageCommandTable;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "*zvk spanisch Verzeichnisse": the directories that may change after
// installation: the user directory, the course's recordings, the user's own
// recordings and the two add-ons' recordings. Both programs open it.
//
// OK checks every field first and changes nothing while one is refused;
// only then are the directories taken, the own recordings' references
// rewritten (when the author agrees) and the settings saved.
class TXPaths : public QDialog {
  Q_OBJECT
 public:
  // What the dialog needs of the main recording database: whether some
  // reference names a file below a directory, and rewriting those as "XU:\".
  struct Recordings {
    std::function<bool(const QString& dir)> hasReferencesBelow;
    std::function<int(const QString& dir)> replaceDirByAlias;
  };

  TXPaths(Environment& env, Recordings recordings, QWidget* parent = nullptr);

  QTabWidget* P;
  QLineEdit* eInstall;
  QLineEdit* eBenutzer;
  QPushButton* BenSuchen;
  QLineEdit* eWave;
  QPushButton* WAVsuchen;
  QLineEdit* eUser;
  QPushButton* USRsuchen;
  QLineEdit* eWi;
  QLineEdit* eRE;
  QPushButton* OK;
  QPushButton* Button2;

  // The open dialog: proposal in (a file name in a directory), the chosen
  // file or empty out; the platform's dialog when unset.
  std::function<QString(const QString& proposal)> Durchsuchen;

  void WAVsuchenClick();
  void USRsuchenClick();
  void BenSuchenClick();
  // OK: false (the dialog stays open) when a field was refused.
  bool OKClick();
  // The recordings field in black when it names a directory, red otherwise.
  void eWaveChange();

  // A directory as typed, with its separator at the end ("" stays "").
  static QString DirectoryOf(const QString& text);

 private:
  QString browse(const QString& proposal);

  Environment& env_;
  Recordings recordings_;
};

// The page command "paths": the dialog over the main recording database.
void RegisterPathsCommand(PageCommandTable& table, Environment& env, TXPaths::Recordings recordings,
                          QWidget* dialogParent);
