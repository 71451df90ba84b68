#pragma once

class PageCommandTable;
class QWidget;
class TBibliothek;
class TVocQuery;

// The page commands of the vocabulary: the query and its pages ("goabfrage",
// "vokabel…", "vokabelweiter", "vcontinue", "vocaus", "vstart"), the
// selection ("dir=", "select"), the learning mode ("sm=") and the settings
// dialog ("vocein"). Dialogs open over dialogParent.
void RegisterVocabularyCommands(PageCommandTable& table, TVocQuery& query, TBibliothek& library,
                                QWidget* dialogParent);
