#include "core/sim/trail.h"

#include <gtest/gtest.h>

namespace sp {
namespace {

Vec3 at(float i) {
    return {i, -i, 0.0f};
}

TEST(Trail, KeepsNewestFirstAcrossGrowthAndWrapping) {
    Trail trail;
    // Interleave pushes and drops so the ring wraps several times and grows twice.
    float next = 0.0f;
    for (int round = 0; round < 50; ++round) {
        trail.pushNewest(at(next++));
        trail.pushNewest(at(next++));
        trail.dropOldest();
    }
    ASSERT_EQ(trail.size(), 50u);
    for (std::size_t i = 0; i < trail.size(); ++i)
        EXPECT_EQ(trail[i], at(next - 1.0f - static_cast<float>(i)));
}

TEST(Trail, DropOnEmptyIsHarmlessAndCopiesAreDeep) {
    Trail trail;
    trail.dropOldest();
    EXPECT_TRUE(trail.empty());
    for (int i = 0; i < 9; ++i) trail.pushNewest(at(static_cast<float>(i)));
    Trail copy = trail;
    EXPECT_EQ(copy, trail);
    trail.pushNewest(at(100.0f));
    EXPECT_EQ(copy.size(), 9u);
    EXPECT_EQ(copy[0], at(8.0f));
    EXPECT_FALSE(copy == trail);
    Trail moved = std::move(copy);
    EXPECT_EQ(moved[8], at(0.0f));
}

}  // namespace
}  // namespace sp
