#include "render/particle_renderer.h"

#include <algorithm>
#include <cmath>

#include "core/sim/angle_table.h"

namespace sp::render {
namespace {

inline float sqrtFloat(float v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v)));
}

// Truncation toward zero that stays defined for absurd values.
inline int32_t toInt(float v) {
    if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0f) return INT32_MAX;
    return static_cast<int32_t>(v);
}

struct Vec {
    float x, y, z;
};

// A zero vector normalises to zero.
inline Vec normalised(Vec v) {
    const float length = sqrtFloat(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return {0.0f, 0.0f, 0.0f};
    return {v.x / length, v.y / length, v.z / length};
}

// A quarter turn clockwise, as the float rotation matrix does it.
const SinCos kQuarterTurn{static_cast<float>(std::sin(static_cast<double>(-1.5707964f))),
                          static_cast<float>(std::cos(static_cast<double>(-1.5707964f)))};

}  // namespace

ParticleRenderer::ParticleRenderer(Device& device, const ProjectState& state)
    : m_device(device), m_state(state) {}

bool ParticleRenderer::drawFrame(const EmitterNode* root, const SpriteImage* background) {
    if (m_state.exportInProgress) return false;
    const uint32_t colour = 0xFF000000u |
                            (static_cast<uint32_t>(m_state.backgroundRed) & 0xFFu) << 16 |
                            (static_cast<uint32_t>(m_state.backgroundGreen) & 0xFFu) << 8 |
                            (static_cast<uint32_t>(m_state.backgroundBlue) & 0xFFu);
    m_device.clear(colour);
    if (background && !background->empty()) drawBackground(*background);
    drawNodeTree(root);
    m_device.finish();
    return true;
}

void ParticleRenderer::drawBackground(const SpriteImage& background) {
    float scaleX = 1.0f, scaleY = 1.0f;
    if (!m_state.backgroundOriginalSize) {
        scaleX = static_cast<float>(m_state.projectWidth) / static_cast<float>(background.width());
        scaleY =
            static_cast<float>(m_state.projectHeight) / static_cast<float>(background.height());
    }
    background.draw(m_device, 0.0f, 0.0f, background.width(), background.height(), scaleX, scaleY,
                    0.0f);
}

void ParticleRenderer::drawNodeTree(const EmitterNode* top) {
    if (top == nullptr) return;
    // Walked with an explicit stack: a node's children from the last to the first,
    // each with its whole subtree, then the node's own particles.
    struct Frame {
        const EmitterNode* node;
        std::size_t childrenLeft;
    };
    std::vector<Frame> stack{{top, top->children.size()}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.childrenLeft > 0) {
            const EmitterNode* child = f.node->children[--f.childrenLeft].get();
            stack.push_back({child, child->children.size()});
            continue;
        }
        const EmitterNode& node = *f.node;
        stack.pop_back();
        for (const Particle& p : node.particles) drawParticle(p, node);
    }
}

ParticleRenderer::Appearance ParticleRenderer::appearanceOf(const Particle& p,
                                                            const EmitterNode& n) const {
    auto sample = [&p](const SampleTable& table) {
        return static_cast<float>(EmitterNode::sampleAt(table, p.age, p.lifetime));
    };
    Appearance a{};
    const float size = sample(n.sizeSamples);
    a.width = static_cast<float>(n.maxSize) * size / 100.0f * p.sizeFactor * p.parentSize;
    a.height = n.keepAspect
                   ? a.width
                   : static_cast<float>(n.maxHeight) * size / 100.0f * p.sizeFactor * p.parentSize;
    a.turn = static_cast<float>(n.maxAngle) * sample(n.rotationSamples) / 100.0f *
             p.rotationFactor * static_cast<float>(p.spin);

    a.direction = 0.0f;
    if (n.orientation == kOrientTravel) {
        Vec d{p.position.x - p.previousPosition.x, p.position.y - p.previousPosition.y,
              p.position.z - p.previousPosition.z};
        if (!(sqrtFloat(d.x * d.x + d.y * d.y + d.z * d.z) > 0.0f))
            d = {p.heading.x, p.heading.y, p.heading.z};
        const Vec unit = normalised(d);
        const float c =
            static_cast<float>(std::acos(static_cast<double>(std::clamp(unit.x, -1.0f, 1.0f))));
        a.direction = unit.y < 0.0f ? c : -c;
    }

    int32_t alpha = 255;
    if (!solidColourPass) {
        const int32_t scaled = EmitterNode::sampleAt(n.alphaSamples, p.age, p.lifetime) * 255 / 100;
        alpha = toInt(static_cast<float>(scaled) * p.parentAlpha);
    }
    alpha = std::clamp(alpha, 0, 255);
    auto channel = [&](const SampleTable& table) {
        const int64_t v =
            static_cast<int64_t>(EmitterNode::sampleAt(table, p.age, p.lifetime)) * 255 / 100 +
            p.brightness;
        return static_cast<uint32_t>(std::clamp<int64_t>(v, 0, 255));
    };
    a.colour = static_cast<uint32_t>(alpha) << 24 | channel(n.redSamples) << 16 |
               channel(n.greenSamples) << 8 | channel(n.blueSamples);
    return a;
}

