#include "common/loopstate.h"

LoopState::Scope::Scope(LoopState& state, RunningLoop& loop) : state_(state), previous_(state.current_) {
  state_.current_ = &loop;
  if (!previous_) Q_EMIT state_.Started();
}

LoopState::Scope::~Scope() {
  state_.current_ = previous_;
  if (!previous_) Q_EMIT state_.Ended();
}

void LoopState::StopPresentation() {
  if (current_) current_->Stop();
}
