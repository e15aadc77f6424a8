#include "Host/IntToIntMapping.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

using Tavrel::IntToIntMapping;

namespace {

struct Ranges {
    int a, b, c, d;
};

class IntToIntMappingRoundTrip : public ::testing::TestWithParam<Ranges> {};

} // namespace

TEST(IntToIntMappingTest, EndsMapOntoEnds)
{
    for (const Ranges r : {Ranges{1, 100, 127, 0}, Ranges{1, 100, 255, 1}, Ranges{0, 10, -50, 50}, Ranges{10, 0, 0, 3}}) {
        const IntToIntMapping mapping(r.a, r.b, r.c, r.d);
        EXPECT_EQ(mapping.GetForward(r.a), r.c);
        EXPECT_EQ(mapping.GetForward(r.b), r.d);
        EXPECT_EQ(mapping.GetBackward(r.c), r.a);
        EXPECT_EQ(mapping.GetBackward(r.d), r.b);
    }
}

TEST(IntToIntMappingTest, RoundsHalvesAwayFromZero)
{
    // x2 / 2: every odd input lands on a half.
    const IntToIntMapping halve(0, 2, 0, 1);
    EXPECT_EQ(halve.GetForward(1), 1);    // 0.5
    EXPECT_EQ(halve.GetForward(3), 2);    // 1.5
    EXPECT_EQ(halve.GetForward(-1), -1);  // -0.5
    EXPECT_EQ(halve.GetForward(-5), -3);  // -2.5
    EXPECT_EQ(halve.GetBackward(1), 2);

    const IntToIntMapping thirds(0, 3, 0, 1);
    EXPECT_EQ(thirds.GetForward(1), 0);  // 0.33
    EXPECT_EQ(thirds.GetForward(2), 1);  // 0.67
    EXPECT_EQ(thirds.GetForward(-1), 0); // -0.33
    EXPECT_EQ(thirds.GetForward(-2), -1);

    // Slider 1..100 onto level 127..0: 50 -> 127 - 49 * 127 / 99 = 64.14.
    const IntToIntMapping blend(1, 100, 127, 0);
    EXPECT_EQ(blend.GetForward(50), 64);
    EXPECT_EQ(blend.GetBackward(64), 50); // 1 + 63 * 99 / 127 = 50.11
}

TEST(IntToIntMappingTest, ExtrapolatesOutsideTheRange)
{
    const IntToIntMapping blend(1, 100, 127, 0);
    EXPECT_EQ(blend.GetForward(0), 128);   // 128.28
    EXPECT_EQ(blend.GetForward(127), -35); // -34.64
    EXPECT_EQ(blend.GetForward(199), -127);
    EXPECT_EQ(blend.GetForward(200), -128); // -128.28
    EXPECT_EQ(blend.GetBackward(255), -99);
    EXPECT_EQ(blend.GetBackward(-127), 199);
}

TEST(IntToIntMappingTest, DegenerateRangeGivesTheOtherStart)
{
    const IntToIntMapping mapping(5, 5, 10, 20);
    EXPECT_EQ(mapping.GetForward(5), 10);
    EXPECT_EQ(mapping.GetForward(7), 10);
    EXPECT_EQ(mapping.GetBackward(15), 5);
}

TEST(IntToIntMappingTest, ExtremeValuesDoNotOverflow)
{
    const IntToIntMapping mapping(0, 1000000, 0, 2000000);
    EXPECT_EQ(mapping.GetForward(1000000000), 2000000000);
    EXPECT_EQ(mapping.GetBackward(2000000000), 1000000000);
}

TEST_P(IntToIntMappingRoundTrip, BackwardUndoesForwardWhenTheTargetIsAtLeastAsWide)
{
    const Ranges r = GetParam();
    ASSERT_GE(std::abs(r.d - r.c), std::abs(r.b - r.a));
    const IntToIntMapping mapping(r.a, r.b, r.c, r.d);
    const int low = std::min(r.a, r.b) - 50;
    const int high = std::max(r.a, r.b) + 50;
    for (int v = low; v <= high; ++v)
        ASSERT_EQ(mapping.GetBackward(mapping.GetForward(v)), v) << "v = " << v;
}

INSTANTIATE_TEST_SUITE_P(Ranges, IntToIntMappingRoundTrip,
                         ::testing::Values(Ranges{1, 100, 127, 0}, Ranges{1, 100, 255, 1}, Ranges{1, 100, 0, 127},
                                           Ranges{0, 127, 0, 127}, Ranges{100, 1, -20, 300},
                                           Ranges{-10, 10, 40, -1}, Ranges{0, 3, 0, 4}));
