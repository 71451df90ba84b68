#include "environment/settingscommands.h"

#include "common/pagecommandtable.h"
#include "environment/environment.h"

void RegisterSettingsCommands(PageCommandTable& table, Environment& env) {
  table.Add(58, PageCommandTable::Exact(QStringLiteral("unregistry")), [&env](const QString&) { env.DeleteSettingsKey(); });
}
