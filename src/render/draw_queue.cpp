#include "render/draw_queue.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace sp::render {

namespace {

// A band that has drawn every draw queued so far checks this many times for
// more before it sleeps; the queuing thread wakes sleepers only once this
// many more are queued, so that neither pays the operating system a call a draw.
constexpr int kChecksBeforeSleep = 1024;
constexpr std::size_t kDrawsBetweenWakes = 256;
// Draws are made readable a few at a time, so that a band does not read the
// memory the queuing thread is still writing, which would make each wait on
// the other.
constexpr std::size_t kDrawsPublishedTogether = 32;

void pauseBriefly() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

}  // namespace

DrawQueue::DrawQueue() : m_blocks(std::make_unique<std::unique_ptr<Block>[]>(kMostBlocks)) {}

DrawQueue::~DrawQueue() = default;

const ParticleVertex* DrawQueue::keep(const ParticleVertex* vertices, std::size_t count) {
    if (count > kBlockVertices) {
        m_longStrips.push_back(std::make_unique_for_overwrite<ParticleVertex[]>(count));
        std::copy(vertices, vertices + count, m_longStrips.back().get());
        return m_longStrips.back().get();
    }
    if (m_vertexUsed + count > kBlockVertices) {
        ++m_vertexBlock;
        m_vertexUsed = 0;
    }
    if (m_vertexBlock == m_vertexBlocks.size())
        m_vertexBlocks.push_back(std::make_unique_for_overwrite<ParticleVertex[]>(kBlockVertices));
    ParticleVertex* kept = m_vertexBlocks[m_vertexBlock].get() + m_vertexUsed;
    std::copy(vertices, vertices + count, kept);
    m_vertexUsed += count;
    return kept;
}

DrawQueue::Draw& DrawQueue::nextDraw() {
    std::unique_ptr<Block>& block = m_blocks[m_size / kBlockDraws];
    if (!block) block = std::make_unique<Block>();
    return block->draws[m_size % kBlockDraws];
}

void DrawQueue::added() {
    ++m_size;
    if (m_size % kDrawsPublishedTogether == 0) publish();
}

void DrawQueue::push(const RasterState& state, const ParticleVertex* vertices, std::size_t count,
                     int yLo, int yHi) {
    nextDraw() = {state, keep(vertices, count), count, yLo, yHi};
    added();
}

void DrawQueue::pushClear(uint32_t argb) {
    Draw& d = nextDraw();
    d = {};
    d.yLo = 0;
    d.yHi = std::numeric_limits<int>::max();
    d.clears = true;
    d.colour = argb;
    added();
}

void DrawQueue::publish() {
    // The draw and its vertices are written before the count that lets a band read them.
    m_published.store(static_cast<uint64_t>(m_size) << 1);
    if (m_sleepers.load() > 0 && m_size - m_wokenAt >= kDrawsBetweenWakes) {
        m_wokenAt = m_size;
        m_published.notify_all();
    }
}

void DrawQueue::close() {
    m_published.store(static_cast<uint64_t>(m_size) << 1 | 1u);
    m_published.notify_all();
}

void DrawQueue::clear() {
    m_size = 0;
    m_wokenAt = 0;
    m_published.store(0);
    m_vertexBlock = 0;
    m_vertexUsed = 0;
    m_longStrips.clear();
}

const DrawQueue::Draw* DrawQueue::wait(std::size_t i) const {
    uint64_t published = m_published.load(std::memory_order_acquire);
    for (int checks = 0; (published >> 1) <= i; ++checks) {
        if (published & 1u) return nullptr;
        if (checks < kChecksBeforeSleep) {
            pauseBriefly();
        } else {
            // Counted as asleep before looking once more, so that the queuing
            // thread, which counts sleepers after publishing, cannot miss it
            // for good; close() wakes every sleeper in any case.
            m_sleepers.fetch_add(1);
            published = m_published.load();
            if ((published >> 1) <= i && !(published & 1u)) m_published.wait(published);
            m_sleepers.fetch_sub(1);
        }
        published = m_published.load(std::memory_order_acquire);
    }
    return &at(i);
}

}  // namespace sp::render
