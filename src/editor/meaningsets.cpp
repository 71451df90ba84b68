#include "editor/meaningsets.h"

#include "common/meaningtext.h"

namespace MeaningSets {

QStringList SplitItems(const QString& text) {
  // The shared cut of meanings: the blank after a ";" is skipped only when
  // it is there, so that "a;b" keeps its "b".
  return text.isEmpty() ? QStringList() : SplitMeanings(text);
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
