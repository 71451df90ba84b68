#include "sound/wavefile.h"

#include <QtEndian>

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
