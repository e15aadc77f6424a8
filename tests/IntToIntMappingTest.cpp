#include "Host/Types/IntToIntMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using Tavrel::IntToIntMapping;

TEST(IntToIntMappingTest, RoundsHalvesAwayFromZeroAndExtrapolates)
{
    const IntToIntMapping halve(0, 2, 0, 1);
    EXPECT_EQ(halve.GetForward(1), 1);   // 0.5
    EXPECT_EQ(halve.GetForward(-5), -3); // -2.5
    EXPECT_EQ(IntToIntMapping(0, 3, 0, 1).GetForward(-2), -1); // -0.67

    const IntToIntMapping blend(1, 100, 127, 0);
    EXPECT_EQ(blend.GetForward(50), 64);   // 64.14
    EXPECT_EQ(blend.GetForward(0), 128);   // 128.28, not clamped
    EXPECT_EQ(blend.GetForward(127), -35); // -34.64
    EXPECT_EQ(blend.GetBackward(255), -99);
    EXPECT_EQ(IntToIntMapping(0, 1000000, 0, 2000000).GetForward(1000000000), 2000000000);
}

TEST(IntToIntMappingTest, BackwardUndoesForwardWhenTheTargetIsAtLeastAsWide)
{
    struct Ranges {
        int a, b, c, d;
    };
    for (const Ranges r : {Ranges{1, 100, 127, 0}, Ranges{1, 100, 255, 1}, Ranges{1, 100, 0, 127},
                           Ranges{0, 127, 0, 127}, Ranges{100, 1, -20, 300}, Ranges{-10, 10, 40, -1}}) {
        ASSERT_GE(std::abs(r.d - r.c), std::abs(r.b - r.a));
        const IntToIntMapping mapping(r.a, r.b, r.c, r.d);
        EXPECT_EQ(mapping.GetForward(r.b), r.d);
        for (int v = std::min(r.a, r.b) - 50; v <= std::max(r.a, r.b) + 50; ++v)
            ASSERT_EQ(mapping.GetBackward(mapping.GetForward(v)), v) << r.a << ".." << r.b << " v = " << v;
    }
}
