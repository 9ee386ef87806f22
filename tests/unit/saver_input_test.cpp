// The input rules that end a full-screen saver.
#include "app/saver_input.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr CursorPoint kStart{500, 400};

// A mouse move as Windows packs it: x in the low word, y in the high word.
AppMessageRecord MouseMoveTo(uint32_t x, uint32_t y) {
  return {kWmMouseMove, 0, static_cast<int64_t>((y & 0xFFFF) << 16 | (x & 0xFFFF))};
}

bool Ends(const AppMessageRecord& message, CursorPoint start = kStart) {
  return MessageEndsSaver(message, /*Preview=*/false, start);
}

TEST(MouseMove, FifteenPixelsEachWayKeepTheSaverSixteenEndIt) {
  EXPECT_FALSE(Ends(MouseMoveTo(515, 415)));
  EXPECT_FALSE(Ends(MouseMoveTo(485, 385)));
  EXPECT_TRUE(Ends(MouseMoveTo(516, 400)));
  EXPECT_TRUE(Ends(MouseMoveTo(484, 400)));
  EXPECT_TRUE(Ends(MouseMoveTo(500, 384)));
  EXPECT_TRUE(Ends(MouseMoveTo(500, 416)));
}

TEST(MouseMove, CoordinatesAreTheTwoLowWordsReadUnsigned) {
  // 0xFFFF is 65535, not -1: a small move near 65530, a large one near the origin.
  EXPECT_FALSE(Ends(MouseMoveTo(0xFFFF, 0xFFF8), CursorPoint{65530, 65530}));
  EXPECT_TRUE(Ends(MouseMoveTo(0xFFFF, 0), CursorPoint{0, 0}));
  EXPECT_TRUE(Ends(MouseMoveTo(0, 0xFFFF), CursorPoint{0, 0}));
  // Bits above the low 32 (a sign-extended lParam) play no part.
  EXPECT_FALSE(Ends({kWmMouseMove, 0, MouseMoveTo(510, 410).LParam | int64_t{-1} << 32}));
  // x is the low word, y the high one.
  EXPECT_TRUE(Ends(MouseMoveTo(900, 20), CursorPoint{20, 900}));
  // Far-off recorded positions must not overflow into a small distance.
  EXPECT_TRUE(Ends(MouseMoveTo(0, 0), CursorPoint{INT32_MIN, 0}));
  EXPECT_TRUE(Ends(MouseMoveTo(0, 0), CursorPoint{0, INT32_MAX}));
}

// A move as a shell that knows the screen position reports it, e.g. from a cover window on a
// monitor left of the primary one.
AppMessageRecord MoveOnScreen(int32_t x, int32_t y) {
  AppMessageRecord move = MouseMoveTo(0, 0);
  move.ScreenPos = CursorPoint{x, y};
  return move;
}

TEST(MouseMove, AScreenPositionIsMeasuredAsItIsOnEveryMonitor) {
  // Near the primary monitor's left edge, onto a monitor at negative coordinates.
  EXPECT_FALSE(Ends(MoveOnScreen(-8, 300), CursorPoint{5, 300}));
  EXPECT_TRUE(Ends(MoveOnScreen(-11, 300), CursorPoint{5, 300}));
  // Started on a monitor above the primary one.
  EXPECT_FALSE(Ends(MoveOnScreen(-1900, -1065), CursorPoint{-1890, -1050}));
  EXPECT_TRUE(Ends(MoveOnScreen(-1900, -1066), CursorPoint{-1890, -1050}));
  // The screen position wins over lParam's words.
  AppMessageRecord move = MouseMoveTo(900, 900);
  move.ScreenPos = kStart;
  EXPECT_FALSE(Ends(move));
}

TEST(MouseMove, ClientPositionsAreSignedAndOffsetByTheirWindow) {
  const auto at = [](int32_t x, int32_t y, CursorPoint origin) {
    const CursorPoint p = MousePositionOnScreen(MouseMoveTo(x & 0xFFFF, y & 0xFFFF).LParam, origin);
    return std::to_string(p.X) + "," + std::to_string(p.Y);
  };
  EXPECT_EQ(at(10, 20, {0, 0}), "10,20");
  EXPECT_EQ(at(-8, 300, {0, 0}), "-8,300");        // captured by a window at the origin
  EXPECT_EQ(at(1272, 300, {-1280, 0}), "-8,300");  // a cover window left of the primary one
  EXPECT_EQ(at(400, 763, {0, -768}), "400,-5");    // a cover window above it
  EXPECT_EQ(at(32767, -32768, {0, 0}), "32767,-32768");
}

TEST(OtherMessages, KeysAndActivationEndTheSaverEverythingElsePasses) {
  for (uint32_t message : {kWmKeyDown, kWmActivate, kWmActivateApp, kWmNcActivate}) {
    EXPECT_TRUE(Ends({message, 0, 0})) << std::hex << message;
  }
  // A click carries a position too; only a move is measured. Alt alone is WM_SYSKEYDOWN.
  EXPECT_FALSE(Ends({kWmLButtonDown, 1, MouseMoveTo(900, 900).LParam}));
  EXPECT_FALSE(Ends({kWmSysKeyDown, 0x12, 0}));
  for (uint32_t message : {0x0000u, 0x0101u, 0x0102u, 0x0204u, 0x020Au, 0x0400u}) {
    EXPECT_FALSE(Ends({message, 0, 0})) << std::hex << message;
  }
}

TEST(Preview, NothingEndsAPreview) {
  for (const AppMessageRecord& message :
       {MouseMoveTo(900, 900), AppMessageRecord{kWmKeyDown, 0x41, 0},
        AppMessageRecord{kWmActivate, 0, 0}, AppMessageRecord{kWmActivateApp, 0, 0},
        AppMessageRecord{kWmNcActivate, 0, 0}}) {
    EXPECT_FALSE(MessageEndsSaver(message, /*Preview=*/true, kStart)) << message.Message;
  }
}

}  // namespace
