#include "project/workspace.h"

#include <QStandardPaths>
#include <QString>

#include <cstdlib>

#include <system_error>
#include "materials/material_list.h"
#include "prompts/prompts.h"

namespace sp {

std::filesystem::path Workspace::defaultLocation() {
    if (const char* overridden = std::getenv("SPARKPLUME_WORKSPACE"); overridden && *overridden)
        return std::filesystem::path(overridden);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(data.toStdString()) / "Sparkplume";
}

std::optional<std::filesystem::path> Workspace::findSeedFolder(
    const std::filesystem::path& programDir) {
    // Only the program's own folders: the RENDER programs in it are run later, so a
    // WorkSpace in whatever folder the program was started from must never count.
    std::error_code ec;
    const std::filesystem::path candidates[] = {
        programDir / "WorkSpace",
        programDir / ".." / "share" / "sparkplume" / "WorkSpace",
    };
    for (const auto& candidate : candidates)
        if (std::filesystem::is_directory(candidate, ec))
            return std::filesystem::absolute(candidate, ec);
    return std::nullopt;
}

bool Workspace::ensureExists() const {
    std::error_code ec;
    std::filesystem::create_directories(m_root, ec);
    return std::filesystem::is_directory(m_root, ec);
}

bool Workspace::copyFrom(const std::filesystem::path& seed) const {
    if (!ensureExists()) return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(seed, ec)) return false;
    // Folders are copied recursively, files one by one, replacing what is there;
    // the first failure ends the copy.
    for (auto it = std::filesystem::recursive_directory_iterator(seed, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::filesystem::path target =
            m_root / std::filesystem::relative(it->path(), seed, ec);
        if (ec) return false;
        if (it->is_directory(ec)) {
            std::filesystem::create_directories(target, ec);
            if (!std::filesystem::is_directory(target, ec)) return false;
        } else {
            std::filesystem::copy_file(it->path(), target,
                                       std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) return false;
        }
    }
    return !ec;
}

void prepareWorkspace(const Workspace& workspace, const std::filesystem::path& programDir,
                      Prompts& prompts, MaterialList& materials) {
    const auto seed = Workspace::findSeedFolder(programDir);
    const bool copied = seed ? workspace.copyFrom(*seed) : workspace.ensureExists();
    if (!copied) prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
    clearTextureFolder(materials, workspace.textureDir());
}

}  // namespace sp
