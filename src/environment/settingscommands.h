#pragma once

class Environment;
class PageCommandTable;

// The page command "unregistry": the learner's settings are removed from the
// settings store.
void RegisterSettingsCommands(PageCommandTable& table, Environment& env);
