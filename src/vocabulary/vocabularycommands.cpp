#include "vocabulary/vocabularycommands.h"

#include <QCoreApplication>

#include "common/pagecommandtable.h"
#include "environment/environment.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tftree.h"
#include "vocabulary/tveinstellungen.h"
#include "vocabulary/vocabularyquery.h"

void RegisterVocabularyCommands(PageCommandTable& table, TVocQuery& query, TBibliothek& library,
                                QWidget* dialogParent) {
  using T = PageCommandTable;
  table.Add(22, T::Exact(QStringLiteral("vocein")), [&query, &library, dialogParent](const QString&) {
    if (TVEinstellungen::Execute(library, dialogParent)) query.ShowVocabularyPage();
  });
  table.Add(30, T::Exact(QStringLiteral("vocaus")), [&query](const QString&) { query.Evaluation(0); });
  table.Add(33, T::Exact(QStringLiteral("vokabelweiter")), [&query](const QString&) { query.NextQuestion(); });
  table.Add(34, T::Exact(QStringLiteral("vcontinue")), [&query](const QString&) { query.ContinueRound(); });
  table.Add(35, T::StartsWith(QStringLiteral("vokabel")), [&query](const QString& c) { query.Answer(c.mid(7)); });
  table.Add(39, T::FirstChars(QStringLiteral("dir=")), [&query, &library](const QString& c) {
    // The command arrives in lower case; the folder keeps its own spelling.
    library.Einstellungen.SetSelection(MatchSelectionCase(library.environment().VocabularyDir, c.mid(4)));
    query.ShowVocabularyPage();
  });
  table.Add(40, T::Exact(QStringLiteral("select")), [&query, &library, dialogParent](const QString&) {
    if (TFTree::Execute(library, dialogParent)) query.ShowVocabularyPage();
  });
  table.Add(41, T::FirstChars(QStringLiteral("sm=")), [&query, &library](const QString& c) {
    library.Einstellungen.SetModus(TVocEinstellungen::ModeIndex(c.mid(3)));
    query.ShowVocabularyPage();
  });
  table.Add(44, T::Exact(QStringLiteral("vstart")), [&query](const QString&) { query.ShowVocabularyPage(); });
  // A query never starts over a running presentation or game.
  table.Add(
      45, T::Exact(QStringLiteral("goabfrage")),
      [&query](const QString&) {
        QCoreApplication::processEvents();
        query.StartQuery();
      },
      T::DuringLoop::Refuse);
}
