// Sixteen trials per instruction. Every d gets an exact integer test of its own: small d by a
// quotient estimate whose product with d must give m back, the rest in runs of one shared
// quotient whose remainders are stepped down and compared with 0.
#include "app/divisor_sum.h"

#include <immintrin.h>

// The compiler's own headers fill unused vector halves with deliberately undefined values.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#define DIVISOR_SUM_AVX512 __attribute__((target("avx512f")))

// Runs shorter than this cost more to set up than their own quotients cost.
static const uint32_t DivisorSumAvx512MinimumRun = 64;

// d from 1 to last, each with a quotient of its own. Where the quotient is 4096 or more
// (d <= m >> 12) it is the correctly rounded double m / d: exact whenever d divides m, in any
// rounding mode, and then m - k*d is exactly 0 in double. Above, k is m times the 14-bit
// reciprocal, within 0.26 of a quotient below 4096 and converted to the nearest integer by the
// instruction's own rounding, not MXCSR's; d divides m exactly when k*d, a 32-bit product that
// cannot wrap onto m, equals m.
DIVISOR_SUM_AVX512 static uint32_t DivisorSumAvx512Own(int32_t m, int32_t last)
{
    uint32_t sum = 0;
    int32_t divided = m >> 12 < last ? m >> 12 : last;
    const __m512d mDouble = _mm512_set1_pd((double)m);
    const __m512d eightDouble = _mm512_set1_pd(8.0);
    __m512d dDouble = _mm512_setr_pd(1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0);
    uint32_t d = 1;
    for (int32_t left = divided; left > 0; left -= 8, d += 8) {
        __mmask8 lanes = left >= 8 ? 0xFF : (__mmask8)((1u << left) - 1);
        __m512d k = _mm512_roundscale_pd(_mm512_div_pd(mDouble, dDouble),
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask8 found = _mm512_mask_cmp_pd_mask(lanes, _mm512_fnmadd_pd(k, dDouble, mDouble),
                                                 _mm512_setzero_pd(), _CMP_EQ_OQ);
        if (found) sum += DivisorSumHits(found, d, (uint32_t)divided);
        dDouble = _mm512_add_pd(dDouble, eightDouble);
    }

    const __m512 mSingle = _mm512_set1_ps((float)m);
    const __m512i mInt = _mm512_set1_epi32(m);
    const __m512i sixteen = _mm512_set1_epi32(16);
    __m512i dInt =
        _mm512_add_epi32(_mm512_set1_epi32(divided + 1),
                         _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
    __m512i sums = _mm512_setzero_si512();
    for (int32_t left = last - divided; left > 0; left -= 16) {
        __mmask16 lanes = left >= 16 ? 0xFFFF : (__mmask16)((1u << left) - 1);
        __m512 estimate = _mm512_mul_ps(mSingle, _mm512_rcp14_ps(_mm512_cvtepi32_ps(dInt)));
        __m512i k =
            _mm512_cvt_roundps_epi32(estimate, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask16 found = _mm512_mask_cmpeq_epi32_mask(lanes, _mm512_mullo_epi32(k, dInt), mInt);
        sums = _mm512_mask_add_epi32(sums, found, sums, dInt);
        dInt = _mm512_add_epi32(dInt, sixteen);
    }
    return sum + (uint32_t)_mm512_reduce_add_epi32(sums);
}

// The divisors among the 64 d from d on, in a round of the run of quotient q that found one; d
// beyond last belong to the next run and are tried there. Divisors are rare: kept out of line,
// so the round itself carries no mask or count it would only need here.
__attribute__((target("avx512f"), noinline)) static uint32_t
DivisorSumAvx512RunHits(int32_t m, uint32_t q, uint32_t d, uint32_t last)
{
    const __m512i lane = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    __m512i rest = _mm512_sub_epi32(_mm512_set1_epi32((int32_t)((uint32_t)m - q * d)),
                                    _mm512_mullo_epi32(_mm512_set1_epi32((int32_t)q), lane));
    const __m512i step = _mm512_set1_epi32((int32_t)(16 * q));
    uint32_t sum = 0;
    for (uint32_t left = 4; left > 0; left--, d += 16) {
        sum += DivisorSumHits(_mm512_cmpeq_epi32_mask(rest, _mm512_setzero_si512()), d, last);
        rest = _mm512_sub_epi32(rest, step);
    }
    return sum;
}

// The runs from quotient q down to 1, the first starting at d = first. Lane j of vector v
// holds the remainder of d = first + 16v + j at the run's start; every round steps d by 64,
// so the remainders fall by 64q, which is added to the one value they are compared with
// instead. The last round of a run reaches past it: there m - q*d is negative, never 0, and
// those d are tried again with the next quotient. A round's four compares narrow one mask of
// lanes without a hit, so a single test of that mask ends the round; separate masks joined
// afterwards cost a fifth more time here.
DIVISOR_SUM_AVX512 static uint32_t DivisorSumAvx512Runs(int32_t m, uint32_t q, uint32_t first)
{
    const __m512i lane = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    uint32_t sum = 0;
    for (; q > 0; q--) {
        uint32_t last = (uint32_t)DivisorSumOwnLast(m, q - 1);
        __m512i rest0 = _mm512_sub_epi32(_mm512_set1_epi32((int32_t)((uint32_t)m - q * first)),
                                         _mm512_mullo_epi32(_mm512_set1_epi32((int32_t)q), lane));
        __m512i rest1 = _mm512_sub_epi32(rest0, _mm512_set1_epi32((int32_t)(16 * q)));
        __m512i rest2 = _mm512_sub_epi32(rest0, _mm512_set1_epi32((int32_t)(32 * q)));
        __m512i rest3 = _mm512_sub_epi32(rest0, _mm512_set1_epi32((int32_t)(48 * q)));
        const __m512i step = _mm512_set1_epi32((int32_t)(64 * q));
        __m512i fallen = _mm512_setzero_si512();
        uint32_t rounds = (last - first) / 64 + 1;
        for (uint32_t left = rounds; left > 0; left--) {
            __mmask16 none = _mm512_cmpneq_epi32_mask(rest0, fallen);
            none = _mm512_mask_cmpneq_epi32_mask(none, rest1, fallen);
            none = _mm512_mask_cmpneq_epi32_mask(none, rest2, fallen);
            none = _mm512_mask_cmpneq_epi32_mask(none, rest3, fallen);
            if (__builtin_expect(!_kortestc_mask16_u8(none, none), 0))
                sum += DivisorSumAvx512RunHits(m, q, first + 64 * (rounds - left), last);
            fallen = _mm512_add_epi32(fallen, step);
        }
        first = last + 1;
    }
    return sum;
}

// The 32-bit Windows stack is only 4-byte aligned on entry; wide spills need it realigned.
__attribute__((target("avx512f"), force_align_arg_pointer)) int32_t DivisorSumAvx512(int32_t m)
{
    if (m < 2) return 0;
    uint32_t q = DivisorSumRunQuotient(m, DivisorSumAvx512MinimumRun);
    int32_t own = DivisorSumOwnLast(m, q);
    return (int32_t)(DivisorSumAvx512Own(m, own) + DivisorSumAvx512Runs(m, q, (uint32_t)own + 1));
}
