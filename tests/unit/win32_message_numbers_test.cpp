// The portable message numbers are the system's own, and the header survives being
// included after <windows.h>, whose WM_* macros would clash with plain names.
#include <windows.h>

#include "app/saver_input.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32MessageNumbers, MatchTheSystemHeaders) {
  EXPECT_EQ(kWmActivate, static_cast<uint32_t>(WM_ACTIVATE));
  EXPECT_EQ(kWmActivateApp, static_cast<uint32_t>(WM_ACTIVATEAPP));
  EXPECT_EQ(kWmNcActivate, static_cast<uint32_t>(WM_NCACTIVATE));
  EXPECT_EQ(kWmKeyDown, static_cast<uint32_t>(WM_KEYDOWN));
  EXPECT_EQ(kWmSysKeyDown, static_cast<uint32_t>(WM_SYSKEYDOWN));
  EXPECT_EQ(kWmMouseMove, static_cast<uint32_t>(WM_MOUSEMOVE));
  EXPECT_EQ(kWmLButtonDown, static_cast<uint32_t>(WM_LBUTTONDOWN));
  // MAKELPARAM packs a position the way the system delivers it.
  EXPECT_TRUE(MessageEndsSaver({WM_MOUSEMOVE, 0, MAKELPARAM(516, 400)}, false, {500, 400}));
}

}  // namespace
