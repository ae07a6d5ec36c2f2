#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/model/emitter_node.h"
#include "render/particle_renderer.h"
#include "render/texture.h"

namespace sp {

// One imported picture of the project, a file in the TEXTURE folder.
struct Material {
    std::string name;            // the file name without its last four characters
    std::filesystem::path file;  // full path of the picture in the TEXTURE folder
    uint32_t width = 0;          // the picture's own size; 0 when it cannot be read
    uint32_t height = 0;
    std::shared_ptr<const render::Texture> texture;  // null when the picture cannot be read
    bool leftOutForMemory = false;  // the picture was not loaded: the budget is spent
};

// The materials of the open project in folder-scan order: material number k
// (from 1) is entry k − 1; 0 means none.
class MaterialList {
  public:
    // Picture patterns in scan order; within one pattern files are taken by name.
    static const std::vector<std::string>& scanExtensions();

    // The effect data travels in a project file as "save.png": no material may
    // carry that file name, or it would be lost when the project is saved.
    static bool isReservedName(std::string_view materialName);

    // The pictures are held as power-of-two textures, which together may take at
    // most this much memory: a project of a few huge pictures would otherwise
    // exhaust it. A picture beyond the budget is left out and named.
    static constexpr std::size_t kDefaultTextureBudget = std::size_t{1} << 30;
    void setTextureBudget(std::size_t bytes) { m_budget = bytes; }
    std::size_t textureBudget() const { return m_budget; }

    // Rebuilds the list from the pictures in `textureDir`.
    void reload(const std::filesystem::path& textureDir);

    // The names of the materials left out for lack of memory at the last reload.
    std::vector<std::string> leftOutForMemory() const;
    void clear() { m_materials.clear(); }

    const std::vector<Material>& materials() const { return m_materials; }
    std::size_t size() const { return m_materials.size(); }
    std::vector<std::string> names() const;
    // The textures by material number, for drawing.
    render::MaterialTextures textures() const;

  private:
    std::vector<Material> m_materials;
    std::size_t m_budget = kDefaultTextureBudget;
};

// Rebuilds the list from the folder and re-resolves every node's picture
// references by name.
void reloadMaterials(MaterialList& list, const std::filesystem::path& textureDir,
                     EmitterNode* root);

// Empties the list and deletes every file in the folder, or creates the folder
// when it does not exist. Returns false when the folder cannot be made empty.
bool clearTextureFolder(MaterialList& list, const std::filesystem::path& textureDir);

}  // namespace sp
