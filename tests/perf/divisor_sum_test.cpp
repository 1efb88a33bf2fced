// Every way of summing divisors against two independent references: a sieve for all m below
// 2^16 (checked against the plain trial loop, the scalar way) and divisor pairs up to the square
// root for large m, where the plain loop itself would take seconds per m and is not run.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <stdint.h>
#include <cstdlib>
#include <random>
#include <vector>

#include "app/divisor_sum.h"
#include "support/divisor_sums.h"

namespace {

const int32_t SmallLimit = 1 << 16;

// make test keeps to samples of the large sets; make soak (DIVISOR_SUM_FULL set) checks them
// whole, a minute of work that would double the test run.
bool FullSets()
{
    return std::getenv("DIVISOR_SUM_FULL") != nullptr;
}

// s(m) for every m below 2^16, once per program.
const std::vector<int32_t> &SmallSums()
{
    static const std::vector<int32_t> sums = DivisorSumSieve(SmallLimit);
    return sums;
}

// Calls a way with the stack pointer set to a chosen remainder mod 64 at the call, as a
// platform callback or foreign caller might: the wide ways must realign their own spills.
int32_t CallWithSkewedStack(DivisorSumFunction f, int32_t m, uint32_t skew)
{
    int32_t result;
    __asm__ volatile("movl %%esp, %%ebx\n\t"
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

// The test program itself is built for processors without SSE, so MXCSR is reached directly.
unsigned MxcsrRead()
{
    unsigned value;
    __asm__ volatile("stmxcsr %0" : "=m"(value));
    return value;
}

void MxcsrWrite(unsigned value)
{
    __asm__ volatile("ldmxcsr %0" : : "m"(value));
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

}   // namespace

TEST(DivisorSumReference, PairsAgreeWithTheSieveAndWrapLikeTheProgram)
{
    const std::vector<int32_t> &sums = SmallSums();
    for (int32_t m = 0; m < SmallLimit; m += 7) ASSERT_EQ(DivisorSumWrapped(m), sums[m]) << m;
    // True sums 4614182496, 8794170000, 5918905440: each is past 2^32 and wraps.
    EXPECT_EQ(DivisorSumWrapped(1102701600), 319215200);
    EXPECT_EQ(DivisorSumWrapped(2095133040), 204235408);
    EXPECT_EQ(DivisorSumWrapped(1396755360), 1623938144);
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

// Where the ways change how they find a quotient: single to double precision at 2^24, and
// perfect numbers and powers of two on both sides.
TEST_P(DivisorSumWay, AroundTheSingleToDoubleHandOver)
{
    if (GetParam() == DivisorSumPathScalar) GTEST_SKIP() << "the plain loop itself";
    std::vector<int32_t> sample = {16777259, 33550336 /* perfect */, 8388608, 8388607, 12582912};
    const int32_t around = FullSets() ? 5000 : 300;
    for (int32_t m = (1 << 24) - around; m <= (1 << 24) + around; m++) sample.push_back(m);
    for (int32_t m : sample) ASSERT_EQ(sum(m), DivisorSumWrapped(m)) << "m = " << m;
}

// Rows of m, each set aimed at one way a wide loop can go wrong on large m.
TEST_P(DivisorSumWay, UpperRangeMatchesDivisorPairs)
{
    if (GetParam() == DivisorSumPathScalar) GTEST_SKIP() << "the plain loop itself";
    std::vector<int32_t> sample;
    // m = Q * d with the quotient Q on both sides of the estimates' limits (1024 for a 12-bit
    // reciprocal, 4096 for a 14-bit one), where d sits right at the hand-over to division.
    for (int32_t q : {1023, 1024, 1025, 4095, 4096, 4097, 8191, 8192})
        for (int32_t d : {1000, 4099, 30011, 131071}) sample.push_back(q * d);
    // The top, where d steps towards 2^31 - 1 and past it in the wide lanes.
    const int32_t bottom = FullSets() ? 2147483647 - 200 : 2147483640;
    for (int32_t m = 2147483647; m >= bottom; m--) sample.push_back(m);
    // Highly composite m whose true sums, 8794170000, 4614182496 and 5918905440, wrap.
    for (int32_t m : {2095133040, 1102701600, 1396755360}) sample.push_back(m);
    // A seeded spread: 256 m even in log scale over [2^16, 2^26), 7 uniform over [2^26, 2^31),
    // then 24 more in log scale over [2^24, 2^31).
    std::mt19937 random(20000);
    std::uniform_real_distribution<double> exponent(16.0, 26.0), upperExponent(24.0, 31.0);
    std::uniform_int_distribution<int32_t> top(1 << 26, 2147483645);
    for (int i = 0; i < 256; i++) sample.push_back((int32_t)std::exp2(exponent(random)));
    for (int i = 0; i < 7; i++) sample.push_back(top(random));
    for (int i = 0; i < 24; i++) sample.push_back((int32_t)std::exp2(upperExponent(random)));
    for (int32_t m : sample) ASSERT_EQ(sum(m), DivisorSumWrapped(m)) << "m = " << m;
}

// The estimates must not lean on the rounding mode a caller left in MXCSR.
TEST_P(DivisorSumWay, SameSumsInEveryRoundingMode)
{
    if (GetParam() == DivisorSumPathScalar) GTEST_SKIP() << "integers only";
    const std::vector<int32_t> &sums = SmallSums();
    const unsigned saved = MxcsrRead();
    for (unsigned mode : {_MM_ROUND_DOWN, _MM_ROUND_UP, _MM_ROUND_TOWARD_ZERO}) {
        MxcsrWrite((saved & ~_MM_ROUND_MASK) | mode);
        int32_t wrong = 0, wrongSum = 0;
        for (int32_t m = 0; m < SmallLimit && !wrong; m += 3)
            if (sum(m) != sums[m]) wrong = m, wrongSum = sum(m);
        for (int32_t q : {1023, 1024, 4095, 4096})
            for (int32_t d : {4099, 30011})
                if (!wrong && sum(q * d) != DivisorSumWrapped(q * d))
                    wrong = q * d, wrongSum = sum(q * d);
        MxcsrWrite(saved);
        EXPECT_EQ(wrong, 0) << "rounding mode " << std::hex << mode << std::dec << " gives "
                            << wrongSum;
    }
}

TEST_P(DivisorSumWay, SameSumsWhateverTheCallersStackAlignment)
{
    for (uint32_t skew : {0u, 4u, 8u, 12u, 20u, 36u, 60u})
        for (int32_t m : {12, 220, 10000, 65520, 16777215, 20000000}) {
            if (GetParam() == DivisorSumPathScalar && m > SmallLimit) continue;
            EXPECT_EQ(CallWithSkewedStack(sum, m, skew), DivisorSumWrapped(m))
                << "skew " << skew << ", m " << m;
        }
}

INSTANTIATE_TEST_SUITE_P(Ways, DivisorSumWay,
                         ::testing::Values(DivisorSumPathScalar, DivisorSumPathSse2,
                                           DivisorSumPathAvx2, DivisorSumPathAvx512),
                         WayName);

TEST(DivisorSumChoice, RunsTheWidestUsableWay)
{
    EXPECT_TRUE(DivisorSumPathUsable(DivisorSumPathScalar));
    EXPECT_FALSE(DivisorSumPathUsable(-1));
    EXPECT_FALSE(DivisorSumPathUsable(DivisorSumPathCount));
    int chosen = DivisorSumPathChosen();
    ASSERT_TRUE(DivisorSumPathUsable(chosen));
    for (int p = chosen + 1; p < DivisorSumPathCount; p++)
        EXPECT_FALSE(DivisorSumPathUsable(p)) << p;
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
