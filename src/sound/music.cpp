#include "sound/music.h"

#include <QCoreApplication>
#include <QDirIterator>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/random.h"

QString TMusic::DefaultDirectory(const QString& programDir) {
  return FileLookup::withSeparator(programDir) + QStringLiteral("MP3/");
}

TMusic::TMusic(const QString& directory, QObject* parent) : QObject(parent) {
  player_.SetNotifyWindow(this);
  if (!directory.isEmpty()) listTracks(directory);
}

TMusic::~TMusic() {
  if (window_) window_->removeEventFilter(this);
}

void TMusic::listTracks(const QString& directory) {
  directory_ = FileLookup::withSeparator(FileLookup::nativePath(directory));
  tracks_.clear();
  recent_.clear();
  if (!FileLookup::dirExists(directory_)) return;
  QDirIterator it(directory_, QDir::Files, QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)) tracks_ << path;
  }
  tracks_.sort();
}

void TMusic::ScanDirectory(const QString& directory) {
  const QString dir = FileLookup::withSeparator(FileLookup::nativePath(directory));
  if (!FileLookup::dirExists(dir))
    ShowMessage(QStringLiteral("Das MP3-Verzeichnis ") + directory + QStringLiteral(" existiert nicht!"),
                MessageKind::Stop);
  if (dir != directory_) listTracks(dir);
}

int TMusic::ChooseTrack() {
  const int n = int(tracks_.size());
  if (n == 0) return -1;
  if (n == 1) return 0;
  int index;
  do {
    index = Random::below(n);
  } while (recent_.contains(index));
  recent_ << index;
  if (recent_.size() > n / 2) recent_.removeFirst();
  return index;
}

void TMusic::Start() {
  if (!Available()) return;
  current_ = tracks_[ChooseTrack()];
  player_.Play(current_);
}

void TMusic::PlayNext(bool newTrack) {
  if (!Available() || busy_ > 0) return;
  ++busy_;
  if (newTrack) current_ = tracks_[ChooseTrack()];
  player_.Play(current_);
  --busy_;
}

bool TMusic::Toggle() {
  if (IsPlaying()) StopMusic();
  else PlayNext(true);
  return IsPlaying();
}

void TMusic::StopMusic() { player_.Stop(); }

void TMusic::ChangeVolume(int steps) { player_.SetVolume(qBound(-2400, player_.Volume() + steps * 100, 0)); }

void TMusic::SetVolume(int steps) {
  const int volume = steps * 100;
  if (volume <= 0 && volume != player_.Volume()) player_.SetVolume(volume);
}

void TMusic::SetNotifyWindow(QObject* window) {
  if (window_) window_->removeEventFilter(this);
  window_ = window;
  if (window_) window_->installEventFilter(this);
  player_.SetNotifyWindow(window_ ? window_.data() : this);
}

void TMusic::OnTrackEvent() {
  const int code = player_.HandleEvents();
  if (code == TXPlayer::Complete || code == TXPlayer::UserAbort) PlayNext(true);
  else if (code == TXPlayer::ErrorAbort) QCoreApplication::processEvents();
  Q_EMIT trackEvent();
}

bool TMusic::event(QEvent* e) {
  if (e->type() == TXPlayer::kNotifyEvent) {
    OnTrackEvent();
    return true;
  }
  return QObject::event(e);
}

bool TMusic::eventFilter(QObject* watched, QEvent* e) {
  if (watched == window_ && e->type() == TXPlayer::kNotifyEvent) {
    OnTrackEvent();
    return true;
  }
  return QObject::eventFilter(watched, e);
}
