#pragma once

#include <QString>

// Replaces the first character entity of a word ("&name;" or "&name" up to
// the end of the word). Known names: amp, lt, gt, quot, nil (nothing) and the
// HTML 4 names of the characters 160..255; an unknown name vanishes with its
// "&" and ";". Names are case-sensitive.
QString ReplaceFirstEntity(const QString& word);
