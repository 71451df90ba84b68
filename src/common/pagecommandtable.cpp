#include "common/pagecommandtable.h"

#include <algorithm>

void PageCommandTable::Add(int number, Matcher matches, Handler run, DuringLoop loop) {
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), number,
                                   [](int n, const Row& row) { return n < row.Number; });
  rows_.insert(at, Row{number, std::move(matches), std::move(run), loop});
}

const PageCommandTable::Row* PageCommandTable::Find(const QString& command) const {
  for (const Row& row : rows_)
    if (row.Matches(command)) return &row;
  return nullptr;
}

PageCommandTable::Matcher PageCommandTable::Exact(QStringList texts) {
  return [texts = std::move(texts)](const QString& c) { return texts.contains(c); };
}

PageCommandTable::Matcher PageCommandTable::StartsWith(const QString& prefix) {
  return [prefix](const QString& c) { return c.size() > prefix.size() && c.startsWith(prefix); };
}

PageCommandTable::Matcher PageCommandTable::FirstChars(const QString& prefix) {
  return [prefix](const QString& c) { return c.startsWith(prefix); };
}

std::optional<int> PageCommandTable::NumberAt(const QString& command, int first, int last) {
  const QString part =
      (last < 0 ? command.mid(first - 1) : command.mid(first - 1, last - first + 1)).trimmed();
  bool ok = false;
  const int n = part.toInt(&ok);
  if (!ok || part.isEmpty()) return std::nullopt;
  return n;
}
