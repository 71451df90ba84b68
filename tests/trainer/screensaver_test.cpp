#include <gtest/gtest.h>

#include "trainer/screensaver.h"

namespace {

// This machine has no desktop: whether a session bus runs or not, no
// screen-saver service answers, and holding the screen saver off fails quietly.
TEST(ScreenSaverInhibitor, WithoutAScreenSaverServiceNothingIsHeldAndNothingFails) {
  ScreenSaverInhibitor inhibitor;
  EXPECT_FALSE(inhibitor.Hold(QStringLiteral("Präsentation läuft")));
  EXPECT_FALSE(inhibitor.Held());
  inhibitor.Release();
  inhibitor.Release();
  EXPECT_FALSE(inhibitor.Held());
}

}  // namespace
