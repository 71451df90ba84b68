#pragma once

#include <QString>

// Putting data (vocabulary, answers, names) into generated markup. Every part
// of the system that builds pages from data goes through these, so a text can
// neither open a tag, expand a variable nor break a link target.
namespace MarkupText {

// Text that reads back as exactly itself: "<" is doubled, "&" becomes "&amp;",
// a "$" that would start a token is guarded, and a word that needs a second
// entity is split by an empty comment tag (only one entity per word is read).
QString EscapeText(const QString& text);

// Text inside a quoted link target: the characters that end or split a
// target (double quote, "@", "°", "]", ",", "%", "<", ">", "&", line ends)
// are written as "%XX" (hex code of the Windows-1252 character).
QString EscapeTarget(const QString& text);
QString UnescapeTarget(const QString& text);

}  // namespace MarkupText
