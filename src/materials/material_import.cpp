#include "materials/material_import.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "core/text/cp932.h"
#include "render/sprite_image.h"
#include "render/texture.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

std::string lowerAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool isSupportedExtension(const fs::path& picture) {
    // Compared without regard to case: photo.JPG imports like photo.jpg.
    const std::string e = lowerAscii(picture.extension().string());
    return e == ".png" || e == ".bmp" || e == ".jpg" || e == ".jpeg";
}

// The material name is stored in project files as CP932 text between commas.
std::optional<std::string> storableFileName(const std::string& name) {
    if (!text::isCp932Encodable(name)) return std::nullopt;
    std::string result;
    for (char c : name) {
        if (c == ',') {
            result += "，";
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

ImportOutcome importMaterial(const fs::path& picture, const fs::path& textureDir,
                             render::Device& device, Prompts& prompts) {
    const std::string fileName = picture.filename().string();
    if (!isSupportedExtension(picture)) {
        prompts.showMessage(kUnsupportedPictureText, kImportRefusedCaption);
        return {};
    }
    const std::optional<std::string> stored = storableFileName(fileName);
    if (!stored) {
        prompts.showMessage(kPictureNameNotStorableText, kImportRefusedCaption);
        return {};
    }
    const fs::path destination = textureDir / (*stored + ".png");

    std::error_code ec;
    if (fs::exists(destination, ec) && !prompts.askYesNo(kOverwriteMaterialText, kConfirmCaption)) {
        return {false, true};
    }

    render::SpriteImage image;
    render::LoadError error = render::LoadError::None;
    if (!image.load(picture, &error)) {
        prompts.showMessage(
            error == render::LoadError::TooLarge ? kPictureTooLargeText : kPictureUnreadableText,
            kImportRefusedCaption);
        return {};
    }
    const int w = image.width(), h = image.height();
    int b = 2;
    while (b < std::max(w, h)) b *= 2;

    try {
        render::Texture square(b, b, 0);
        device.setRenderTarget(&square);
        // Centred along the shorter side by its exact half, so that odd sizes (a
        // 1 × 1 picture) are centred too.
        float scale, x, y;
        if (w > h) {
            scale = static_cast<float>(b) / static_cast<float>(w);
            x = 0.0f;
            y = static_cast<float>(b / 2) - static_cast<float>(h) * 0.5f * scale;
        } else {
            scale = static_cast<float>(b) / static_cast<float>(h);
            x = static_cast<float>(b / 2) - static_cast<float>(w) * 0.5f * scale;
            y = 0.0f;
        }
        // Copied, not blended, onto the transparent square: partly transparent
        // pixels keep their own colour.
        const render::Device::States saved = device.states();
        device.setAlphaBlend(render::BlendFactor::One, render::BlendFactor::Zero);
        image.draw(device, x, y, w, h, scale, scale, 0.0f, render::BlendFactor::One,
                   render::BlendFactor::Zero);
        device.restore(saved);
        device.setRenderTarget(nullptr);
        if (!render::saveTexture(square, destination, render::PictureFormat::Png)) {
            prompts.showMessage(kMaterialNotWrittenText, kImportRefusedCaption);
            return {};
        }
    } catch (const std::bad_alloc&) {
        device.setRenderTarget(nullptr);
        prompts.showMessage(kPictureTooLargeText, kImportRefusedCaption);
        return {};
    }
    return {true, true};
}

}  // namespace sp
