// Every way of summing divisors against two independent references: a sieve for all m below
// 2^16 (checked against the plain trial loop, the scalar way) and divisor pairs up to the square root
// for a seeded sample of the upper range. Large m cost m trials each, so the upper range is
// sampled lightly for the slower ways; see UpperRange below.
#include <gtest/gtest.h>

#include <stdint.h>
#include <random>
#include <vector>

#include "app/divisor_sum.h"

namespace {

const int32_t SmallLimit = 1 << 16;

// Sum of the divisors below m, from the pairs (d, m / d) with d up to the square root, modulo
// 2^32; 0 for m below 2.
int32_t PairReference(int32_t m)
{
    if (m < 2) return 0;
    uint64_t sum = 0;
    for (uint64_t d = 1; d * d <= (uint64_t)m; d++)
        if (m % d == 0) {
            sum += d;
            if (d * d != (uint64_t)m) sum += m / d;
        }
    return (int32_t)(uint32_t)(sum - (uint64_t)m);
}

// s(m) for every m below 2^16 at once: each d is added to its proper multiples.
const std::vector<int32_t> &SmallSums()
{
    static std::vector<int32_t> sums;
    if (sums.empty()) {
        sums.assign(SmallLimit, 0);
        for (int32_t d = 1; d < SmallLimit; d++)
            for (int32_t k = 2 * d; k < SmallLimit; k += d) sums[k] += d;
    }
    return sums;
}

// Calls a way with the stack pointer set to a chosen remainder mod 64 at the call, as a
// platform callback or foreign caller might: the wide ways must realign their own spills.
int32_t CallWithSkewedStack(DivisorSumFunction f, int32_t m, uint32_t skew)
{
    int32_t result;
    __asm__ volatile(
        "movl %%esp, %%ebx\n\t"
        "andl $-64, %%esp\n\t"
        "subl %3, %%esp\n\t"
        "subl $12, %%esp\n\t"
        "pushl %2\n\t"
        "call *%1\n\t"
        "movl %%ebx, %%esp\n\t"
        : "=a"(result)
        : "S"(f), "D"(m), "r"(skew)
        : "ebx", "ecx", "edx", "memory", "cc");
    return result;
}

class DivisorSumWay : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (!DivisorSumPathUsable(GetParam()))
            GTEST_SKIP() << DivisorSumPathName(GetParam()) << " not available on this machine";
        sum = DivisorSumPathFunction(GetParam());
    }
    DivisorSumFunction sum = nullptr;
};

std::string WayName(const ::testing::TestParamInfo<int> &info)
{
    return DivisorSumPathName(info.param);
}

}  // namespace

TEST(DivisorSumReference, PairReferenceAgreesWithSieveAndKnownWrappedSums)
{
    const std::vector<int32_t> &sums = SmallSums();
    for (int32_t m = 0; m < SmallLimit; m += 7) ASSERT_EQ(PairReference(m), sums[m]) << m;
    // True sums 4614182496, 8794170000, 5918905440: each is past 2^32 and wraps.
    EXPECT_EQ(PairReference(1102701600), 319215200);
    EXPECT_EQ(PairReference(2095133040), 204235408);
    EXPECT_EQ(PairReference(1396755360), 1623938144);
}

// The plain loop is the scalar way; a sieve stands in for it for the others.
TEST_P(DivisorSumWay, EveryMBelow65536MatchesThePlainLoop)
{
    const std::vector<int32_t> &sums = SmallSums();
    for (int32_t m = 0; m < SmallLimit; m++) ASSERT_EQ(sum(m), sums[m]) << "m = " << m;
}

TEST_P(DivisorSumWay, ZeroOneAndNegativesTryNoDivisor)
{
    for (int32_t m : {0, 1, -1, -2, -6, -220, -65536, -2147483647, INT32_MIN})
        EXPECT_EQ(sum(m), 0) << "m = " << m;
}

