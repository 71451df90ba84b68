#pragma once

#include <QList>
#include <QStringList>

#include "common/messagebox.h"

class PageState;

// A stable text form of a built page for course authors and tests: one line
// per element (index, kind, text, the format fields that differ from the
// page defaults), then the page tables and the messages the build raised.
QStringList DumpPage(const PageState& page, const QList<Message>& messages = {});

// The laid-out page: per element its position (X, baseline Y) and measures,
// then the link rectangles, the word list and the document height.
QStringList DumpLayout(const PageState& page);

// The format fields of one element that differ from the defaults, as
// "Name=value" words.
QStringList DumpFormatFields(const struct tHTML_format& format);
