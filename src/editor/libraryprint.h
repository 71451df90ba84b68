#pragma once

#include <QFontMetricsF>
#include <QList>
#include <QStringList>

class QPrinter;
class TVocLib;

// The library printed as a numbered list: entry, word class, contexts and
// meanings of each record side by side, in units of 0.1 mm, with a header
// band carrying the file name and the page number.
namespace LibraryPrint {

constexpr int kFontHeight = 33;
constexpr int kLineHeight = 44;

// The lines one record takes on the list.
struct RecordLines {
  int record = 0;  // index in the library
  QStringList entry;
  QStringList meanings;
  QStringList contexts;
  int Height() const { return std::max<int>(entry.size() + contexts.size(), meanings.size()); }
};

// Every record (without the trailing empty one) wrapped for a page of the
// given width, and the records of each page for its height.
QList<RecordLines> Layout(const TVocLib& library, const QFontMetricsF& metrics, int pageWidth);
QList<QList<RecordLines>> Pages(const QList<RecordLines>& records, int pageHeight);

// The word class as the list prints it ("N.", "V.", "Adj.", ...; none for
// adverbs and prepositions).
QString Abbreviation(int wortart);

// Whether the library has a record to print (the trailing empty one is none).
bool HasRecords(const TVocLib& library);

// Prints the list; an empty library gives "Welche Vokabeln soll ich
// drucken?!". False when nothing was printed.
bool Print(QPrinter& printer, const TVocLib& library);

}  // namespace LibraryPrint
