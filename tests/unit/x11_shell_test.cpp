// The Linux shell's rules that need no display: which X events end a saver and how they
// reach the input filter, how focus changes activate and deactivate the application, and
// how XScreenSaver's options are read.
#include <gtest/gtest.h>

#include "unit/test_data.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/x11/x11_screensaver_options.h"
#include "gl/x11_swap_control.h"

// Xlib last: its macros would rewrite names in the headers above.
#include <X11/keysym.h>
#include "app/x11/x11_input.h"

namespace {

// Pointer motion at screen position (x, y) over a saver window that sits on a second
// monitor, at (1920, 100): the event's window coordinates differ from its root ones.
XEvent Motion(int x, int y) {
  XEvent event = {};
  event.type = MotionNotify;
  event.xmotion.x_root = x;
  event.xmotion.y_root = y;
  event.xmotion.x = x - 1920;
  event.xmotion.y = y - 100;
  return event;
}

XEvent Key(unsigned int state) {
  XEvent event = {};
  event.type = KeyPress;
  event.xkey.keycode = 38;
  event.xkey.state = state;
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
  const std::optional<InputEvent> input = InputFromX11Event(event);
  return input && InputEndsSaver(*input, false, start);
}

}  // namespace

TEST(X11Input, PointerMayWanderFifteenPixelsFromWhereItWasShown) {
  const CursorPoint start{500, 400};
  EXPECT_FALSE(Ends(Motion(515, 415), start));
  EXPECT_FALSE(Ends(Motion(485, 385), start));
  EXPECT_TRUE(Ends(Motion(516, 400), start));
  EXPECT_TRUE(Ends(Motion(500, 384), start));
}

TEST(X11Input, MotionIsAPointerMoveToItsScreenPosition) {
  const std::optional<InputEvent> input = InputFromX11Event(Motion(3839, 1079));
  ASSERT_TRUE(input);
  EXPECT_EQ(input->Kind, InputKind::PointerMoved);
  EXPECT_EQ(input->Position.X, 3839);
  EXPECT_EQ(input->Position.Y, 1079);
  // Measured in the window's own frame, this short move would look like a jump of 1920.
  EXPECT_FALSE(Ends(Motion(1925, 105), {1920, 100}));
}

TEST(X11Input, AltF10AndAltChordsAreSystemKeysThatLeaveTheSaverRunning) {
  constexpr InputKind kSystem = InputKind::SystemKeyPressed, kKey = InputKind::KeyPressed;
  struct Case {
    KeySym Keysym;
    unsigned int State;
    InputKind Kind;
  } cases[] = {
      {XK_Alt_L, 0, kSystem},     {XK_Alt_R, 0, kSystem},
      {XK_F10, 0, kSystem},       {XK_x, Mod1Mask, kSystem},
      {XK_F4, Mod1Mask, kSystem}, {XK_a, 0, kKey},
      {XK_F9, 0, kKey},           {XK_a, ShiftMask | ControlMask, kKey},
      {XK_Control_L, 0, kKey},    {NoSymbol, 0, kKey},
  };
  for (const Case& c : cases) {
    const std::optional<InputEvent> input = InputFromX11Event(Key(c.State), c.Keysym);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->Kind, c.Kind) << "keysym " << c.Keysym << " state " << c.State;
    EXPECT_EQ(InputEndsSaver(*input, false, {}), c.Kind == kKey);
  }
}

TEST(X11Input, KeysEndTheSaverButClicksDoNot) {
  EXPECT_TRUE(Ends(Key(0), {}));

  XEvent click = {};
  click.type = ButtonPress;
  click.xbutton.button = 1;
  EXPECT_FALSE(Ends(click, {}));

  XEvent release = {};
  release.type = KeyRelease;
  EXPECT_FALSE(InputFromX11Event(release)) << "a release is no input of its own";
  // Focus reaches the application's activation, not the input rules: the saver's own
  // window taking the focus when it is shown must not end it.
  EXPECT_FALSE(InputFromX11Event(Focus(FocusIn, NotifyNormal, NotifyNonlinear)));
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

namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// What the options came to, written the way tests/data/xscreensaver_options.txt writes it.
std::string Outcome(const std::vector<std::string>& args) {
  try {
    const auto options = ParseXScreenSaverOptions(args, nullptr);
    if (!options) return "no target";
    std::string text;
    for (const auto& count : options->Counts) {
      text += (count ? std::to_string(*count) : "-") + " ";
    }
    text += std::string(options->ShowFrameRate ? "1" : "0") + " " +
            std::to_string(options->DelayMicroseconds);
    for (const std::string& note : options->Notes) text += " | " + note;
    return text;
  } catch (const StartupError& error) {
    return std::string("error ") + error.what();
  }
}

}  // namespace

