#include "render/export_frame.h"

#include "render/graphics.h"

namespace sp::render {

int exportTargetSide(int canvasSide) {
    return powerOfTwoAtLeast(canvasSide, 2);
}

void renderExportFrame(Device& device, ParticleRenderer& renderer, Texture& target,
                       const ProjectState& state, const EmitterNode& root, bool transparent) {
    device.setRenderTarget(&target);
    if (!transparent) {
        device.clear(0xFF000000u | (static_cast<uint32_t>(state.backgroundRed) & 0xFFu) << 16 |
                     (static_cast<uint32_t>(state.backgroundGreen) & 0xFFu) << 8 |
                     (static_cast<uint32_t>(state.backgroundBlue) & 0xFFu));
        device.setFilter(TextureFilter::Linear);
        renderer.drawNodeTree(&root);
    } else {
        device.clear(0);
        renderer.solidColourPass = true;
        device.setFilter(TextureFilter::Linear);
        renderer.drawNodeTree(&root);
        renderer.solidColourPass = false;
        device.finish();
        // Keep pass one's colours under alpha 0: what the real blend modes then
        // draw over keeps its own colour instead of turning towards black.
        for (uint32_t& pixel : target.pixels()) pixel &= 0x00FFFFFFu;
        // Laying the colour layer down is a copy with the factors one and zero,
        // and a particle of an unknown blend mode drawn first keeps them.
        device.setColourBlend(BlendFactor::One, BlendFactor::Zero);
        device.setFilter(TextureFilter::Linear);
        renderer.drawNodeTree(&root);
    }
    device.setRenderTarget(nullptr);
    device.setFilter(TextureFilter::Point);
}

ExportFrameRenderer::ExportFrameRenderer(const ProjectState& state, MaterialTextures textures,
                                         int threads)
    : m_state(state),
      m_device(state.projectWidth, state.projectHeight),
      m_renderer(m_device, state),
      m_target(exportTargetSide(state.projectWidth), exportTargetSide(state.projectHeight)) {
    setFixedStates(m_device);
    m_device.setThreads(threads);
    m_renderer.setMaterialTextures(std::move(textures));
}

const Texture& ExportFrameRenderer::render(const EmitterNode& root, bool transparent) {
    renderExportFrame(m_device, m_renderer, m_target, m_state, root, transparent);
    return m_target;
}

}  // namespace sp::render
