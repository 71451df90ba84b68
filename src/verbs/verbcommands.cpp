#include "verbs/verbcommands.h"

#include <algorithm>

#include "common/pagecommandtable.h"
#include "verbs/tverben.h"

namespace {

// "+" or "-", then the two letters, then a number: longer than three characters.
PageCommandTable::Matcher switchOf(const QString& letters) {
  return [letters](const QString& c) {
    return c.size() > 3 && (c.front() == QLatin1Char('+') || c.front() == QLatin1Char('-')) &&
           c.mid(1, 2) == letters;
  };
}

}  // namespace

void RegisterVerbCommands(PageCommandTable& table, TVerben& verbs, QWidget* dialogParent) {
  using T = PageCommandTable;
  table.Add(10, switchOf(QStringLiteral("vv")), [&verbs](const QString& c) {
    const std::optional<int> n = T::NumberAt(c, 4, 6);
    if (!n) return;
    verbs.Selection().SetVerb(*n, c.front() == QLatin1Char('+'));
    verbs.ShowSelection(-1);
  });
  table.Add(11, switchOf(QStringLiteral("vz")), [&verbs](const QString& c) {
    if (const std::optional<int> n = T::NumberAt(c, 4, 6)) verbs.Selection().SetTense(*n, c.front() == QLatin1Char('+'));
  });
  table.Add(12, T::Exact(QStringLiteral("vall")), [&verbs](const QString&) {
    verbs.Selection().SetAllVerbs(true);
    verbs.ShowSelection(-1);
  });
  table.Add(13, T::Exact(QStringLiteral("vnone")), [&verbs](const QString&) {
    verbs.Selection().SetAllVerbs(false);
    verbs.ShowSelection(-1);
  });
  table.Add(14, T::Exact(QStringLiteral("vsave")), [&verbs](const QString&) { verbs.SaveSelection(); });
  table.Add(15, T::FirstChars(QStringLiteral("vman")), [&verbs](const QString& c) {
    verbs.ShowSelection(c.size() == 4 ? 0 : std::max(0, T::NumberAt(c, 5, 7).value_or(0)));
  });
  // Printing opens a dialog of its own: not while a presentation runs.
  table.Add(16, T::Exact(QStringLiteral("pv")), [&verbs, dialogParent](const QString&) {
    verbs.PrintVerbTables(dialogParent);
  }, T::DuringLoop::Refuse);
  table.Add(26, T::Exact(QStringLiteral("verblist")), [&verbs](const QString&) { verbs.ShowVerbList(); });
  table.Add(27, T::StartsWith(QStringLiteral("showverb")), [&verbs](const QString& command) {
    if (const std::optional<int> n = T::NumberAt(command, 9)) verbs.ShowVerb(*n);
  });
  table.Add(28, T::Exact(QStringLiteral("vtafel")), [&verbs](const QString&) { verbs.ShowCurrentVerb(); });
  table.Add(29, T::Exact(QStringLiteral("verb")), [&verbs](const QString&) { verbs.Query().Start(); });
  table.Add(31, T::Exact(QStringLiteral("verbweiter")), [&verbs](const QString&) { verbs.Query().Next(); });
  table.Add(32, T::StartsWith(QStringLiteral("verb")), [&verbs](const QString& c) { verbs.Query().Answer(c.mid(4)); });
  table.Add(36, T::Exact(QStringLiteral("vt0")), [&verbs](const QString&) { verbs.RestoreSelection(); });
  for (int preset = 1; preset <= 4; ++preset)
    table.Add(preset == 4 ? 38 : 37, T::Exact(QStringLiteral("vt") + QString::number(preset)),
              [&verbs, preset](const QString&) { verbs.ApplyPreset(preset); });
}
