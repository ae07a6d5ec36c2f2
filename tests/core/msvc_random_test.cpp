#include "core/sim/msvc_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace sp {
namespace {

TEST(MsvcRandom, ReproducesTheRuntimeSequence) {
    MsvcRandom random;
    random.srand(1);
    std::vector<int> values;
    for (int i = 0; i < 10; ++i) values.push_back(random.rand());
    EXPECT_EQ(values,
              (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
}

TEST(MsvcRandom, UnseededGeneratorStartsLikeSeedOne) {
    MsvcRandom seeded;
    seeded.srand(1);
    MsvcRandom fresh;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(fresh.rand(), seeded.rand());
}

TEST(MsvcRandom, ReseedingReplaysAndValuesStayInRange) {
    MsvcRandom random;
    random.srand(12345);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(random.rand());
        ASSERT_GE(first.back(), 0);
        ASSERT_LE(first.back(), MsvcRandom::kMax);
    }
    random.srand(12345);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(random.rand(), first[static_cast<std::size_t>(i)]);
    // A seed given as a negative int wraps as the runtime's unsigned seed does.
    random.srand(static_cast<uint32_t>(-1));
    EXPECT_EQ(random.state(), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace sp
