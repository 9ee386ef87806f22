// The Win32 shell's pieces that need no window, run under Wine: UTF-8 reaching the wide API
// intact, preview handles read as the host wrote them, and the exact pixel format.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/win32/win32_saver_process.h"
#include "app/win32/win32_saver_window.h"
#include "app/win32/win32_text.h"

namespace {

// ---- Text -----------------------------------------------------------------------------------

TEST(Win32Text, PolishLettersBecomeTheirUtf16CodeUnits) {
  EXPECT_EQ(Utf8ToWide("Ilość świateł/mgieł:"), L"Ilo\u015B\u0107 \u015Bwiate\u0142/mgie\u0142:");
  EXPECT_EQ(WideToUtf8(L"wybuch\u00F3w"), "wybuchów");
}

TEST(Win32Text, EmptyAndAsciiRoundTrip) {
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(Utf8ToWide("Quorvel orvanta screensaver")), "Quorvel orvanta screensaver");
}

// ---- Preview handles --------------------------------------------------------------------------

HWND Handle(intptr_t value) {
  return reinterpret_cast<HWND>(value);
}

TEST(PreviewHandle, DecimalNamesThatHandle) {
  EXPECT_EQ(PreviewWindowFromHandle(1234), Handle(1234));
}

TEST(PreviewHandle, SignedAndUnsignedSpellingsOfA32BitHandleAgree) {
  EXPECT_EQ(PreviewWindowFromHandle(-2), Handle(-2));
  EXPECT_EQ(PreviewWindowFromHandle(4294967294), Handle(-2));
  EXPECT_EQ(PreviewWindowFromHandle(INT32_MIN), Handle(INT32_MIN));
}

TEST(PreviewHandle, ValuesBeyond32BitsNameNoWindow) {
  EXPECT_EQ(PreviewWindowFromHandle(4294967296), nullptr);
  EXPECT_EQ(PreviewWindowFromHandle(int64_t{INT32_MIN} - 1), nullptr);
}

// ---- Pixel format ---------------------------------------------------------------------------

TEST(SaverPixelFormat, AsksForDoubleBufferedRgbaWith32BitColourAndDepthAndNothingElse) {
  PIXELFORMATDESCRIPTOR expected;
  std::memset(&expected, 0, sizeof expected);
  expected.nSize = 40;
  expected.nVersion = 1;
  expected.dwFlags = 0x25;
  expected.cColorBits = 32;
  expected.cDepthBits = 32;
  const PIXELFORMATDESCRIPTOR actual = SaverPixelFormat();
  EXPECT_EQ(sizeof actual, 40u);
  EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0);
}

}  // namespace
