#include "render/graphics.h"

#include <new>

namespace sp::render {

void setFixedStates(Device& device) {
    device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
    device.setAlphaBlend(BlendFactor::One, BlendFactor::One);
    device.setFilter(TextureFilter::Point);
    device.setTexture(nullptr);
    device.setAddressMode(TextureAddress::Wrap);
}

bool Graphics::createGraphics(int width, int height, const std::string& backgroundImagePath) {
    releaseGraphics();
    try {
        m_device = std::make_unique<SoftwareDevice>(width, height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    setFixedStates(*m_device);
    m_device->setThreads(0);
    if (!backgroundImagePath.empty()) m_background.load(backgroundImagePath);
    return true;
}

bool Graphics::loadBackground(const std::string& path) {
    return m_background.load(path);
}

void Graphics::releaseGraphics() {
    m_background.release();
    m_device.reset();
}

}  // namespace sp::render
