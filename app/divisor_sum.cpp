// Trial division over every divisor below m. Negative m (-2147483648 included, whose m - 1
// would wrap) has the sum 0.
#include "app/divisor_sum.h"

int32_t DivisorSum(int32_t m)
{
    uint32_t sum = 0;
    for (int32_t d = 1; d < m; d++)
        if (m % d == 0) sum += (uint32_t)d;
    return (int32_t)sum;
}
