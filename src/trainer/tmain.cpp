#include "trainer/tmain.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QUrl>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "environment/environment.h"
#include "pages/txpage.h"
#include "sound/mcidevice.h"
#include "sound/music.h"
#include "sound/txrecorder.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"
#include "vocabulary/txpagequerypage.h"
#include "vocabulary/vocabularycommands.h"
#include "vocabulary/vocabularyquery.h"

namespace {

QColor platformColor(quint32 c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace

TBackdrop::TBackdrop(Environment& environment) : QWidget(nullptr, Qt::FramelessWindowHint), env_(environment) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QStringLiteral("zvk spanisch"));
  menu_ = new QMenu(this);
  menu_->addAction(QStringLiteral("Minimieren"), this, [] {
    for (QWidget* w : QApplication::topLevelWidgets()) w->showMinimized();
  });
  QAction* windowMode = menu_->addAction(QStringLiteral("Fenster-Modus"), this, [this] { env_.SetWindowMode(true); });
  windowMode->setShortcut(Qt::Key_F5);
  menu_->addSeparator();
  colors_ = new QActionGroup(this);
  const std::pair<const char*, quint32> kColors[] = {
      {"Weiß", 0xFFFFFF}, {"Hellgrau", 0xC0C0C0}, {"Dunkelgrau", 0x808080}, {"Schwarz", 0}};
  for (const auto& [caption, color] : kColors) {
    QAction* a = menu_->addAction(QString::fromUtf8(caption));
    a->setCheckable(true);
    a->setData(color);
    colors_->addAction(a);
    connect(a, &QAction::triggered, this, [this, c = color] { setColor(c); });
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen) setGeometry(screen->geometry());
}

void TBackdrop::setColor(quint32 color) {
  color_ = color;
  ShowColor();
  update();
}

void TBackdrop::ShowColor() {
  for (QAction* a : colors_->actions()) a->setChecked(a->data().toUInt() == color_);
}

void TBackdrop::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), platformColor(color_)); }

void TBackdrop::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    menu_->popup(event->globalPosition().toPoint());
    return;
  }
  // A click on the backdrop brings the trainer's window to the front.
  if (QWidget* active = QApplication::activeWindow()) active->raise();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<TMain*>(w)) w->raise();
}

TMain::TMain(Environment& environment, TXUserBase* users, TBibliothek* library)
    : QWidget(nullptr), env_(environment), users_(users), library_(library), codes_(environment, users) {
  setWindowTitle(QStringLiteral("zvk spanisch"));
  setFixedSize(kWidth, kHeight);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  setAutoFillBackground(true);

  backdrop_ = std::make_unique<TBackdrop>(env_);
  backdrop_->setColor(env_.BackgroundColor);

  page_ = new TXPage(this);
  page_->setGeometry(0, 0, kWidth, kHeight);
  page_->setSonderzeichen(QStringLiteral("á;é;í;ó;ú;ñ;¿;¡;-;Á;É;Í;Ó;Ú;Ñ"));
  page_->state().ProgramDir = env_.ProgramDir;
  page_->setOnSpecialCode([this](TXPage*, QString& code) { codes_.Answer(code); });
  page_->setOnPictureRequest([this](TXPage*, const QString& code, QImage& picture) {
    for (const PictureSource& source : pictureSources_)
      if (source(code, picture)) return;
    if (users_ && users_->IsLoggedIn()) users_->DrawPicture(code, picture);
  });
  page_->OnCommand = [this](TXPage*, const QString& command) { dispatcher_.Run(command); };
  page_->OnEnd = [this](TXPage*) { close(); };
  page_->installEventFilter(this);
  // Sound links and hover sounds play through the program's sound device.
  page_->SoundCommand = [](const QString& command, bool silent) {
    return MciDevice::shared().PageCommand(command, silent);
  };
  page_->PlaySoundAsync = [](const QString& file) { MciDevice::shared().PlaySoundAsync(file); };
  page_->CreateRecorder = TXRecorder::PageFactory();
  if (users_) users_->backdropColor = [this]() -> std::optional<quint32> { return backdrop_->Color(); };

  env_.onWindowModeChanged = [this](bool framed) { ApplyWindowMode(framed); };

  // The basic vocabulary comes with the window; the library writes its query pages here.
  res_ = std::make_unique<TRes>();
  if (library_) {
    queryPage_ = std::make_unique<TXPageQueryPage>(*page_, PageFolder());
    query_ = std::make_unique<TVocQuery>(*library_, res_.get(), queryPage_.get());
    RegisterVocabularyCommands(commands_, *query_, *library_, this);
  }
  registerShellCommands();
  // While a presentation or game owns the screen, the screen saver stays off.
  connect(&loops_, &LoopState::Started, this,
          [this] { screenSaver_.Hold(QStringLiteral("Eine Präsentation von zvk spanisch läuft")); });
  connect(&loops_, &LoopState::Ended, this, [this] { screenSaver_.Release(); });

  // Centred on the screen; on a screen exactly 800 pixels wide the window system places it.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    if (screen->geometry().width() != kWidth) move(s.center() - QPoint(kWidth / 2, kHeight / 2));
  }
}

TMain::~TMain() {
  env_.onWindowModeChanged = nullptr;
  // The user base outlives the window.
  if (users_) users_->backdropColor = nullptr;
}

void TMain::setPageConditions() {
  TXPage& p = *page_;
  const bool extensions = !codes_.InstalledExtensions.isEmpty();
  p.SetCondition(QStringLiteral("s"), true);
  p.SetCondition(QStringLiteral("cdrom"), !env_.WaveDir.isEmpty());
  p.SetCondition(QStringLiteral("online"), env_.WaveDir.isEmpty() && !env_.WaveExtensionDir.isEmpty() && extensions);
  p.SetCondition(QStringLiteral("mute"), env_.WaveDir.isEmpty() && !extensions);
  p.SetCondition(QStringLiteral("login"), IsLoggedIn());
}

