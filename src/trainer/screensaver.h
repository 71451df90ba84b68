#pragma once

#include <QString>

// Holds the desktop's screen saver off while a presentation runs, through the
// freedesktop screen-saver service on the session bus. Without a session bus
// or without the service nothing happens and the program carries on.
class ScreenSaverInhibitor {
 public:
  ScreenSaverInhibitor() = default;
  ~ScreenSaverInhibitor() { Release(); }
  ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
  ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

  // Asks for the screen saver to stay off; true when the desktop agreed.
  // A second call while held does nothing.
  bool Hold(const QString& reason);
  // Lets the screen saver work again (nothing when not held).
  void Release();
  bool Held() const { return cookie_ != 0; }

 private:
  quint32 cookie_ = 0;
};
