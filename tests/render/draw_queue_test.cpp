#include "render/draw_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace sp::render {
namespace {

// A strip whose vertices say which draw they belong to.
std::vector<ParticleVertex> stripOf(std::size_t draw, std::size_t count) {
    std::vector<ParticleVertex> v(count);
    for (std::size_t k = 0; k < count; ++k) {
        v[k].x = static_cast<float>(draw);
        v[k].y = static_cast<float>(k);
    }
    return v;
}

// Reads draws as a band does, while they are still being queued, and checks
// that each comes whole and in its order.
std::size_t readAll(const DrawQueue& queue) {
    std::size_t seen = 0;
    for (const DrawQueue::Draw* d; (d = queue.wait(seen)) != nullptr; ++seen) {
        const std::size_t expected = seen % 97 == 0 ? 70'000 : 3 + seen % 5;
        EXPECT_EQ(d->count, expected) << "draw " << seen;
        EXPECT_EQ(d->yLo, static_cast<int>(seen));
        if (d->count != expected) break;
        EXPECT_EQ(d->vertices[0].x, static_cast<float>(seen));
        EXPECT_EQ(d->vertices[d->count - 1].y, static_cast<float>(d->count - 1));
    }
    return seen;
}

TEST(DrawQueue, BandsReadEveryDrawWholeAndInOrderWhileItIsQueued) {
    DrawQueue queue;
    // Twice over, to see that an emptied queue takes draws again.
    for (int round = 0; round < 2; ++round) {
        constexpr std::size_t kDraws = 5'000;  // several blocks, and some strips longer than one
        std::size_t readers[3] = {};
        std::vector<std::jthread> bands;
        for (std::size_t& seen : readers) bands.emplace_back([&] { seen = readAll(queue); });
        for (std::size_t i = 0; i < kDraws; ++i) {
            const auto strip = stripOf(i, i % 97 == 0 ? 70'000 : 3 + i % 5);
            queue.push(RasterState{}, strip.data(), strip.size(), static_cast<int>(i), 0);
            // Now and then the bands catch up and go to sleep.
            if (i % 1'000 == 999) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        queue.close();
        bands.clear();
        for (std::size_t seen : readers) EXPECT_EQ(seen, kDraws);
        queue.clear();
    }
}

TEST(DrawQueue, ClosingReleasesBandsWaitingOnAnEmptyQueue) {
    DrawQueue queue;
    std::optional<const DrawQueue::Draw*> got;
    std::jthread band([&] { got = queue.wait(0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    queue.close();
    band.join();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, nullptr);
}

}  // namespace
}  // namespace sp::render
