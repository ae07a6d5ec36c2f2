#pragma once

#include <memory>
#include <vector>

#include "render/band_pool.h"
#include "render/device.h"
#include "render/draw_queue.h"
#include "render/raster_state.h"

namespace sp::render {

// The reference device: a deterministic rasteriser on the CPU.
//
// Pixel centres lie at (x + 0.5, y + 0.5). A pixel belongs to a triangle when its
// centre is inside; a centre exactly on an edge belongs to the triangle whose edge
// normal points right, or straight down, so two triangles sharing an edge never
// both draw, nor both miss, a pixel on it. Texture coordinates are interpolated
// linearly (every vertex has rhw 1); texel centres lie at (i + 0.5) / size.
// Colour and alpha are 8-bit, blended with rounding to the nearest value.
//
// With more than one thread, draws are queued in order, and the target is cut
// into bands of rows, each drawing every primitive in order, clipped to its
// rows, so the pixels are the same for any thread count. The bands begin with
// the first draw queued, on the other threads, and the calling thread joins
// them when the pixels are next needed (finish(), reading the target or
// changing it). A clear is queued as a draw too, so that each band clears its
// own rows on its own thread. Textures bound for a draw must stay unchanged
// until then.
class SoftwareDevice : public Device {
  public:
    // Throws std::bad_alloc when the back buffer cannot be allocated.
    SoftwareDevice(int width, int height);
    ~SoftwareDevice() override;

    Texture& backBuffer() override {
        finish();
        return m_backBuffer;
    }
    void setRenderTarget(Texture* target) override {
        finish();
        m_target = target ? target : &m_backBuffer;
    }
    Texture& renderTarget() override {
        finish();
        return *m_target;
    }

    void clear(uint32_t argb) override;
    void setColourBlend(BlendFactor source, BlendFactor destination) override;
    void setAlphaBlend(BlendFactor source, BlendFactor destination) override;
    void setFilter(TextureFilter filter) override { m_state.filter = filter; }
    void setTexture(const Texture* texture) override { m_state.texture = texture; }
    void setAddressMode(TextureAddress mode) override { m_state.address = mode; }

    void drawTriangleStrip(const ParticleVertex* vertices, std::size_t count) override;
    void finish() override;

    // The shortcuts for common blends and textures (SIMD blending, masked texel
    // reads) must give the very pixels of the general per-channel rules; turning
    // them off lets tests compare the two.
    void setFastPaths(bool enabled) { m_state.fastPaths = enabled; }
    // How many pixels a step blends; a path the processor lacks gives the widest it has.
    // The eight-pixel path is there for processors with AVX2.
    void setPixelPath(PixelPath path);
    PixelPath pixelPath() const { return m_state.path; }
    // The threads that draw, the calling one included; 0 is one per core. One
    // draws at once, on the calling thread.
    void setThreads(int threads);
    int threads() const { return m_pool ? m_pool->threads() : 1; }

    States states() const override {
        return {m_state.colourSource, m_state.colourDestination,
                m_state.alphaSource,  m_state.alphaDestination,
                m_state.filter,       m_state.texture,
                m_state.address};
    }

    using BlendKind = render::BlendKind;

  private:
    // Starts the bands on the draws as they are queued; finish() joins them.
    void startBands();

    Texture m_backBuffer;
    Texture* m_target;
    RasterState m_state;
    std::unique_ptr<BandPool> m_pool;
    DrawQueue m_queue;
    std::vector<int> m_bandRows;  // where each band begins, and the target's height
};

}  // namespace sp::render
