#pragma once

#include <filesystem>
#include <memory>

#include "render/device.h"
#include "render/texture.h"

namespace sp::render {

// A picture loaded as a texture, drawn scaled and turned about its centre.
class SpriteImage {
  public:
    // Loads the picture; false (and an empty image) when it cannot be read.
    bool load(const std::filesystem::path& file, LoadError* error = nullptr);
    void release();

    bool empty() const { return m_texture == nullptr; }
    int width() const { return m_width; }    // the picture's own size,
    int height() const { return m_height; }  // not the texture's
    // The picture as a texture of its own size.
    const Texture* texture() const { return m_texture.get(); }

    // Draws the top-left width × height of the picture scaled by (scaleX, scaleY),
    // turned by `angleDegrees` about its centre, its unturned top-left corner at
    // (x, y), with linear sampling that never reaches past the picture's edges and
    // the given colour blend (alpha blending by default); the device's states are
    // put back afterwards. False when empty.
    bool draw(Device& device, float x, float y, int width, int height, float scaleX, float scaleY,
              float angleDegrees, BlendFactor source = BlendFactor::SrcAlpha,
              BlendFactor destination = BlendFactor::InvSrcAlpha) const;

  private:
    std::unique_ptr<Texture> m_texture;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace sp::render
