#pragma once

#include <QList>
#include <QString>

// One sentence of the language lab.
struct TSatz {
  QString Satz;          // the Spanish sentence ("FEHLER!" when its line was empty)
  QString Alternativen;  // further accepted forms, separated by "; "
  QString Hilfe;         // the hint of the dictation gap
  QString Deutsch;       // the German translation
  QString Aufnahme;      // the slow recording, "XS:\..." with a name ending in "a"
};

using TSatzListe = QList<TSatz>;

// A topic: its title and its sentences in the order of the data.
struct TThema {
  QString Titel;
  TSatzListe Saetze;
};
