#pragma once

#include <QString>

class PageCommandTable;

// The trainer's launchers: freedesktop ".desktop" files named "zvk spanisch"
// on the desktop and in the applications menu.
namespace Shortcuts {

enum Location { Desktop = 0, ApplicationsMenu = 4 };

QString LauncherPath(Location location);

// Creates (or replaces) the launcher for the program; false when it cannot be written.
bool ManageShortcut(Location location, const QString& program, bool create);

// The page command "unshort": after the question (OK/Cancel) both launchers go.
void RegisterCommands(PageCommandTable& table);

}  // namespace Shortcuts
