#pragma once

class PageCommandTable;
class QWidget;
class TVerben;

// The verb trainer's page commands: "pv" (row 16), "verblist" (26),
// "showverb" + N (27) and "vtafel" (28). dialogParent owns the print dialog.
void RegisterVerbCommands(PageCommandTable& table, TVerben& verbs, QWidget* dialogParent);
