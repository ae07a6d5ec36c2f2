#pragma once

#include <cstdint>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "render/device.h"
#include "render/sprite_image.h"

namespace sp::render {

// The textures of the material list: entry k − 1 is material number k; null
// where a picture could not be loaded.
using MaterialTextures = std::vector<const Texture*>;

// Turns the live particles of the tree into pixels: one quad per particle,
// coloured, faded, scaled and turned by its node's curves, optionally textured
// and followed by a trail strip.
class ParticleRenderer {
  public:
    ParticleRenderer(Device& device, const ProjectState& state);

    void setMaterialTextures(MaterialTextures textures) { m_textures = std::move(textures); }

    // While set, every particle is drawn with normal blending at full opacity (the
    // first pass of a transparent export frame).
    bool solidColourPass = false;

    // The preview frame: background colour, background picture, the tree. False,
    // drawing nothing, while an export owns the device.
    bool drawFrame(const EmitterNode* root, const SpriteImage* background);
    void drawBackground(const SpriteImage& background);
    // Children last to first, then the node's own particles oldest first, so a
    // parent's particles lie on top of its subtree.
    void drawNodeTree(const EmitterNode* node);
    // 0 when drawn, 1 when the node is hidden.
    int drawParticle(const Particle& particle, const EmitterNode& node);

    // The particle's colour and size as drawn, for tests and tools.
    struct Appearance {
        float width, height, turn, direction;
        uint32_t colour;
    };
    Appearance appearanceOf(const Particle& particle, const EmitterNode& node) const;

  private:
    void drawTrail(const Particle& particle, const EmitterNode& node, float thickness,
                   uint32_t colour);
    void applyBlendStates(int32_t blendMode);
    const Texture* materialTexture(int32_t index) const;

    Device& m_device;
    const ProjectState& m_state;
    MaterialTextures m_textures;
    std::vector<ParticleVertex> m_trailVertices;
};

}  // namespace sp::render
