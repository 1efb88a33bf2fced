// Four single-precision or two double-precision trials per instruction, for processors without
// AVX. A trial is exact: the candidate quotient k is cut to an integer and d divides m exactly
// when k*d equals m; the quotient only has to be right when d divides m.
#include "app/divisor_sum.h"

#include <emmintrin.h>

#define DIVISOR_SUM_SSE2 __attribute__((target("sse2")))

DIVISOR_SUM_SSE2 static int32_t DivisorSumSse2Total(__m128i s)
{
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0x4E));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0xB1));
    return _mm_cvtsi128_si32(s);
}

// m below 2^24. The single product k*d is exact below 2^24 and rounds to 2^24 or more above,
// so it equals m exactly when k*d = m. For d > m >> 10 the quotient is below 1024 and m times
// the reciprocal (relative error at most 1.5 * 2^-12) is within 0.38 of it: adding 0.5 and
// cutting gives the exact quotient whenever there is one. Smaller d divide.
DIVISOR_SUM_SSE2 static int32_t DivisorSumSse2Single(int32_t m)
{
    const __m128 mf = _mm_set1_ps((float)m);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 stepf = _mm_set1_ps(4.0f);
    __m128 df = _mm_setr_ps(1.0f, 2.0f, 3.0f, 4.0f);
    __m128i sum = _mm_setzero_si128();
    int32_t trials = m - 1, full = trials >> 2, divided = ((m >> 10) + 3) >> 2, i = 0;
    if (divided > full) divided = full;
    for (; i < divided; i++) {
        __m128 k = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_div_ps(mf, df)));
        __m128 hit = _mm_cmpeq_ps(_mm_mul_ps(k, df), mf);
        sum = _mm_add_epi32(sum, _mm_and_si128(_mm_castps_si128(hit), _mm_cvttps_epi32(df)));
        df = _mm_add_ps(df, stepf);
    }
    // Two vectors a round on two chains of d, so that the latency of stepping d is hidden;
    // divisors are rare, so the lanes' integers are formed only when one is found.
    __m128 de = _mm_add_ps(df, stepf);
    const __m128 stepf2 = _mm_add_ps(stepf, stepf);
    for (; i + 1 < full; i += 2) {
        __m128 k =
            _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(mf, _mm_rcp_ps(df)), half)));
        __m128 l =
            _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(mf, _mm_rcp_ps(de)), half)));
        __m128 hit = _mm_cmpeq_ps(_mm_mul_ps(k, df), mf);
        __m128 hue = _mm_cmpeq_ps(_mm_mul_ps(l, de), mf);
        if (_mm_movemask_ps(_mm_or_ps(hit, hue))) {
            sum = _mm_add_epi32(sum, _mm_and_si128(_mm_castps_si128(hit), _mm_cvttps_epi32(df)));
            sum = _mm_add_epi32(sum, _mm_and_si128(_mm_castps_si128(hue), _mm_cvttps_epi32(de)));
        }
        df = _mm_add_ps(df, stepf2);
        de = _mm_add_ps(de, stepf2);
    }
    for (; i < full; i++) {
        __m128 k =
            _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(mf, _mm_rcp_ps(df)), half)));
        __m128 hit = _mm_cmpeq_ps(_mm_mul_ps(k, df), mf);
        sum = _mm_add_epi32(sum, _mm_and_si128(_mm_castps_si128(hit), _mm_cvttps_epi32(df)));
        df = _mm_add_ps(df, stepf);
    }
    if (trials & 3) {
        __m128 k = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_div_ps(mf, df)));
        __m128 hit = _mm_and_ps(_mm_cmpeq_ps(_mm_mul_ps(k, df), mf), _mm_cmplt_ps(df, mf));
        sum = _mm_add_epi32(sum, _mm_and_si128(_mm_castps_si128(hit), _mm_cvttps_epi32(df)));
    }
    return DivisorSumSse2Total(sum);
}

// The divisor sum is below 2^53 and so exact in a double; this is its value modulo 2^32.
DIVISOR_SUM_SSE2 static int32_t DivisorSumSse2Wrap(double s)
{
    double high = (double)(int32_t)(s * (1.0 / 4294967296.0));
    double low = s - high * 4294967296.0;
    if (low >= 2147483648.0) low -= 4294967296.0;
    return (int32_t)low;
}

// m from 2^24 on: the correctly rounded double quotient is the exact one whenever d divides m,
// and k*d stays below 2^32, exact in a double.
DIVISOR_SUM_SSE2 static int32_t DivisorSumSse2Double(int32_t m)
{
    const __m128d md = _mm_set1_pd((double)m);
    const __m128d step = _mm_set1_pd(2.0);
    __m128d dd = _mm_setr_pd(1.0, 2.0);
    __m128d sum = _mm_setzero_pd();
    int32_t trials = m - 1, full = trials >> 1, i = 0;
    for (; i < full; i++) {
        __m128d k = _mm_cvtepi32_pd(_mm_cvttpd_epi32(_mm_div_pd(md, dd)));
        __m128d hit = _mm_cmpeq_pd(_mm_mul_pd(k, dd), md);
        sum = _mm_add_pd(sum, _mm_and_pd(hit, dd));
        dd = _mm_add_pd(dd, step);
    }
    if (trials & 1) {   // the last trial, d = m - 1, alone in the low lane
        __m128d k = _mm_cvtepi32_pd(_mm_cvttpd_epi32(_mm_div_pd(md, dd)));
        __m128d hit = _mm_and_pd(_mm_cmpeq_pd(_mm_mul_pd(k, dd), md), _mm_cmplt_pd(dd, md));
        sum = _mm_add_pd(sum, _mm_and_pd(hit, dd));
    }
    sum = _mm_add_sd(sum, _mm_unpackhi_pd(sum, sum));
    return DivisorSumSse2Wrap(_mm_cvtsd_f64(sum));
}

// Callers may come with a 4-byte aligned stack; the spills need 16.
__attribute__((target("sse2"), force_align_arg_pointer)) int32_t DivisorSumSse2(int32_t m)
{
    if (m < 2) return 0;
    return m < (1 << 24) ? DivisorSumSse2Single(m) : DivisorSumSse2Double(m);
}
