#include "superlearning/gamecommands.h"

#include "common/loopstate.h"
#include "common/messagebox.h"
#include "common/pagecommandtable.h"
#include "superlearning/presentationtexts.h"
#include "superlearning/tfreefall.h"
#include "superlearning/tvegas.h"
#include "vocabulary/tbibliothek.h"

TGameCommands::TGameCommands(TXPage& page, TVocQuery& query, TBibliothek& library, const TSuperOptions& options,
                             TSamplePlayer* samples, LoopState& loops, QString pageFolder)
    : page_(page), query_(query), library_(library), options_(options), samples_(samples), loops_(loops),
      pageFolder_(std::move(pageFolder)) {}

TGameCommands::~TGameCommands() = default;

void TGameCommands::Register(PageCommandTable& table) {
  using T = PageCommandTable;
  // A game never starts over a presentation or game that runs.
  // The Free Fall game's links act at once inside its loop; without a game they do nothing.
  table.Add(17, T::Exact(QStringLiteral("cont")), [this](const QString&) {
    if (freeFall_) freeFall_->Continue();
  }, T::DuringLoop::Now);
  // Let go only once the game's loop has returned.
  table.Add(18, T::Exact(QStringLiteral("hmfree")), [this](const QString&) { freeFall_.reset(); });
  table.Add(19, T::FirstChars(QStringLiteral("hm")), [this](const QString& command) {
    if (freeFall_ && command.size() > 2) freeFall_->Guess(command[2]);
  }, T::DuringLoop::Now);
  table.Add(20, T::Exact(QStringLiteral("giveup")), [this](const QString&) {
    if (freeFall_) freeFall_->GiveUp();
  }, T::DuringLoop::Now);
  table.Add(42, T::Exact(QStringLiteral("vegas")), [this](const QString&) { PlayVegas(); }, T::DuringLoop::Refuse);
  table.Add(43, T::Exact(QStringLiteral("freefall")), [this](const QString&) { PlayFreeFall(); },
            T::DuringLoop::Refuse);
}

bool TGameCommands::mayStart(int modus, const QString& notChosen) const {
  if (loops_.Running()) return false;
  // A game plays the records its learning mode makes active.
  if ((library_.Einstellungen.Modus() & 0x7F) != modus) {
    ShowMessage(notChosen, MessageKind::Information);
    return false;
  }
  if (library_.ActiveCount() == 0) {
    ShowMessage(PresentationTexts::kNoneActive, MessageKind::Information);
    return false;
  }
  return true;
}

void TGameCommands::PlayFreeFall() {
  if (!mayStart(TVocEinstellungen::ModusFreeFall, TFreeFall::kNotChosen)) return;
  if (!freeFall_) freeFall_ = std::make_unique<TFreeFall>(page_, library_, options_, samples_, FreeFallFolder());
  freeFall_->Play(loops_);
}

void TGameCommands::PlayVegas() {
  if (!mayStart(TVocEinstellungen::ModusVegas, TVegas::kNotChosen)) return;
  TVegas game(page_, query_, library_, options_, VegasFolder());
  game.Run(loops_);
}
