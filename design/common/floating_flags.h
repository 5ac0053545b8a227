#pragma once
// The floating-point fault flags a calculation is judged by: cleared before it runs and read
// after it (guardedCalculation).

#include <cfenv>

namespace pedivo {

// Clears every floating-point exception flag, as std::feclearexcept(FE_ALL_EXCEPT) does. On x86-64
// that library call stores and reloads the whole x87 environment, which costs as much as a small
// design step, twice for every calculation 自动调整 makes; here the x87 flags go with fnclex and the
// SSE flags are cleared in MXCSR, leaving its rounding and masks as they are.
inline void clearFloatingFlags() {
#if defined(__GNUC__) && defined(__x86_64__)
  __asm__ volatile("fnclex" ::: "memory");
  constexpr unsigned exceptionFlags = 0x3F;  // invalid, denormal, divide-by-zero, overflow, underflow, inexact
  __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() & ~exceptionFlags);
#else
  std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

}  // namespace pedivo
