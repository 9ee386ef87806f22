// Floating-point masking through <fenv.h>. glibc can enable traps (feenableexcept), and a
// library loaded into the process may have done so, so they are switched off explicitly.
#include <fenv.h>

#include "gl/fpu_control.h"

void MaskFloatingPointExceptions() {
#if defined(__GLIBC__)
  fedisableexcept(FE_ALL_EXCEPT);
#endif
  feclearexcept(FE_ALL_EXCEPT);
  fesetround(FE_TONEAREST);
}
