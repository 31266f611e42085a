#include "base/vector_state.h"

#if defined(__x86_64__) || defined(_M_X64)
#if defined(_MSC_VER) && !defined(__clang__)
#include <immintrin.h>
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#endif

namespace {

#if defined(__x86_64__) || defined(_M_X64)

// CPUID leaf 1 says whether the CPU has AVX (ECX bit 28) and whether the system has turned on
// XGETBV (OSXSAVE, ECX bit 27); XCR0 then says whether the system saves the SSE and the AVX
// state (bits 1 and 2). vzeroupper is an illegal instruction without all of these.
bool DetectUpperVectorState()
{
    unsigned ecx = 0;
#if defined(_MSC_VER) && !defined(__clang__)
    int regs[4] = {};
    __cpuid(regs, 1);
    ecx = static_cast<unsigned>(regs[2]);
#else
    unsigned eax = 0, ebx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
#endif
    constexpr unsigned kOsXsave = 1u << 27;
    constexpr unsigned kAvx = 1u << 28;
    if ((ecx & (kOsXsave | kAvx)) != (kOsXsave | kAvx))
        return false;
#if defined(_MSC_VER) && !defined(__clang__)
    const unsigned long long xcr0 = _xgetbv(0);
#else
    unsigned lo = 0, hi = 0;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    const unsigned long long xcr0 = (static_cast<unsigned long long>(hi) << 32) | lo;
#endif
    return (xcr0 & 6u) == 6u;
}

const bool kUpperStateExists = DetectUpperVectorState();

#endif

} // namespace

void ClearUpperVectorState()
{
#if defined(__x86_64__) || defined(_M_X64)
    if (kUpperStateExists) {
#if defined(_MSC_VER) && !defined(__clang__)
        _mm256_zeroupper();
#else
        // The clobbers keep any vector value the compiler holds out of the registers.
        __asm__ volatile("vzeroupper" ::
                             : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7",
                               "xmm8", "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14",
                               "xmm15");
#endif
    }
#endif
}
