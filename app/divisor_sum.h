// The sum of the divisors of m from 1 to m - 1, by trial of every divisor, wrapping like a
// signed 32-bit integer; 0 for every m below 2 and for every negative m.
#pragma once

#include <stdint.h>

// Runs the widest way this processor and system allow, chosen on the first call.
int32_t DivisorSum(int32_t m);

// The ways themselves, each giving exactly the sums of the plain trial loop. A way that the
// processor or the system lacks must not be called: ask DivisorSumPathUsable first.
int32_t DivisorSumScalar(int32_t m);   // one idiv per trial; runs everywhere
int32_t DivisorSumSse2(int32_t m);     // 4 single or 2 double quotients at a time
int32_t DivisorSumAvx2(int32_t m);     // 8 single or 4 double, with FMA
int32_t DivisorSumAvx512(int32_t m);   // 16 single or 8 double

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
