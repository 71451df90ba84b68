#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "common/loopstate.h"
#include "common/pagecommanddispatcher.h"
#include "common/pagecommandtable.h"
#include "trainer/screensaver.h"
#include "trainer/specialcodes.h"

class Environment;
class TXPage;
class TMusic;
class TXUserBase;
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
// It owns the window, the page, its keys and the page command table, answers
// the pages' special codes and picture requests, and ends the program in
// order. The subsystems add their own rows to the command table.
class TMain : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 572;

  // library: the trainer's one vocabulary library (none: no vocabulary
  // query and no vocabulary commands).
  TMain(Environment& environment, TXUserBase* users, TBibliothek* library = nullptr);
  ~TMain() override;

  TXPage* XPage() const { return page_; }
  TBackdrop* Backdrop() const { return backdrop_.get(); }
  PageCommandTable& Commands() { return commands_; }
  PageCommandDispatcher& Dispatcher() { return dispatcher_; }
  // The running flag of the presentations and games: keys, clicks and
  // "stop" reach the loop that runs.
  LoopState& Loops() { return loops_; }
  TrainerSpecialCodes& SpecialCodes() { return codes_; }
  TBibliothek* Library() const { return library_; }
  // The built-in basic vocabulary, made with the window.
  const TRes* Res() const { return res_.get(); }
  // The vocabulary query on this window's page (null without a library).
  TVocQuery* Query() const { return query_.get(); }
  // The folder of the course's pages (PageRoot + "hzvk/").
  QString PageFolder() const;

  // Shows the start page; called once after creation.
  void ShowStartPage();
  // Moves the windows between the borderless mode over the backdrop and a framed window.
  void ApplyWindowMode(bool framed);
  // Saves what must survive and ends the program.
  void Beenden();
  bool IsLoggedIn() const;

  // The music player of the presentations (not owned; null while there is none).
  // While it plays, Up and Down change its volume and Right skips to a new title.
  void setMusic(TMusic* music) { music_ = music; }
  // Called after a volume key changed the volume (the presentation options keep it).
  std::function<void()> OnMusicVolumeChanged;
  // The music keys (Up, Down, Right while music plays); true when the key was used.
  // Presentations in windows of their own offer their keys here first.
  bool MusicKey(int key) { return musicKey(key); }

  // A subsystem that draws pictures for the pages ("%WxH=code"): true when
  // it drew the code. Asked in the order added, before the learner's charts.
  using PictureSource = std::function<bool(const QString& code, QImage& picture)>;
  void AddPictureSource(PictureSource source) { pictureSources_.push_back(std::move(source)); }
  // Runs in Beenden before the learner's data is saved: the subsystems
  // that keep settings of their own save them and let go of the page.
  std::function<void()> OnRelease;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The window's keys come before the page's.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The music keys; true when the key was used.
  bool musicKey(int key);
  // F5; true when the key was used.
  bool windowModeKey(int key);
  void registerShellCommands();
  void openWebAddress(const QString& address);
  void setPageConditions();
  QString pagePath(const QString& name) const;

  Environment& env_;
  TXUserBase* users_;
  TBibliothek* library_;
  TXPage* page_ = nullptr;
  std::unique_ptr<TBackdrop> backdrop_;
  PageCommandTable commands_;
  LoopState loops_;
  PageCommandDispatcher dispatcher_{commands_, &loops_};
  TrainerSpecialCodes codes_;
  std::unique_ptr<TRes> res_;
  std::unique_ptr<TQueryPage> queryPage_;
  std::unique_ptr<TVocQuery> query_;
  TMusic* music_ = nullptr;
  std::vector<PictureSource> pictureSources_;
  ScreenSaverInhibitor screenSaver_;
  bool ending_ = false;
  bool swallowRelease_ = false;
};
