#include "document/app_context.h"

namespace sp {

AppContext::AppContext(Prompts& prompts, Options options)
    : m_prompts(prompts), m_options(std::move(options)), m_workspace(m_options.workspace) {
    if (m_options.programDir.empty()) m_options.programDir = m_workspace.root();
    m_setup = std::make_unique<SetupIni>(m_options.setupFile.empty() ? m_workspace.setupIniPath()
                                                                     : m_options.setupFile);
    m_document = std::make_unique<Document>(m_workspace, m_prompts);
    Project& project = m_document->project();
    project.materials.setTextureBudget(m_options.textureBudget);
    m_files = std::make_unique<FileCommands>(project, *m_document, *m_setup, m_prompts,
                                             m_options.programDir);
    m_playback = std::make_unique<Playback>(project.state, project.tree, m_options.limits);
}

AppContext::~AppContext() = default;

bool AppContext::start() {
    if (m_options.fillWorkspace) {
        prepareWorkspace(m_workspace, m_options.programDir, m_prompts,
                         m_document->project().materials);
    }
    if (!m_workspace.ensureExists()) {
        if (!m_options.fillWorkspace)
            m_prompts.showMessage(kWorkspaceCopyFailedText, kErrorCaption);
        return false;
    }
    m_files->newProject();
    return true;
}

ExportResult AppContext::runExport(ExportInteraction& interaction, const ExportSettings& settings) {
    Document& document = *m_document;
    ExportContext context{document.project(),  document,    *m_setup,
                          m_prompts,           interaction, m_playback->simulation(),
                          m_options.programDir};
    return sp::runExport(context, settings);
}

}  // namespace sp
