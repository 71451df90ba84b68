#pragma once

#include <QChar>
#include <QString>

// The F1 key of edit fields: the character before the cursor becomes the
// next one of its group ("a" -> "á" -> "à" ... -> "a"); characters in no
// group stay. Typing gaps add the group "sß".
namespace AccentKey {

QChar Next(QChar c, bool withSharpS = false);

// Whether two characters are accent variants of each other (one group).
bool SameGroup(QChar a, QChar b, bool withSharpS = false);

}  // namespace AccentKey
