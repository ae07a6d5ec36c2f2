#pragma once

#include "render/device.h"

namespace sp::render {

// The reference device: a deterministic rasteriser on the CPU.
//
// Pixel centres lie at (x + 0.5, y + 0.5). A pixel belongs to a triangle when its
// centre is inside; a centre exactly on an edge belongs to the triangle whose edge
// normal points right, or straight down, so two triangles sharing an edge never
// both draw, nor both miss, a pixel on it. Texture coordinates are interpolated
// linearly (every vertex has rhw 1); texel centres lie at (i + 0.5) / size.
// Colour and alpha are 8-bit, blended with rounding to the nearest value.
class SoftwareDevice : public Device {
  public:
    // Throws std::bad_alloc when the back buffer cannot be allocated.
    SoftwareDevice(int width, int height);

    Texture& backBuffer() override { return m_backBuffer; }
    void setRenderTarget(Texture* target) override { m_target = target ? target : &m_backBuffer; }
    Texture& renderTarget() override { return *m_target; }

    void clear(uint32_t argb) override { m_target->fill(argb); }
    void setColourBlend(BlendFactor source, BlendFactor destination) override;
    void setAlphaBlend(BlendFactor source, BlendFactor destination) override;
    void setFilter(TextureFilter filter) override { m_filter = filter; }
    void setTexture(const Texture* texture) override { m_texture = texture; }
    void setAddressMode(TextureAddress mode) override { m_address = mode; }

    void drawTriangleStrip(const ParticleVertex* vertices, std::size_t count) override;

    // The shortcuts for common blends and textures (SIMD blending, masked texel
    // reads) must give the very pixels of the general per-channel rules; turning
    // them off lets tests compare the two.
    void setFastPaths(bool enabled) { m_fastPaths = enabled; }
    States states() const override {
        return {m_colourSource, m_colourDestination, m_alphaSource, m_alphaDestination,
                m_filter,       m_texture,           m_address};
    }

    // The blend combinations the drawing uses, each exactly equal to the general rule.
    enum class BlendKind { Normal, Additive, Darken, Copy, General };

  private:
    struct Span;
    struct RowSetup;
    using Rasteriser = void (SoftwareDevice::*)(const RowSetup&);
    bool drawConvex(const ParticleVertex* const* outline, int count);
    Rasteriser pickRasteriser() const;
    template <BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
    void rasterRows(const RowSetup& rows);
    template <BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
    void shadeSpan(const Span& span);

    Texture m_backBuffer;
    Texture* m_target;
    const Texture* m_texture = nullptr;
    TextureFilter m_filter = TextureFilter::Point;
    TextureAddress m_address = TextureAddress::Wrap;
    BlendFactor m_colourSource = BlendFactor::SrcAlpha;
    BlendFactor m_colourDestination = BlendFactor::InvSrcAlpha;
    BlendFactor m_alphaSource = BlendFactor::One;
    BlendFactor m_alphaDestination = BlendFactor::One;
    bool m_transparentLeavesTarget = false;
    bool m_fastPaths = true;
};

}  // namespace sp::render
