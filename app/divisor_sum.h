// The sum of the divisors of m from 1 to m - 1, by trial of every divisor, wrapping like a
// signed 32-bit integer; 0 for every m below 2 and for every negative m.
#pragma once

#include <stdint.h>

// Runs the widest way this processor and system allow, chosen on the first call.
int32_t DivisorSum(int32_t m);

// The ways themselves, each giving exactly the sums of the plain trial loop. A way that the
// processor or the system lacks must not be called: ask DivisorSumPathUsable first.
int32_t DivisorSumScalar(int32_t m);   // one idiv per trial; runs everywhere
int32_t DivisorSumSse2(int32_t m);     // 4 trials per instruction
int32_t DivisorSumAvx2(int32_t m);     // 8 trials per instruction
int32_t DivisorSumAvx512(int32_t m);   // 16 trials per instruction

enum DivisorSumPath {
    DivisorSumPathScalar,
    DivisorSumPathSse2,
    DivisorSumPathAvx2,
    DivisorSumPathAvx512,
    DivisorSumPathCount
};

typedef int32_t (*DivisorSumFunction)(int32_t m);

// 1 when the processor has the instructions and the system saves their registers.
int DivisorSumPathUsable(int path);
// The way DivisorSum runs (the widest usable one).
int DivisorSumPathChosen(void);
DivisorSumFunction DivisorSumPathFunction(int path);
const char *DivisorSumPathName(int path);

// How the wide ways share out the trials of one m. The small d each get a quotient of their
// own. From d = DivisorSumOwnLast(m, q) + 1 on, the d come in runs that share one quotient
// (every d with m / d = q, about m / q^2 of them, q falling by one from run to run), and each
// d's own remainder m - q*d is stepped down by q from the d before. The shared quotient pays
// for its set-up only on long runs: q is the largest quotient whose run still has minimumRun
// or more d, 0 when even q = 1 has fewer.
uint32_t DivisorSumRunQuotient(int32_t m, uint32_t minimumRun);
// The last d with a quotient of its own: m / (q + 1), at most m - 1. Inline: the wide ways
// call it once per run, and a call there would also clear their upper vector halves.
static inline int32_t DivisorSumOwnLast(int32_t m, uint32_t q)
{
    uint32_t last = (uint32_t)m / (q + 1);
    return (int32_t)(last < (uint32_t)m ? last : (uint32_t)m - 1);
}

// The sum of first + j for every bit j set in hits with first + j <= last: the divisors a wide
// trial found. Divisors are rare, so this runs seldom.
static inline uint32_t DivisorSumHits(uint32_t hits, uint32_t first, uint32_t last)
{
    uint32_t sum = 0;
    while (hits) {
        uint32_t d = first + (uint32_t)__builtin_ctz(hits);
        if (d <= last) sum += d;
        hits &= hits - 1;
    }
    return sum;
}
