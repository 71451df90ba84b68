#include "lab/labcommands.h"

#include "common/pagecommandtable.h"
#include "lab/tthemenliste.h"

void RegisterLabCommands(PageCommandTable& table, TThemenListe& lab) {
  using T = PageCommandTable;
  const auto onOff = [&table, &lab](int row, const QString& name, void (TThemenListe::*set)(bool)) {
    table.Add(row, T::Exact(QStringList{QLatin1Char('+') + name, QLatin1Char('-') + name}),
              [&lab, set](const QString& c) { (lab.*set)(c.front() == QLatin1Char('+')); });
  };
  onOff(1, QStringLiteral("deutsch"), &TThemenListe::SetDeutsch);
  onOff(2, QStringLiteral("diktat"), &TThemenListe::SetDiktat);
  onOff(3, QStringLiteral("autoread"), &TThemenListe::SetAutomatik);
  table.Add(4, T::Exact(QStringLiteral("lab")), [&lab](const QString&) { lab.ShowSentencePage(); });
  table.Add(5, [](const QString& c) { return c.size() > 3 && c.startsWith(QLatin1String("lab")) && c.endsWith(QLatin1Char('+')); },
            [&lab](const QString&) { lab.ShowVerdict(true); });
  table.Add(6, T::Exact(QStringLiteral("lab-")), [&lab](const QString&) { lab.ShowVerdict(false); });
  table.Add(7, T::Exact(QStringLiteral("labnext")), [&lab](const QString&) {
    lab.NextSentence();
    lab.ShowSentencePage();
  });
  table.Add(8, T::Exact(QStringLiteral("lablist")), [&lab](const QString&) { lab.ShowTopicList(); });
  // "thema 3;lab": the number stands in the sixth and seventh place, the rest is ignored.
  table.Add(9, T::FirstChars(QStringLiteral("thema")), [&lab](const QString& c) {
    lab.SelectTopic(T::NumberAt(c, 6, 7).value_or(0));
    lab.ShowSentencePage();
  });
}
