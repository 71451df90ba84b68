#include "sound/txwavebase.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

#include "common/fileio.h"
#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/random.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"

namespace {

constexpr QChar kNTilde(0x00F1);
constexpr QChar kInvertedQuestion(0x00BF);
constexpr QChar kInvertedExclamation(0x00A1);
// Sorts after every other character, so that "ñ" (written "n" + this) comes after all of "n".
constexpr QChar kAfterN(0xFFFF);

// The base letter of a character: its canonical decomposition without the accents.
QChar baseLetter(QChar c) {
  while (c.unicode() >= 0x80 && c.decompositionTag() == QChar::Canonical) {
    const QString d = c.decomposition();
    if (d.isEmpty() || d[0] == c) break;
    c = d[0];
  }
  return c;
}

// A pair of the file: text and reference, each ended by a NUL byte. A field
// holding a control character is no text of a recording database.
// Far above any real database: a file beyond them is damaged (or made to
// exhaust the computer), not a database to load.
constexpr qsizetype kMaxInflatedBytes = qsizetype(64) * 1024 * 1024;
constexpr qsizetype kMaxEntries = 500000;
constexpr qsizetype kMaxFieldBytes = 4096;

bool validField(const QByteArray& field) {
  return field.size() <= kMaxFieldBytes && std::none_of(field.begin(), field.end(), [](char b) { return static_cast<unsigned char>(b) < 0x20; });
}

}  // namespace

TXWaveBase::TXWaveBase(Duplicates mode) : mode_(mode) {}

// --- Order ---

QString TXWaveBase::primaryKey(const QString& folded) {
  QString primary;
  primary.reserve(folded.size() + 2);
  for (const QChar c : folded) {
    // The opening marks of Spanish questions and exclamations do not count
    // for the order: "¿Qué tal?" sorts among the words with q.
    if (c == kInvertedQuestion || c == kInvertedExclamation) continue;
    if (c == kNTilde) {
      primary += QLatin1Char('n');
      primary += kAfterN;
    } else {
      primary += baseLetter(c);
    }
  }
  return primary;
}

void TXWaveBase::setKeys(Item& item) {
  item.folded = item.wave.Text.trimmed().toCaseFolded();
  item.primary = primaryKey(item.folded);
}

TXWaveBase::Item TXWaveBase::makeItem(const QString& text, const QString& reference) {
  Item item{{text, reference}, {}, {}};
  setKeys(item);
  return item;
}

int TXWaveBase::compare(const Item& a, const Item& b) {
  const int c = QString::compare(a.primary, b.primary, Qt::CaseSensitive);
  if (c != 0) return c;
  return QString::compare(a.folded, b.folded, Qt::CaseSensitive);
}

int TXWaveBase::lowerBound(const Item& probe) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), probe,
                                   [](const Item& a, const Item& b) { return compare(a, b) < 0; });
  return static_cast<int>(it - entries_.begin());
}

int TXWaveBase::findItem(const Item& probe, bool* found) const {
  bool match = false;
  int low = 0;
  int high = Count() - 1;
  while (high >= low) {
    const int middle = (low + high) / 2;
    const int c = compare(entries_[middle], probe);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        match = true;
        if (mode_ != InsertDuplicates) low = middle;
      }
    }
  }
  if (found) *found = match;
  return low;
}

int TXWaveBase::Find(const QString& text, bool* found) const { return findItem(makeItem(text, {}), found); }

// --- Contents ---

const TXWave& TXWaveBase::Entry(int index) const {
  static const TXWave kNone;
  return index >= 0 && index < Count() ? entries_[index].wave : kNone;
}

void TXWaveBase::changed() {
  if (OnChange) OnChange();
}

void TXWaveBase::Add(const QString& text, const QString& reference) {
  Item item = makeItem(text.trimmed(), reference);
  bool found = false;
  const int index = findItem(item, &found);
  if (found) {
    if (mode_ == IgnoreDuplicates) return;
    if (mode_ == ReplaceDuplicates) {
      entries_[index].wave.Reference = reference;
      modified_ = true;
      changed();
      return;
    }
  }
  entries_.insert(index, std::move(item));
  modified_ = true;
  changed();
}

