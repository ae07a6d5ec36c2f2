#include "cli/headless_session.h"

namespace sp::cli {

HeadlessSession::HeadlessSession(std::ostream& err, CommandLimits limits)
    : m_prompts(err), m_limits(limits) {}

bool HeadlessSession::start(const std::filesystem::path& programDir) {
    if (!m_folder.isValid()) {
        m_prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
        return false;
    }
    AppContext::Options options;
    options.workspace = m_folder.path().toStdString();
    options.programDir = programDir;
    options.fillWorkspace = !programDir.empty();
    options.limits = m_limits.simulation;
    options.textureBudget = m_limits.textureBudget;
    m_context = std::make_unique<AppContext>(m_prompts, options);
    return m_context->start();
}

bool HeadlessSession::open(const std::filesystem::path& file,
                           const std::filesystem::path& programDir) {
    return start(programDir) && m_context->files().openByPath(file);
}

bool HeadlessSession::picturesComplete() {
    const std::vector<std::string> missing = document().usedPicturesLeftOut();
    if (missing.empty()) return true;
    m_prompts.showMessage(formatMessage(kUsedPictureLeftOutText, missing.front()), kErrorCaption);
    return false;
}

}  // namespace sp::cli
