// Eight trials per instruction, with FMA. Every d gets an exact integer test of its own: small d
// by a quotient estimate whose product with d must give m back, the rest in runs of one shared
// quotient whose remainders are stepped down and compared with 0.
#include "app/divisor_sum.h"

#include <immintrin.h>

// The compiler's own headers fill unused vector halves with deliberately undefined values.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#define DIVISOR_SUM_AVX2 __attribute__((target("avx2,fma")))

// Runs shorter than this cost more to set up than their own quotients cost.
static const uint32_t DivisorSumAvx2MinimumRun = 64;

// d from 1 to last, each with a quotient of its own. Where the quotient is 1024 or more
// (d <= m >> 10) it is the correctly rounded double m / d: exact whenever d divides m, in any
// rounding mode, and then m - k*d is exactly 0 in double. Above, m times the reciprocal
// (relative error at most 1.5 * 2^-12) is within 0.38 of a quotient below 1024, so the sum with
// 0.5 cut to an integer is that quotient in any rounding mode; d divides m exactly when k*d, a
// 32-bit product that cannot wrap onto m, equals m.
DIVISOR_SUM_AVX2 static uint32_t DivisorSumAvx2Own(int32_t m, int32_t last)
{
    uint32_t sum = 0;
    int32_t divided = m >> 10 < last ? m >> 10 : last;
    const __m256d mDouble = _mm256_set1_pd((double)m);
    const __m256d fourDouble = _mm256_set1_pd(4.0);
    const __m256d dividedDouble = _mm256_set1_pd((double)divided);
    __m256d dDouble = _mm256_setr_pd(1.0, 2.0, 3.0, 4.0);
    uint32_t d = 1;
    for (int32_t left = divided; left > 0; left -= 4, d += 4) {
        __m256d k = _mm256_round_pd(_mm256_div_pd(mDouble, dDouble),
                                    _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256d found = _mm256_and_pd(
            _mm256_cmp_pd(_mm256_fnmadd_pd(k, dDouble, mDouble), _mm256_setzero_pd(), _CMP_EQ_OQ),
            _mm256_cmp_pd(dDouble, dividedDouble, _CMP_LE_OQ));
        int lanes = _mm256_movemask_pd(found);
        if (lanes) sum += DivisorSumHits((uint32_t)lanes, d, (uint32_t)divided);
        dDouble = _mm256_add_pd(dDouble, fourDouble);
    }

    const __m256 mSingle = _mm256_set1_ps((float)m);
    const __m256 half = _mm256_set1_ps(0.5f);
    const __m256i mInt = _mm256_set1_epi32(m);
    const __m256i beyond = _mm256_set1_epi32(last + 1);
    const __m256i eight = _mm256_set1_epi32(8);
    __m256i dInt =
        _mm256_add_epi32(_mm256_set1_epi32(divided + 1), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    __m256i sums = _mm256_setzero_si256();
    for (int32_t left = last - divided; left > 0; left -= 8) {
        __m256 estimate = _mm256_fmadd_ps(mSingle, _mm256_rcp_ps(_mm256_cvtepi32_ps(dInt)), half);
        __m256i k = _mm256_cvttps_epi32(estimate);
        __m256i found = _mm256_and_si256(_mm256_cmpeq_epi32(_mm256_mullo_epi32(k, dInt), mInt),
                                         _mm256_cmpgt_epi32(beyond, dInt));
        sums = _mm256_add_epi32(sums, _mm256_and_si256(found, dInt));
        dInt = _mm256_add_epi32(dInt, eight);
    }
    __m128i total = _mm_add_epi32(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
    total = _mm_add_epi32(total, _mm_shuffle_epi32(total, 0x4E));
    total = _mm_add_epi32(total, _mm_shuffle_epi32(total, 0xB1));
    return sum + (uint32_t)_mm_cvtsi128_si32(total);
}

// The divisors among the 32 d from d on, in a round of the run of quotient q that found one; d
// beyond last belong to the next run and are tried there. Divisors are rare: kept out of line,
// so the round's compares need not outlive it, and its four remainders stay in registers.
__attribute__((target("avx2,fma"), noinline)) static uint32_t
DivisorSumAvx2RunHits(int32_t m, uint32_t q, uint32_t d, uint32_t last)
{
    __m256i rest = _mm256_sub_epi32(_mm256_set1_epi32((int32_t)((uint32_t)m - q * d)),
                                    _mm256_mullo_epi32(_mm256_set1_epi32((int32_t)q),
                                                       _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)));
    const __m256i step = _mm256_set1_epi32((int32_t)(8 * q));
    uint32_t sum = 0;
    for (uint32_t left = 4; left > 0; left--, d += 8) {
        __m256i found = _mm256_cmpeq_epi32(rest, _mm256_setzero_si256());
        sum += DivisorSumHits((uint32_t)_mm256_movemask_ps(_mm256_castsi256_ps(found)), d, last);
        rest = _mm256_sub_epi32(rest, step);
    }
    return sum;
}

// The runs from quotient q down to 1, the first starting at d = first. Lane j of vector v
// holds the remainder of d = first + 8v + j at the run's start; every round steps d by 32,
// so the remainders fall by 32q, which is added to the one value they are compared with
// instead. The last round of a run reaches past it: there m - q*d is negative, never 0, and
// those d are tried again with the next quotient.
DIVISOR_SUM_AVX2 static uint32_t DivisorSumAvx2Runs(int32_t m, uint32_t q, uint32_t first)
{
    uint32_t sum = 0;
    for (; q > 0; q--) {
        uint32_t last = (uint32_t)DivisorSumOwnLast(m, q - 1);
        uint32_t rest = (uint32_t)m - q * first;
        __m256i rest0 = _mm256_setr_epi32((int32_t)rest, (int32_t)(rest - q),
                                          (int32_t)(rest - 2 * q), (int32_t)(rest - 3 * q),
                                          (int32_t)(rest - 4 * q), (int32_t)(rest - 5 * q),
                                          (int32_t)(rest - 6 * q), (int32_t)(rest - 7 * q));
        __m256i rest1 = _mm256_sub_epi32(rest0, _mm256_set1_epi32((int32_t)(8 * q)));
        __m256i rest2 = _mm256_sub_epi32(rest0, _mm256_set1_epi32((int32_t)(16 * q)));
        __m256i rest3 = _mm256_sub_epi32(rest0, _mm256_set1_epi32((int32_t)(24 * q)));
        const __m256i step = _mm256_set1_epi32((int32_t)(32 * q));
        __m256i fallen = _mm256_setzero_si256();
        uint32_t rounds = (last - first) / 32 + 1;
        for (uint32_t left = rounds; left > 0; left--) {
            __m256i found = _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi32(rest0, fallen),
                                                            _mm256_cmpeq_epi32(rest1, fallen)),
                                            _mm256_or_si256(_mm256_cmpeq_epi32(rest2, fallen),
                                                            _mm256_cmpeq_epi32(rest3, fallen)));
            if (__builtin_expect(!_mm256_testz_si256(found, found), 0))
                sum += DivisorSumAvx2RunHits(m, q, first + 32 * (rounds - left), last);
            fallen = _mm256_add_epi32(fallen, step);
        }
        first = last + 1;
    }
    return sum;
}

// The 32-bit Windows stack is only 4-byte aligned on entry; wide spills need it realigned.
__attribute__((target("avx2,fma"), force_align_arg_pointer)) int32_t DivisorSumAvx2(int32_t m)
{
    if (m < 2) return 0;
    uint32_t q = DivisorSumRunQuotient(m, DivisorSumAvx2MinimumRun);
    int32_t own = DivisorSumOwnLast(m, q);
    return (int32_t)(DivisorSumAvx2Own(m, own) + DivisorSumAvx2Runs(m, q, (uint32_t)own + 1));
}
