#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "verbs/tverb.h"

// The verb file "Verben/SVerben.txt": Windows-1252 text, ten lines per verb
// (the header "infinitive,meaning,auxiliary marker", the tenses 0 to 5, the
// imperative's five forms, the conditional, then gerund and participle),
// fields separated by ",". A line beginning with "(c)" before an entry is
// skipped.
//
// Every field, header fields included, passes through the stem rule, so an
// entry can be written compactly ("habl-ar" then "-o,-as,-a,..."). The stem
// carries over from field to field, line to line and entry to entry.
namespace VerbFile {

// The path of the verb file below the program directory (which ends with "/").
QString PathIn(const QString& programDir);

// The stem rule, one field at a time.
class StemRule {
 public:
  // The field as stored:
  //  - without "-" as it is; "-" alone is empty;
  //  - "-x" is stem + "x"; "*-x" is "*" + stem + "x";
  //  - any other field with a "-" ("habl-ar", "*tuv-e") sets the stem to the
  //    text before the "-" (without a leading "*") and is the field with
  //    that "-" removed.
  QString Apply(const QString& field);
  const QString& Stem() const { return stem_; }

 private:
  QString stem_;
};

// The verbs of the file's lines in file order; entries without an
// infinitive are left out. The compound tenses are not built yet.
std::vector<TVerb> Parse(const QStringList& lines);

// Builds the compound tenses (8 to 13 and 15) from the auxiliary and the
// participle (both without their "*": a compound form is not marked), and
// tense 14 from gerund and participle. The auxiliary is the
// first verb when the verb's marker is "haber", otherwise the second; when
// that verb does not exist the compound tenses stay empty.
void BuildCompoundTenses(std::vector<TVerb>& verbs);

// Reads and completes the verb file; none when it cannot be read.
std::optional<std::vector<TVerb>> Read(const QString& path);

}  // namespace VerbFile
