#include <QFileInfo>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "common/textcodec.h"
#include "vocabulary/tbibliothek.h"

namespace {

// Every separator ("," and then "/") becomes "; " with the text around it
// trimmed: 'rojo , encarnado/ colorado' -> 'rojo; encarnado; colorado'.
QString normaliseMeaning(const QString& text) {
  QString result = text;
  for (QChar separator : {QLatin1Char(','), QLatin1Char('/')}) {
    if (!result.contains(separator)) continue;
    QStringList parts = result.split(separator);
    for (QString& part : parts) part = Vocabulary::TrimBlanks(part);
    result = parts.join(QStringLiteral("; "));
  }
  return result;
}

// A number taken as one unsigned byte, kept when below limit and otherwise
// replaced by fallback; a value that is not a number leaves field unchanged.
void readByte(const QString& value, int limit, int fallback, int& field) {
  bool ok = false;
  const int number = value.toInt(&ok, 10);
  if (!ok) return;
  const int byte = number & 0xFF;
  field = byte < limit ? byte : fallback;
}

void assign(TVokabel& v, const QString& column, const QString& value) {
  if (column == QLatin1String("Vokabel")) {
    v.Vokabel = value;
  } else if (column == QLatin1String("Bedeutung")) {
    if (v.Bedeutung[0].isEmpty()) v.Bedeutung[0] = value;
    else if (v.Bedeutung[1].isEmpty()) v.Bedeutung[1] = value;
    else v.Bedeutung[1] += QStringLiteral("; ") + value;
  } else if (column == QLatin1String("Wortart")) {
    readByte(value, Vocabulary::kWortarten, 0, v.Wortart);
  } else if (column == QLatin1String("Schwierigkeit")) {
    readByte(value, Vocabulary::kSchwierigkeiten, 2, v.Schwierigkeit);
  } else if (column == QLatin1String("Deutsch")) {
    v.Deutsch = value == QLatin1String("-1") || value == QLatin1String("+") || value == QLatin1String("1");
  } else if (column == QLatin1String("Kontext")) {
    for (int k = 0; k < 2; ++k) {
      if (!v.Kontext[k].isEmpty()) continue;
      v.Kontext[k] = value;
      v.KontextBedeutung[k] = true;
      break;
    }
  }
}

}  // namespace

void TBibliothek::ImportText(const QString& path, const QString& structure, QChar separator) {
  Clear(false);
  const auto bytes = FileIO::readBytes(path);
  if (!bytes) {
    ShowMessage(QFileInfo::exists(path) ? QStringLiteral("Fehler beim Öffnen!")
                                        : QStringLiteral("Datei konnte nicht gefunden werden!"),
                MessageKind::Stop);
  } else {
    QStringList columns = structure.split(QLatin1Char(','));
    for (QString& c : columns) c = Vocabulary::TrimBlanks(c);

    for (const QString& line : FileIO::splitLines(Cp1252::decode(*bytes))) {
      // Text files hold no NUL characters: such a line is binary data.
      if (line.contains(QChar(0))) {
        ShowMessage(QStringLiteral("Die Datei hat ein falsches Format oder ist beschädigt!"), MessageKind::Stop);
        break;
      }
      const QStringList values = line.split(separator);
      TVokabel v;
      v.Schwierigkeit = 2;
      const qsizetype n = std::min(columns.size(), values.size());
      for (qsizetype k = 0; k < n; ++k) assign(v, columns[k], Vocabulary::TrimBlanks(values[k]));
      if (v.Vokabel.isEmpty() || v.Bedeutung[0].isEmpty()) continue;
      v.Bedeutung[0] = normaliseMeaning(v.Bedeutung[0]);
      v.Bedeutung[1] = normaliseMeaning(v.Bedeutung[1]);
      Items.append(std::move(v));
    }
  }
  if (learnerLoggedIn()) RefreshScores();
  ensureTrailingEmpty();
  Modified = false;
}
