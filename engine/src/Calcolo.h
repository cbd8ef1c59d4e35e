#pragma once
// The arithmetic of the verifications: every formula is evaluated in double from single-precision
// values and stored in single precision, and a step that divides by zero, overflows or has no
// value stops the verification with an error instead of carrying a non-number into the results.
#include "platform/basic/Error.h"

#include <cfenv>
#include <cmath>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace QOR_TRBNS18::detail {

using Single = float;

// Shields the caller's floating-point state: no trap fires while a verification runs, and the
// flags it raises are gone when it returns, normally or with an error. On x86-64 all of the
// arithmetic runs in the SSE unit, whose control and status register is read and written directly:
// the <cfenv> save and restore costs more than a whole verification.
#if defined(__x86_64__) && defined(__GNUC__)
// Clears the upper halves of the vector registers. Whatever left them dirty (the C library's
// vector routines, the hypervisor restoring state), the SSE arithmetic that follows would otherwise
// pay a transition penalty at nearly every instruction: three to four times the time of the whole
// verification on processors with AVX-512.
__attribute__((target("avx"))) inline void AzzeraVettoriAvx() noexcept { _mm256_zeroupper(); }
inline void AzzeraVettori() noexcept {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) AzzeraVettoriAvx();
}

class AmbienteFp {
public:
    static constexpr unsigned kFlag = 0x3Fu;   // every status flag
    static constexpr unsigned kMaschere = 0x1F80u; // every exception masked: no traps
    AmbienteFp() noexcept : salvato_(_mm_getcsr()) {
        AzzeraVettori();
        _mm_setcsr((salvato_ & ~kFlag) | kMaschere);
    }
    ~AmbienteFp() { _mm_setcsr(salvato_); }
    AmbienteFp(const AmbienteFp&) = delete;
    AmbienteFp& operator=(const AmbienteFp&) = delete;

private:
    unsigned salvato_;
};

// Division by zero, overflow and invalid operation among the flags the step raised.
inline int StatoFp() noexcept {
    const unsigned s = _mm_getcsr();
    return ((s & 0x4u) ? FE_DIVBYZERO : 0) | ((s & 0x8u) ? FE_OVERFLOW : 0) | ((s & 0x1u) ? FE_INVALID : 0);
}
inline void PulisciFp() noexcept { _mm_setcsr(_mm_getcsr() & ~AmbienteFp::kFlag); }
#else
class AmbienteFp {
public:
    AmbienteFp() noexcept { std::feholdexcept(&salvato_); }
    ~AmbienteFp() { std::fesetenv(&salvato_); }
    AmbienteFp(const AmbienteFp&) = delete;
    AmbienteFp& operator=(const AmbienteFp&) = delete;

private:
    std::fenv_t salvato_;
};

inline int StatoFp() noexcept { return std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID); }
inline void PulisciFp() noexcept { std::feclearexcept(FE_ALL_EXCEPT); }
#endif

[[noreturn]] inline void ErroreFp(long numero) {
    PulisciFp();
    platform::Raise(numero);
}

// A division whose divisor is zero never runs: x/0 is a division by zero, 0/0 has no value.
inline double Div(double a, double b) {
    if (b == 0.0) ErroreFp(a == 0.0 || std::isnan(a) ? platform::err::InvalidCall : platform::err::DivisionByZero);
    return a / b;
}

// The smallest magnitude that no longer rounds to a finite single: halfway between the largest
// single and the next power of two (the tie goes to the even neighbour, the infinity).
inline constexpr double kLimiteSingolo = 0x1.ffffffp+127;

// Ends one step: tests the status the step left, then rounds its value to single precision.
// A value beyond the range of a single is an overflow even though the double held it; one that
// rounds to the largest single is that single.
inline Single Sng(double valore) {
    // The volatile store keeps the step's arithmetic ahead of the status test.
    volatile double fatto = valore;
    const int stato = StatoFp();
    const double v = fatto;
    if (stato & FE_DIVBYZERO) ErroreFp(platform::err::DivisionByZero);
    if (stato & FE_OVERFLOW) ErroreFp(platform::err::Overflow);
    if ((stato & FE_INVALID) || std::isnan(v)) ErroreFp(platform::err::InvalidCall);
    if (!(std::fabs(v) < kLimiteSingolo)) ErroreFp(platform::err::Overflow);
    return static_cast<Single>(v);
}

} // namespace QOR_TRBNS18::detail
