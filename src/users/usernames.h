#pragma once

#include <QString>
#include <optional>

// A learner's name becomes a directory and file names below the user
// directory ("<root>/<name>/<name>_S.tmb"). Every path built from a name goes
// through UserPaths, which refuses names that could leave the user directory
// or that the file system would silently change.
namespace UserNames {

// The nine characters a directory name cannot hold, in the order in which the
// messages list them: / \ * : < > | ? "
QString InvalidNameChars();

// True when the name contains any of InvalidNameChars().
bool HasInvalidNameChar(const QString& name);

// The longest name: every file made from it ("<name>_S_LOG.txt" is the
// longest) fits into the 255 bytes a file name may have, whatever characters
// it holds.
inline constexpr int kMaxNameLength = 60;

// A name that may become a directory name: not empty, none of the nine
// characters, no control characters, not "." or "..", neither beginning nor
// ending with a dot or a blank, and at most kMaxNameLength characters long.
bool IsSafeUserName(const QString& name);

// Why a name without any of the nine characters is refused, as the message
// for the learner; nullopt for a name that is taken. (A name with one of the
// nine characters gets the message of the dialog it was typed in.)
std::optional<QString> OtherRefusal(const QString& name);

}  // namespace UserNames

// The files of one learner below the user directory. Empty paths for a name
// that IsSafeUserName refuses, so that no caller can build a path from it.
class UserPaths {
 public:
  // root: the user directory, a native path ending with "/".
  UserPaths(const QString& root, const QString& name);

  bool isValid() const { return valid_; }
  const QString& name() const { return name_; }

  // root + name + "/"
  QString directory() const;
  // directory + name + "_S.tmb"
  QString userFile() const;
  // directory + name + "_S_LOG.txt"
  QString logFile() const;
  // directory + fileName; fileName must be a plain file name.
  QString fileInDirectory(const QString& fileName) const;

  static inline const QString kUserFileEnding = QStringLiteral("_S.tmb");
  static inline const QString kLogFileEnding = QStringLiteral("_S_LOG.txt");

 private:
  QString root_;
  QString name_;
  bool valid_ = false;
};
