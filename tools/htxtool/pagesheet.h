#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class TXPage;

// Sample values for the pages of a course: the variables and conditions the
// programs would set, so that a page can be looked at without the programs.
//
// The file is UTF-8 text of sections. "[page.htx]" or "[page.htx label]"
// starts a sample of that page (a page may have several); "[*]" holds what
// every sample gets first. In a section: "var NAME=VALUE", "cond NAME",
// "scroll" (the page is meant to be taller than the window) and "size WxH"
// (the page is shown in a window of that size, as the editor's previews
// are; a section without it takes the size of "[*]"). "#" starts a comment
// line.
struct PageSample {
  QString file;
  QString label;
  QList<QPair<QString, QString>> variables;
  QStringList conditions;
  bool scrolls = false;
  // Empty: the trainer's window, TXPage::kDefaultWidth x kDefaultHeight.
  QSize size;
};

// "WxH" with both sides from 1 to 4000 pixels; an empty size for anything else.
QSize ReadPageSize(const QString& text);

class PageSamples {
 public:
  // nullopt with a message in error when the file cannot be read or holds
  // a line that is none of the above.
  static std::optional<PageSamples> read(const QString& path, QString* error);

  // One sample per section of each page, or one plain sample for a page
  // without a section, in the order of the pages; every sample starts with
  // the common values.
  QList<PageSample> samplesFor(const QStringList& files) const;

 private:
  PageSample common_;
  QList<PageSample> sections_;
};

// A page drawn with its sample, and what is wrong with it: each message its
// build raised, a scroll bar on a page not meant to scroll, text smaller
// than kSmallestText pixels, text that runs past the right edge, a
// character entity left as it is written (only a word's first is replaced)
// and a variable without a value ("[undefined]").
struct SampledPage {
  PageSample sample;
  QImage image;
  QStringList problems;
};

constexpr int kSmallestText = 12;

// Gives a page control that is not shown the size of its window before a
// page is opened: coordinates anchored to the right or bottom edge are read
// when the page is built.
void SetPageSize(TXPage& page, const QSize& size);

// Draws the sample of a page in the directory of pages (the page's XPath),
// in a window of the sample's size.
SampledPage DrawSample(const QString& directory, const PageSample& sample);

// The pages at half size in rows of the given number of columns, each named
// below its picture. A cell holds half the trainer's window; a page drawn
// smaller stands in its top left corner, a larger one is scaled to fit.
QImage ContactSheet(const QList<SampledPage>& pages, int columns = 4);
