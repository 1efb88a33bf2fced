// The divisor sums the tests hold the search against, computed independently of the program's
// own ways (by divisor pairs up to the square root, and by a sieve for every m below a bound at
// once), and the reports a correct search makes, derived from them. Header only.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// The true sum of the divisors of m below m, from the pairs (d, m / d) with d up to the square
// root; 0 for m below 2.
inline uint64_t DivisorSumByPairs(uint64_t m)
{
    if (m < 2) return 0;
    uint64_t sum = 1;
    for (uint64_t d = 2; d * d <= m; d++)
        if (m % d == 0) sum += d + (d * d == m ? 0 : m / d);
    return sum;
}

// The sum as the program computes it: modulo 2^32 as a signed value, 0 for every m below 2.
inline int32_t DivisorSumWrapped(int32_t m)
{
    return m < 2 ? 0 : (int32_t)(uint32_t)DivisorSumByPairs((uint64_t)m);
}

// s(m) for every m below limit at once: each d is added to its proper multiples. Every sum
// fits 32 bits for the limits the tests use.
inline std::vector<int32_t> DivisorSumSieve(uint32_t limit)
{
    std::vector<int32_t> sums(limit, 0);
    for (uint32_t d = 1; d <= limit / 2; d++)
        for (uint32_t m = 2 * d; m < limit; m += d) sums[m] += (int32_t)d;
    return sums;
}

// One report of the search: the candidate n, with s(s(n)) = n and s(n) != n, and s(n).
struct AmicableReport {
    int64_t Candidate;
    int64_t Partner;
    std::string Line() const { return std::to_string(Candidate) + ", " + std::to_string(Partner); }
};

// Every report a correct search makes for the candidates below limit, in the order found.
inline std::vector<AmicableReport> AmicableReports(uint32_t limit)
{
    std::vector<int32_t> sums = DivisorSumSieve(limit);
    std::vector<AmicableReport> reports;
    for (uint32_t n = 2; n < limit; n++) {
        uint64_t partner = (uint64_t)sums[n];
        uint64_t back = partner < limit ? (uint64_t)sums[partner] : DivisorSumByPairs(partner);
        if (partner != n && back == n) reports.push_back({(int64_t)n, (int64_t)partner});
    }
    return reports;
}
