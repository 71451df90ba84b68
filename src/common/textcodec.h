#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code of every text file and stored text of the system.
// Texts are decoded when they are read from a file and encoded when written;
// inside the programs they are QString.
namespace Cp1252 {

// Every byte decodes to one character. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control characters of
// the same code, so that any byte sequence survives a decode/encode round trip.
QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype size);

// Characters without a Windows-1252 code become '?'; ok (when given) tells
// whether every character could be encoded.
QByteArray encode(const QString& text, bool* ok = nullptr);

// The Windows-1252 code of one character, or -1.
int codeOf(QChar c);

bool canEncode(const QString& text);

}  // namespace Cp1252
