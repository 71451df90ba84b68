#include "sound/soundtestsupport.h"

#include "sound/wavefile.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>
#include <cmath>

QString WriteTone(const QString& path, int ms, int hz) {
  const int frames = 44100 * ms / 1000;
  QByteArray pcm(frames * 2, '\0');
  for (int i = 0; i < frames; ++i)
    qToLittleEndian(qint16(8000 * std::sin(2 * M_PI * hz * i / 44100.0)), pcm.data() + 2 * i);
  const QByteArray file = WaveHeader(WaveFormat(), quint32(pcm.size())) + pcm;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile out(path);
  if (out.open(QIODevice::WriteOnly)) out.write(file);
  return path;
}

QString WriteTrack(const QString& path, int ms) {
  const QString wav = path + QStringLiteral(".wav");
  WriteTone(wav, ms, 330);
  const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
  if (!lame.isEmpty() &&
      QProcess::execute(lame, {QStringLiteral("--silent"), QStringLiteral("-b"), QStringLiteral("64"), wav, path}) == 0 &&
      QFileInfo(path).size() > 0) {
    QFile::remove(wav);
    return path;
  }
  QFile::remove(path);
  QFile::rename(wav, path);
  return path;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(5);
  }
  return true;
}

bool SoundServerAvailable() {
  return !QMediaDevices::audioOutputs().isEmpty() && !QMediaDevices::audioInputs().isEmpty();
}

QString WriteRecorderPictures(const QString& prefix) {
  const std::pair<const char*, QColor> pictures[] = {
      {"rec0.bmp", Qt::red}, {"rec1.bmp", Qt::green}, {"play0.bmp", Qt::blue}, {"play1.bmp", Qt::yellow}};
  for (const auto& [name, color] : pictures) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(color);
    image.save(prefix + QLatin1String(name), "BMP");
  }
  return prefix;
}
