#pragma once

#include <QString>
#include <memory>

class LoopState;
class PageCommandTable;
class TBibliothek;
class TFreeFall;
class TSamplePlayer;
class TSuperOptions;
class TVocQuery;
class TXPage;

// The page commands of the vocabulary games, and what the games need of the
// trainer: its page, the vocabulary query (the games draw their questions
// with it), the library, the options and the running flag.
class TGameCommands {
 public:
  // pageFolder: the course's page folder, ending with a separator; the games'
  // pages stand in its folders "vegas/" and "freefall/".
  TGameCommands(TXPage& page, TVocQuery& query, TBibliothek& library, const TSuperOptions& options,
                TSamplePlayer* samples, LoopState& loops, QString pageFolder);
  ~TGameCommands();

  // "vegas": one Las Vegas game, from its first announcement to its last page.
  // "freefall": a Free Fall game; "hm" + letter, "giveup" and "cont" reach
  // it while it runs, "hmfree" lets go of it.
  void Register(PageCommandTable& table);
  void PlayVegas();
  void PlayFreeFall();

  QString VegasFolder() const { return pageFolder_ + QStringLiteral("vegas/"); }
  QString FreeFallFolder() const { return pageFolder_ + QStringLiteral("freefall/"); }
  // The Free Fall game from "freefall" until "hmfree" (null otherwise).
  TFreeFall* FreeFall() const { return freeFall_.get(); }

 private:
  // Nothing runs, the learning mode is the game's and a record is active;
  // otherwise says why not.
  bool mayStart(int modus, const QString& notChosen) const;

  TXPage& page_;
  TVocQuery& query_;
  TBibliothek& library_;
  const TSuperOptions& options_;
  TSamplePlayer* samples_;
  LoopState& loops_;
  std::unique_ptr<TFreeFall> freeFall_;
  QString pageFolder_;
};
