#include "app/workspace_lock.h"

#include <QString>

#include <system_error>

namespace sp {

WorkspaceClaim::WorkspaceClaim(const std::filesystem::path& userWorkspace)
    : m_workspace(userWorkspace), m_setupFile(userWorkspace / "setup.ini") {
    std::error_code ec;
    std::filesystem::create_directories(userWorkspace, ec);
    m_lock = std::make_unique<QLockFile>(
        QString::fromStdString((userWorkspace / "sparkplume.lock").string()));
    // A lock left by an editor that crashed is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) return;
    m_lock.reset();
    m_private = std::make_unique<QTemporaryDir>();
    if (m_private->isValid()) m_workspace = m_private->path().toStdString();
}

}  // namespace sp