// Adds many entries at once with the result of adding them one by one, but
// in one pass over the list.
void TXWaveBase::merge(QList<Item> added) {
  if (added.isEmpty()) return;
  if (mode_ == InsertDuplicates) {
    for (const Item& item : added) Add(item.wave.Text, item.wave.Reference);
    return;
  }
  const auto less = [](const Item& a, const Item& b) { return compare(a, b) < 0; };
  std::stable_sort(added.begin(), added.end(), less);
  // Of equal texts the first one counts when duplicates are ignored, the last one when they replace.
  QList<Item> unique;
  unique.reserve(added.size());
  for (Item& item : added) {
    if (!unique.isEmpty() && compare(unique.last(), item) == 0) {
      if (mode_ == ReplaceDuplicates) unique.last() = std::move(item);
      continue;
    }
    unique.append(std::move(item));
  }

  QList<Item> result;
  result.reserve(entries_.size() + unique.size());
  qsizetype i = 0;
  qsizetype j = 0;
  bool changedAny = false;
  while (i < entries_.size() || j < unique.size()) {
    if (j >= unique.size()) {
      result.append(std::move(entries_[i++]));
      continue;
    }
    if (i >= entries_.size()) {
      result.append(std::move(unique[j++]));
      changedAny = true;
      continue;
    }
    const int c = compare(entries_[i], unique[j]);
    if (c < 0) {
      result.append(std::move(entries_[i++]));
    } else if (c > 0) {
      result.append(std::move(unique[j++]));
      changedAny = true;
    } else {
      if (mode_ == ReplaceDuplicates) {
        entries_[i].wave.Reference = unique[j].wave.Reference;
        changedAny = true;
      }
      ++j;  // the entry already there stays; further equal entries follow it
    }
  }
  entries_ = std::move(result);
  if (changedAny) modified_ = true;
}

QString TXWaveBase::prefixLookup(const QString& prefix) const {
  // Every text that begins with the prefix sorts into the block of texts whose
  // first sort level begins with the prefix's; the first of them in list
  // order is the first match. (The prefix keeps its final blank.)
  const QString primary = primaryKey(prefix.toCaseFolded());
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), primary,
                                   [](const Item& a, const QString& p) { return a.primary < p; });
  for (auto e = it; e != entries_.end() && e->primary.startsWith(primary); ++e)
    if (e->wave.Text.startsWith(prefix)) return e->wave.Reference;
  return {};
}

QString TXWaveBase::Lookup(const QString& text, bool exactOnly) const {
  if (text.isEmpty()) return {};
  bool found = false;
  int index = Find(text, &found);
  if (found) return entries_[index].wave.Reference;
  if (text.contains(QLatin1Char('(')) || text.contains(QLatin1Char(')'))) {
    QString plain = text;
    plain.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    index = Find(plain, &found);
    if (found) return entries_[index].wave.Reference;
  }
  if (exactOnly) return {};
  QString reference = prefixLookup(text + QStringLiteral(" ("));
  if (reference.isEmpty()) reference = prefixLookup(text + QStringLiteral(", "));
  return reference;
}

void TXWaveBase::Clear() {
  if (!entries_.isEmpty()) modified_ = true;
  entries_.clear();
  current_ = 0;
  changed();
}

void TXWaveBase::Sort() {
  if (entries_.size() < 2) return;
  std::stable_sort(entries_.begin(), entries_.end(), [](const Item& a, const Item& b) { return compare(a, b) < 0; });
  modified_ = true;
  changed();
}

// --- Files ---

QByteArray TXWaveBase::Serialize() const {
  QByteArray data;
  for (const Item& item : entries_) {
    data += Cp1252::encode(item.wave.Text);
    data += '\0';
    data += Cp1252::encode(item.wave.Reference);
    data += '\0';
  }
  return ZStream::compress(data, 1);
}

bool TXWaveBase::Load(const QString& path) {
  const QString file = FileLookup::locate(path);
  const auto bytes = file.isEmpty() ? std::nullopt : FileIO::readBytes(file);
  bool intact = bytes.has_value() && ZStream::looksCompressed(*bytes);
  QList<Item> read;
  if (intact) {
    bool complete = false;
    const QByteArray content = ZStream::decompressPrefix(*bytes, &complete, kMaxInflatedBytes);
    qsizetype pos = 0;
    while (pos < content.size()) {
      if (read.size() >= kMaxEntries) {
        // Not a database: nothing of it is taken.
        read.clear();
        complete = false;
        break;
      }
      const qsizetype endText = content.indexOf('\0', pos);
      const qsizetype endReference = endText < 0 ? -1 : content.indexOf('\0', endText + 1);
      if (endReference < 0) break;  // a pair cut off
      const QByteArray text = content.mid(pos, endText - pos);
      const QByteArray reference = content.mid(endText + 1, endReference - endText - 1);
      if (!validField(text) || !validField(reference)) break;
      read.append(makeItem(Cp1252::decode(text).trimmed(), Cp1252::decode(reference)));
      pos = endReference + 1;
    }
    intact = complete && pos == content.size();
  }
  merge(std::move(read));
  if (current_ >= Count()) current_ = std::max(0, Count() - 1);
  if (!intact) {
    changed();
    ShowMessage(QStringLiteral("Fehler beim Laden von ") + path + QStringLiteral("!"), MessageKind::Stop);
    return false;
  }
  if (fileName_.isEmpty()) fileName_ = path;
  modified_ = false;
  changed();
  return true;
}

