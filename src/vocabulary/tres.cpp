#include "vocabulary/tres.h"

#include <optional>

#include "pages/zipresource.h"

TRes::TRes() {
  TZIPResource reader(2);
  read(reader);
}

TRes::TRes(TZIPResource& reader) { read(reader); }

const TVokabel& TRes::Item(int index) const {
  static const TVokabel kEmpty;
  return index >= 0 && index < records_.size() ? records_[index] : kEmpty;
}

void TRes::read(TZIPResource& reader) {
  // The same ten-line layout as a library file, without comments. Lines are
  // taken as they are; the direction line is true only when it is "-1", the
  // two context flags unless they are "0". A record cut off by the end of
  // the data, or one whose number line is not a number, ends the reading.
  auto next = [&reader]() -> std::optional<QString> {
    if (reader.AtEnd()) return std::nullopt;
    return reader.ReadLine();
  };
  while (records_.size() < kMaxRecords) {
    std::array<QString, 10> lines;
    for (QString& line : lines) {
      auto l = next();
      if (!l) return;
      line = *l;
    }
    bool okWortart = false;
    bool okSchwierigkeit = false;
    TVokabel v;
    v.Vokabel = lines[0];
    v.Bedeutung[0] = lines[1];
    v.Bedeutung[1] = lines[2];
    v.Kontext[0] = lines[3];
    v.KontextBedeutung[0] = lines[4] != QLatin1String("0");
    v.Kontext[1] = lines[5];
    v.KontextBedeutung[1] = lines[6] != QLatin1String("0");
    v.Wortart = lines[7].toInt(&okWortart, 10);
    v.Deutsch = lines[8] == QLatin1String("-1");
    v.Schwierigkeit = lines[9].toInt(&okSchwierigkeit, 10);
    if (!okWortart || !okSchwierigkeit) return;
    records_.append(std::move(v));
  }
}
