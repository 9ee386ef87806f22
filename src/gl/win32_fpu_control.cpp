// Floating-point masking on Windows. The CRT's _controlfp sets MXCSR, where double maths
// runs, but on x64 it leaves the x87 unit alone, and long double maths and parts of the
// maths library still run there; so its control word is set as well.
#include <float.h>

#include "gl/fpu_control.h"

namespace {

// All six exceptions masked, rounding to nearest, 64-bit extended precision: the x87 word
// 0x133F (0x037F, the power-on value, differs only in bits the hardware ignores).
void SetX87ControlWord() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  word = static_cast<unsigned short>((word & ~0x0F3F) | 0x033F);
  __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(word));
#endif
}

}  // namespace

void MaskFloatingPointExceptions() {
  _clearfp();
  _controlfp(_MCW_EM, _MCW_EM);
  _controlfp(_RC_NEAR, _MCW_RC);
  SetX87ControlWord();
}