QString TMain::PageFolder() const { return env_.PageRoot + QStringLiteral("hzvk/"); }

QString TMain::pagePath(const QString& name) const { return PageFolder() + name; }

void TMain::registerShellCommands() {
  using T = PageCommandTable;
  // "stop" reaches a running presentation or game at once.
  commands_.Add(21, T::Exact(QStringLiteral("stop")), [this](const QString&) { loops_.StopPresentation(); },
                T::DuringLoop::Now);
  commands_.Add(48, T::Exact(QStringLiteral("www")),
                [this](const QString&) { openWebAddress(QStringLiteral("https://www.debian.org/")); });
  commands_.Add(49, T::FirstChars(QStringLiteral("www.")),
                [this](const QString& c) { openWebAddress(QStringLiteral("http://") + c); });
  commands_.Add(50, T::FirstChars(QStringLiteral("http://")), [this](const QString& c) { openWebAddress(c); });
  // The first close shows the farewell page (closeEvent).
  commands_.Add(59, T::Exact(QStringLiteral("end")), [this](const QString&) { close(); });
}

void TMain::ShowStartPage() {
  setPageConditions();
  ApplyWindowMode(env_.WindowMode);
  page_->setXFile(pagePath(QStringLiteral("main.htx")));
}

void TMain::ApplyWindowMode(bool framed) {
  const bool wasVisible = isVisible();
  if (framed) {
    backdrop_->hide();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
  } else {
    backdrop_->show();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  }
  setFixedSize(kWidth, kHeight);
  if (wasVisible || !isVisible()) show();
  raise();
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != page_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (musicKey(key->key()) || windowModeKey(key->key())) return true;
    // The keys of a running game or presentation are its own.
    if (RunningLoop* loop = loops_.Current()) {
      if (loop->KeyDown(*key)) return true;
      if (!key->text().isEmpty() && loop->KeyPress(*key)) return true;
    }
  } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    // A quick second click is a click of the game too.
    if (RunningLoop* loop = loops_.Current(); loop && loop->Click()) {
      swallowRelease_ = true;
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease && swallowRelease_) {
    // The release of a click the game took belongs to it as well, also when
    // the game has ended meanwhile: it must not follow a link of the next page.
    swallowRelease_ = false;
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool TMain::musicKey(int key) {
  if (!music_ || !music_->IsPlaying()) return false;
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      music_->ChangeVolume(key == Qt::Key_Up ? 2 : -2);
      setWindowTitle(QStringLiteral("Volume: ") + QString::number(music_->Volume()));
      if (OnMusicVolumeChanged) OnMusicVolumeChanged();
      return true;
    case Qt::Key_Right:
      music_->PlayNext(true);
      setWindowTitle(QDir::toNativeSeparators(music_->CurrentTrack()));
      return true;
    default:
      return false;
  }
}

bool TMain::windowModeKey(int key) {
  if (key != Qt::Key_F5) return false;
  // The window does not change under a running presentation or game.
  if (loops_.Running()) return false;
  env_.SetWindowMode(!env_.WindowMode);
  return true;
}

void TMain::keyPressEvent(QKeyEvent* event) {
  if (musicKey(event->key()) || windowModeKey(event->key())) return;
  QWidget::keyPressEvent(event);
}

void TMain::mousePressEvent(QMouseEvent* event) {
  // A click on the window outside the page ends a running presentation.
  loops_.StopPresentation();
  QWidget::mousePressEvent(event);
}

void TMain::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
    return;
  }
  // A running presentation or game ends first, whatever comes next. A game
  // on the page ends with a page of its own: the farewell comes with the next close.
  const bool gameOnPage = loops_.Running() && loops_.Current()->OwnsPage();
  loops_.StopPresentation();
  if (gameOnPage) {
    event->ignore();
    return;
  }
  const QString bye = pagePath(QStringLiteral("bye.htx"));
  // Without a farewell page the window could never close: then end at once.
  if (page_->XFile().compare(QLatin1String("bye.htx"), Qt::CaseInsensitive) == 0 || !FileLookup::fileExists(bye)) {
    event->ignore();
    Beenden();
    return;
  }
  event->ignore();
  page_->setXFile(bye);
}

void TMain::Beenden() {
  if (ending_) return;
  ending_ = true;
  if (!QCoreApplication::closingDown()) QCoreApplication::processEvents();
  if (env_.WirtschaftDir == QLatin1String("-")) env_.SaveDirectories(Environment::SaveWirtschaftDir);
  if (env_.RechtDir == QLatin1String("-")) env_.SaveDirectories(Environment::SaveRechtDir);
  if (OnRelease) OnRelease();
  // The learner's data next (with the learner's vocabulary settings); a
  // failure is reported by the user base itself.
  if (users_ && users_->IsLoggedIn()) users_->SaveUser();
  // Without a learner the vocabulary settings go to the program's own file.
  if (library_ && library_->Einstellungen.Modified()) library_->Einstellungen.Save();
  env_.SaveWindowSettings(backdrop_->Color());
  backdrop_->hide();
  close();
  QCoreApplication::quit();
}

void TMain::openWebAddress(const QString& address) {
  if (!QDesktopServices::openUrl(QUrl(address)))
    ShowMessage(QStringLiteral("Internet-Verbindung konnte nicht geöffnet werden!"), MessageKind::Information);
}

bool TMain::IsLoggedIn() const { return users_ && users_->IsLoggedIn(); }
