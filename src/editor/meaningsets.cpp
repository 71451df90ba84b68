#include "editor/meaningsets.h"

#include "common/meaningtext.h"

namespace MeaningSets {

QStringList SplitItems(const QString& text) {
  QStringList items;
  if (text.isEmpty()) return items;
  qsizetype start = 0;
  for (;;) {
    const qsizetype semicolon = text.indexOf(QLatin1Char(';'), start);
    if (semicolon < 0) break;
    items.append(text.mid(start, semicolon - start));
    // The character after the ";" is taken for the blank of "; " without
    // looking at it: "a;b" gives "a" and an empty item. Library texts are
    // written with "; ", so this only matters for hand-made files.
    start = semicolon + 2;
    if (start >= text.size()) break;
  }
  // The rest after the last ";" is the last item, empty when nothing follows.
  items.append(start < text.size() ? text.mid(start) : QString());
  return items;
}

namespace {

QStringList strippedItems(const QString& text) {
  QStringList items = SplitItems(text);
  for (QString& item : items) item = StripExplanations(item);  // also trims the blanks around it
  return items;
}

}  // namespace

bool CompareMeaningSets(QString& a, QString& b, bool writeBack) {
  QStringList restA = strippedItems(a);
  QStringList restB = strippedItems(b);
  for (qsizetype i = 0; i < restA.size();) {
    qsizetype match = -1;
    for (qsizetype j = 0; j < restB.size(); ++j) {
      if (restA[i].compare(restB[j], Qt::CaseInsensitive) == 0) {
        match = j;
        break;
      }
    }
    if (match < 0) {
      ++i;
      continue;
    }
    restA.removeAt(i);
    restB.removeAt(match);
  }
  if (writeBack) {
    a = restA.join(QLatin1String("; "));
    b = restB.join(QLatin1String("; "));
  }
  return restA.isEmpty() && restB.isEmpty();
}

bool SameMeanings(QString a, QString b) { return CompareMeaningSets(a, b, false); }

}  // namespace MeaningSets
