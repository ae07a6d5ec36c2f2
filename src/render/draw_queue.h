#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/device.h"
#include "render/raster_state.h"

namespace sp::render {

// Draws waiting for the bands that draw them, in their order. One thread
// queues them while the bands already draw the ones queued so far, so every
// draw and its vertices stay where they were put until the queue is emptied.
class DrawQueue {
  public:
    struct Draw {
        RasterState state;
        const ParticleVertex* vertices;
        std::size_t count;
        int yLo, yHi;  // the rows it may touch
        // A clear of the whole target to `colour` rather than a strip.
        bool clears = false;
        uint32_t colour = 0;
    };

    DrawQueue();
    ~DrawQueue();
    DrawQueue(const DrawQueue&) = delete;
    DrawQueue& operator=(const DrawQueue&) = delete;

    // For the queuing thread. A full queue takes no more draws until it is emptied.
    std::size_t size() const { return m_size; }
    bool full() const { return m_size == kMostDraws; }
    void push(const RasterState& state, const ParticleVertex* vertices, std::size_t count, int yLo,
              int yHi);
    // A clear of the whole target, in its place among the draws.
    void pushClear(uint32_t argb);
    // No more draws come: the bands waiting for more stop waiting.
    void close();
    // Once no band reads it any more: empty and open again, its room kept.
    void clear();

    // For any thread: draw number i, once it is queued; nullptr when the queue
    // is closed before it.
    const Draw* wait(std::size_t i) const;

  private:
    static constexpr std::size_t kBlockDraws = 1024, kMostBlocks = 1 << 14;
    static constexpr std::size_t kMostDraws = kBlockDraws * kMostBlocks;
    static constexpr std::size_t kBlockVertices = 1 << 15;
    struct Block {
        Draw draws[kBlockDraws];
    };

    const Draw& at(std::size_t i) const {
        return m_blocks[i / kBlockDraws]->draws[i % kBlockDraws];
    }
    // The slot of the next draw, and the count moved past it once it is written.
    Draw& nextDraw();
    void added();
    const ParticleVertex* keep(const ParticleVertex* vertices, std::size_t count);
    void publish();

    // A table that never moves, so that a band may read it while a block is added.
    std::unique_ptr<std::unique_ptr<Block>[]> m_blocks;
    std::size_t m_size = 0;
    // The draws a band may read, times two, plus one once the queue is closed.
    std::atomic<uint64_t> m_published{0};
    mutable std::atomic<int> m_sleepers{0};
    std::size_t m_wokenAt = 0;
    // Vertices in blocks that never move; a strip longer than a block has its own.
    std::vector<std::unique_ptr<ParticleVertex[]>> m_vertexBlocks, m_longStrips;
    std::size_t m_vertexBlock = 0, m_vertexUsed = 0;
};

}  // namespace sp::render
