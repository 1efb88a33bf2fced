// Sixteen single-precision or eight double-precision trials per instruction. A trial is exact:
// a candidate quotient k is rounded to an integer, and d divides m exactly when k*d equals m,
// compared without a rounding error; the quotient only has to be right when d divides m.
#include "app/divisor_sum.h"

#include <immintrin.h>

// The compiler's own headers fill unused vector halves with deliberately undefined values.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#define DIVISOR_SUM_AVX512 __attribute__((target("avx512f")))

// m below 2^24, so m and every d are exact singles, a product k*d below 2^24 is exact and one
// beyond rounds to 2^24 or more, never to m; m - k*d by FMA is 0 exactly when k*d = m. For
// d > m >> 12 the quotient is below 4096 and m times the 14-bit reciprocal is within 0.25 of
// it: adding 1.5 * 2^23, rounded to nearest by the instruction itself whatever MXCSR says,
// leaves the nearest integer, the exact quotient whenever there is one. Smaller d divide.
DIVISOR_SUM_AVX512 static int32_t DivisorSumAvx512Single(int32_t m)
{
    const __m512 mf = _mm512_set1_ps((float)m);
    const __m512 zero = _mm512_setzero_ps();
    const __m512 stepf = _mm512_set1_ps(16.0f);
    // 1.5 * 2^23: sums with it round to integers
    const __m512 shift = _mm512_set1_ps(12582912.0f);
    __m512 df = _mm512_setr_ps(1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f, 11.0f,
                               12.0f, 13.0f, 14.0f, 15.0f, 16.0f);
    __m512i sum = _mm512_setzero_si512();
    int32_t trials = m - 1, full = trials >> 4, divided = ((m >> 12) + 15) >> 4, i = 0;
    if (divided > full) divided = full;
    for (; i < divided; i++) {
        __m512 k = _mm512_roundscale_ps(_mm512_div_ps(mf, df),
                                        _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask16 hit = _mm512_cmp_ps_mask(_mm512_fnmadd_ps(k, df, mf), zero, _CMP_EQ_OQ);
        sum = _mm512_mask_add_epi32(sum, hit, sum, _mm512_cvttps_epi32(df));
        df = _mm512_add_ps(df, stepf);
    }
    // Two vectors a round on two chains of d, so that the latency of stepping d is hidden;
    // divisors are rare, so the lanes' integers are formed only when one is found.
    __m512 de = _mm512_add_ps(df, stepf);
    const __m512 stepf2 = _mm512_add_ps(stepf, stepf);
    for (; i + 1 < full; i += 2) {
        __m512 t = _mm512_fmadd_round_ps(mf, _mm512_rcp14_ps(df), shift,
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __m512 u = _mm512_fmadd_round_ps(mf, _mm512_rcp14_ps(de), shift,
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask16 hit =
            _mm512_cmp_ps_mask(_mm512_mul_ps(_mm512_sub_ps(t, shift), df), mf, _CMP_EQ_OQ);
        __mmask16 hue =
            _mm512_cmp_ps_mask(_mm512_mul_ps(_mm512_sub_ps(u, shift), de), mf, _CMP_EQ_OQ);
        if (!_kortestz_mask16_u8(hit, hue)) {
            sum = _mm512_mask_add_epi32(sum, hit, sum, _mm512_cvttps_epi32(df));
            sum = _mm512_mask_add_epi32(sum, hue, sum, _mm512_cvttps_epi32(de));
        }
        df = _mm512_add_ps(df, stepf2);
        de = _mm512_add_ps(de, stepf2);
    }
    for (; i < full; i++) {
        __m512 t = _mm512_fmadd_round_ps(mf, _mm512_rcp14_ps(df), shift,
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask16 hit =
            _mm512_cmp_ps_mask(_mm512_mul_ps(_mm512_sub_ps(t, shift), df), mf, _CMP_EQ_OQ);
        sum = _mm512_mask_add_epi32(sum, hit, sum, _mm512_cvttps_epi32(df));
        df = _mm512_add_ps(df, stepf);
    }
    if (trials & 15) {
        __mmask16 lanes = (__mmask16)((1u << (trials & 15)) - 1);
        __m512 k = _mm512_roundscale_ps(_mm512_div_ps(mf, df),
                                        _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask16 hit =
            _mm512_mask_cmp_ps_mask(lanes, _mm512_fnmadd_ps(k, df, mf), zero, _CMP_EQ_OQ);
        sum = _mm512_mask_add_epi32(sum, hit, sum, _mm512_cvttps_epi32(df));
    }
    return _mm512_reduce_add_epi32(sum);
}

// The divisor sum is below 2^53 and so exact in a double; this is its value modulo 2^32.
DIVISOR_SUM_AVX512 static int32_t DivisorSumAvx512Wrap(double s)
{
    double high = (double)(int32_t)(s * (1.0 / 4294967296.0));
    double low = s - high * 4294967296.0;
    if (low >= 2147483648.0) low -= 4294967296.0;
    return (int32_t)low;
}

// m from 2^24 on. For d > m >> 26 the quotient is below 2^26; one correction step with the
// remainder m - q*d brings the reciprocal's 2^-14 down to about 2^-28, within 0.25 of it.
DIVISOR_SUM_AVX512 static int32_t DivisorSumAvx512Double(int32_t m)
{
    const __m512d md = _mm512_set1_pd((double)m);
    const __m512d zero = _mm512_setzero_pd();
    const __m512d step = _mm512_set1_pd(8.0);
    __m512d dd = _mm512_setr_pd(1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0);
    __m512d sum = _mm512_setzero_pd();
    int32_t trials = m - 1, full = trials >> 3, divided = ((m >> 26) + 7) >> 3, i = 0;
    if (divided > full) divided = full;
    for (; i < divided; i++) {
        __m512d k = _mm512_roundscale_pd(_mm512_div_pd(md, dd),
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask8 hit = _mm512_cmp_pd_mask(_mm512_fnmadd_pd(k, dd, md), zero, _CMP_EQ_OQ);
        sum = _mm512_mask_add_pd(sum, hit, sum, dd);
        dd = _mm512_add_pd(dd, step);
    }
    for (; i < full; i++) {
        __m512d r = _mm512_rcp14_pd(dd);
        __m512d q = _mm512_mul_pd(md, r);
        q = _mm512_fmadd_pd(_mm512_fnmadd_pd(q, dd, md), r, q);
        __m512d k = _mm512_roundscale_pd(q, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask8 hit = _mm512_cmp_pd_mask(_mm512_fnmadd_pd(k, dd, md), zero, _CMP_EQ_OQ);
        sum = _mm512_mask_add_pd(sum, hit, sum, dd);
        dd = _mm512_add_pd(dd, step);
    }
    if (trials & 7) {
        __mmask8 lanes = (__mmask8)((1u << (trials & 7)) - 1);
        __m512d k = _mm512_roundscale_pd(_mm512_div_pd(md, dd),
                                         _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        __mmask8 hit =
            _mm512_mask_cmp_pd_mask(lanes, _mm512_fnmadd_pd(k, dd, md), zero, _CMP_EQ_OQ);
        sum = _mm512_mask_add_pd(sum, hit, sum, dd);
    }
    return DivisorSumAvx512Wrap(_mm512_reduce_add_pd(sum));
}

// The 32-bit Windows stack is only 4-byte aligned on entry; wide spills need it realigned.
__attribute__((target("avx512f"), force_align_arg_pointer)) int32_t DivisorSumAvx512(int32_t m)
{
    if (m < 2) return 0;
    return m < (1 << 24) ? DivisorSumAvx512Single(m) : DivisorSumAvx512Double(m);
}