bool TXWaveBase::Save(const QString& path) {
  QFile existing(path);
  if (existing.exists()) {
    const QFile::Permissions permissions = existing.permissions();
    if (!(permissions & QFile::WriteOwner) && !existing.setPermissions(permissions | QFile::WriteOwner)) return false;
  }
  if (!FileIO::writeAtomically(path, Serialize())) return false;
  modified_ = false;
  return true;
}

bool TXWaveBase::CreateEmpty() {
  Sort();
  modified_ = false;
  return !fileName_.isEmpty() && Save(fileName_);
}

// --- The current entry ---

QString TXWaveBase::CurrentText() const { return Entry(current_).Text; }

QString TXWaveBase::CurrentReference() const { return Entry(current_).Reference; }

void TXWaveBase::SetCurrentText(const QString& text) {
  if (current_ < 0 || current_ >= Count() || entries_[current_].wave.Text == text) return;
  Item item = entries_.takeAt(current_);
  item.wave.Text = text;
  setKeys(item);
  // After the entries of the same text, so that the one found first stays the same.
  const auto it = std::upper_bound(entries_.begin(), entries_.end(), item,
                                   [](const Item& a, const Item& b) { return compare(a, b) < 0; });
  current_ = static_cast<int>(it - entries_.begin());
  entries_.insert(current_, std::move(item));
  modified_ = true;
  changed();
}

void TXWaveBase::SetCurrentReference(const QString& reference) {
  if (current_ < 0 || current_ >= Count() || entries_[current_].wave.Reference == reference) return;
  entries_[current_].wave.Reference = reference;
  modified_ = true;
  changed();
}

void TXWaveBase::First() {
  current_ = 0;
  changed();
}

void TXWaveBase::Last() {
  current_ = std::max(0, Count() - 1);
  changed();
}

void TXWaveBase::Next() {
  if (current_ < Count() - 1) ++current_;
  changed();
}

void TXWaveBase::Previous() {
  if (current_ > 0) --current_;
  changed();
}

void TXWaveBase::InsertEmpty() {
  Item item = makeItem(QString(), QStringLiteral(".wav"));
  current_ = lowerBound(item);
  entries_.insert(current_, std::move(item));
  modified_ = true;
  changed();
}

void TXWaveBase::DeleteCurrent() {
  if (current_ < 0 || current_ >= Count()) return;
  entries_.removeAt(current_);
  if (current_ >= Count()) current_ = std::max(0, Count() - 1);
  modified_ = true;
  changed();
}

void TXWaveBase::SearchPosition(const QString& text) {
  current_ = text.isEmpty() ? 0 : std::min(lowerBound(makeItem(text, {})), std::max(0, Count() - 1));
  changed();
}

bool TXWaveBase::CurrentComplete() const {
  if (entries_.isEmpty()) return false;
  const TXWave& wave = Entry(current_);
  if (!wave.Text.trimmed().isEmpty() && !wave.Reference.isEmpty()) return true;
  ShowMessage(QStringLiteral("Der aktuelle Eintrag ist nicht vollständig!"));
  return false;
}

// --- The user's own recording directory ---

bool TXWaveBase::HasReferencesBelow(const QString& dir) const {
  const QString below = FileLookup::withSeparator(FileLookup::nativePath(dir));
  if (below.isEmpty()) return false;
  return std::any_of(entries_.begin(), entries_.end(), [&](const Item& item) {
    return FileLookup::nativePath(item.wave.Reference).startsWith(below, Qt::CaseInsensitive);
  });
}

