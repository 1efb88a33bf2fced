// Four trials per instruction, for processors without AVX. Every d gets an exact test of its
// own: small d by a quotient estimate whose product with d must give m back, the rest in runs of
// one shared quotient whose remainders are stepped down and compared with 0.
#include "app/divisor_sum.h"

#include <emmintrin.h>

#define DIVISOR_SUM_SSE2 __attribute__((target("sse2")))

// Runs shorter than this cost more to set up than their own quotients cost.
static const uint32_t DivisorSumSse2MinimumRun = 32;

DIVISOR_SUM_SSE2 static uint32_t DivisorSumSse2Lanes(__m128i found)
{
    return (uint32_t)_mm_movemask_ps(_mm_castsi128_ps(found));
}

// m below 2^24, d from 1 to last. m, every d and every product k*d below 2^24 are exact singles,
// and a product beyond rounds to 2^24 or more, never to m: d divides m exactly when k*d equals
// m. For d <= m >> 10 the quotient is the correctly rounded m / d, exact whenever d divides m;
// above, m times the reciprocal (relative error at most 1.5 * 2^-12) is within 0.38 of a
// quotient below 1024, and cutting its sum with 0.5 gives that quotient in any rounding mode.
DIVISOR_SUM_SSE2 static uint32_t DivisorSumSse2OwnSingle(int32_t m, int32_t last)
{
    const __m128 mSingle = _mm_set1_ps((float)m);
    const __m128 lastSingle = _mm_set1_ps((float)last);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 four = _mm_set1_ps(4.0f);
    __m128 dSingle = _mm_setr_ps(1.0f, 2.0f, 3.0f, 4.0f);
    __m128i sums = _mm_setzero_si128();
    int32_t left = last;
    for (int32_t divided = m >> 10 < left ? m >> 10 : left; divided > 0; divided -= 4, left -= 4) {
        __m128 k = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_div_ps(mSingle, dSingle)));
        __m128 found = _mm_and_ps(_mm_cmpeq_ps(_mm_mul_ps(k, dSingle), mSingle),
                                  _mm_cmple_ps(dSingle, lastSingle));
        sums =
            _mm_add_epi32(sums, _mm_and_si128(_mm_castps_si128(found), _mm_cvttps_epi32(dSingle)));
        dSingle = _mm_add_ps(dSingle, four);
    }
    for (; left > 0; left -= 4) {
        __m128 estimate = _mm_add_ps(_mm_mul_ps(mSingle, _mm_rcp_ps(dSingle)), half);
        __m128 k = _mm_cvtepi32_ps(_mm_cvttps_epi32(estimate));
        __m128 found = _mm_and_ps(_mm_cmpeq_ps(_mm_mul_ps(k, dSingle), mSingle),
                                  _mm_cmple_ps(dSingle, lastSingle));
        sums =
            _mm_add_epi32(sums, _mm_and_si128(_mm_castps_si128(found), _mm_cvttps_epi32(dSingle)));
        dSingle = _mm_add_ps(dSingle, four);
    }
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0x4E));
    sums = _mm_add_epi32(sums, _mm_shuffle_epi32(sums, 0xB1));
    return (uint32_t)_mm_cvtsi128_si32(sums);
}

// m from 2^24 on, d from 1 to last: the correctly rounded double m / d is the exact quotient
// whenever d divides m, in any rounding mode, and k*d stays below 2^53, exact in a double.
DIVISOR_SUM_SSE2 static uint32_t DivisorSumSse2OwnDouble(int32_t m, int32_t last)
{
    const __m128d mDouble = _mm_set1_pd((double)m);
    const __m128d lastDouble = _mm_set1_pd((double)last);
    const __m128d two = _mm_set1_pd(2.0);
    __m128d dDouble = _mm_setr_pd(1.0, 2.0);
    uint32_t sum = 0, d = 1;
    for (int32_t left = last; left > 0; left -= 2, d += 2) {
        __m128d k = _mm_cvtepi32_pd(_mm_cvttpd_epi32(_mm_div_pd(mDouble, dDouble)));
        __m128d found = _mm_and_pd(_mm_cmpeq_pd(_mm_mul_pd(k, dDouble), mDouble),
                                   _mm_cmple_pd(dDouble, lastDouble));
        int lanes = _mm_movemask_pd(found);
        if (lanes) sum += DivisorSumHits((uint32_t)lanes, d, (uint32_t)last);
        dDouble = _mm_add_pd(dDouble, two);
    }
    return sum;
}

// The runs from quotient q down to 1, the first starting at d = first. Lane j of vector v
// holds the remainder of d = first + 4v + j at the run's start; every round steps d by 16,
// so the remainders fall by 16q, which is added to the one value they are compared with
// instead. The last round of a run reaches past it: there m - q*d is negative, never 0, and
// those d are tried again with the next quotient.
DIVISOR_SUM_SSE2 static uint32_t DivisorSumSse2Runs(int32_t m, uint32_t q, uint32_t first)
{
    uint32_t sum = 0;
    for (; q > 0; q--) {
        uint32_t last = (uint32_t)DivisorSumOwnLast(m, q - 1);
        uint32_t rest = (uint32_t)m - q * first;
        __m128i rest0 = _mm_setr_epi32((int32_t)rest, (int32_t)(rest - q), (int32_t)(rest - 2 * q),
                                       (int32_t)(rest - 3 * q));
        __m128i rest1 = _mm_sub_epi32(rest0, _mm_set1_epi32((int32_t)(4 * q)));
        __m128i rest2 = _mm_sub_epi32(rest0, _mm_set1_epi32((int32_t)(8 * q)));
        __m128i rest3 = _mm_sub_epi32(rest0, _mm_set1_epi32((int32_t)(12 * q)));
        const __m128i step = _mm_set1_epi32((int32_t)(16 * q));
        __m128i fallen = _mm_setzero_si128();
        uint32_t d = first;
        for (uint32_t left = (last - first) / 16 + 1; left > 0; left--, d += 16) {
            __m128i found = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi32(rest0, fallen), _mm_cmpeq_epi32(rest1, fallen)),
                _mm_or_si128(_mm_cmpeq_epi32(rest2, fallen), _mm_cmpeq_epi32(rest3, fallen)));
            if (_mm_movemask_epi8(found)) {
                uint32_t lanes = DivisorSumSse2Lanes(_mm_cmpeq_epi32(rest0, fallen)) |
                                 DivisorSumSse2Lanes(_mm_cmpeq_epi32(rest1, fallen)) << 4 |
                                 DivisorSumSse2Lanes(_mm_cmpeq_epi32(rest2, fallen)) << 8 |
                                 DivisorSumSse2Lanes(_mm_cmpeq_epi32(rest3, fallen)) << 12;
                sum += DivisorSumHits(lanes, d, last);
            }
            fallen = _mm_add_epi32(fallen, step);
        }
        first = last + 1;
    }
    return sum;
}

// Callers may come with a 4-byte aligned stack; the spills need 16.
__attribute__((target("sse2"), force_align_arg_pointer)) int32_t DivisorSumSse2(int32_t m)
{
    if (m < 2) return 0;
    uint32_t q = DivisorSumRunQuotient(m, DivisorSumSse2MinimumRun);
    int32_t own = DivisorSumOwnLast(m, q);
    uint32_t sum =
        m < (1 << 24) ? DivisorSumSse2OwnSingle(m, own) : DivisorSumSse2OwnDouble(m, own);
    return (int32_t)(sum + DivisorSumSse2Runs(m, q, (uint32_t)own + 1));
}
