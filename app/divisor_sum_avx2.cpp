// Eight single-precision or four double-precision trials per instruction, with FMA. A trial is
// exact: a candidate quotient k is rounded to an integer and d divides m exactly when m - k*d,
// computed with one rounding, is 0; the quotient only has to be right when d divides m.
#include "app/divisor_sum.h"

#include <immintrin.h>

// The compiler's own headers fill unused vector halves with deliberately undefined values.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#define DIVISOR_SUM_AVX2 __attribute__((target("avx2,fma")))

DIVISOR_SUM_AVX2 static int32_t DivisorSumAvx2Total(__m256i sum)
{
    __m128i s = _mm_add_epi32(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0x4E));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0xB1));
    return _mm_cvtsi128_si32(s);
}

// m below 2^24, so m, every d and every k*d up to 2^24 are exact singles, and a product k*d
// beyond 2^24 rounds to 2^24 or more, never to m. For d > m >> 10 the
// quotient is below 1024, and m times the reciprocal (relative error at most 1.5 * 2^-12) is
// within 0.38 of it: rounding gives the exact quotient whenever there is one. Smaller d divide.
DIVISOR_SUM_AVX2 static int32_t DivisorSumAvx2Single(int32_t m)
{
    const __m256 mf = _mm256_set1_ps((float)m);
    const __m256 zero = _mm256_setzero_ps();
    const __m256 stepf = _mm256_set1_ps(8.0f);
    __m256 df = _mm256_setr_ps(1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f);
    __m256i sum = _mm256_setzero_si256();
    int32_t trials = m - 1, full = trials >> 3, divided = ((m >> 10) + 7) >> 3, i = 0;
    if (divided > full) divided = full;
    for (; i < divided; i++) {
        __m256 k =
            _mm256_round_ps(_mm256_div_ps(mf, df), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256 hit = _mm256_cmp_ps(_mm256_fnmadd_ps(k, df, mf), zero, _CMP_EQ_OQ);
        sum = _mm256_add_epi32(sum,
                               _mm256_and_si256(_mm256_castps_si256(hit), _mm256_cvttps_epi32(df)));
        df = _mm256_add_ps(df, stepf);
    }
    // Two vectors a round on two chains of d, so that the latency of stepping d is hidden;
    // divisors are rare, so the lanes' integers are formed only when one is found.
    __m256 de = _mm256_add_ps(df, stepf);
    const __m256 stepf2 = _mm256_add_ps(stepf, stepf);
    for (; i + 1 < full; i += 2) {
        __m256 k = _mm256_round_ps(_mm256_mul_ps(mf, _mm256_rcp_ps(df)),
                                   _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256 l = _mm256_round_ps(_mm256_mul_ps(mf, _mm256_rcp_ps(de)),
                                   _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256 hit = _mm256_cmp_ps(_mm256_mul_ps(k, df), mf, _CMP_EQ_OQ);
        __m256 hue = _mm256_cmp_ps(_mm256_mul_ps(l, de), mf, _CMP_EQ_OQ);
        if (!_mm256_testz_ps(_mm256_or_ps(hit, hue), _mm256_or_ps(hit, hue))) {
            sum = _mm256_add_epi32(
                sum, _mm256_and_si256(_mm256_castps_si256(hit), _mm256_cvttps_epi32(df)));
            sum = _mm256_add_epi32(
                sum, _mm256_and_si256(_mm256_castps_si256(hue), _mm256_cvttps_epi32(de)));
        }
        df = _mm256_add_ps(df, stepf2);
        de = _mm256_add_ps(de, stepf2);
    }
    for (; i < full; i++) {
        __m256 k = _mm256_round_ps(_mm256_mul_ps(mf, _mm256_rcp_ps(df)),
                                   _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256 hit = _mm256_cmp_ps(_mm256_mul_ps(k, df), mf, _CMP_EQ_OQ);
        sum = _mm256_add_epi32(sum,
                               _mm256_and_si256(_mm256_castps_si256(hit), _mm256_cvttps_epi32(df)));
        df = _mm256_add_ps(df, stepf);
    }
    if (trials & 7) {
        __m256 k =
            _mm256_round_ps(_mm256_div_ps(mf, df), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256 hit = _mm256_cmp_ps(_mm256_fnmadd_ps(k, df, mf), zero, _CMP_EQ_OQ);
        hit = _mm256_and_ps(hit, _mm256_cmp_ps(df, mf, _CMP_LT_OQ));   // lanes past m - 1
        sum = _mm256_add_epi32(sum,
                               _mm256_and_si256(_mm256_castps_si256(hit), _mm256_cvttps_epi32(df)));
    }
    return DivisorSumAvx2Total(sum);
}

// The divisor sum is below 2^53 and so exact in a double; this is its value modulo 2^32.
DIVISOR_SUM_AVX2 static int32_t DivisorSumAvx2Wrap(double s)
{
    double high = (double)(int32_t)(s * (1.0 / 4294967296.0));
    double low = s - high * 4294967296.0;
    if (low >= 2147483648.0) low -= 4294967296.0;
    return (int32_t)low;
}

// m from 2^24 on: the correctly rounded double quotient is the exact one whenever d divides m.
DIVISOR_SUM_AVX2 static int32_t DivisorSumAvx2Double(int32_t m)
{
    const __m256d md = _mm256_set1_pd((double)m);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d step = _mm256_set1_pd(4.0);
    __m256d dd = _mm256_setr_pd(1.0, 2.0, 3.0, 4.0);
    __m256d sum = _mm256_setzero_pd();
    int32_t trials = m - 1, full = trials >> 2, i = 0;
    for (; i < full; i++) {
        __m256d k =
            _mm256_round_pd(_mm256_div_pd(md, dd), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256d hit = _mm256_cmp_pd(_mm256_fnmadd_pd(k, dd, md), zero, _CMP_EQ_OQ);
        sum = _mm256_add_pd(sum, _mm256_and_pd(hit, dd));
        dd = _mm256_add_pd(dd, step);
    }
    if (trials & 3) {
        __m256d k =
            _mm256_round_pd(_mm256_div_pd(md, dd), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m256d hit = _mm256_cmp_pd(_mm256_fnmadd_pd(k, dd, md), zero, _CMP_EQ_OQ);
        hit = _mm256_and_pd(hit, _mm256_cmp_pd(dd, md, _CMP_LT_OQ));
        sum = _mm256_add_pd(sum, _mm256_and_pd(hit, dd));
    }
    __m128d s = _mm_add_pd(_mm256_castpd256_pd128(sum), _mm256_extractf128_pd(sum, 1));
    s = _mm_add_sd(s, _mm_unpackhi_pd(s, s));
    return DivisorSumAvx2Wrap(_mm_cvtsd_f64(s));
}

// The 32-bit Windows stack is only 4-byte aligned on entry; wide spills need it realigned.
__attribute__((target("avx2,fma"), force_align_arg_pointer)) int32_t DivisorSumAvx2(int32_t m)
{
    if (m < 2) return 0;
    return m < (1 << 24) ? DivisorSumAvx2Single(m) : DivisorSumAvx2Double(m);
}
