#pragma once

#include <QDir>
#include <QString>

#include "users/usernames.h"

// The editor's messages, word for word, for the window and its tests.
namespace EditorTexts {

inline const QString kIncompleteRecord = QStringLiteral(
    "Die aktuelle Vokabel ist leer oder unvollständig!\rBitte vervollständigen oder löschen Sie die Vokabel.");
inline const QString kEndOfLibrary = QStringLiteral("Ende der Bibliothek erreicht!");
inline const QString kUnsavedChanges = QStringLiteral(
    "Die aktuelle Bibliothek wurde verändert.\rSollen die Veränderungen jetzt gespeichert werden?\r\r"
    "[Die Veränderungen gehen sonst verloren]");
inline const QString kSaveIncomplete = QStringLiteral(
    "Die Bibliothek enthält eine unvollständige Vokabel!\rBitte vervollständigen oder löschen Sie diese "
    "Vokabel\rund speichern Sie dann die Bibliothek erneut.");
inline const QString kSortIncomplete = QStringLiteral(
    "Die Bibliothek enthält eine unvollständige Vokabel!\rBitte vervollständigen oder löschen Sie diese Vokabel.");
inline const QString kSaveFailed = QStringLiteral("Fehler beim Speichern der Bibliothek!");
inline const QString kNotEnough = QStringLiteral("Nicht genug Vokabeln!");
inline const QString kDuplicatesRemoved = QStringLiteral(" doppelte Vokabeln wurden entfernt!");
inline const QString kSearchFailed = QStringLiteral("Suche blieb erfolglos!");
inline const QString kInsertDisc = QStringLiteral("Bitte legen Sie die zvk spanisch CD-ROM ein!");
inline const QString kRecordingNotSaved = QStringLiteral("Sprachaufnahme konnte nicht gespeichert werden..");
inline const QString kNoContext = QStringLiteral("Kein (gültiger) Kontext vorhanden!");
inline const QString kQuotationMark = QStringLiteral("Der Dateiname darf kein Anführungszeichen enthalten.");
inline const QString kSpecialCharacters =
    QStringLiteral("Für Umlaute und Sonderzeichen einfach das \"normale\" Zeichen (z.B. a)\r"
                   "eingeben und dann F1 drücken, bis der Buchstabe erscheint (z.B. â).");
inline const QString kNameMissing = QStringLiteral("Bitte einen Namen eingeben");
inline const QString kSettingsNotSaved = QStringLiteral("Einstellungen konnten nicht gespeichert werden");
inline const QString kSchemeNotSaved = QStringLiteral("Das Farbschema konnte nicht gespeichert werden.");
inline const QString kSeparatorMissing = QStringLiteral("Bitte geben Sie das Trennzeichen der Werte an.");
inline const QString kSeparatorTooLong = QStringLiteral(
    "Die Werte einer Zeile können nur durch ein einzelnes Zeichen getrennt sein\r"
    "(zum Beispiel [;] oder [TAB]).");
inline const QString kTextFilter = QStringLiteral("Text-Dateien (*.txt *.TXT)");
inline const QString kLibraryFilter = QStringLiteral("Vokabel-Bibliotheken (*.asc)");
inline const QString kWaveFilter = QStringLiteral("Audiodateien (*.wav)");

// The checks against the dictionary and the dictionary window.
inline const QString kCannotLeave = QStringLiteral("Kann diese Seite noch nicht verlassen!");
inline const QString kDeleteEntry = QStringLiteral("Eintrag des Wörterbuchs wirklich löschen?");
inline const QString kClearDictionary = QStringLiteral("Wirklich alle Einträge löschen???");
inline const QString kAlsoClearContexts = QStringLiteral("Auch Kontext(e) löschen?");
inline const QString kNotInDictionary = QStringLiteral(
    "Diese Vokabel ist (noch) nicht im Wörterbuch!\rSoll sie ins Wörterbuch aufgenommen werden???");
inline const QString kClassMismatch = QStringLiteral("Möglicher Fehler bei den Wortarten entdeckt.");
inline const QString kCheckAborted = QStringLiteral("Kontrolle wurde abgebrochen.");
inline const QString kCheckFinished = QStringLiteral("Kontrolle beendet.");
inline const QString kNothingToDraw = QStringLiteral(
    "Das Wörterbuch enthält keine Einträge, aus denen eine Bibliothek erzeugt werden könnte.");

// The dictionary knows meanings the record lacks.
inline QString MoreMeaningsInDictionary(const QString& entryOnly) {
  return QStringLiteral("Das Wörterbuch kennt folgende weitere Bedeutungen:\r\r>") + entryOnly +
         QStringLiteral("<\r\rSollen sie übernommen werden?");
}
// Record and entry each have meanings the other lacks.
inline QString OtherMeanings(const QString& record, const QString& entry) {
  return QStringLiteral("Diese Vokabel hat andere Bedeutungen als\rder entsprechende Eintrag im Wörterbuch!\r\r>") +
         record + QStringLiteral("<\r\n>") + entry + QLatin1Char('<');
}
inline QString ExtendBoth(const QString& record, const QString& entry) {
  return OtherMeanings(record, entry) + QStringLiteral("\r\rSollen beide erweitert werden?");
}
// The record has meanings the dictionary lacks.
inline QString MeaningsNotInDictionary(const QString& recordOnly) {
  return QStringLiteral("Folgende Bedeutungen sind noch nicht im Wörterbuch:\r\r>") + recordOnly +
         QStringLiteral("<\r\rSollen sie übernommen werden?");
}

// "Bibliothek <name> konnte nicht automatisch geladen werden!"
inline QString AutoLoadFailed(const QString& name) {
  return QStringLiteral("Bibliothek ") + name + QStringLiteral(" konnte nicht automatisch geladen werden!");
}

inline QString SchemeExists(const QString& name) {
  return QStringLiteral("Das Farbschema \u201E") + name + QStringLiteral("\u201C gibt es schon. Soll es ersetzt werden?");
}

// The scheme name holds a character that cannot stand in a file name.
inline QString NameInvalid() {
  return QStringLiteral("Der Name darf keines der folgenden Zeichen enthalten: ") + UserNames::InvalidNameChars();
}

// A library that could be read only up to a damaged place.
inline QString Damaged(const QString& file) {
  return QStringLiteral("Die Bibliothek ") + QDir::toNativeSeparators(file) +
         QStringLiteral(" ist beschädigt; nur die Vokabeln bis zur fehlerhaften Stelle wurden gelesen.\r"
                        "Beim Speichern wird nach einem neuen Namen gefragt.");
}
inline QString Unreadable(const QString& file) {
  return QStringLiteral("Die Bibliothek ") + QDir::toNativeSeparators(file) +
         QStringLiteral(" konnte nicht gelesen werden.");
}
inline QString Vanished(const QString& file) {
  return QStringLiteral("Die Bibliothek ") + QDir::toNativeSeparators(file) +
         QStringLiteral(" gibt es nicht mehr; sie wird aus der Liste genommen.");
}

}  // namespace EditorTexts
