#include "verbs/verbcommands.h"

#include "common/pagecommandtable.h"
#include "verbs/tverben.h"

void RegisterVerbCommands(PageCommandTable& table, TVerben& verbs, QWidget* dialogParent) {
  using T = PageCommandTable;
  // Printing opens a dialog of its own: not while a presentation runs.
  table.Add(16, T::Exact(QStringLiteral("pv")), [&verbs, dialogParent](const QString&) {
    verbs.PrintVerbTables(dialogParent);
  }, T::DuringLoop::Refuse);
  table.Add(26, T::Exact(QStringLiteral("verblist")), [&verbs](const QString&) { verbs.ShowVerbList(); });
  table.Add(27, T::StartsWith(QStringLiteral("showverb")), [&verbs](const QString& command) {
    if (const std::optional<int> n = T::NumberAt(command, 9)) verbs.ShowVerb(*n);
  });
  table.Add(28, T::Exact(QStringLiteral("vtafel")), [&verbs](const QString&) { verbs.ShowCurrentVerb(); });
}
