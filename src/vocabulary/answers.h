#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "common/meaningtext.h"

// Accepted answer forms and the display of meanings.
//
// A typing gap accepts only texts that equal one of its solutions exactly, so
// each meaning line is expanded once into every written form it accepts:
// with and without the article a gender mark implies ("casa (f)"), with and
// without optional parts ("folgend(es)"), each alternative of a choice
// ("(el/la)"), without explanations in square brackets, and with "ss" for "ß".

// Appends the accepted forms of the meanings of one meaning line ("; "
// separates meanings) to list, which stays free of duplicates. The first
// form of the first meaning is the main form.
void ExpandAnswers(const QString& line, QStringList& list);
QStringList ExpandAnswers(const QString& line);

// The dotted hint of an answer: the first and (from four characters on) the
// last character and punctuation stay, a few letters from the fifth on show
// by chance, the rest become ".".
QString HintText(const QString& answer);

// Page markup for a meaning text. Without split the text itself; with split
// every meaning (cut at ";") becomes a sound link, its explanation in front
// of it, styled "kommentar" when styled is set. Data is escaped.
QString FormatMeanings(const QString& text, bool split, bool styled, const RecordingLookup& recording = {});

// Page markup for a text: a link that plays its recording when the lookup
// finds one, else the text alone. Data is escaped.
QString SoundLink(const QString& text, const RecordingLookup& recording);
