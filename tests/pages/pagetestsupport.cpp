#include "pages/pagetestsupport.h"

#include "common/zstream.h"
#include "pages/pagefile.h"
#include "pages/txpage.h"

#include <gtest/gtest.h>

QString PageFixture::writePage(const QString& name, const QByteArray& markup) const {
  return dir.write(name, PageFile::isCompressedName(name) ? ZStream::compress(markup) : markup);
}

QPoint LinkPoint(const TXPage& page, const QString& name, bool prefix) {
  const auto& links = page.state().Elements.Links;
  for (const tNamedRect& r : links.Rects) {
    const QString target = links.Names.value(r.NameIndex);
    if (prefix ? target.startsWith(name) : target == name) return r.Rect.center() - QPoint(0, page.ScrollPosition());
  }
  ADD_FAILURE() << "no link " << name.toStdString();
  return {};
}
