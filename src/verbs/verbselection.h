#pragma once

#include <QList>
#include <QString>

class SettingsStore;
class TXVerben;

// The verbs and tenses the verb queries ask: each verb's Aktiv flag and a
// string of sixteen "+" (selected) or "-" for the tenses. Stored per learner
// as two strings, "Verben" (one character per verb in file order) and
// "Zeiten", below the learner's key + "\Verbtrainer".
class VerbSelection {
 public:
  static constexpr int kMaxQueriedVerbs = 200;
  static inline const QString kKey = QStringLiteral("\\Verbtrainer");

  explicit VerbSelection(TXVerben& verbs);

  // Numbers that name no verb or tense are ignored.
  void SetVerb(int n, bool on);
  void SetTense(int t, bool on);
  void SetAllVerbs(bool on);
  void SetAllTenses();

  // "" selects every verb, "#" none; otherwise verb i is selected when
  // character i is "+" (characters beyond the verbs are ignored, verbs
  // beyond the string are not selected).
  void ApplyVerbString(const QString& verbs);
  // "" selects every tense; otherwise tense t when character t is "+" (only
  // the first sixteen count).
  void ApplyTenseString(const QString& tenses);
  QString VerbString() const;
  const QString& TenseString() const { return tenses_; }
  bool TenseSelected(int t) const;

  // The numbers of the selected verbs in file order (at most 200) and of the
  // selected tenses.
  QList<int> SelectedVerbs() const;
  QList<int> SelectedTenses() const;
  int SelectedVerbCount() const;

  // The ready-made selections "vt1" to "vt3"; 4 is everything.
  void ApplyPreset(int preset);
  // The learner's stored choice (everything when nothing is stored), applied
  // over a selection of everything.
  void Load(const SettingsStore& store, const QString& userKeyPath);
  bool Save(SettingsStore& store, const QString& userKeyPath) const;

 private:
  TXVerben& verbs_;
  QString tenses_;
};
