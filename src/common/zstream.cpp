#include "common/zstream.h"

#include <zlib.h>

namespace ZStream {

QByteArray compress(const QByteArray& data, int level) {
  z_stream zs{};
  if (deflateInit(&zs, level) != Z_OK) return {};
  QByteArray out;
  out.resize(static_cast<qsizetype>(deflateBound(&zs, static_cast<uLong>(data.size()))));
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&zs, Z_FINISH);
  const auto written = static_cast<qsizetype>(zs.total_out);
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) return {};
  out.resize(written);
  return out;
}

std::optional<QByteArray> decompress(const QByteArray& stream, qsizetype limit) {
  bool complete = false;
  QByteArray out = decompressPrefix(stream, &complete, limit);
  if (!complete) return std::nullopt;
  return out;
}

QByteArray decompressPrefix(const QByteArray& stream, bool* complete, qsizetype limit) {
  constexpr qsizetype kBlock = 4096;
  if (complete) *complete = false;
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return {};
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.constData()));
  zs.avail_in = static_cast<uInt>(stream.size());
  QByteArray out;
  int rc = Z_OK;
  while (rc == Z_OK) {
    const qsizetype have = out.size();
    if (have >= limit) {
      rc = Z_MEM_ERROR;
      break;
    }
    out.resize(have + kBlock);
    zs.next_out = reinterpret_cast<Bytef*>(out.data() + have);
    zs.avail_out = static_cast<uInt>(kBlock);
    rc = inflate(&zs, Z_NO_FLUSH);
    out.resize(have + kBlock - static_cast<qsizetype>(zs.avail_out));
    // Z_BUF_ERROR with input left means no progress is possible: truncated.
    if (rc == Z_BUF_ERROR && zs.avail_in == 0) break;
  }
  inflateEnd(&zs);
  if (complete) *complete = rc == Z_STREAM_END;
  return out;
}

bool looksCompressed(const QByteArray& data) {
  if (data.size() < 2) return false;
  const auto cmf = static_cast<unsigned char>(data[0]);
  const auto flg = static_cast<unsigned char>(data[1]);
  return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && ((cmf << 8) | flg) % 31 == 0;
}

}  // namespace ZStream
