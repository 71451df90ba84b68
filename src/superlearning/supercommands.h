#pragma once

class PageCommandTable;
class TSuperPresentation;

// The Superlearning page command "gosuper": the presentation of the learning mode.
void RegisterSuperCommands(PageCommandTable& table, TSuperPresentation& presentation);
