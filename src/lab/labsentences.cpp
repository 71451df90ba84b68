#include "lab/labsentences.h"

#include <QStringList>
#include <algorithm>

#include "pages/zipresource.h"
#include "vocabulary/answers.h"

namespace LabSentences {

namespace {

constexpr int kFields = 5;

// Appends the group read so far to the topic, unless it holds nothing.
void finishGroup(QStringList& fields, TThema* topic) {
  const bool empty = std::all_of(fields.cbegin(), fields.cend(), [](const QString& f) { return f.isEmpty(); });
  if (topic && !fields.isEmpty() && !empty) {
    while (fields.size() < kFields) fields.append(QString());
    TSatz s;
    s.Satz = fields[0].isEmpty() ? kMissingSentence : fields[0];
    s.Alternativen = fields[1];
    // The dotted hint is drawn once, so a sentence keeps the same hint all run.
    s.Hilfe = fields[2].trimmed().isEmpty() ? HintText(s.Satz) : fields[2];
    s.Deutsch = fields[3];
    s.Aufnahme = fields[4];
    topic->Saetze.append(s);
  }
  fields.clear();
}

}  // namespace

QList<TThema> Read(TZIPResource& resource) {
  QList<TThema> topics;
  QStringList fields;
  while (!resource.AtEnd()) {
    const QString line = resource.ReadLine();
    TThema* current = topics.isEmpty() ? nullptr : &topics.last();
    if (line.startsWith(kTopicMark)) {
      finishGroup(fields, current);
      topics.append(TThema{line.mid(kTopicMark.size()).trimmed(), {}});
      continue;
    }
    if (!current) continue;
    fields.append(line);
    if (fields.size() == kFields) finishGroup(fields, current);
  }
  finishGroup(fields, topics.isEmpty() ? nullptr : &topics.last());
  return topics;
}

QList<TThema> ReadBuiltIn() {
  TZIPResource resource(1);
  return Read(resource);
}

}  // namespace LabSentences
