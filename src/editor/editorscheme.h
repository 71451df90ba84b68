#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <array>

class Environment;

// The editor's look: eight colours, the window's font, its three sizes
// (small, medium and large windows) and bold. Kept in scheme files of lines
// "KEY=value" in the "Editor" folder: "default.ed" is the unnamed scheme,
// every other file a named one.
struct TElemente {
  enum Colour {
    Menu = 0,         // FARBE0: the menu bar
    ToolBar = 1,      // FARBE1: the tool bar
    List = 2,         // FARBE2: the record list and the preview's page
    Notes = 3,        // FARBE3: the library's notes
    RecordPanel = 4,  // FARBE4: the record form's panel and the window
    RecordField = 5,  // FARBE5: the fields of the record form
    DictionaryPanel = 6,  // FARBE6
    DictionaryField = 7,  // FARBE7
  };
  static constexpr int kColours = 8;
  static constexpr int kDefaultSizes[3] = {9, 10, 14};

  std::array<QColor, kColours> colours;
  QString font;                  // the window's font name ("SCHRIFT"); empty: the window keeps its own
  std::array<int, 3> sizes{9, 10, 14};
  int sizeInUse = 0;             // 0..2, chosen by the window's height
  bool bold = false;             // "FETT"
  bool changed = false;          // a size or colour was changed in the scheme dialog

  // Before any scheme file is read: the platform's colours, so that a
  // missing "default.ed" never gives black text on black.
  static TElemente PlatformDefaults();
};

namespace EditorScheme {

inline const QString kDefaultName = QStringLiteral("default");

// Reads a scheme file into scheme; nothing happens when it does not exist.
// Values are trimmed and read in upper case; a font that is not installed
// reads as "Arial", a size outside 6..14 as its default, a colour without
// "#" as silver and one that is not hexadecimal (or longer than six digits)
// as pure blue. Keys the file lacks keep their values; changed is cleared.
void ReadScheme(const QString& path, TElemente& scheme);
// The file's text: the keys in their fixed order, colours as "#RRGGBB" in
// upper case, lines ending with CR LF.
QByteArray SchemeText(const TElemente& scheme);
// Writes the scheme (replacing the file only when it was written whole).
bool WriteScheme(const QString& path, const TElemente& scheme);

// The folder of the schemes ("Editor" beside the programs, in any letter
// case), ending with "/"; ProgramDir + "Editor/" when there is none yet.
QString SchemeDir(const Environment& env);
// The file of a scheme, found in any letter case; the path it would have
// when there is none.
QString SchemeFile(const Environment& env, const QString& name);
bool SchemeExists(const Environment& env, const QString& name);
// The named schemes: every ".ed" file but "default.ed", without extension,
// one name for names that differ only in letter case.
QStringList SchemeNames(const Environment& env);

// Each channel raised (lowered) by amount and kept within 0..255.
QColor Lighter(const QColor& colour, int amount);
QColor Darker(const QColor& colour, int amount);
// The average of the three channels.
int ChannelAverage(const QColor& colour);
// Black on a light colour (average above 79), white on a dark one.
QColor TextOn(const QColor& background);
// "#RRGGBB" (upper case in scheme files; pages take either).
QString HexName(const QColor& colour);

}  // namespace EditorScheme
