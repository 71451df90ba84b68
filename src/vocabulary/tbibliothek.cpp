#include "vocabulary/tbibliothek.h"

#include <algorithm>
#include <vector>

#include <QFileInfo>

#include "common/random.h"
#include "environment/environment.h"
#include "users/txuserbase.h"
#include "vocabulary/libraryselection.h"

TBibliothek::TBibliothek(Environment& env) : Einstellungen(*this), env_(env) {}

TBibliothek::~TBibliothek() {
  // Saved here, while the user base that names the settings file is still wired in.
  if (Einstellungen.Modified()) Einstellungen.Save();
}

bool TBibliothek::learnerLoggedIn() const { return users_ && users_->IsLoggedIn(); }

int TBibliothek::CountDeutsch(bool flag) const {
  const int n = Count();
  int count = 0;
  for (int i = 0; i < n; ++i)
    if (Items[i].Deutsch == flag) ++count;
  return count;
}

// --- Selection ---

QString TBibliothek::ListFilePath() const {
  const QString dir = learnerLoggedIn() ? users_->CurrentUserDirectory() : env_.ProgramDir;
  return dir + LibrarySelection::kListFileName;
}

bool TBibliothek::HasOwnList() const {
  const QStringList files = LibrarySelection::ListFiles(env_.VocabularyDir, ListFilePath());
  return std::any_of(files.begin(), files.end(), [](const QString& f) { return QFileInfo::exists(f); });
}

void TBibliothek::SetSelection(const QString& name) {
  if (!name.isEmpty() && name == Einstellungen.selection_ && selectionLoaded_) return;
  QStringList paths;
  if (!name.isEmpty()) {
    if (!LibrarySelection::IsSafeRelativePath(name)) return;
    paths = LibrarySelection::FolderFiles(env_.VocabularyDir, name);
  } else {
    paths = LibrarySelection::ListFiles(env_.VocabularyDir, ListFilePath());
  }
  Einstellungen.fileCount_ = static_cast<int>(paths.size());
  LoadSet(paths, 0);
  Einstellungen.selection_ = name;
  Einstellungen.modified_ = true;
  selectionLoaded_ = true;
}

// --- Scores and the filter ---

void TBibliothek::RefreshScores() {
  if (!learnerLoggedIn()) {
    average_ = 0;
    return;
  }
  histogram_.fill(0);
  const int n = Count();
  qint64 sum = 0;
  for (int i = 0; i < n; ++i) {
    TVokabel& v = Items[i];
    v.Score = std::clamp(users_->ItemScore(v.Vokabel, v.Deutsch, v.Wortart), kScoreMin, kScoreMax);
    ++histogram_[v.Score - kScoreMin];
    sum += v.Score;
  }
  if (n == 0) {
    average_ = 0;
    return;
  }
  // Rounded to the nearest integer, halves away from zero.
  const qint64 twice = 2 * sum + (sum < 0 ? -n : n);
  average_ = static_cast<int>(twice / (2 * n));
}

bool TBibliothek::IsActive(int index) const {
  const TVokabel* v = Item(index);
  if (!v || v->IsEmpty()) return false;
  const TVocEinstellungen& s = Einstellungen;
  // The word class goes by its bit of the mask, also beyond the eight known
  // classes (libraries made elsewhere); a class without a bit never passes.
  if (!s.WortartAktiv(v->Wortart)) return false;
  if (v->Deutsch) {
    if (s.Sprache() == TVocEinstellungen::SpanischDeutsch || s.Modus() == TVocEinstellungen::ModusFreeFall)
      return false;
  } else if (s.Sprache() == TVocEinstellungen::DeutschSpanisch) {
    return false;
  }
  if ((s.Modus() == TVocEinstellungen::ModusSuperDD || s.Modus() == TVocEinstellungen::ModusAirport) &&
      (v->Vokabel.size() > 32 || v->Bedeutung[0].size() > 32))
    return false;
  if (s.Modus() == TVocEinstellungen::ModusFreeFall && v->Vokabel.size() >= 28) return false;
  // Only the five known difficulties can be switched off; any other always passes.
  if (Vocabulary::IsValidSchwierigkeit(v->Schwierigkeit) && !s.NichtZuSchwer(v->Schwierigkeit)) return false;
  if (learnerLoggedIn() && (v->Score < s.MinScore() || v->Score > s.MaxScore())) return false;
  return true;
}

