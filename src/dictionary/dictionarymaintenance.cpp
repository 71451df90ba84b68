#include "dictionary/dictionarymaintenance.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSet>

#include "common/fileio.h"
#include "common/meaningtext.h"
#include "common/messagebox.h"
#include "dictionary/txdatabase.h"

QString QtDictionaryFileDialogs::OpenFile(const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileName(nullptr, title, QString(), filter);
}

QString QtDictionaryFileDialogs::SaveFile(const QString& title, const QString& proposal, const QString& filter) {
  return QFileDialog::getSaveFileName(nullptr, title, proposal, filter);
}

namespace DictionaryMaintenance {

namespace {

// The items of a meaning text without their explanations, as a set.
QSet<QString> meaningItems(const QString& meaning) {
  QSet<QString> items;
  for (const QString& item : SplitMeanings(meaning)) items.insert(StripExplanations(item).trimmed());
  return items;
}

QStringList readLines(const QString& path) {
  const std::optional<QString> text = FileIO::readText(path);
  return text ? FileIO::splitLines(*text) : QStringList();
}

// Adds the pairs of an "a" and a "b" file to the current direction; false
// when an "a" line is not a class digit, a tabulator and the word.
bool importPair(TXDatabase& db, const QString& aFile, const QString& bFile) {
  const QStringList a = readLines(aFile), b = readLines(bFile);
  for (qsizetype i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i].size() < 2 || a[i][1] != QLatin1Char('\t')) return false;
    db.AddEntry(a[i].mid(2), a[i].left(1), b[i]);
  }
  return true;
}

}  // namespace

std::optional<QString> MeaningFault(const QString& meaning) {
  // Square brackets in pairs, none inside another; what lies outside them is tested next.
  QString outside = meaning;
  for (;;) {
    const qsizetype open = outside.indexOf(QLatin1Char('['));
    const qsizetype close = outside.indexOf(QLatin1Char(']'));
    if (open < 0 && close < 0) break;
    const qsizetype nested = open < 0 ? -1 : outside.indexOf(QLatin1Char('['), open + 1);
    if (open < 0 || close < open || (nested >= 0 && nested < close))
      return QStringLiteral("Defekte eckige Klammer in der Bedeutung entdeckt!");
    outside.remove(open, close - open + 1);
  }
  if (outside.contains(QLatin1Char(','))) return QStringLiteral("Verdächtiges Komma in der Bedeutung entdeckt!");
  for (qsizetype i = meaning.indexOf(QLatin1Char(';')); i >= 0; i = meaning.indexOf(QLatin1Char(';'), i + 1)) {
    const bool last = i == meaning.size() - 1;
    if ((!last && meaning[i + 1] != QLatin1Char(' ')) || (i > 0 && meaning[i - 1] == QLatin1Char(' ')))
      return QStringLiteral("Ein Leerzeichen fehlt nach einem Semikolon!");
  }
  return std::nullopt;
}

void CheckMeanings(TXDatabase& db) {
  for (int k = std::max(db.CurrentIndex(), 0); k < db.EntryCount(); ++k) {
    if (const std::optional<QString> fault = MeaningFault(db.EntryMeaning(k))) {
      db.SetCurrentIndex(k);
      ShowMessage(*fault);
      return;
    }
  }
}

int RemoveDuplicates(TXDatabase& db) {
  if (db.EntryCount() < 2) return 0;
  int removed = 0;
  int stoppedAt = -1;
  for (int i = 1; i < db.EntryCount(); ++i) {
    if (db.EntryWord(i) != db.EntryWord(i - 1)) continue;
    QSet<QString> a = meaningItems(db.EntryMeaning(i - 1));
    QSet<QString> b = meaningItems(db.EntryMeaning(i));
    const QSet<QString> common = a & b;
    a -= common;
    b -= common;
    const bool sameClass = db.EntryClass(i) == db.EntryClass(i - 1);
    if (a.isEmpty() && b.isEmpty() && !sameClass) {
      ShowMessage(QStringLiteral("Möglicher Fehler bei den Wortarten entdeckt."), MessageKind::Information);
      stoppedAt = i;
      break;
    }
    if (!sameClass) continue;
    if (b.isEmpty() || a.isEmpty()) {
      // The entry whose meanings the other holds too goes; the next pair
      // is the one the deletion brought together.
      db.SetCurrentIndex(b.isEmpty() ? i : i - 1);
      db.DeleteEntry();
      ++removed;
      --i;
      continue;
    }
    stoppedAt = i;
    break;
  }
  ShowMessage(QString::number(removed) + QStringLiteral(" Einträge wurden automatisch entfernt."),
              MessageKind::Information);
  if (stoppedAt >= 0) db.SetCurrentIndex(stoppedAt);
  return removed;
}

