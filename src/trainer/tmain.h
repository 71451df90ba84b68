#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "trainer/pagecommand.h"
#include "trainer/specialcodes.h"

class Environment;
class TXPage;
class TMusic;
class TSamplePlayer;
class TXWaveBase;
class TXUserBase;
class TLogin;
class QMenu;
class QActionGroup;
class TBibliothek;
class TRes;
class TVocQuery;
class TQueryPage;

// The full-screen backdrop behind the main window, in the learner's colour,
// with its context menu. It never takes the focus.
class TBackdrop : public QWidget {
  Q_OBJECT

 public:
  explicit TBackdrop(Environment& environment);
  quint32 Color() const { return color_; }
  void setColor(quint32 color);  // platform colour value (red in the low byte)
  // Checks the menu item of the current colour (none when it matches no item).
  void ShowColor();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Environment& env_;
  quint32 color_ = 0;
  QMenu* menu_ = nullptr;
  QActionGroup* colors_ = nullptr;
};

// The trainer's main window: 800 x 572 pixels filled by one page control.
// It answers the pages' special codes and picture requests, runs their
// commands, and ends the program in order.
class TMain : public QWidget, public PageCommandTarget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 572;

  // library: the trainer's one vocabulary library (none: the vocabulary
  // commands do nothing).
  TMain(Environment& environment, TXUserBase* users, TBibliothek* library = nullptr);
  ~TMain() override;

  TXPage* XPage() const { return page_; }
  TBackdrop* Backdrop() const { return backdrop_.get(); }
  PageCommandDispatcher& Dispatcher() { return dispatcher_; }
  TrainerSpecialCodes& SpecialCodes() { return codes_; }
  TBibliothek* Library() const { return library_; }
  // The built-in basic vocabulary, made with the window.
  const TRes* Res() const { return res_.get(); }
  // The vocabulary query on this window's page (null without a library).
  TVocQuery* Query() const { return query_.get(); }

  // Shows the start page; called once after creation.
  void ShowStartPage();
  // Moves the windows between the borderless mode over the backdrop and a framed window.
  void ApplyWindowMode(bool framed);
  // Saves what must survive and ends the program.
  void Beenden();

  // The login of learners (the user change commands use it).
  void setLogin(TLogin* login) { login_ = login; }

  // Page commands the shell carries out itself.
  void OpenWebAddress(const QString& address) override;
  bool IsLoggedIn() const override;
  void ComputeStatistics() override;
  void Login() override;
  void NewUser() override;
  void ChangeUser() override;
  void ChangePassword() override;
  void Refresh() override;
  void RemoveShortcuts() override;
  void DeleteSettings() override;
  void CloseMainWindow() override;

  // Vocabulary: the query and the vocabulary page.
  void ShowVocabularyPage() override;
  void StartQuery() override;
  void VocabularyAnswer(const QString& code) override;
  void VocabularyNextQuestion() override;
  void VocabularyContinueRound() override;
  void VocabularyEvaluation() override;
  void VocabularySetSelection(const QString& name) override;
  void VocabularySetMode(int mode) override;
  void VocabularySettingsDialog() override;
  void VocabularySelectDialog() override;

  // The music player of the presentations (not owned; null while there is none).
  // While it plays, Up and Down change its volume and Right skips to a new title.
  void setMusic(TMusic* music) { music_ = music; }
  // The main recording database the dialog ("wavebase") edits, and the player
  // that plays its entries (neither owned).
  void setRecordings(TXWaveBase* recordings, TSamplePlayer* player) {
    recordings_ = recordings;
    samplePlayer_ = player;
  }
  void RecordingDatabaseDialog() override;
  // Called after a volume key changed the volume (the presentation options keep it).
  std::function<void()> OnMusicVolumeChanged;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The window's keys come before the page's.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The music keys; true when the key was used.
  bool musicKey(int key);
  void setPageConditions();
  QString pagePath(const QString& name) const;

  Environment& env_;
  TXUserBase* users_;
  TBibliothek* library_;
  TLogin* login_ = nullptr;
  TXPage* page_ = nullptr;
  std::unique_ptr<TBackdrop> backdrop_;
  PageCommandDispatcher dispatcher_{*this};
  TrainerSpecialCodes codes_;
  std::unique_ptr<TRes> res_;
  std::unique_ptr<TQueryPage> queryPage_;
  std::unique_ptr<TVocQuery> query_;
  TMusic* music_ = nullptr;
  TXWaveBase* recordings_ = nullptr;
  TSamplePlayer* samplePlayer_ = nullptr;
  bool ending_ = false;
};
