// The device's state and draw entry points; the drawing itself is in
// software_rasteriser.cpp and the row loops.
#include "render/software_device.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace sp::render {

SoftwareDevice::SoftwareDevice(int width, int height)
    : m_backBuffer(width, height), m_target(&m_backBuffer) {
    // The widest path is the default: the eight-pixel one samples eight texels
    // at once (gathers), where the four-pixel one fetches them one at a time.
    m_state.path = detail::bestPixelPath();
    setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
}

SoftwareDevice::~SoftwareDevice() {
    finish();
}

void SoftwareDevice::setColourBlend(BlendFactor source, BlendFactor destination) {
    m_state.colourSource = source;
    m_state.colourDestination = destination;
    setAlphaBlend(m_state.alphaSource, m_state.alphaDestination);
}

void SoftwareDevice::setAlphaBlend(BlendFactor source, BlendFactor destination) {
    m_state.alphaSource = source;
    m_state.alphaDestination = destination;
    // A fully transparent source leaves the target as it is for these factors,
    // which lets the rasteriser skip such pixels.
    auto keepsTarget = [](BlendFactor s, BlendFactor d) {
        return (s == BlendFactor::SrcAlpha || s == BlendFactor::Zero) &&
               (d == BlendFactor::InvSrcAlpha || d == BlendFactor::One);
    };
    m_state.transparentLeavesTarget =
        keepsTarget(m_state.colourSource, m_state.colourDestination) &&
        (m_state.alphaDestination == BlendFactor::InvSrcAlpha ||
         m_state.alphaDestination == BlendFactor::One);
}

void SoftwareDevice::setPixelPath(PixelPath path) {
    finish();
    m_state.path = std::min(path, detail::bestPixelPath());
}

void SoftwareDevice::setThreads(int threads) {
    finish();
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (threads == this->threads()) return;
    m_pool = threads > 1 ? std::make_unique<BandPool>(threads) : nullptr;
}

void SoftwareDevice::drawTriangleStrip(const ParticleVertex* v, std::size_t count) {
    const int height = m_target->height();
    if (!m_pool) {
        detail::drawStripRows(m_state, *m_target, v, count, 0, height - 1);
        return;
    }
    if (count < 3) return;
    // The rows the strip can reach; anything not finite could reach any row.
    float minY = v[0].y, maxY = v[0].y;
    bool bounded = true;
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(v[i].y)) bounded = false;
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    int yLo = 0, yHi = height - 1;
    if (bounded) {
        if (maxY < -1.0f || minY > static_cast<float>(height) + 1.0f) return;
        yLo = std::max(0, static_cast<int>(std::floor(minY)) - 1);
        yHi = std::min(height - 1, static_cast<int>(std::ceil(maxY)) + 1);
    }
    m_queue.push_back({m_state, m_queuedVertices.size(), count, yLo, yHi});
    m_queuedVertices.insert(m_queuedVertices.end(), v, v + count);
}

void SoftwareDevice::finish() {
    if (m_queue.empty()) return;
    Texture& target = *m_target;
    const int height = target.height();
    // Twice as many bands as threads, so that a thread that finishes early
    // takes over rows another would have drawn.
    const int bands = std::max(1, std::min(height, 2 * threads()));
    m_pool->run(bands, [&](int band) {
        const int lo = static_cast<int>(static_cast<int64_t>(height) * band / bands);
        const int hi = static_cast<int>(static_cast<int64_t>(height) * (band + 1) / bands) - 1;
        for (const QueuedDraw& d : m_queue) {
            if (d.yHi < lo || d.yLo > hi) continue;
            detail::drawStripRows(d.state, target, m_queuedVertices.data() + d.first, d.count,
                                  std::max(lo, d.yLo), std::min(hi, d.yHi));
        }
    });
    m_queue.clear();
    m_queuedVertices.clear();
}

}  // namespace sp::render
