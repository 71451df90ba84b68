#include "sound/wavefile.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

#include "common/fileio.h"

namespace {

void appendU32(QByteArray& out, quint32 value) {
  char bytes[4];
  qToLittleEndian(value, bytes);
  out.append(bytes, 4);
}

void appendU16(QByteArray& out, quint16 value) {
  char bytes[2];
  qToLittleEndian(value, bytes);
  out.append(bytes, 2);
}

}  // namespace

QByteArray WaveHeader(const WaveFormat& format, quint32 dataBytes) {
  QByteArray header;
  header.reserve(44);
  header.append("RIFF", 4);
  appendU32(header, 36 + dataBytes);
  header.append("WAVE", 4);
  header.append("fmt ", 4);
  appendU32(header, 16);
  appendU16(header, 1);  // PCM
  appendU16(header, quint16(format.channels));
  appendU32(header, quint32(format.samplesPerSecond));
  appendU32(header, quint32(format.bytesPerSecond()));
  appendU16(header, quint16(format.blockAlign()));
  appendU16(header, quint16(format.bitsPerSample));
  header.append("data", 4);
  appendU32(header, dataBytes);
  return header;
}

bool WriteWaveFile(const QString& path, const WaveFormat& format, const QByteArray& samples) {
  return FileIO::writeAtomically(path, WaveHeader(format, quint32(samples.size())) + samples);
}

namespace {

quint32 u32At(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16At(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// Larger files are no recordings of a sentence or a word.
constexpr qint64 kMaxWaveBytes = qint64{64} * 1024 * 1024;

}  // namespace

std::optional<WaveData> ParseWave(const QByteArray& bytes) {
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
  std::optional<WaveFormat> format;
  qsizetype at = 12;
  while (at + 8 <= bytes.size()) {
    const QByteArray id = bytes.mid(at, 4);
    const qint64 size = u32At(bytes, at + 4);
    const qsizetype body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > bytes.size() || u16At(bytes, body) != 1) return std::nullopt;  // PCM only
      WaveFormat f;
      f.channels = u16At(bytes, body + 2);
      f.samplesPerSecond = static_cast<int>(u32At(bytes, body + 4));
      f.bitsPerSample = u16At(bytes, body + 14);
      if (!f.isValid()) return std::nullopt;
      format = f;
    } else if (id == "data") {
      if (!format) return std::nullopt;
      qint64 length = std::min<qint64>(size, bytes.size() - body);
      length -= length % format->blockAlign();
      return WaveData{*format, bytes.mid(body, length)};
    }
    // Chunks are padded to an even size.
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

std::optional<WaveData> ReadWaveFile(const QString& path) {
  if (QFileInfo(path).size() > kMaxWaveBytes) return std::nullopt;
  const auto bytes = FileIO::readBytes(path);
  if (!bytes) return std::nullopt;
  return ParseWave(*bytes);
}

std::vector<float> WaveData::mono() const {
  const int channels = format.channels;
  const int bytesPerSample = format.bitsPerSample / 8;
  const qsizetype blocks = samples.size() / format.blockAlign();
  std::vector<float> out(static_cast<size_t>(blocks));
  const auto* data = reinterpret_cast<const unsigned char*>(samples.constData());
  for (qsizetype i = 0; i < blocks; ++i) {
    float sum = 0;
    for (int c = 0; c < channels; ++c) {
      const unsigned char* s = data + (i * channels + c) * bytesPerSample;
      sum += bytesPerSample == 1 ? (s[0] - 128) / 128.0F : qFromLittleEndian<qint16>(s) / 32768.0F;
    }
    out[static_cast<size_t>(i)] = sum / static_cast<float>(channels);
  }
  return out;
}
