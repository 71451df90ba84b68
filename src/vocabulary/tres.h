#pragma once

#include <QList>

#include "vocabulary/tvokabel.h"

class TZIPResource;

// The built-in basic vocabulary (data resource "2"): a reserve of records from
// which the multiple-choice questions take wrong answers when the loaded
// library has too few. It never changes after construction.
class TRes {
 public:
  // Records are read until the data ends or this many were read.
  static constexpr int kMaxRecords = 600;

  // Reads the program's resource "2".
  TRes();
  // Reads the records from a resource reader (tests use an in-memory stream).
  explicit TRes(TZIPResource& reader);

  int Count() const { return static_cast<int>(records_.size()); }
  // The record at index 0..Count()-1; an empty record outside.
  const TVokabel& Item(int index) const;
  const QList<TVokabel>& Items() const { return records_; }

 private:
  void read(TZIPResource& reader);

  QList<TVokabel> records_;
};
