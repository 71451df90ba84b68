#include "users/usernames.h"

namespace {

bool isControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || (u >= 0x7F && u <= 0x9F) || c.category() == QChar::Other_Control;
}

bool isBlank(QChar c) { return c.isSpace() || c == QChar(0x00A0); }

}  // namespace

namespace UserNames {

QString InvalidNameChars() { return QStringLiteral("/\\*:<>|?\""); }

bool HasInvalidNameChar(const QString& name) {
  const QString invalid = InvalidNameChars();
  for (QChar c : name)
    if (invalid.contains(c)) return true;
  return false;
}

bool IsSafeUserName(const QString& name) { return !name.isEmpty() && !HasInvalidNameChar(name) && !OtherRefusal(name); }

std::optional<QString> OtherRefusal(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Ein Benutzername ist erforderlich!");
  for (QChar c : name)
    if (isControl(c)) return QStringLiteral("Der Benutzername darf keine Steuerzeichen enthalten!");
  const QChar first = name.front();
  const QChar last = name.back();
  // Also covers "." and "..".
  if (first == QLatin1Char('.') || last == QLatin1Char('.') || isBlank(first) || isBlank(last))
    return QStringLiteral("Ein Benutzername darf nicht mit einem Punkt oder einem Leerzeichen beginnen oder enden!");
  if (name.size() > kMaxNameLength)
    return QStringLiteral("Ein Benutzername darf höchstens %1 Zeichen lang sein!").arg(kMaxNameLength);
  return std::nullopt;
}

}  // namespace UserNames

UserPaths::UserPaths(const QString& root, const QString& name)
    : root_(root), name_(name), valid_(!root.isEmpty() && UserNames::IsSafeUserName(name)) {
  if (valid_ && !root_.endsWith(QLatin1Char('/'))) root_ += QLatin1Char('/');
}

QString UserPaths::directory() const { return valid_ ? root_ + name_ + QLatin1Char('/') : QString(); }

QString UserPaths::userFile() const { return valid_ ? directory() + name_ + kUserFileEnding : QString(); }

QString UserPaths::logFile() const { return valid_ ? directory() + name_ + kLogFileEnding : QString(); }

QString UserPaths::fileInDirectory(const QString& fileName) const {
  if (!valid_ || fileName.isEmpty() || fileName.contains(QLatin1Char('/')) || fileName == QLatin1String(".") ||
      fileName == QLatin1String(".."))
    return {};
  return directory() + fileName;
}
