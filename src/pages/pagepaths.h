#pragma once

#include <QString>

// References in markup ("bilder\haus.jpg", "..\main.htx", "*bild.jpg@Hinweis",
// "ex pick=3 file=a.zvk") turned into native paths against the page's
// directory xpath (a native directory ending with "/").
namespace PagePaths {

QString ResolvePath(const QString& reference, const QString& xpath);

// The file a page-number alias "!+" / "!-" names, from the current page's
// file name. The number is the two characters before the first "." when they
// are digits, else the one character before it, else 0.
struct NumberedPage {
  QString path;       // full path + the "@..." suffix of the alias; empty when the file does not exist
  QString condition;  // "next" for "!+", "prev" for "!-"
  bool exists = false;
};
NumberedPage PageNumberAlias(const QString& alias, const QString& currentFileName, const QString& xpath);

}  // namespace PagePaths