// Where the single-precision ways hand over to double precision, and primes and perfect
// numbers on both sides.
TEST_P(DivisorSumWay, AroundTheSingleToDoubleHandOver)
{
    for (int32_t m : {16777213, 16777214, 16777215, 16777216, 16777217, 16777218, 16777259,
                      33550336 /* perfect */, 8388608, 8388607, 12582912})
        EXPECT_EQ(sum(m), PairReference(m)) << "m = " << m;
}

// A seeded sample: 256 m spread evenly in log scale over [2^16, 2^26), the two largest m, the
// highly composite 2095133040 whose sum wraps, and one m drawn uniformly from [2^26, 2^31).
// The widest way, which DivisorSum runs here, also gets 1102701600 and 1396755360 and six more
// draws; the narrower ways' double precision runs at half its speed or less (about 1.6 s per m
// near 2^31 on this machine), and the plain loop itself (some 3 s per m) is left to m < 2^16.
TEST_P(DivisorSumWay, UpperRangeMatchesDivisorPairs)
{
    if (GetParam() == DivisorSumPathScalar) GTEST_SKIP() << "the plain loop itself";
    bool widest = GetParam() == DivisorSumPathChosen();
    std::mt19937 random(20000);
    std::uniform_real_distribution<double> exponent(16.0, 26.0);
    std::uniform_int_distribution<int32_t> top(1 << 26, 2147483645);
    std::vector<int32_t> sample;
    for (int i = 0; i < 256; i++) sample.push_back((int32_t)std::exp2(exponent(random)));
    for (int32_t m : {2147483647, 2147483646, 2095133040}) sample.push_back(m);
    if (widest)
        for (int32_t m : {1102701600, 1396755360}) sample.push_back(m);
    for (int i = widest ? 7 : 1; i > 0; i--) sample.push_back(top(random));
    for (int32_t m : sample) ASSERT_EQ(sum(m), PairReference(m)) << "m = " << m;
}

TEST_P(DivisorSumWay, SameSumsWhateverTheCallersStackAlignment)
{
    for (uint32_t skew : {0u, 4u, 8u, 12u, 20u, 36u, 60u})
        for (int32_t m : {12, 220, 10000, 65520, 16777215, 20000000}) {
            if (GetParam() == DivisorSumPathScalar && m > SmallLimit) continue;
            EXPECT_EQ(CallWithSkewedStack(sum, m, skew), PairReference(m)) << "skew " << skew << ", m " << m;
        }
}

INSTANTIATE_TEST_SUITE_P(Ways, DivisorSumWay,
                         ::testing::Values(DivisorSumPathScalar, DivisorSumPathSse2, DivisorSumPathAvx2,
                                           DivisorSumPathAvx512),
                         WayName);

TEST(DivisorSumChoice, RunsTheWidestUsableWay)
{
    EXPECT_TRUE(DivisorSumPathUsable(DivisorSumPathScalar));
    EXPECT_FALSE(DivisorSumPathUsable(-1));
    EXPECT_FALSE(DivisorSumPathUsable(DivisorSumPathCount));
    int chosen = DivisorSumPathChosen();
    ASSERT_TRUE(DivisorSumPathUsable(chosen));
    for (int p = chosen + 1; p < DivisorSumPathCount; p++) EXPECT_FALSE(DivisorSumPathUsable(p)) << p;
    ::testing::Test::RecordProperty("chosen", DivisorSumPathName(chosen));
}

TEST(DivisorSumChoice, FrontDoorGivesTheChosenWaysSums)
{
    DivisorSumFunction chosen = DivisorSumPathFunction(DivisorSumPathChosen());
    for (int32_t m : {0, 1, 2, 6, 28, 220, 284, 496, 8128, 17296, 18416, 65536, 33550336})
        EXPECT_EQ(DivisorSum(m), chosen(m)) << "m = " << m;
    EXPECT_EQ(DivisorSum(INT32_MIN), 0);
    EXPECT_EQ(DivisorSum(-1), 0);
}
