#include "materials/material_list.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace sp {
namespace {

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

const std::vector<std::string>& MaterialList::scanExtensions() {
    static const std::vector<std::string> extensions{".png", ".bmp", ".jpg", ".jpeg"};
    return extensions;
}

bool MaterialList::isReservedName(std::string_view materialName) {
    return materialName == "save";
}

void MaterialList::reload(const std::filesystem::path& textureDir) {
    m_materials.clear();
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(textureDir, ec)) {
        if (entry.is_regular_file(ec)) files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    std::size_t spent = 0;
    for (const std::string& extension : scanExtensions()) {
        for (const std::string& file : files) {
            // ".jpeg" files are not also taken by the ".jpg" pattern: suffixes are compared whole.
            if (!endsWithIgnoringCase(file, extension)) continue;
            Material m;
            m.name = file.size() > 4 ? file.substr(0, file.size() - 4) : std::string();
            if (isReservedName(m.name)) continue;
            m.file = textureDir / file;
            // The texture's size is known from the picture's header, before any of
            // it is allocated.
            int width = 0, height = 0;
            std::size_t needed = 0;
            if (render::pictureSize(m.file, width, height) && width > 0 && height > 0)
                needed = std::size_t{4} *
                         static_cast<std::size_t>(render::powerOfTwoAtLeast(width)) *
                         static_cast<std::size_t>(render::powerOfTwoAtLeast(height));
            if (needed > m_budget - std::min(spent, m_budget)) {
                m.leftOutForMemory = true;
                m_materials.push_back(std::move(m));
                continue;
            }
            render::LoadError error = render::LoadError::None;
            render::LoadedTexture loaded = render::loadTexture(m.file, &error);
            if (error == render::LoadError::OutOfMemory) m.leftOutForMemory = true;
            if (loaded.texture) {
                spent += needed;
                m.width = static_cast<uint32_t>(loaded.fileWidth);
                m.height = static_cast<uint32_t>(loaded.fileHeight);
                m.texture = std::move(loaded.texture);
            }
            m_materials.push_back(std::move(m));
        }
    }
}

std::vector<std::string> MaterialList::leftOutForMemory() const {
    std::vector<std::string> result;
    for (const Material& m : m_materials)
        if (m.leftOutForMemory) result.push_back(m.name);
    return result;
}

std::vector<std::string> MaterialList::names() const {
    std::vector<std::string> result;
    result.reserve(m_materials.size());
    for (const Material& m : m_materials) result.push_back(m.name);
    return result;
}

render::MaterialTextures MaterialList::textures() const {
    render::MaterialTextures result;
    result.reserve(m_materials.size());
    for (const Material& m : m_materials) result.push_back(m.texture.get());
    return result;
}

void reloadMaterials(MaterialList& list, const std::filesystem::path& textureDir,
                     EmitterNode* root) {
    list.reload(textureDir);
    if (root != nullptr) root->resolveMaterials(list.names());
}

bool clearTextureFolder(MaterialList& list, const std::filesystem::path& textureDir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(textureDir, ec)) {
        return std::filesystem::create_directories(textureDir, ec) ||
               std::filesystem::is_directory(textureDir, ec);
    }
    list.clear();
    bool ok = true;
    for (const auto& entry : std::filesystem::directory_iterator(textureDir, ec)) {
        std::error_code removeError;
        if (entry.is_regular_file(removeError) || entry.is_symlink(removeError)) {
            std::filesystem::remove(entry.path(), removeError);
            if (removeError) ok = false;
        }
    }
    return ok && !ec;
}

}  // namespace sp
