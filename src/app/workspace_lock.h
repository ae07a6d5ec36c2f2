#pragma once

#include <QLockFile>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace sp {

// The work folder an editor may use. The first editor takes the user's work
// folder and holds it locked; a second one running at the same time must not
// empty the first one's TEXTURE folder, so it works in a private temporary
// folder of its own, sharing the settings file.
class WorkspaceClaim {
  public:
    explicit WorkspaceClaim(const std::filesystem::path& userWorkspace);

    const std::filesystem::path& workspace() const { return m_workspace; }
    const std::filesystem::path& setupFile() const { return m_setupFile; }
    bool isPrivate() const { return m_private != nullptr; }

  private:
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QTemporaryDir> m_private;
    std::filesystem::path m_workspace;
    std::filesystem::path m_setupFile;
};

}  // namespace sp
