#pragma once

#include <QIcon>
#include <QString>

class Environment;

// The editor's own folder beside the programs ("Editor", found in any
// letter case) holds its pictures below "bilder" (and its colour schemes,
// see EditorScheme).
namespace EditorPictures {

// The folder, ending with "/"; empty when there is none.
QString EditorDir(const Environment& env);
// A picture of the folder's "bilder" ("neu" -> bilder/neu.png); a null icon
// when it is missing (the tool bar then shows its text).
QIcon Picture(const Environment& env, const QString& name);
// The flag of a language: the German one or the Spanish one.
QIcon Flag(const Environment& env, bool german);

}  // namespace EditorPictures