int TBibliothek::ActiveCount() const {
  const int n = Count();
  int count = 0;
  for (int i = 0; i < n; ++i)
    if (IsActive(i)) ++count;
  return count;
}

// --- Presentation cursor ---

void TBibliothek::ResetCursor() {
  switch (Einstellungen.Richtung()) {
    case TVocEinstellungen::Vor:
      cursor_ = -1;
      break;
    case TVocEinstellungen::Zurueck:
      cursor_ = Count();
      break;
    default:
      recent_.clear();
      rememberedActive_ = ActiveCount();
      break;
  }
}

bool TBibliothek::NextActive() {
  const int n = Count();
  if (n == 0) return false;
  const int richtung = Einstellungen.Richtung();
  if (richtung == TVocEinstellungen::Vor || richtung == TVocEinstellungen::Zurueck) {
    const int step = richtung == TVocEinstellungen::Vor ? 1 : -1;
    int c = std::clamp(cursor_, -1, n);
    for (int tries = 0; tries < n; ++tries) {
      c += step;
      if (c >= n) c = 0;
      if (c < 0) c = n - 1;
      if (IsActive(c)) {
        cursor_ = c;
        return true;
      }
    }
    return false;
  }

  // Random order: any active record that was not among the recently shown
  // ones, uniformly. When the filter now lets fewer records through than at
  // the reset, the oldest recent entries are given up rather than waiting
  // for a record that can no longer come.
  std::vector<int> candidates;
  bool anyActive = false;
  for (int i = 0; i < n; ++i) {
    if (!IsActive(i)) continue;
    anyActive = true;
    if (std::find(recent_.begin(), recent_.end(), i) == recent_.end()) candidates.push_back(i);
  }
  if (!anyActive) return false;
  while (candidates.empty() && !recent_.empty()) {
    const int oldest = recent_.front();
    recent_.pop_front();
    if (oldest < n && IsActive(oldest)) candidates.push_back(oldest);
  }
  cursor_ = candidates[Random::below(static_cast<int>(candidates.size()))];
  recent_.push_back(cursor_);
  if (static_cast<int>(recent_.size()) >= std::min(20, rememberedActive_)) recent_.pop_front();
  return true;
}

QString TBibliothek::recordingOf(const QString& text, bool speech) const {
  if (!speech || !recordingPath) return {};
  return recordingPath(text);
}

bool TBibliothek::NextText(QString& word, QString& meaning, QString& sound, bool speech) {
  word.clear();
  meaning.clear();
  sound.clear();
  if (!NextActive()) return false;
  const TVokabel& v = Items[cursor_];
  word = v.Vokabel;
  meaning = v.Bedeutung[0];
  sound = recordingOf(v.Deutsch ? v.Bedeutung[0] : v.Vokabel, speech);
  return true;
}

bool TBibliothek::NextTextAlternating(QString& text, QString& sound, bool& alternation, bool speech) {
  text.clear();
  sound.clear();
  // The meaning belongs to the record at the cursor; after a change of the
  // library the cursor may point nowhere, and a new record is taken instead.
  if (alternation && (cursor_ < 0 || cursor_ >= Count())) alternation = false;
  if (!alternation) {
    if (!NextActive()) return false;
    const TVokabel& v = Items[cursor_];
    text = v.Vokabel;
    if (!v.Deutsch) sound = recordingOf(text, speech);
  } else {
    const TVokabel& v = Items[cursor_];
    text = v.Bedeutung[0];
    if (v.Deutsch) sound = recordingOf(text, speech);
  }
  alternation = !alternation;
  return true;
}
