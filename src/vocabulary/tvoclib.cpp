#include "vocabulary/tvoclib.h"

#include <QFileInfo>
#include <algorithm>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "vocabulary/libraryfile.h"

TVocLib::TVocLib() { Clear(true); }

void TVocLib::Clear(bool addEmpty) {
  Items.clear();
  Comments.clear();
  Current = 0;
  FileName.clear();
  Modified = false;
  if (addEmpty) Items.append(EmptyTemplate);
}

int TVocLib::Count(bool includeTrailing) const {
  int n = static_cast<int>(Items.size());
  if (!includeTrailing && n > 0 && Items.last().IsEmpty()) --n;
  return n;
}

bool TVocLib::IsEmpty(int index) const {
  const TVokabel* v = Item(index);
  return !v || v->IsEmpty();
}

int TVocLib::AddEmpty() {
  TVokabel v = EmptyTemplate;
  if (!Items.isEmpty()) v.Deutsch = Items.last().Deutsch;
  Items.append(v);
  Modified = true;
  return static_cast<int>(Items.size()) - 1;
}

int TVocLib::Add(const TVokabel& record) {
  Items.append(record);
  Modified = true;
  return static_cast<int>(Items.size()) - 1;
}

void TVocLib::Delete(int index) {
  const int i = resolve(index);
  if (i < 0) return;
  Items.removeAt(i);
  Modified = true;
}

int TVocLib::resolve(int index) const {
  if (index == -1) index = Current;
  return index >= 0 && index < Items.size() ? index : -1;
}

const TVokabel* TVocLib::Item(int index) const {
  const int i = resolve(index);
  return i < 0 ? nullptr : &Items[i];
}

TVokabel* TVocLib::mutableItem(int index) {
  const int i = resolve(index);
  return i < 0 ? nullptr : &Items[i];
}

void TVocLib::ensureTrailingEmpty() {
  if (Items.isEmpty() || !Items.last().IsEmpty()) AddEmpty();
}

void TVocLib::removeTrailingEmpty() {
  // Only a record without any text: an entry typed into it stays.
  if (!Items.isEmpty() && Items.last().HasNoText()) Items.removeLast();
}

int TVocLib::LoadFromFile(const QString& path, bool replace) {
  if (path.isEmpty() || !QFileInfo::exists(path)) return 0;
  const auto bytes = QFileInfo(path).isFile() ? FileIO::readBytes(path) : std::nullopt;
  if (!bytes) return kMalformed;

  LibraryFile::Content content = LibraryFile::parse(*bytes);
  if (replace) Clear(false);
  else removeTrailingEmpty();
  Comments += content.comments;
  const int read = static_cast<int>(content.records.size());
  Items += std::move(content.records);

  // Appended records make a library of several files: it has no one file to
  // be saved to, and the next save asks for a name.
  if (replace && !content.malformed) FileName = path;
  else if (!replace) FileName.clear();
  ensureTrailingEmpty();
  Modified = !replace;
  return content.malformed ? kMalformed : read;
}

TVocLib::SaveResult TVocLib::SaveToFile(const QString& path) {
  QList<TVokabel> records = Items;
  // The trailing empty record is the editor's place for a new entry; it is
  // written only when something was typed into it, so nothing typed is lost.
  if (!records.isEmpty() && records.last().IsEmpty() && records.last().HasNoText()) records.removeLast();

  const QString problem = LibraryFile::problemText(Comments, records);
  if (!problem.isEmpty()) {
    ShowMessage(problem, MessageKind::Warning);
    return SaveResult::Refused;
  }
  if (!FileIO::writeAtomically(path, LibraryFile::serialize(Comments, records))) return SaveResult::WriteError;
  FileName = path;
  Modified = false;
  return SaveResult::Saved;
}

void TVocLib::LoadSet(const QStringList& paths, int maxCount) {
  Clear(true);
  if (paths.isEmpty()) return;
  if (paths.size() == 1) {
    LoadFromFile(paths.first(), true);
  } else {
    QStringList remaining = paths;
    while (!remaining.isEmpty()) {
      const int pick = Random::below(static_cast<int>(remaining.size()));
      LoadFromFile(remaining.takeAt(pick), false);
      if (maxCount > 0 && Count() > maxCount) break;
    }
    FileName.clear();
  }
  Modified = false;
}

// --- Field access ---

QString TVocLib::Vokabel(int index) const {
  if (index == -2) index = std::max(0, Current - 1);
  else if (index == -3) index = std::min(Current + 1, static_cast<int>(Items.size()) - 1);
  const TVokabel* v = Item(index);
  return v ? v->Vokabel : QString();
}

QString TVocLib::Bedeutung(int index, int n) const {
  const TVokabel* v = Item(index);
  return v && (n == 0 || n == 1) ? v->Bedeutung[n] : QString();
}

QString TVocLib::Kontext(int index, int n) const {
  const TVokabel* v = Item(index);
  return v && (n == 0 || n == 1) ? v->Kontext[n] : QString();
}

bool TVocLib::KontextBedeutung(int index, int n) const {
  const TVokabel* v = Item(index);
  return v && (n == 0 || n == 1) && v->KontextBedeutung[n];
}

int TVocLib::Wortart(int index) const {
  const TVokabel* v = Item(index);
  return v ? v->Wortart : 0;
}

bool TVocLib::Deutsch(int index) const {
  const TVokabel* v = Item(index);
  return v && v->Deutsch;
}

int TVocLib::Schwierigkeit(int index) const {
  const TVokabel* v = Item(index);
  return v ? v->Schwierigkeit : 0;
}

template <typename T>
void TVocLib::setField(int index, T TVokabel::*field, const T& value) {
  TVokabel* v = mutableItem(index);
  if (!v || v->*field == value) return;
  v->*field = value;
  Modified = true;
}

void TVocLib::SetVokabel(int index, const QString& value) { setField(index, &TVokabel::Vokabel, value); }

void TVocLib::SetBedeutung(int index, int n, const QString& value) {
  TVokabel* v = mutableItem(index);
  if (!v || (n != 0 && n != 1) || v->Bedeutung[n] == value) return;
  v->Bedeutung[n] = value;
  Modified = true;
}

void TVocLib::SetKontext(int index, int n, const QString& value) {
  TVokabel* v = mutableItem(index);
  if (!v || (n != 0 && n != 1) || v->Kontext[n] == value) return;
  v->Kontext[n] = value;
  Modified = true;
}

void TVocLib::SetKontextBedeutung(int index, int n, bool value) {
  TVokabel* v = mutableItem(index);
  if (!v || (n != 0 && n != 1) || v->KontextBedeutung[n] == value) return;
  v->KontextBedeutung[n] = value;
  Modified = true;
}

void TVocLib::SetWortart(int index, int value) { setField(index, &TVokabel::Wortart, value); }

void TVocLib::SetDeutsch(int index, bool value) { setField(index, &TVokabel::Deutsch, value); }

void TVocLib::SetSchwierigkeit(int index, int value) {
  setField(index, &TVokabel::Schwierigkeit, std::min(value, Vocabulary::kSchwierigkeiten - 1));
}
