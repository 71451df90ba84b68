#include "editor/editorpictures.h"

#include <QFileInfo>
#include <QPixmap>

#include "common/filelookup.h"
#include "environment/environment.h"

namespace EditorPictures {

QString EditorDir(const Environment& env) {
  const QString found = FileLookup::locate(env.ProgramDir + QStringLiteral("Editor"));
  return (!found.isEmpty() && QFileInfo(found).isDir()) ? FileLookup::withSeparator(found) : QString();
}

QIcon Picture(const Environment& env, const QString& name) {
  const QString dir = EditorDir(env);
  if (dir.isEmpty()) return {};
  const QString file = FileLookup::locate(dir + QStringLiteral("bilder/") + name + QStringLiteral(".png"));
  if (file.isEmpty()) return {};
  const QPixmap pixmap(file);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QIcon Flag(const Environment& env, bool german) {
  return Picture(env, german ? QStringLiteral("flagge_deutsch") : QStringLiteral("flagge_spanisch"));
}

}  // namespace EditorPictures
