#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Uncompressed PCM as the recorder keeps it and as it is written to a
// ".wav" file (RIFF/WAVE with one "fmt " and one "data" chunk).
struct WaveFormat {
  int bitsPerSample = 16;
  int channels = 1;
  int samplesPerSecond = 44100;

  int blockAlign() const { return bitsPerSample * channels / 8; }
  int bytesPerSecond() const { return blockAlign() * samplesPerSecond; }
  bool isValid() const {
    return (bitsPerSample == 8 || bitsPerSample == 16) && (channels == 1 || channels == 2) &&
           samplesPerSecond >= 8000 && samplesPerSecond <= 96000;
  }
  // Milliseconds of a number of bytes, and back (whole blocks only).
  qint64 bytesToMs(qint64 bytes) const { return bytesPerSecond() ? bytes * 1000 / bytesPerSecond() : 0; }
  qint64 msToBytes(qint64 ms) const {
    const qint64 bytes = ms * bytesPerSecond() / 1000;
    return bytes - bytes % qMax(1, blockAlign());
  }
};

// The 44-byte header of a PCM file holding dataBytes of samples.
QByteArray WaveHeader(const WaveFormat& format, quint32 dataBytes);

// Writes header and samples through a temporary file that replaces the old
// one only when everything was written. False when the file cannot be written.
bool WriteWaveFile(const QString& path, const WaveFormat& format, const QByteArray& samples);

// A PCM recording read from a ".wav" file.
struct WaveData {
  WaveFormat format;
  QByteArray samples;  // whole blocks only

  // The samples as numbers from -1 to 1, the channels of a block averaged.
  std::vector<float> mono() const;
  qint64 durationMs() const { return format.bytesToMs(samples.size()); }
};

// Reads a RIFF/WAVE file of uncompressed PCM in a format WaveFormat
// accepts: the "fmt " and "data" chunks are found among any others, and a
// data size that runs past the end (a recording cut short) is cut to the
// bytes present. None for anything else.
std::optional<WaveData> ParseWave(const QByteArray& bytes);
std::optional<WaveData> ReadWaveFile(const QString& path);
