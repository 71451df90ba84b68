#include "verbs/verbselection.h"

#include "environment/settingsstore.h"
#include "verbs/txverben.h"

namespace {

const QString kAllTenses(VerbTense::kCount, QLatin1Char('+'));

QString verbPreset(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+++-------+-------------+-------+---------+-------+-------");
    case 2: return QStringLiteral("+++++-----+--+++--+---+++-+--+-++---------+---+---+--+--+-");
    case 3: return QStringLiteral("+++++---+-+--++++-++-++++-+-+++++--+-+---++---+---+--+-+++");
    default: return {};
  }
}

QString tensePreset(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+---------------");
    case 2: return QStringLiteral("+--+----+-------");
    case 3: return QStringLiteral("+++++-+++-----+-");
    default: return {};
  }
}

}  // namespace

VerbSelection::VerbSelection(TXVerben& verbs) : verbs_(verbs), tenses_(kAllTenses) {}

void VerbSelection::SetVerb(int n, bool on) {
  if (TVerb* verb = verbs_.Verb(n)) verb->Aktiv = on;
}

void VerbSelection::SetTense(int t, bool on) {
  if (t >= 0 && t < VerbTense::kCount) tenses_[t] = on ? QLatin1Char('+') : QLatin1Char('-');
}

void VerbSelection::SetAllVerbs(bool on) {
  for (int n = 0; n < verbs_.Count(); ++n) verbs_.Verb(n)->Aktiv = on;
}

void VerbSelection::SetAllTenses() { tenses_ = kAllTenses; }

void VerbSelection::ApplyVerbString(const QString& verbs) {
  if (verbs.isEmpty()) {
    SetAllVerbs(true);
    return;
  }
  SetAllVerbs(false);
  if (verbs == QLatin1String("#")) return;
  for (int n = 0; n < verbs_.Count() && n < verbs.size(); ++n) verbs_.Verb(n)->Aktiv = verbs.at(n) == QLatin1Char('+');
}

void VerbSelection::ApplyTenseString(const QString& tenses) {
  if (tenses.isEmpty()) {
    SetAllTenses();
    return;
  }
  for (int t = 0; t < VerbTense::kCount; ++t) SetTense(t, t < tenses.size() && tenses.at(t) == QLatin1Char('+'));
}

QString VerbSelection::VerbString() const {
  QString text;
  for (const TVerb& verb : verbs_.Verbs()) text += verb.Aktiv ? QLatin1Char('+') : QLatin1Char('-');
  return text;
}

bool VerbSelection::TenseSelected(int t) const {
  return t >= 0 && t < VerbTense::kCount && tenses_.at(t) == QLatin1Char('+');
}

QList<int> VerbSelection::SelectedVerbs() const {
  QList<int> selected;
  for (int n = 0; n < verbs_.Count() && selected.size() < kMaxQueriedVerbs; ++n)
    if (verbs_.Verb(n)->Aktiv) selected << n;
  return selected;
}

QList<int> VerbSelection::SelectedTenses() const {
  QList<int> selected;
  for (int t = 0; t < VerbTense::kCount; ++t)
    if (TenseSelected(t)) selected << t;
  return selected;
}

int VerbSelection::SelectedVerbCount() const {
  int count = 0;
  for (const TVerb& verb : verbs_.Verbs()) count += verb.Aktiv ? 1 : 0;
  return count;
}

void VerbSelection::ApplyPreset(int preset) {
  if (preset >= 1 && preset <= 3) {
    ApplyVerbString(verbPreset(preset));
    ApplyTenseString(tensePreset(preset));
  } else {
    SetAllVerbs(true);
    SetAllTenses();
  }
}

void VerbSelection::Load(const SettingsStore& store, const QString& userKeyPath) {
  SetAllVerbs(true);
  SetAllTenses();
  const QString key = userKeyPath + kKey;
  ApplyVerbString(store.readString(key, QStringLiteral("Verben")).value_or(QString()));
  ApplyTenseString(store.readString(key, QStringLiteral("Zeiten")).value_or(QString()));
}

bool VerbSelection::Save(SettingsStore& store, const QString& userKeyPath) const {
  const QString key = userKeyPath + kKey;
  // No verb at all is stored as "#": an empty string would mean every verb.
  const QString verbs = SelectedVerbCount() == 0 ? QStringLiteral("#") : VerbString();
  return store.writeString(key, QStringLiteral("Verben"), verbs) &&
         store.writeString(key, QStringLiteral("Zeiten"), tenses_);
}
