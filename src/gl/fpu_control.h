// Process-wide floating-point set-up: every exception masked, rounding to nearest, so that a
// division by zero yields an infinity and an invalid operation a NaN instead of a trap.
#pragma once

void MaskFloatingPointExceptions();
