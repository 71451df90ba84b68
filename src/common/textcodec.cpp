#include "common/textcodec.h"

#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own code.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

namespace Cp1252 {

QString decode(const char* bytes, qsizetype size) {
  QString text(size, Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < size; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kHighTable[b - 0x80]) : QChar(b);
  }
  return text;
}

QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

int codeOf(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i)
    if (kHighTable[i] == u) return 0x80 + i;
  return -1;
}

QByteArray encode(const QString& text, bool* ok) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  bool all = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int code = codeOf(text[i]);
    if (code < 0) {
      all = false;
      bytes[i] = '?';
    } else {
      bytes[i] = static_cast<char>(code);
    }
  }
  if (ok) *ok = all;
  return bytes;
}

bool canEncode(const QString& text) {
  for (QChar c : text)
    if (codeOf(c) < 0) return false;
  return true;
}

}  // namespace Cp1252
