#include "pages/zipresource.h"

#include <QFile>

#include "common/textcodec.h"
#include "common/zstream.h"

TZIPResource::TZIPResource(int resourceNumber) {
  QFile f(QStringLiteral(":/rcdata/%1").arg(resourceNumber));
  if (f.open(QIODevice::ReadOnly)) load(f.readAll());
}

TZIPResource TZIPResource::fromStream(const QByteArray& zlibStream) {
  TZIPResource r;
  r.load(zlibStream);
  return r;
}

void TZIPResource::load(const QByteArray& zlibStream) {
  auto data = ZStream::decompress(zlibStream);
  if (!data) return;
  stream_ = TXStream(std::move(*data));
  hasStream_ = true;
}

QString TZIPResource::ReadLine() {
  if (!hasStream_) return {};
  const QByteArray& d = stream_.data();
  const qsizetype size = d.size();
  const qsizetype start = stream_.position();
  qsizetype i = start;
  while (i < size && static_cast<unsigned char>(d[i]) > 31) ++i;
  QString line = Cp1252::decode(d.constData() + start, i - start);
  if (i < size) {
    const bool crlf = d[i] == '\r' && i + 1 < size && d[i + 1] == '\n';
    i += crlf ? 2 : 1;
  }
  stream_.setPosition(i);
  return line;
}

bool TZIPResource::AtEnd() const { return !hasStream_ || stream_.position() >= stream_.size(); }
