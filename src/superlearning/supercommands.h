#pragma once

#include <functional>

class PageCommandTable;
class QWidget;
class TSuperOptions;
class TSuperPresentation;

// The Superlearning page commands: "gosuper", the presentation of the
// learning mode; "superopts", the settings dialog (refresh: the page again
// when the speech switch changed).
void RegisterSuperCommands(PageCommandTable& table, TSuperPresentation& presentation, TSuperOptions& options,
                           QWidget* dialogParent, std::function<void()> refresh);
