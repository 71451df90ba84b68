#include "sound/mcierrors.h"

namespace MciError {

QString ErrorText(int code) {
  switch (code) {
    case UnrecognizedKeyword: return QStringLiteral("Der Befehl enthält einen unbekannten Parameter.");
    case UnrecognizedCommand: return QStringLiteral("Unbekannter Befehl für die Tonwiedergabe.");
    case InvalidDeviceName:
      return QStringLiteral("Das angegebene Gerät ist nicht geöffnet oder wird nicht erkannt.");
    case CannotLoadDriver: return QStringLiteral("Für diesen Gerätetyp ist kein Treiber vorhanden.");
    case BadInteger: return QStringLiteral("Der Befehl enthält eine ungültige Zahl.");
    case MissingParameter: return QStringLiteral("Dem Befehl fehlt ein Parameter.");
    case UnsupportedFunction: return QStringLiteral("Das Gerät unterstützt diese Funktion nicht.");
    case FileNotFound: return QStringLiteral("Die angegebene Datei wurde nicht gefunden.");
    case DeviceNotReady: return QStringLiteral("Das Gerät ist nicht bereit.");
    case OutOfRange: return QStringLiteral("Ein Wert des Befehls liegt außerhalb des erlaubten Bereichs.");
    case FileNotSaved: return QStringLiteral("Die Datei konnte nicht gespeichert werden.");
    case DuplicateAlias: return QStringLiteral("Der Aliasname wird bereits verwendet.");
    case MissingDeviceName: return QStringLiteral("Dem Befehl fehlt der Gerätename.");
    case NoClosingQuote: return QStringLiteral("Dem Befehl fehlt ein schließendes Anführungszeichen.");
    case InvalidFile: return QStringLiteral("Die Datei kann nicht wiedergegeben werden.");
    case NewRequiresAlias: return QStringLiteral("Ein neues Gerät braucht einen Aliasnamen.");
    case NoOutputDevice: return QStringLiteral("Es ist kein Gerät zur Tonwiedergabe vorhanden.");
    case NoInputDevice: return QStringLiteral("Es ist kein Gerät zur Tonaufnahme vorhanden.");
    default: return QStringLiteral("Fehler %1 bei der Tonwiedergabe.").arg(code);
  }
}

}  // namespace MciError
