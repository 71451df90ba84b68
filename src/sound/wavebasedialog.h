#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class PageCommandTable;

class Environment;
class MciDevice;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TBaseRec;
class TSamplePlayer;
class TXWaveBase;

// "Verwaltung der Sprachaufnahmen": browses and edits a recording database
// entry by entry. Its changes act on the database at once. Besides choosing
// a sound file for an entry, the learner can record the entry's text with
// the microphone: the recording is saved in the own recording directory
// (alias "XU:") and becomes the entry's file.
//
// The dialog registers itself as the database's change notification while
// it lives and restores the previous one when it goes.
class TWaveDB : public QDialog {
  Q_OBJECT
 public:
  // Recordings are limited to this many seconds.
  static constexpr int kMaxRecordSeconds = 10;

  // player: the program's sample player (one of its own when none is
  // given); device: the sound device of the dialog's own player and of the
  // recorder (the shared one when none is given).
  TWaveDB(TXWaveBase& base, Environment& env, TSamplePlayer* player = nullptr, MciDevice* device = nullptr,
          QWidget* parent = nullptr);
  ~TWaveDB() override;

  // The controls, named as in the form.
  QLineEdit* Suchen;
  QLineEdit* eText;
  QLineEdit* eDatei;
  QToolButton* dFirst;
  QToolButton* dPrevious;
  QToolButton* dNext;
  QToolButton* dLast;
  QToolButton* dAdd;
  QToolButton* dDelete;
  QToolButton* Durchsuchen;
  QToolButton* bPlay;
  QToolButton* bRecord;
  QPushButton* sort;
  QLabel* Counter;

  // The buttons' actions.
  void FirstClick();
  void PreviousClick();
  void NextClick();
  void LastClick();
  void AddClick();
  void DeleteClick();
  void BrowseClick();
  void PlayClick();
  // Starts recording the current entry's text, or stops a running recording
  // (which then is saved and linked to the entry).
  void RecordClick();
  void SortClick();
  // Shows the current entry, the play button and the count.
  void Refresh();
  // Closes the dialog; a recording still running is dropped.
  void reject() override;

  // The reference a sound file is stored with: "XU:\" + its path below the
  // own recording directory, or the path itself elsewhere.
  static QString ReferenceFor(const Environment& env, const QString& path);

  TSamplePlayer& Player() const { return *player_; }
  // The recorder, once something was recorded.
  TBaseRec* Recorder() const { return recorder_.get(); }
  bool Recording() const;

  // The open dialog for a sound file (the chosen path or empty); the
  // platform's dialog when unset.
  std::function<QString()> chooseWaveFile;
  // The directory dialog for the own recordings (the chosen directory or
  // empty); the platform's dialog when unset.
  std::function<QString()> chooseOwnWaveDir;

 private:
  void setEditing(bool enabled);
  void recorderChanged();
  void saveRecording();
  QString recordingFileName() const;

  TXWaveBase& base_;
  Environment& env_;
  MciDevice* device_;
  std::unique_ptr<TSamplePlayer> ownPlayer_;
  TSamplePlayer* player_;
  std::unique_ptr<TBaseRec> recorder_;
  std::function<void()> previousOnChange_;
  int recorderState_ = 3;
  bool discardRecording_ = false;
};

// Opens the dialog modally for a database; returns when it is closed.
void ShowWaveBaseDialog(TXWaveBase& base, Environment& env, TSamplePlayer* player = nullptr,
                        QWidget* parent = nullptr);

// Opens the dialog at the entry of a text with a sound file: the text's
// entry when the database has one, else a new entry for it; the entry's
// file becomes file.
void ShowWaveBaseDialogAt(TXWaveBase& base, Environment& env, const QString& text, const QString& file,
                          TSamplePlayer* player = nullptr, QWidget* parent = nullptr);

// The page command "wavebase": the dialog for the main recording database.
void RegisterRecordingCommands(PageCommandTable& table, TXWaveBase& base, Environment& env, TSamplePlayer* player,
                               QWidget* dialogParent);
