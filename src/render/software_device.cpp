// The device's state and draw entry points; the drawing itself is in
// software_rasteriser.cpp.
#include "render/software_device.h"

namespace sp::render {

SoftwareDevice::SoftwareDevice(int width, int height)
    : m_backBuffer(width, height), m_target(&m_backBuffer) {
    setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
}

void SoftwareDevice::setColourBlend(BlendFactor source, BlendFactor destination) {
    m_colourSource = source;
    m_colourDestination = destination;
    setAlphaBlend(m_alphaSource, m_alphaDestination);
}

void SoftwareDevice::setAlphaBlend(BlendFactor source, BlendFactor destination) {
    m_alphaSource = source;
    m_alphaDestination = destination;
    // A fully transparent source leaves the target as it is for these factors,
    // which lets the rasteriser skip such pixels.
    auto keepsTarget = [](BlendFactor s, BlendFactor d) {
        return (s == BlendFactor::SrcAlpha || s == BlendFactor::Zero) &&
               (d == BlendFactor::InvSrcAlpha || d == BlendFactor::One);
    };
    m_transparentLeavesTarget =
        keepsTarget(m_colourSource, m_colourDestination) &&
        (m_alphaDestination == BlendFactor::InvSrcAlpha || m_alphaDestination == BlendFactor::One);
}

void SoftwareDevice::drawTriangleStrip(const ParticleVertex* v, std::size_t count) {
    // A strip of one quad whose sides are parallel in pairs is drawn as one
    // outline: the same pixels as its two triangles, with half the setup.
    if (count == 4 && v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse &&
        v[0].diffuse == v[3].diffuse && v[0].x + v[3].x == v[1].x + v[2].x &&
        v[0].y + v[3].y == v[1].y + v[2].y && v[0].u + v[3].u == v[1].u + v[2].u &&
        v[0].v + v[3].v == v[1].v + v[2].v) {
        const ParticleVertex* outline[4] = {&v[0], &v[1], &v[3], &v[2]};
        if (drawConvex(outline, 4)) return;
    }
    for (std::size_t i = 2; i < count; ++i) {
        const ParticleVertex* triangle[3] = {&v[i - 2], &v[i - 1], &v[i]};
        drawConvex(triangle, 3);
    }
}

}  // namespace sp::render
