#include "superlearning/supercommands.h"

#include "common/pagecommandtable.h"
#include "superlearning/tsupersettingsdialog.h"
#include "superlearning/tsuperpresentation.h"

void RegisterSuperCommands(PageCommandTable& table, TSuperPresentation& presentation, TSuperOptions& options,
                           QWidget* dialogParent, std::function<void()> refresh) {
  using T = PageCommandTable;
  // A presentation never starts over one that runs.
  table.Add(46, T::Exact(QStringLiteral("gosuper")), [&presentation](const QString&) { presentation.StartPresentation(); },
            T::DuringLoop::Refuse);
  table.Add(47, T::Exact(QStringLiteral("superopts")), [&options, dialogParent, refresh](const QString&) {
    if (TSuperSettingsDialog::Execute(options, dialogParent) && refresh) refresh();
  }, T::DuringLoop::Refuse);
}
