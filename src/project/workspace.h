#pragma once

#include <QtGlobal>

#include <filesystem>
#include <optional>

#include "exchange/render_exchange.h"

namespace sp {

// The per-user work folder: TEXTURE holds the open project's pictures, RENDER
// the export tools and their exchange file, and setup.ini the settings.
class Workspace {
  public:
    explicit Workspace(std::filesystem::path root) : m_root(std::move(root)) {}

    // SPARKPLUME_WORKSPACE when set, else the per-user data folder + "/Sparkplume".
    static std::filesystem::path defaultLocation();

    // The WorkSpace seed folder: beside the executable, else in the installed data
    // folder; never the current directory's, whose programs nobody vouched for.
    static std::optional<std::filesystem::path> findSeedFolder(
        const std::filesystem::path& programDir);

    // Copies the seed folder into the workspace, file by file, overwriting.
    // Returns false when the workspace cannot be made or a file cannot be copied.
    bool copyFrom(const std::filesystem::path& seed) const;

    // Makes sure the workspace folder itself exists.
    bool ensureExists() const;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path textureDir() const { return m_root / "TEXTURE"; }
    std::filesystem::path renderDir() const { return m_root / exchange::kRenderFolder; }
    std::filesystem::path setupIniPath() const { return m_root / "setup.ini"; }

  private:
    std::filesystem::path m_root;
};

// The message shown when the work folder cannot be prepared at start-up.
inline constexpr const char* kWorkspaceCopyFailedText =
    QT_TRANSLATE_NOOP("Sparkplume", "作業用フォルダを作成することができません。");

class Prompts;
class MaterialList;

// Start-up: copies the WorkSpace seed folder found for `programDir` into the
// workspace (a failure is reported, and the program goes on with what the
// workspace holds), then empties or creates its TEXTURE folder.
void prepareWorkspace(const Workspace& workspace, const std::filesystem::path& programDir,
                      Prompts& prompts, MaterialList& materials);

}  // namespace sp