QString ImportBaseName(const QString& chosenFile) {
  const QFileInfo info(chosenFile);
  const QString name = info.fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  const QString stem = dot < 0 ? name : name.left(dot);
  const QString directory = chosenFile.left(chosenFile.size() - name.size());
  return directory + stem.left(std::max<qsizetype>(stem.size() - 2, 0));
}

bool ImportTextPairs(TXDatabase& db, DictionaryFileDialogs& dialogs) {
  const QString chosen = dialogs.OpenFile(QStringLiteral("Wörterbuch importieren"), QStringLiteral("Textdateien (*.txt)"));
  if (chosen.isEmpty()) return false;
  const QString base = ImportBaseName(chosen);
  for (const char* part : {"1a.txt", "1b.txt", "2a.txt", "2b.txt"})
    if (!QFileInfo(base + QLatin1String(part)).isFile()) {
      ShowMessage(QStringLiteral("Zu importierende Dateien wurden nicht gefunden!"));
      return false;
    }
  if (AskQuestion(QStringLiteral("Importieren des Wörterbuchs löscht das aktuelle!"), MessageButtons::OkCancel) !=
      MessageAnswer::Ok)
    return false;
  const QString error = QStringLiteral("Fehler beim Import");
  db.SetDirection(false);
  db.ClearEntries();
  if (!importPair(db, base + QStringLiteral("1a.txt"), base + QStringLiteral("1b.txt"))) ShowMessage(error);
  db.SetDirection(true);
  db.ClearEntries();
  if (!importPair(db, base + QStringLiteral("2a.txt"), base + QStringLiteral("2b.txt")))
    AskQuestion(error, MessageButtons::OkCancel);
  ShowMessage(QStringLiteral("Dateien wurden importiert."), MessageKind::Information);
  return true;
}

void AskAndSaveDictionaries(TXDatabase& db, bool writeProtect, DictionaryFileDialogs& dialogs) {
  if (writeProtect) return;
  if (!db.Modified(TXDatabase::kSpanishGerman) && !db.Modified(TXDatabase::kGermanSpanish)) return;
  if (AskQuestion(QStringLiteral("Das Wörterbuch wurde verändert. Sollen diese Veränderungen gespeichert werden?")) !=
      MessageAnswer::Yes)
    return;
  for (int d = TXDatabase::kSpanishGerman; d <= TXDatabase::kGermanSpanish; ++d) {
    if (!db.Modified(d)) continue;
    const QString name = TXDatabase::DirectionName(d);
    db.SetSavedAsName(d, QString());
    QString target = db.FileName(d);
    for (;;) {
      if (db.SaveDirection(d, target)) {
        db.SetFileName(d, target);
        db.SetSavedAsName(d, target);
        ShowMessage(QStringLiteral("Das Wörterbuch ") + name + QStringLiteral(" wurde erfolgreich gespeichert."),
                    MessageKind::Information);
        break;
      }
      if (AskQuestion(QStringLiteral("Das Wörterbuch ") + name + QStringLiteral(" konnte nicht gespeichert werden. ") +
                      QLatin1Char('\n') + QStringLiteral("Soll es an einem anderen Ort gespeichert werden?") +
                      QLatin1Char('\n') + QLatin1Char('\n') +
                      QStringLiteral("Achtung: Bei Nein gehen alle Veränderungen verloren.")) != MessageAnswer::Yes)
        break;
      const QString chosen = dialogs.SaveFile(QStringLiteral("Wörterbuch ") + name + QStringLiteral(" speichern"),
                                              QFileInfo(target).fileName(),
                                              QStringLiteral("ZVK Wörterbücher (*.zvk)"));
      if (!chosen.isEmpty()) target = QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".zvk") : chosen;
    }
  }
}

}  // namespace DictionaryMaintenance
