#pragma once

class PageCommandTable;
class QWidget;
class TVerben;

// The verb trainer's page commands: the selection ("+vv"/"-vv" + N, row 10;
// "+vz"/"-vz" + N, 11; "vall", 12; "vnone", 13; "vsave", 14; "vman" + N,
// 15; the presets "vt0" to "vt4", 36 to 38), the tables ("pv", 16;
// "verblist", 26; "showverb" + N, 27; "vtafel", 28) and the queries
// ("verb", 29; "verbweiter", 31; "verb" + answer, 32). dialogParent owns
// the print dialog.
void RegisterVerbCommands(PageCommandTable& table, TVerben& verbs, QWidget* dialogParent);
