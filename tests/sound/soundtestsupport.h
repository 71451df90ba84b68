#pragma once

#include <QString>
#include <functional>

// Writes a 16-bit mono 44.1 kHz sine tone of the given length as a ".wav" file.
QString WriteTone(const QString& path, int ms, int hz = 440);

// A short title for the music: an MP3 made with lame when it is installed,
// otherwise the same tone in a WAV container under the ".mp3" name (the
// media player recognises the content, not the name).
QString WriteTrack(const QString& path, int ms);

// The recorder's four button pictures as solid 10 x 10 bitmaps: prefix +
// "rec0.bmp" red, "rec1.bmp" green, "play0.bmp" blue, "play1.bmp" yellow.
// Returns the prefix.
QString WriteRecorderPictures(const QString& prefix);

// Lets events through (deferred deletions included) until the condition
// holds or the time is up; returns the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// An audio output and input are there (the sound server runs).
bool SoundServerAvailable();

// Tests that play or record need the sound server (scripts/sound-server). CI
// always starts one, so there a missing server fails the test; elsewhere it is skipped.
#define REQUIRE_SOUND_SERVER()                                                                 \
  do {                                                                                         \
    if (!SoundServerAvailable()) {                                                             \
      if (qEnvironmentVariableIsSet("CI")) FAIL() << "no sound server (scripts/sound-server)"; \
      GTEST_SKIP() << "no sound server: start one with scripts/sound-server";                  \
    }                                                                                          \
  } while (false)
