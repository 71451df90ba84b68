#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>

// An in-memory byte stream with a read position.
class TXStream {
 public:
  TXStream() = default;
  explicit TXStream(QByteArray data) : data_(std::move(data)) {}
  const QByteArray& data() const { return data_; }
  qsizetype size() const { return data_.size(); }
  qsizetype position() const { return position_; }
  void setPosition(qsizetype p) { position_ = std::clamp<qsizetype>(p, 0, data_.size()); }

 private:
  QByteArray data_;
  qsizetype position_ = 0;
};

// Reads one of the program's compressed built-in data resources ("1": the
// language-lab sentences, "2": the basic vocabulary) line by line.
// A missing or damaged resource behaves as empty.
class TZIPResource {
 public:
  explicit TZIPResource(int resourceNumber);
  // The same reader over a zlib stream held in memory.
  static TZIPResource fromStream(const QByteArray& zlibStream);

  bool hasStream() const { return hasStream_; }
  // The next line as raw Windows-1252 bytes decoded; empty at the end.
  // A line ends at the first byte below 32 (tab, NUL, CR, LF...); CR LF counts as one end.
  QString ReadLine();
  bool AtEnd() const;

 private:
  TZIPResource() = default;
  void load(const QByteArray& zlibStream);

  TXStream stream_;
  bool hasStream_ = false;
};
