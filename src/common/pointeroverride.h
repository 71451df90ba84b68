#pragma once

#include <Qt>

// The mouse pointer of one piece of work (a presentation hides it, a
// long command shows the hourglass): set for as long as the object lives,
// on every way out of the work, and the pointer before it comes back.
// Overrides nest; each one removes only its own.
class PointerOverride {
 public:
  explicit PointerOverride(Qt::CursorShape shape);
  ~PointerOverride();
  PointerOverride(const PointerOverride&) = delete;
  PointerOverride& operator=(const PointerOverride&) = delete;

 private:
  bool set_ = false;
};
