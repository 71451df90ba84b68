#include "trainer/shortcuts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "common/pagecommandtable.h"

namespace Shortcuts {

QString LauncherPath(Location location) {
  const QString dir = location == Desktop ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                                          : QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
  return dir + QStringLiteral("/zvk spanisch.desktop");
}

bool ManageShortcut(Location location, const QString& program, bool create) {
  const QString path = LauncherPath(location);
  if (!create) return !QFileInfo::exists(path) || QFile::remove(path);
  QDir().mkpath(QFileInfo(path).absolutePath());
  const QString dir = QFileInfo(program).absolutePath();
  const QString text = QStringLiteral(
                           "[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=zvk spanisch\n"
                           "Comment=Spanisch lernen: Vokabeln, Verben, Sprachlabor\n"
                           "Exec=\"%1\"\n"
                           "Path=%2\n"
                           "Terminal=false\n"
                           "Categories=Education;Languages;\n")
                           .arg(program, dir);
  if (!FileIO::writeAtomically(path, text.toUtf8())) return false;
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
  return true;
}

void RegisterCommands(PageCommandTable& table) {
  table.Add(57, PageCommandTable::Exact(QStringLiteral("unshort")), [](const QString&) {
    const Message question{MessageKind::Warning, MessageButtons::OkCancel,
                           QStringLiteral("Verknüpfungen auf Desktop und in der Startleiste löschen?")};
    if (MessageBoxService::show(question) != MessageAnswer::Ok) return;
    ManageShortcut(Desktop, QString(), false);
    ManageShortcut(ApplicationsMenu, QString(), false);
  });
}

}  // namespace Shortcuts
