// The Linux shell's rules that need no display: which X events end a saver and how they
// reach the input filter, how focus changes activate and deactivate the application, and
// how XScreenSaver's options are read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/x11/x11_screensaver_options.h"

// Xlib last: its macros would rewrite names in the headers above.
#include "app/x11/x11_application.h"

namespace {

XEvent Motion(int x, int y) {
  XEvent event = {};
  event.type = MotionNotify;
  event.xmotion.x = x;
  event.xmotion.y = y;
  return event;
}

XEvent Focus(int type, int mode, int detail) {
  XEvent event = {};
  event.type = type;
  event.xfocus.type = type;
  event.xfocus.mode = mode;
  event.xfocus.detail = detail;
  return event;
}

bool Ends(const XEvent& event, CursorPoint start) {
  AppMessageRecord message;
  return TranslateX11Event(event, message) && MessageEndsSaver(message, false, start);
}

}  // namespace

TEST(X11Input, PointerMayWanderFifteenPixelsFromWhereItWasShown) {
  const CursorPoint start{500, 400};
  EXPECT_FALSE(Ends(Motion(515, 415), start));
  EXPECT_FALSE(Ends(Motion(485, 385), start));
  EXPECT_TRUE(Ends(Motion(516, 400), start));
  EXPECT_TRUE(Ends(Motion(500, 384), start));
}

TEST(X11Input, MotionPacksWindowCoordinatesLikeAMouseMessage) {
  AppMessageRecord message;
  ASSERT_TRUE(TranslateX11Event(Motion(1919, 1079), message));
  EXPECT_EQ(message.Message, kWmMouseMove);
  EXPECT_EQ(message.LParam & 0xFFFF, 1919);
  EXPECT_EQ((message.LParam >> 16) & 0xFFFF, 1079);
}

TEST(X11Input, KeysEndTheSaverButClicksDoNot) {
  XEvent key = {};
  key.type = KeyPress;
  key.xkey.keycode = 38;
  EXPECT_TRUE(Ends(key, {}));

  XEvent click = {};
  click.type = ButtonPress;
  click.xbutton.button = 1;
  EXPECT_FALSE(Ends(click, {}));

  XEvent release = {};
  release.type = KeyRelease;
  AppMessageRecord message;
  EXPECT_FALSE(TranslateX11Event(release, message)) << "a release is no input of its own";
}

TEST(X11Focus, FocusGainedAndLostActivatesAndDeactivates) {
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusIn, NotifyNormal, NotifyNonlinear).xfocus),
            ActivationChange::Activate);
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusOut, NotifyNormal, NotifyNonlinear).xfocus),
            ActivationChange::Deactivate);
  // Focus taken by another client while our keyboard grab lasts still leaves us.
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusOut, NotifyWhileGrabbed, NotifyAncestor).xfocus),
            ActivationChange::Deactivate);
}

TEST(X11Focus, OurOwnGrabsAndInnerMovesChangeNothing) {
  // Grabbing the keyboard to run full screen must not look like losing the focus.
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusOut, NotifyGrab, NotifyNonlinear).xfocus),
            ActivationChange::Unchanged);
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusIn, NotifyUngrab, NotifyNonlinear).xfocus),
            ActivationChange::Unchanged);
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusOut, NotifyNormal, NotifyInferior).xfocus),
            ActivationChange::Unchanged);
  EXPECT_EQ(ClassifyFocusEvent(Focus(FocusOut, NotifyNormal, NotifyPointer).xfocus),
            ActivationChange::Unchanged);
}

TEST(X11WindowId, DecimalAndHexadecimal) {
  EXPECT_EQ(ParseX11WindowId("4194317"), 4194317u);
  EXPECT_EQ(ParseX11WindowId("0x40000d"), 0x40000du);
  EXPECT_EQ(ParseX11WindowId("0X1FFFFFFF"), 0x1FFFFFFFu);
}

TEST(X11WindowId, NothingThatCannotBeAWindowIsAccepted) {
  for (const char* text :
       {"", "0", "0x", "0x0", "-5", "12abc", "0x20000000", "99999999999999999999", " 12", "0xg"}) {
    try {
      ParseX11WindowId(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const StartupError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid window id");
    }
  }
}

TEST(XScreenSaverOptions, WindowIdWinsOverEnvironmentWhichWinsOverRoot) {
  const std::vector<std::string> both{"-root", "--window-id", "0x10"};
  EXPECT_EQ(ParseXScreenSaverOptions(both, "32")->Window, 0x10u);

  const std::vector<std::string> root{"-root"};
  const auto fromEnvironment = ParseXScreenSaverOptions(root, "32");
  ASSERT_TRUE(fromEnvironment);
  EXPECT_FALSE(fromEnvironment->Root);
  EXPECT_EQ(fromEnvironment->Window, 32u);

  const auto rootOnly = ParseXScreenSaverOptions(root, nullptr);
  ASSERT_TRUE(rootOnly);
  EXPECT_TRUE(rootOnly->Root);
  EXPECT_TRUE(ParseXScreenSaverOptions(std::vector<std::string>{"--root"}, "")->Root);
}

TEST(XScreenSaverOptions, TheWindowsStyleModesAndPlainRunsAreLeftAlone) {
  EXPECT_FALSE(ParseXScreenSaverOptions(std::vector<std::string>{}, nullptr));
  EXPECT_FALSE(ParseXScreenSaverOptions(std::vector<std::string>{"/c"}, nullptr));
  // A saver started by hand from inside an XScreenSaver session keeps its own mode.
  EXPECT_FALSE(ParseXScreenSaverOptions(std::vector<std::string>{"/s"}, "32"));
  EXPECT_FALSE(ParseXScreenSaverOptions(std::vector<std::string>{"/P", "7"}, "32"));
  EXPECT_TRUE(ParseXScreenSaverOptions(std::vector<std::string>{}, "32"));
}

TEST(XScreenSaverOptions, AMissingOrBadWindowIsAStartupError) {
  EXPECT_THROW(ParseXScreenSaverOptions(std::vector<std::string>{"-window-id"}, nullptr),
               StartupError);
  EXPECT_THROW(ParseXScreenSaverOptions(std::vector<std::string>{"-window-id", "abc"}, nullptr),
               StartupError);
  EXPECT_THROW(ParseXScreenSaverOptions(std::vector<std::string>{}, "not-a-window"), StartupError);
}
