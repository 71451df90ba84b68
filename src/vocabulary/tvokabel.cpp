#include "vocabulary/tvokabel.h"

namespace Vocabulary {

namespace {

const std::array<QString, kWortarten> kEditorNames = {
    QStringLiteral("Nomen"),        QStringLiteral("Verb"),          QStringLiteral("Adjektiv"),
    QStringLiteral("Kleines Wort"), QStringLiteral("Rw. mit Verb"),  QStringLiteral("Rw. ohne Verb"),
    QStringLiteral("Adverb"),       QStringLiteral("Präposition")};

const std::array<QString, kWortarten> kTrainerNames = {
    QStringLiteral("Nomen"),    QStringLiteral("Verb"),      QStringLiteral("Adjektiv"),
    QStringLiteral("kl. Wort"), QStringLiteral("Rw. m. V."), QStringLiteral("Rw. o. V."),
    QStringLiteral("Adverb"),   QStringLiteral("Präposition")};

const std::array<QString, kSchwierigkeiten> kDifficultyNames = {
    QStringLiteral("Baby"), QStringLiteral("Leicht"), QStringLiteral("Mittel"), QStringLiteral("Schwierig"),
    QStringLiteral("Tödlich")};

}  // namespace

bool IsValidWortart(int wortart) { return wortart >= 0 && wortart < kWortarten; }

bool IsValidSchwierigkeit(int schwierigkeit) { return schwierigkeit >= 0 && schwierigkeit < kSchwierigkeiten; }

QString WortartEditorName(int wortart) { return IsValidWortart(wortart) ? kEditorNames[wortart] : QString(); }

QString WortartTrainerName(int wortart) { return IsValidWortart(wortart) ? kTrainerNames[wortart] : QString(); }

QString SchwierigkeitName(int schwierigkeit) {
  return IsValidSchwierigkeit(schwierigkeit) ? kDifficultyNames[schwierigkeit] : QString();
}

}  // namespace Vocabulary
