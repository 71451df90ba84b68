#include "pages/pagetestsupport.h"

#include "common/zstream.h"
#include "pages/pagefile.h"

QString PageFixture::writePage(const QString& name, const QByteArray& markup) const {
  return dir.write(name, PageFile::isCompressedName(name) ? ZStream::compress(markup) : markup);
}