int TXWaveBase::ReplaceDirByAlias(const QString& dir) {
  const QString below = FileLookup::withSeparator(FileLookup::nativePath(dir));
  if (below.isEmpty()) return 0;
  int count = 0;
  for (Item& item : entries_) {
    const QString native = FileLookup::nativePath(item.wave.Reference);
    if (!native.startsWith(below, Qt::CaseInsensitive)) continue;
    // From the separator that ends the directory on: "XU:\sub\name.wav".
    QString rest = native.mid(below.size() - 1).left(255);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    item.wave.Reference = QStringLiteral("XU:") + rest;
    ++count;
  }
  if (count > 0) {
    modified_ = true;
    changed();
  }
  return count;
}

// --- Editor ---

void TXWaveBase::AskAndSave(bool writeProtect, const std::function<QString(const QString&)>& chooseFile) {
  if (!modified_ || writeProtect) return;
  if (AskQuestion(QStringLiteral("Die Datenbank für die Sprachaufnahmen wurde verändert.\n"
                                 "Sollen diese Veränderungen gespeichert werden?")) == MessageAnswer::No)
    return;
  Sort();
  QString target = fileName_;
  savedAsName_.clear();
  for (;;) {
    if (!target.isEmpty() && Save(target)) {
      fileName_ = target;
      savedAsName_ = target;
      ShowMessage(QStringLiteral("Die Datenbank für die Sprachaufnahmen wurde erfolgreich gespeichert."),
                  MessageKind::Information);
      return;
    }
    if (AskQuestion(QStringLiteral("Die Datenbank für die Sprachaufnahmen konnte nicht gespeichert werden. \n"
                                   "Soll sie an einem anderen Ort gespeichert werden?\n\n"
                                   "Achtung: Bei Nein gehen alle Veränderungen verloren.")) != MessageAnswer::Yes)
      return;
    const QString proposed = FileLookup::fileNamePart(fileName_);
    QString chosen = chooseFile ? chooseFile(proposed)
                                : QFileDialog::getSaveFileName(nullptr,
                                                               QStringLiteral("Datenbank für die Sprachaufnahmen speichern"),
                                                               proposed, QStringLiteral("ZVK Datenbank (*.zvk)"));
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".zvk");
    target = chosen;
  }
}

void TXWaveBase::StoreSavedAsName(Environment& env) const {
  if (savedAsName_.isEmpty()) return;
  env.store().writeString(Environment::kDirectoriesKey, QStringLiteral("Datenbank3"), savedAsName_);
}

QString TXWaveBase::RecordingFileName(const QString& text) {
  QString name;
  bool gap = false;
  for (const QChar raw : text.toCaseFolded()) {
    const QChar c = baseLetter(raw);
    QString piece;
    if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
      piece = c;
    else if (c == QChar(0x00DF))
      piece = QStringLiteral("ss");
    else if (c == QChar(0x00E6))
      piece = QStringLiteral("ae");
    else if (c == QChar(0x0153))
      piece = QStringLiteral("oe");
    if (piece.isEmpty()) {
      gap = !name.isEmpty();
      continue;
    }
    if (gap) name += QLatin1Char('_');
    gap = false;
    name += piece;
  }
  name = name.left(40);
  while (name.endsWith(QLatin1Char('_'))) name.chop(1);
  return name.isEmpty() ? QStringLiteral("aufnahme") : name;
}

// --- Lookups over both databases ---

QString LookupRecording(const QString& text, const RecordingDatabases& bases) {
  QString reference = bases.main ? bases.main->Lookup(text) : QString();
  if (reference.isEmpty() && bases.secondary) reference = bases.secondary->Lookup(text);
  return reference;
}

QString FindRecording(const QString& text, const RecordingDatabases& bases, const Environment& env) {
  QString reference = LookupRecording(text, bases);
  if (!reference.isEmpty()) return env.ResolveAlias(reference).path;
  if (!text.contains(QLatin1Char(';'))) {
    reference = LookupRecording(StripExplanations(text), bases);
    return reference.isEmpty() ? QString() : env.ResolveAlias(reference).path;
  }
  QStringList found;
  for (const QString& part : SplitMeanings(text)) {
    const QString partReference = LookupRecording(StripExplanations(part.trimmed()), bases);
    if (partReference.isEmpty()) continue;
    // Only recordings that can be played take part in the draw.
    const QString path = env.ResolveAlias(partReference).path;
    if (!path.isEmpty()) found.append(path);
  }
  return found.isEmpty() ? QString() : found[Random::below(static_cast<int>(found.size()))];
}

RecordingLookup MakeRecordingLookup(const RecordingDatabases& bases, const Environment& env) {
  const Environment* environment = &env;
  return [bases, environment](const QString& text) { return FindRecording(text, bases, *environment); };
}
