#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "dictionary/txdbeintrag.h"

// The two file forms of a dictionary direction.
//
// Compressed (".zvk", ".xtm"): one zlib stream; inside, entry after entry,
// word NUL, the word class as one digit NUL, meaning NUL, in Windows-1252.
// Text (any other name): Windows-1252 lines with CR LF, three per entry:
// word, word class in decimal, meaning.
namespace DictionaryFile {

// The raw fields of one entry as a file holds them; the class is still text.
struct RawEntry {
  QString Word;
  QString Class;
  QString Meaning;
};

// Whether a file name asks for the compressed form (".zvk" or ".xtm", in any case).
bool IsCompressedName(const QString& path);

// The entries of a file's bytes. The form is recognised by the content: a
// zlib stream is the compressed form, whatever the name says, and anything
// else the text form, unless the name asks for the compressed form and the
// bytes are no text (then the file is damaged). An empty compressed stream
// or an empty file of a compressed name holds the single entry "_leer"
// "leer". Of a damaged stream the entries before the damage are kept.
struct Content {
  QList<RawEntry> entries;
  bool damaged = false;
};
Content Parse(const QByteArray& bytes, const QString& path);

// The class text of a file as a word class: 1..8, and 1 for anything else
// (not a number, 0 or above 8, taken as one byte as the files always did).
int ClassOf(const QString& text);

// The bytes of a direction in the form its file name asks for.
QByteArray Serialize(const QList<TXDBEintrag>& entries, const QString& path);
QByteArray Compressed(const QList<TXDBEintrag>& entries);
QByteArray Text(const QList<TXDBEintrag>& entries);

}  // namespace DictionaryFile
