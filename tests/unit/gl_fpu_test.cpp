// Floating-point masking: after MaskFloatingPointExceptions nothing traps, even when traps
// were switched on before, and rounding is to nearest with halves to even.
#include "gl/fpu_control.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>

#ifdef _WIN32
#include <float.h>
#endif

namespace {

// What a library loaded into the process might do to us.
void UnmaskTraps() {
#if defined(_WIN32)
  _clearfp();
  _controlfp(0, _EM_ZERODIVIDE | _EM_INVALID | _EM_OVERFLOW);
#elif defined(__GLIBC__)
  feclearexcept(FE_ALL_EXCEPT);
  feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
#endif
}

bool AllExceptionsMasked() {
#if defined(_WIN32)
  return (_controlfp(0, 0) & _MCW_EM) == _MCW_EM;
#elif defined(__GLIBC__)
  return fegetexcept() == 0;
#else
  return true;
#endif
}

TEST(FloatingPoint, MaskingSwitchesOffTrapsSetBefore) {
  UnmaskTraps();
  ASSERT_FALSE(AllExceptionsMasked());
  MaskFloatingPointExceptions();
  EXPECT_TRUE(AllExceptionsMasked());
}

TEST(FloatingPoint, DivisionByZeroAndInvalidOperationsGiveInfinityAndNaN) {
  UnmaskTraps();
  MaskFloatingPointExceptions();
  volatile double zero = 0.0;
  volatile float zeroF = 0.0f;
  volatile double huge = DBL_MAX;
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(1.0 / zero, inf);
  EXPECT_EQ(-1.0 / zero, -inf);
  EXPECT_EQ(1.0f / zeroF, std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(zero / zero));
  EXPECT_TRUE(std::isnan(std::sqrt(-1.0 - zero)));
  EXPECT_EQ(huge * 10.0, inf);
}

TEST(FloatingPoint, RoundingIsToNearestWithHalvesToEven) {
  std::fesetround(FE_UPWARD);
  MaskFloatingPointExceptions();
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  volatile double half = 2.5;
  EXPECT_EQ(std::nearbyint(half), 2.0);
  EXPECT_EQ(std::lrint(half + 1.0), 4);
}

}  // namespace
