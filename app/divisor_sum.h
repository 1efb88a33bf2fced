// The sum of the divisors of m from 1 to m - 1, by trial of every divisor, wrapping like a
// signed 32-bit integer; 0 for every m below 2 and for every negative m.
#pragma once

#include <stdint.h>

int32_t DivisorSum(int32_t m);
