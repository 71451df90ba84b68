#include "superlearning/gamecommands.h"

#include "common/loopstate.h"
#include "common/pagecommandtable.h"
#include "superlearning/tvegas.h"

TGameCommands::TGameCommands(TXPage& page, TVocQuery& query, TBibliothek& library, const TSuperOptions& options,
                             LoopState& loops, QString pageFolder)
    : page_(page), query_(query), library_(library), options_(options), loops_(loops),
      pageFolder_(std::move(pageFolder)) {}

void TGameCommands::Register(PageCommandTable& table) {
  using T = PageCommandTable;
  // A game never starts over a presentation or game that runs.
  table.Add(42, T::Exact(QStringLiteral("vegas")), [this](const QString&) { PlayVegas(); }, T::DuringLoop::Refuse);
}

void TGameCommands::PlayVegas() {
  if (loops_.Running() || !TVegas::MayStart(library_)) return;
  TVegas game(page_, query_, library_, options_, VegasFolder());
  game.Run(loops_);
}
