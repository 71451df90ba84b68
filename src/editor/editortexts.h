#pragma once

#include <QString>

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
inline const QString kCannotLeave = QStringLiteral("Kann diese Seite noch nicht verlassen!");
inline const QString kLibraryFilter = QStringLiteral("Vokabel-Bibliotheken (*.asc)");
inline const QString kWaveFilter = QStringLiteral("Audiodateien (*.wav)");

// "Bibliothek <name> konnte nicht automatisch geladen werden!"
inline QString AutoLoadFailed(const QString& name) {
  return QStringLiteral("Bibliothek ") + name + QStringLiteral(" konnte nicht automatisch geladen werden!");
}

}  // namespace EditorTexts
