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

void SoftwareDevice::clear(uint32_t argb) {
    if (!m_pool) {
        m_target->fill(argb);
        return;
    }
    if (m_queue.full()) finish();
    m_queue.pushClear(argb);
    if (m_queue.size() == 1) startBands();
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
        const float below = static_cast<float>(height) + 1.0f;
        if (maxY < -1.0f || minY > below) return;
        // Limited to just beyond the target first: a corner far above or below it
        // lies beyond the range of whole numbers, and would keep every band from
        // drawing the strip.
        yLo = std::max(0, static_cast<int>(std::floor(std::max(minY, -2.0f))) - 1);
        yHi = std::min(height - 1, static_cast<int>(std::ceil(std::min(maxY, below))) + 1);
    }
    if (m_queue.full()) finish();
    m_queue.push(m_state, v, count, yLo, yHi);
    if (m_queue.size() == 1) startBands();
}

namespace {

// Where each of `bands` bands of a target `height` rows high begins, and,
// last, the height. The first band is the largest and each is 0.8 times the
// one before: the first bands are drawn while the draws are still being
// queued, and the small last ones keep the threads finishing together.
void cutBands(int height, int bands, std::vector<int>& rows) {
    constexpr double kRatio = 0.8;
    rows.assign(static_cast<std::size_t>(bands) + 1, height);
    double whole = 0, share = 1;
    for (int b = 0; b < bands; ++b, share *= kRatio) whole += share;
    double before = 0;
    share = 1;
    for (int b = 0; b < bands; ++b, share *= kRatio) {
        rows[static_cast<std::size_t>(b)] = static_cast<int>(height * (before / whole));
        before += share;
    }
}

}  // namespace

void SoftwareDevice::startBands() {
    Texture& target = *m_target;
    // Three bands a thread, so that a thread that finishes early takes over
    // rows another would have drawn.
    const int bands = std::max(1, std::min(target.height(), 3 * threads()));
    cutBands(target.height(), bands, m_bandRows);
    m_pool->start(bands, [this, &target](int band) {
        const int lo = m_bandRows[static_cast<std::size_t>(band)];
        const int hi = m_bandRows[static_cast<std::size_t>(band) + 1] - 1;
        if (lo > hi) return;
        for (std::size_t i = 0;; ++i) {
            const DrawQueue::Draw* d = m_queue.wait(i);
            if (!d) break;
            if (d->clears) {
                target.fillRows(lo, hi, d->colour);
                continue;
            }
            if (d->yHi < lo || d->yLo > hi) continue;
            detail::drawStripRows(d->state, target, d->vertices, d->count, std::max(lo, d->yLo),
                                  std::min(hi, d->yHi));
        }
    });
}

void SoftwareDevice::finish() {
    if (m_queue.size() == 0) return;
    m_queue.close();
    m_pool->join();
    m_queue.clear();
}

}  // namespace sp::render
