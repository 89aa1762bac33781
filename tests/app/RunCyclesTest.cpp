// Many short runs as an operator makes them, across VISUAL, RECORD and ADD: guards against
// anything of a finished run staying behind (its thread, its request queue) and against
// memory that grows with the number of runs.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <random>

#include "RunControlFixture.h"

namespace orvix {
namespace {

using test::HeapInUse;
using test::RunControlTest;
using test::SpinUntil;

// Many short runs as an operator makes them: every run's thread and request queue are gone
// once it has ended, and the heap in use does not grow with the number of runs.
TEST_F(RunControlTest, ManyRunsLeaveNothingOfTheirOwnBehind) {
  Rebuild(ThreadPacing{0, 0});
  SharedState& s = S();
  nastVid->TrackBar3->setValue(2);  // short ADD series
  std::mt19937 random(20261209);
  auto cycle = [&] {
    switch (random() % 3) {
      case 0: video->KlawiszVISUALClick(); break;
      case 1: video->KlawiszRECORDClick(); break;
      default: video->KlawiszADDClick(); break;
    }
    video->KlawiszSTARTClick();
    EXPECT_LE(StationRun::LiveObjects(), 2);
    SpinUntil([&] { return s.UnsavedChannels.load() != 0 || Idle(); }, 2000);
    video->KlawiszSTOPClick();
    EXPECT_TRUE(SpinUntil([&] { return Idle(); }));
    SpinUntil([&] { return StationRun::LiveObjects() == 0; }, 2000);
    EXPECT_EQ(StationRun::LiveObjects(), 0);
    s.UnsavedChannels = 0;
  };
  for (int i = 0; i < 30; ++i) cycle();  // warm-up: caches, glyphs, thread stacks
  const size_t before = HeapInUse();
  for (int i = 0; i < 120; ++i) cycle();
  const size_t after = HeapInUse();
  RecordProperty("heap_growth_bytes", std::to_string(long(after) - long(before)));
  if (before > 0) {
    // A leak of a few kilobytes per run would show as a megabyte here.
    EXPECT_LT(after, before + 512 * 1024) << before << " -> " << after;
  }
}

}  // namespace
}  // namespace orvix
