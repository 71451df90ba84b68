#pragma once

#include "common/fileio.h"

#include <QString>
#include <QStringList>
#include <optional>

// A sectioned ini file as Windows programs write it ("zvk.ini", "zvk_S.ini",
// "prefs.ini", editor schemes): Windows-1252 text with CR LF line ends,
// sections and keys found without regard to case. Rewriting a value keeps
// every other line (comments, unknown keys, blank lines) as it was.
class IniFile {
 public:
  IniFile() = default;
  // Reads the file when it exists; a missing or unreadable file is empty.
  explicit IniFile(const QString& path);

  const QString& path() const { return path_; }
  bool existed() const { return existed_; }

  // Re-reads the file; false when it could not be read (the content is then empty).
  bool load();
  // Writes the whole file through a temporary file; false on failure.
  // Replaces the file whole (see FileIO::writeAtomically); false when it
  // could not be written, the old file staying as it was.
  bool save(FileIO::FileAccess access = FileIO::FileAccess::Shared) const;
  // Sets the text directly (as if read from a file).
  void setText(const QString& text);
  QString text() const;

  bool hasSection(const QString& section) const;
  bool hasKey(const QString& section, const QString& key) const;
  QStringList sections() const;
  QStringList keys(const QString& section) const;

  // The value with surrounding blanks removed (and surrounding double quotes,
  // as Windows does); no value when the key is missing.
  std::optional<QString> value(const QString& section, const QString& key) const;
  QString readString(const QString& section, const QString& key, const QString& fallback = {}) const;
  // The fallback when the key is missing or not a whole number.
  int readInteger(const QString& section, const QString& key, int fallback) const;
  // True unless the value is exactly "0"; the fallback when missing.
  bool readBool(const QString& section, const QString& key, bool fallback) const;

  // Changes the value in memory (adding key and section as needed); save() writes it.
  void writeString(const QString& section, const QString& key, const QString& value);
  void writeInteger(const QString& section, const QString& key, int value);
  void writeBool(const QString& section, const QString& key, bool value);
  void removeKey(const QString& section, const QString& key);
  void removeSection(const QString& section);

 private:
  // Index of the section header line, or -1.
  qsizetype findSection(const QString& section) const;
  // One past the last line belonging to the section starting at header.
  qsizetype sectionEnd(qsizetype header) const;
  // Index of the key's line within the section, or -1.
  qsizetype findKey(const QString& section, const QString& key) const;

  QString path_;
  bool existed_ = false;
  QStringList lines_;
};
