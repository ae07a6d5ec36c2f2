#include "export/export_run.h"

#include <cmath>
#include <new>
#include <system_error>

#include "export/ini_file.h"
#include "export/tool_runner.h"
#include "project/file_commands.h"
#include "render/export_frame.h"
#include "render/graphics.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

class ExportRun {
public:
    ExportRun(ExportContext& context, const ExportSettings& settings)
        : m_context(context), m_settings(settings), m_project(context.project), m_state(context.project.state),
          m_render(context.project.workspace().renderDir()) {}

    ExportOutcome run();

private:
    bool renderFrames();
    bool handOver();
    bool runProgram(const std::string& name);
    bool copyFrames();
    void cleanUp();
    void fail(const std::string& text) { m_context.prompts.showMessage(text, kErrorCaption); }

    ExportContext& m_context;
    ExportSettings m_settings;
    Project& m_project;
    ProjectState& m_state;
    fs::path m_render;
    fs::path m_result;  // the chosen path without its extension
    int32_t m_written = 0;
    bool m_aborted = false;
};

ExportOutcome ExportRun::run() {
    // Settings that cannot give a result are refused before anything happens.
    if (m_settings.exportLayout == kLayoutMovie || m_settings.exportFileType == kFileJpeg)
        m_settings.exportTransparent = 0;
    if (std::string problem = checkExportSettings(m_settings, m_state.frameCount); !problem.empty()) {
        fail(problem);
        return ExportOutcome::Failed;
    }

    FileDialogRequest request;
    request.initialFolder = m_context.setup.folderOr("Write", m_context.programDir).string();
    const ResultFilter filter = resultFilter(m_settings.exportLayout, m_settings.exportFileType);
    request.defaultExtension = filter.extension;
    const std::optional<std::string> chosen = m_context.interaction.chooseResult(request, filter);
    if (!chosen) {
        cleanUp();
        return ExportOutcome::Cancelled;
    }
    std::error_code ec;
    const fs::path chosenPath = fs::absolute(*chosen, ec).lexically_normal();
    m_context.setup.writeString("Directory", "Write", chosenPath.parent_path().string());
    m_result = chosenPath;
    m_result.replace_extension();

    if (!fs::is_directory(m_render, ec)) {
        fail(kRenderFolderMissingText);
        return ExportOutcome::Failed;
    }

    bool ok = renderFrames();
    if (ok && !m_aborted) ok = handOver();
    cleanUp();
    if (!ok) return ExportOutcome::Failed;
    return m_aborted ? ExportOutcome::Aborted : ExportOutcome::Completed;
}

bool ExportRun::renderFrames() {
    ExportInteraction& ui = m_context.interaction;
    ui.progressStart(writtenFrameCount(m_settings));
    m_state.exportInProgress = 1;
    bool ok = true;
    try {
        render::ExportFrameRenderer frames(m_state, m_project.materials.textures());

        // The restart: the same animation the preview shows after a restart.
        EmitterNode& root = m_project.tree.root();
        Simulation simulation(m_state, m_context.limits);
        simulation.restart(root);
        m_state.frameLoopSuspended = 1;
        m_state.currentFrame = 0;
        // Frames 1 … frameCount + 1 are simulated; the loop does not wrap while exporting.
        do {
            if (ui.abortRequested()) {
                m_aborted = true;
                break;
            }
            simulation.update(&root);
            const int32_t f = m_state.currentFrame;
            if (!isFrameWritten(m_settings, f)) continue;
            const render::Texture& target = frames.render(root, m_settings.exportTransparent != 0);
            const fs::path file = m_render / frameFileName(m_written, m_settings.exportFileType);
            ++m_written;  // counted before saving, so that a half-written file is cleaned up too
            if (!render::saveTexture(target, file, framePictureFormat(m_settings.exportFileType))) {
                fail(formatMessage(kFrameNotWrittenText, file.string()));
                ok = false;
                break;
            }
            ui.progressStep();
        } while (m_state.currentFrame <= m_state.frameCount);
    } catch (const std::bad_alloc&) {
        fail(render::kDeviceFailedText);
        ok = false;
    }
    ui.progressEnd();
    m_state.frameLoopSuspended = 0;
    return ok;
}

bool ExportRun::handOver() {
    IniFile ini(m_render / "render.ini");
    ini.load();
    ini.set("info", "end", m_written - 1);
    ini.set("info", "fps", m_state.effectiveFps());
    ini.set("info", "ext", frameExtension(m_settings.exportFileType));
    ini.set("size", "width", m_state.projectWidth);
    ini.set("size", "height", m_state.projectHeight);
    ini.set("result", "name", m_result.string());
    if (!ini.save()) {
        fail(kSettingsNotWrittenText);
        return false;
    }
    if (!runProgram("framecrop")) return false;

    switch (m_settings.exportLayout) {
        case kLayoutSheet: {
            int columns = static_cast<int>(std::sqrt(static_cast<float>(m_written)));
            int rows = 0;
            int division = 1;
            if (!m_context.interaction.chooseSheetLayout(m_written, columns, rows, division)) return true;
            ini.set("info", "x", columns);
            ini.set("info", "y", rows);
            ini.set("info", "sep", division);
            if (!ini.save()) {
                fail(kSettingsNotWrittenText);
                return false;
            }
            return runProgram("tilesheet");
        }
        case kLayoutFiles:
            return copyFrames();
        case kLayoutMovie:
            return runProgram("clipweave");
        default:
            return true;
    }
}

bool ExportRun::runProgram(const std::string& name) {
    const fs::path program = m_render / toolFileName(name);
    const ToolRun run = runTool(program, m_project.workspace().root());
    if (!run.started) {
        fail(formatMessage(kToolNotStartedText, name));
        return false;
    }
    if (!run.succeeded()) {
        std::string text = formatMessage(kToolFailedText, name);
        if (!run.errorOutput.empty()) text += "\n\n" + run.errorOutput;
        fail(text);
        return false;
    }
    return true;
}

// The several-files layout: the frames as they are, named after the result.
bool ExportRun::copyFrames() {
    for (int32_t k = 0; k < m_written; ++k) {
        const std::string frame = frameFileName(k, m_settings.exportFileType);
        const fs::path target = m_result.string() + frame;
        std::error_code ec;
        fs::copy_file(m_render / frame, target, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            fail(formatMessage(kCopyNotWrittenText, target.string()));
            return false;
        }
    }
    return true;
}

// Deletes the numbered frames of this run and runs the device cycle, whatever
// happened before.
void ExportRun::cleanUp() {
    for (int32_t k = 0; k < m_written; ++k) {
        std::error_code ec;
        fs::remove(m_render / frameFileName(k, m_settings.exportFileType), ec);
    }
    m_project.runGraphicsCycle();
    m_project.reloadMaterials();
    m_state.exportInProgress = 0;
}

}  // namespace

ExportOutcome runExport(ExportContext& context, ExportSettings settings) {
    ExportRun run(context, settings);
    return run.run();
}

}  // namespace sp
