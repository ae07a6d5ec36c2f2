#include "render/sprite_image.h"

#include <algorithm>
#include <cmath>

#include "core/sim/angle_table.h"

namespace sp::render {

bool SpriteImage::load(const std::filesystem::path& file, LoadError* error) {
    release();
    LoadedTexture loaded = loadTexture(file, error);
    if (!loaded.texture) return false;
    m_width = loaded.fileWidth;
    m_height = loaded.fileHeight;
    // Only the picture itself: the edges of a scaled picture then blend with its
    // own edge texels, not with the transparent border of a larger texture.
    m_texture = std::make_unique<Texture>(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        std::copy_n(loaded.texture->row(y), m_width, m_texture->row(y));
    return true;
}

void SpriteImage::release() {
    m_texture.reset();
    m_width = 0;
    m_height = 0;
}

bool SpriteImage::draw(Device& device, float x, float y, int width, int height, float scaleX,
                       float scaleY, float angleDegrees, BlendFactor source,
                       BlendFactor destination) const {
    if (!m_texture) return false;
    // Transform S × R × T: scale, turn about the centre, and move the centre to
    // where the unturned, scaled picture's centre lies.
    const SinCos turn = sinCosDegrees(angleDegrees);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float tx = w * scaleX * 0.5f + x;
    const float ty = h * scaleY * 0.5f + y;
    const float cx = w * 0.5f, cy = h * 0.5f;
    const float texW = static_cast<float>(m_texture->width()),
                texH = static_cast<float>(m_texture->height());
    const float corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    ParticleVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const float px = (corners[i][0] - cx) * scaleX;
        const float py = (corners[i][1] - cy) * scaleY;
        quad[i].x = px * turn.cos + py * -turn.sin + tx;
        quad[i].y = px * turn.sin + py * turn.cos + ty;
        quad[i].diffuse = 0xFFFFFFFFu;
        quad[i].u = corners[i][0] / texW;
        quad[i].v = corners[i][1] / texH;
    }
    const Device::States saved = device.states();
    device.setColourBlend(source, destination);
    device.setFilter(TextureFilter::Linear);
    device.setTexture(m_texture.get());
    device.setAddressMode(TextureAddress::Clamp);
    device.drawTriangleStrip(quad, 4);
    device.restore(saved);
    return true;
}

}  // namespace sp::render
