#include "cli/headless_session.h"

namespace sp::cli {

HeadlessSession::HeadlessSession(std::ostream& err) : m_prompts(err) {}

bool HeadlessSession::open(const std::filesystem::path& file, const std::filesystem::path& programDir) {
    if (!m_folder.isValid()) {
        m_prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
        return false;
    }
    m_workspace = std::make_unique<Workspace>(m_folder.path().toStdString());
    if (!m_workspace->ensureExists()) {
        m_prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
        return false;
    }
    if (!programDir.empty()) {
        const auto seed = Workspace::findSeedFolder(programDir);
        if (seed && !m_workspace->copyFrom(*seed)) m_prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
    }
    m_project = std::make_unique<Project>(*m_workspace, m_prompts);
    m_setup = std::make_unique<SetupIni>(m_workspace->setupIniPath());
    m_files = std::make_unique<FileCommands>(*m_project, *m_setup, m_prompts, m_workspace->root());
    m_files->newProject();
    return m_files->openByPath(file);
}

}  // namespace sp::cli
