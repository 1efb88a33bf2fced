// The divisor sum's front door: picks the widest way the processor and the system support on
// the first call, and the plain trial loop that runs everywhere. The wide ways live in
// divisor_sum_sse2.cpp, divisor_sum_avx2.cpp and divisor_sum_avx512.cpp.
#include "app/divisor_sum.h"

#include <cpuid.h>

// Which ways this machine can run, found once; null until the first call (a zero-filled record
// means "not looked yet", so it survives any zeroing of program state).
struct DivisorSumState {
    DivisorSumFunction Active;   // the way DivisorSum calls
    int Chosen;                  // its DivisorSumPath
    int Usable;                  // one bit per usable DivisorSumPath
    int Probed;                  // 1 once Usable is filled
};
static DivisorSumState DivisorSums;

int32_t DivisorSumScalar(int32_t m)
{
    uint32_t sum = 0;
    for (int32_t d = 1; d < m; d++)
        if (m % d == 0) sum += (uint32_t)d;
    return (int32_t)sum;
}

uint32_t DivisorSumRunQuotient(int32_t m, uint32_t minimumRun)
{
    // Run q holds m / q - m / (q + 1) d, at least minimumRun - 1 when q * (q + 1) * minimumRun
    // is at most m; the runs of every smaller q are longer still, so none is empty.
    uint32_t limit = m < 2 ? 0 : (uint32_t)m / minimumRun, q = 0;
    for (uint32_t bit = 1u << 15; bit; bit >>= 1)
        if ((q | bit) * (q | bit) <= limit) q |= bit;
    while (q && q * (q + 1) > limit) q--;
    return q;
}

static uint32_t DivisorSumReadXcr0(void)
{
    uint32_t lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    (void)hi;
    return lo;
}

// A way is usable when CPUID has its instructions and XCR0 says the system saves the wider
// registers across task switches; without the latter the instructions fault.
static int DivisorSumProbe(void)
{
    unsigned a, b, c, d;
    int usable = 1 << DivisorSumPathScalar;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return usable;
    if (d & bit_SSE2) usable |= 1 << DivisorSumPathSse2;
    int osxsave = (c & bit_OSXSAVE) != 0, avx = (c & bit_AVX) != 0, fma = (c & bit_FMA) != 0;
    if (!osxsave || !avx) return usable;
    uint32_t xcr0 = DivisorSumReadXcr0();
    if ((xcr0 & 0x06) != 0x06) return usable;   // SSE and AVX state
    if (__get_cpuid_max(0, 0) < 7) return usable;
    __cpuid_count(7, 0, a, b, c, d);
    if ((b & bit_AVX2) && fma) usable |= 1 << DivisorSumPathAvx2;
    if ((b & bit_AVX512F) && (xcr0 & 0xE6) == 0xE6)   // opmask and both halves of zmm0-31
        usable |= 1 << DivisorSumPathAvx512;
    return usable;
}

int DivisorSumPathUsable(int path)
{
    if (!DivisorSums.Probed) {
        DivisorSums.Usable = DivisorSumProbe();
        DivisorSums.Probed = 1;
    }
    return path >= 0 && path < DivisorSumPathCount && (DivisorSums.Usable >> path & 1);
}

DivisorSumFunction DivisorSumPathFunction(int path)
{
    switch (path) {
    case DivisorSumPathScalar: return DivisorSumScalar;
    case DivisorSumPathSse2: return DivisorSumSse2;
    case DivisorSumPathAvx2: return DivisorSumAvx2;
    case DivisorSumPathAvx512: return DivisorSumAvx512;
    }
    return 0;
}

const char *DivisorSumPathName(int path)
{
    switch (path) {
    case DivisorSumPathScalar: return "scalar";
    case DivisorSumPathSse2: return "sse2";
    case DivisorSumPathAvx2: return "avx2";
    case DivisorSumPathAvx512: return "avx512";
    }
    return "";
}

int DivisorSumPathChosen(void)
{
    if (!DivisorSums.Active) {
        int path = DivisorSumPathCount - 1;
        while (path > DivisorSumPathScalar && !DivisorSumPathUsable(path)) path--;
        DivisorSums.Chosen = path;
        DivisorSums.Active = DivisorSumPathFunction(path);
    }
    return DivisorSums.Chosen;
}

int32_t DivisorSum(int32_t m)
{
    if (m < 2) return 0;   // negatives, -2147483648 among them, try no divisor
    if (!DivisorSums.Active) DivisorSumPathChosen();
    return DivisorSums.Active(m);
}
