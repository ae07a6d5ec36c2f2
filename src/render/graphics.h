#pragma once

#include <QtGlobal>

#include <memory>
#include <string>

#include "render/software_device.h"
#include "render/sprite_image.h"

namespace sp::render {

// The device of the preview and its background picture. The device is never
// reset: after New, Open, a size or zoom change and every export, the owner
// runs releaseGraphics, createGraphics and then reloads the materials.
class Graphics {
  public:
    // Creates the device with a back buffer of the canvas size and its fixed
    // states, and loads the background picture when a path is given. False when
    // the device cannot be made; the caller shows kDeviceFailedText.
    bool createGraphics(int width, int height, const std::string& backgroundImagePath);
    // Releases everything; safe to call when nothing exists.
    void releaseGraphics();

    // The background picture alone: loaded (false when it cannot be read, and then
    // none is shown) or released.
    bool loadBackground(const std::string& path);
    void releaseBackground() { m_background.release(); }

    Device* device() { return m_device.get(); }
    bool exists() const { return m_device != nullptr; }
    const SpriteImage& backgroundImage() const { return m_background; }

  private:
    std::unique_ptr<SoftwareDevice> m_device;
    SpriteImage m_background;
};

inline constexpr const char* kDeviceFailedText =
    QT_TRANSLATE_NOOP("Sparkplume", "DIRECT3Dデバイスの作成に失敗しました");

// Sets the fixed states every device starts with: alpha blending of the colour,
// alpha accumulated with factors one and one, point sampling.
void setFixedStates(Device& device);

}  // namespace sp::render
