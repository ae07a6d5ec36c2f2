#pragma once

#include <filesystem>
#include <memory>

#include "core/sim/simulation.h"
#include "document/document.h"
#include "document/playback.h"
#include "export/export_run.h"
#include "project/file_commands.h"
#include "project/setup_ini.h"
#include "project/workspace.h"
#include "prompts/prompts.h"

namespace sp {

// Everything an open project needs, set up in one place: the work folder, the
// settings, the document, the file commands and the playback. The editor, the
// headless commands, the sample generator and the tests all stand on it.
class AppContext {
  public:
    struct Options {
        std::filesystem::path workspace;  // the work folder
        // Where the program lives: the file dialogs start there, and start-up
        // looks for the WorkSpace folder to fill the work folder from.
        std::filesystem::path programDir;
        bool fillWorkspace = true;  // copy the WorkSpace folder in, as the editor's start-up does
        SimulationLimits limits;
        std::size_t textureBudget = MaterialList::kDefaultTextureBudget;
        // The settings file when it is not the work folder's own (a second editor
        // in a private work folder shares the first one's settings).
        std::filesystem::path setupFile = {};
    };

    AppContext(Prompts& prompts, Options options);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Start-up: prepares the work folder (WorkSpace copied in, TEXTURE emptied)
    // and creates a new project. A copy that fails is reported and the program
    // goes on with what the folder holds; false only when there is no work
    // folder at all.
    bool start();

    Prompts& prompts() { return m_prompts; }
    const Workspace& workspace() const { return m_workspace; }
    const std::filesystem::path& programDir() const { return m_options.programDir; }
    SetupIni& setup() { return *m_setup; }
    Document& document() { return *m_document; }
    FileCommands& files() { return *m_files; }
    Playback& playback() { return *m_playback; }

    // Exports the open project through the preview's simulation.
    ExportResult runExport(ExportInteraction& interaction, const ExportSettings& settings);

  private:
    Prompts& m_prompts;
    Options m_options;
    Workspace m_workspace;
    std::unique_ptr<SetupIni> m_setup;
    std::unique_ptr<Document> m_document;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<Playback> m_playback;
};

}  // namespace sp
