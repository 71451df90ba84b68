#pragma once

#include <QPoint>
#include <QStringList>

#include "common/messagerecorder.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "testsupport.h"

class TXPage;

// The middle of the first link rectangle whose target is name (or starts
// with it, with prefix), in view coordinates; a test failure when none is.
QPoint LinkPoint(const TXPage& page, const QString& name, bool prefix = false);

// A page with its loader in a temporary directory.
struct PageFixture {
  PageFixture() : loader(page) {
    page.ProgramDir = dir.path();
    loader.SetXPath(dir.path());
  }
  // Builds markup as ShowText does; returns the element texts.
  QStringList show(const QString& markup) {
    loader.ShowText(markup);
    return texts();
  }
  QStringList texts() const {
    QStringList t;
    for (const TXText& e : page.Document) t << e.Text;
    return t;
  }
  // Writes a page file in Windows-1252 (compressed when the name says so).
  QString writePage(const QString& name, const QByteArray& markup) const;

  TestTree dir;
  PageState page;
  PageLoader loader;
  MessageRecorder messages;
};