void ParticleRenderer::applyBlendStates(int32_t blendMode) {
    // A mode outside 0..2 keeps whatever the previous particle set.
    if (blendMode == kBlendNormal)
        m_device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
    if (blendMode == kBlendAdditive)
        m_device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::One);
    if (blendMode == kBlendDarken)
        m_device.setColourBlend(BlendFactor::Zero, BlendFactor::InvSrcAlpha);
    if (solidColourPass) m_device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
    // The target's alpha accumulates as source + target × (1 − source), whatever the colour blend.
    m_device.setAlphaBlend(BlendFactor::One, BlendFactor::InvSrcAlpha);
}

const Texture* ParticleRenderer::materialTexture(int32_t index) const {
    if (index < 1 || static_cast<std::size_t>(index) > m_textures.size()) return nullptr;
    return m_textures[static_cast<std::size_t>(index) - 1];
}

int ParticleRenderer::drawParticle(const Particle& p, const EmitterNode& n) {
    if (n.hidden) return 1;
    const Appearance a = appearanceOf(p, n);
    applyBlendStates(n.blendMode);

    if (!p.trail.empty()) drawTrail(p, n, a.height, a.colour);

    const float w = a.width, h = a.height;
    ParticleVertex quad[4];
    const float corners[4][4] = {{w * -0.5f, h * 0.5f, 0.0f, 1.0f},
                                 {w * -0.5f, h * -0.5f, 0.0f, 0.0f},
                                 {w * 0.5f, h * 0.5f, 1.0f, 1.0f},
                                 {w * 0.5f, h * -0.5f, 1.0f, 0.0f}};
    const int32_t whole = toInt(static_cast<float>(p.baseAngle) + a.turn) % 360;
    const float angle = static_cast<float>(whole) * kDegreesToRadians - a.direction;
    // Without a direction the angle is a whole number of degrees: the table holds
    // exactly the same values.
    const SinCos r = a.direction == 0.0f
                         ? sinCosDegrees(whole)
                         : SinCos{static_cast<float>(std::sin(static_cast<double>(angle))),
                                  static_cast<float>(std::cos(static_cast<double>(angle)))};
    for (int i = 0; i < 4; ++i) {
        const float x = corners[i][0], y = corners[i][1];
        quad[i].x = x * r.cos + y * -r.sin + p.position.x;
        quad[i].y = x * r.sin + y * r.cos + p.position.y;
        quad[i].z = 0.0f;
        quad[i].rhw = 1.0f;
        quad[i].diffuse = a.colour;
        quad[i].u = corners[i][2];
        quad[i].v = corners[i][3];
    }
    m_device.setTexture(materialTexture(n.imageIndex));
    m_device.drawTriangleStrip(quad, 4);
    m_device.setTexture(nullptr);
    return 0;
}

void ParticleRenderer::drawTrail(const Particle& p, const EmitterNode& n, float thickness,
                                 uint32_t colour) {
    const std::size_t count = p.trail.size();
    m_trailVertices.resize(2 * count);
    Vec offset{0.0f, 0.0f, 0.0f};
    const float step = 1.0f / static_cast<float>(count);
    for (std::size_t k = 0; k < count; ++k) {
        const Vec3& point = p.trail[k];
        if (k + 1 < count) {
            const Vec3& next = p.trail[k + 1];
            Vec d = normalised({next.x - point.x, next.y - point.y, next.z - point.z});
            const float half = thickness * 0.5f;
            d = {d.x * half, d.y * half, d.z * half};
            offset = {d.x * kQuarterTurn.cos + d.y * -kQuarterTurn.sin,
                      d.x * kQuarterTurn.sin + d.y * kQuarterTurn.cos, d.z};
        }
        const float u = 1.0f - static_cast<float>(k) * step;
        ParticleVertex& inner = m_trailVertices[2 * k];
        ParticleVertex& outer = m_trailVertices[2 * k + 1];
        inner = {point.x - offset.x, point.y - offset.y, point.z - offset.z, 1.0f, colour, u, 0.0f};
        outer = {point.x + offset.x, point.y + offset.y, point.z + offset.z, 1.0f, colour, u, 1.0f};
    }
    m_device.setTexture(materialTexture(n.trailImageIndex));
    m_device.drawTriangleStrip(m_trailVertices.data(), m_trailVertices.size());
}

}  // namespace sp::render
