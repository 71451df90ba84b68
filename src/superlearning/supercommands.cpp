#include "superlearning/supercommands.h"

#include "common/pagecommandtable.h"
#include "superlearning/tsuperpresentation.h"

void RegisterSuperCommands(PageCommandTable& table, TSuperPresentation& presentation) {
  using T = PageCommandTable;
  // A presentation never starts over one that runs.
  table.Add(46, T::Exact(QStringLiteral("gosuper")), [&presentation](const QString&) { presentation.StartPresentation(); },
            T::DuringLoop::Refuse);
}