TEST(XScreenSaverOptions, CountsFrameRateAndDelayAsTheDataFileSays) {
  int checked = 0;
  for (const std::string& line : ReadTestLines("xscreensaver_options.txt")) {
    const auto arrow = line.find(" => ");
    ASSERT_NE(arrow, std::string::npos) << line;
    const std::vector<std::string> args = Words(line.substr(0, arrow));
    EXPECT_EQ(Outcome(args), Trim(line.substr(arrow + 4)))
        << "arguments: " << line.substr(0, arrow);
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

// The mode must be known even when the options are bad, so that their error is reported the
// way XScreenSaver's mode reports errors (no box).
TEST(XScreenSaverOptions, ATargetIsRecognisedEvenWhereItsOptionsAreBad) {
  for (const std::string& line : ReadTestLines("xscreensaver_options.txt")) {
    const std::vector<std::string> args = Words(line.substr(0, line.find(" => ")));
    EXPECT_EQ(NamesXScreenSaverTarget(args, nullptr), Outcome(args) != "no target") << line;
  }
  const std::vector<std::string> none, saver{"/s"};
  EXPECT_TRUE(NamesXScreenSaverTarget(none, "not-a-window"));
  EXPECT_FALSE(NamesXScreenSaverTarget(none, ""));
  EXPECT_FALSE(NamesXScreenSaverTarget(saver, "0x10"));
}

TEST(XScreenSaverOptions, GivenCountsReplaceTheStoredOnesAndTheRestStay) {
  const std::vector<std::string> args{"--root", "--smoke", "300", "--lights", "4"};
  const Settings stored{700, 800, 90, 20};
  const Settings applied = ApplyCountOptions(stored, *ParseXScreenSaverOptions(args, nullptr));
  EXPECT_EQ(applied.MeteorCount, 700);
  EXPECT_EQ(applied.SmokeCount, 300);
  EXPECT_EQ(applied.ExplosionCount, 90);
  EXPECT_EQ(applied.LightCount, 4);
}

TEST(InformationRequests, HelpAndVersionAnywhereButAfterAWindowsMode) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(FindInformationRequest(Args{"--help"}), InformationRequest::Help);
  EXPECT_EQ(FindInformationRequest(Args{"-root", "-help"}), InformationRequest::Help);
  EXPECT_EQ(FindInformationRequest(Args{"-h"}), InformationRequest::Help);
  EXPECT_EQ(FindInformationRequest(Args{"--version"}), InformationRequest::Version);
  EXPECT_EQ(FindInformationRequest(Args{"-version"}), InformationRequest::Version);
  EXPECT_EQ(FindInformationRequest(Args{"/S", "--help"}), InformationRequest::Run);
  EXPECT_EQ(FindInformationRequest(Args{"/c"}), InformationRequest::Run);
  EXPECT_EQ(FindInformationRequest(Args{}), InformationRequest::Run);
}

TEST(InformationRequests, HelpNamesEveryOptionAndVersionTheProjectsNumber) {
  const std::string help = HelpText("orvanta");
  for (const char* option : {"/S", "/P", "--root", "--window-id", "XSCREENSAVER_WINDOW",
                             "--meteors N", "--smoke N", "--explosions N", "--lights N", "--fps",
                             "--delay N", "--help", "--version", "orvantaSS.conf"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  EXPECT_NE(help.find("50 to 2000"), std::string::npos);
  EXPECT_NE(help.find("10 to 300"), std::string::npos);
  EXPECT_EQ(VersionText(), std::string("orvanta ") + ORVANTA_VERSION);
}

TEST(InformationRequests, HelpEndsWithTheSettingsFileItsLinesAndTheExitCodes) {
  const std::string help = HelpText("orvanta"), paragraph = ReadTestData("help_settings.txt");
  ASSERT_GE(help.size(), paragraph.size());
  EXPECT_EQ(help.substr(help.size() - paragraph.size()), paragraph);
}

TEST(SwapControl, TheExtExtensionFirstThenMesasWholeNamesOnly) {
  EXPECT_EQ(ChooseSwapControl("GLX_ARB_create_context GLX_EXT_swap_control GLX_MESA_swap_control"),
            SwapControl::Ext);
  EXPECT_EQ(ChooseSwapControl("GLX_MESA_swap_control GLX_SGI_swap_control"), SwapControl::Mesa);
  EXPECT_EQ(ChooseSwapControl("GLX_EXT_swap_control"), SwapControl::Ext);
  EXPECT_EQ(ChooseSwapControl("GLX_EXT_swap_control_tear GLX_MESA_swap_control"),
            SwapControl::Mesa);
  EXPECT_EQ(ChooseSwapControl("GLX_EXT_swap_control_tear GLX_SGI_swap_control"),
            SwapControl::Unavailable);
  EXPECT_EQ(ChooseSwapControl(""), SwapControl::Unavailable);
  EXPECT_EQ(ChooseSwapControl(nullptr), SwapControl::Unavailable);
}
