#pragma once

#include <cstddef>
#include <cstdint>

#include "render/texture.h"

namespace sp::render {

// The one vertex of every quad and trail strip, already in target pixels.
struct ParticleVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float rhw = 1.0f;
    uint32_t diffuse = 0xFFFFFFFFu;  // ARGB
    float u = 0.0f;
    float v = 0.0f;
};

enum class BlendFactor { Zero, One, SrcAlpha, InvSrcAlpha };
enum class TextureFilter { Point, Linear };
// Texture coordinates outside 0..1 repeat the texture, or take its edge texels.
enum class TextureAddress { Wrap, Clamp };

// What the drawing needs of a graphics device: render targets of A8R8G8B8
// pixels, textures modulated by the vertex colour (colour and alpha), blending
// with separate factors for alpha, point or linear sampling with wrapping
// addresses, and triangle strips. An unbound texture samples as opaque white.
class Device {
  public:
    virtual ~Device() = default;

    // The back buffer has the canvas size.
    virtual Texture& backBuffer() = 0;
    // Draws into `target` from now on; null draws into the back buffer again.
    virtual void setRenderTarget(Texture* target) = 0;
    virtual Texture& renderTarget() = 0;

    virtual void clear(uint32_t argb) = 0;
    virtual void setColourBlend(BlendFactor source, BlendFactor destination) = 0;
    virtual void setAlphaBlend(BlendFactor source, BlendFactor destination) = 0;
    virtual void setFilter(TextureFilter filter) = 0;
    virtual void setTexture(const Texture* texture) = 0;
    virtual void setAddressMode(TextureAddress mode) = 0;

    virtual void drawTriangleStrip(const ParticleVertex* vertices, std::size_t count) = 0;
    // Completes every draw so far; a device may keep them until then, or until
    // the target is read, changed or cleared.
    virtual void finish() {}

    // The current states, so that a drawing step can put back what it changed.
    struct States {
        BlendFactor colourSource, colourDestination, alphaSource, alphaDestination;
        TextureFilter filter;
        const Texture* texture;
        TextureAddress address;
    };
    virtual States states() const = 0;
    void restore(const States& s) {
        setColourBlend(s.colourSource, s.colourDestination);
        setAlphaBlend(s.alphaSource, s.alphaDestination);
        setFilter(s.filter);
        setTexture(s.texture);
        setAddressMode(s.address);
    }
};

}  // namespace sp::render
