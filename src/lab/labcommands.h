#pragma once

class PageCommandTable;
class TThemenListe;

// The language lab's page commands: the switches "+deutsch", "-deutsch",
// "+diktat", "-diktat", "+autoread", "-autoread"; "lab" (the sentence
// page), "lab..." ending in "+" and "lab-" (the verdicts of the dictation
// gap), "labnext", "lablist" and "thema" + N.
void RegisterLabCommands(PageCommandTable& table, TThemenListe& lab);
