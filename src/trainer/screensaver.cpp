#include "trainer/screensaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// The screen-saver interface when a session bus with the service is there.
bool serviceAvailable() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()) return false;
  return bus.interface()->isServiceRegistered(kService).value();
}

}  // namespace

bool ScreenSaverInhibitor::Hold(const QString& reason) {
  if (cookie_ != 0) return true;
  if (!serviceAvailable()) return false;
  QDBusInterface saver(kService, kPath, kService, QDBusConnection::sessionBus());
  const QDBusReply<quint32> reply = saver.call(QStringLiteral("Inhibit"), QStringLiteral("zvk spanisch"), reason);
  if (!reply.isValid()) return false;
  cookie_ = reply.value();
  return cookie_ != 0;
}

void ScreenSaverInhibitor::Release() {
  if (cookie_ == 0) return;
  const quint32 cookie = cookie_;
  cookie_ = 0;
  if (!serviceAvailable()) return;
  QDBusInterface saver(kService, kPath, kService, QDBusConnection::sessionBus());
  saver.call(QStringLiteral("UnInhibit"), cookie);
}
