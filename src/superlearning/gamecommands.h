#pragma once

#include <QString>

class LoopState;
class PageCommandTable;
class TBibliothek;
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
                LoopState& loops, QString pageFolder);

  // "vegas": one Las Vegas game, from its first announcement to its last page.
  void Register(PageCommandTable& table);
  void PlayVegas();

  QString VegasFolder() const { return pageFolder_ + QStringLiteral("vegas/"); }

 private:
  TXPage& page_;
  TVocQuery& query_;
  TBibliothek& library_;
  const TSuperOptions& options_;
  LoopState& loops_;
  QString pageFolder_;
};
