#pragma once

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "render/particle_renderer.h"
#include "render/software_device.h"

namespace sp::render {

// The size of an export target: the canvas rounded up to powers of two (from 2).
int exportTargetSide(int canvasSide);

// Renders one frame of the tree into `target` as an export does: linear
// sampling and no background picture. Opaque frames are cleared to the
// background colour. Transparent frames are drawn twice: first every particle
// opaque with normal blending, whose colours are kept with alpha 0, then the
// particles with their own blending over that, which leaves straight (not
// premultiplied) colour and the accumulated coverage as alpha.
void renderExportFrame(Device& device, ParticleRenderer& renderer, Texture& target,
                       const ProjectState& state, const EmitterNode& root, bool transparent);

// A device, a renderer and a target of the export size, made once for a run of
// frames. Throws std::bad_alloc when the canvas is too large to allocate.
class ExportFrameRenderer {
  public:
    // `threads` draw each frame in bands, 0 one per core (see SoftwareDevice).
    ExportFrameRenderer(const ProjectState& state, MaterialTextures textures, int threads = 0);

    // Renders the tree's current particles; the frame is valid until the next call.
    const Texture& render(const EmitterNode& root, bool transparent);

  private:
    const ProjectState& m_state;
    SoftwareDevice m_device;
    ParticleRenderer m_renderer;
    Texture m_target;
};

}  // namespace sp::render
