#include "export/export_run.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <system_error>

#include "exchange/render_exchange.h"
#include "exchange/sheet_options.h"
#include "export/ini_file.h"
#include "export/tool_runner.h"
#include "project/file_commands.h"
#include "render/export_frame.h"
#include "render/graphics.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

// Frames 1 … frameCount + 1 are simulated, at least one.
int32_t simulatedFrames(int32_t frameCount) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{frameCount} + 1, 1, INT32_MAX));
}

class ExportRun {
  public:
    ExportRun(ExportContext& context, const ExportSettings& settings)
        : m_context(context),
          m_settings(settings),
          m_project(context.project),
          m_state(context.project.state),
          m_render(context.project.workspace().renderDir()) {}

    ExportOutcome run();
    std::vector<fs::path> takeWrittenFiles() { return std::move(m_made); }
    std::vector<SheetSize> sheetSizes() const;

  private:
    bool renderFrames();
    bool handOver();
    bool runProgram(std::string_view name);
    bool copyFrames();
    void writeSheetOptions(IniFile& ini) const;
    bool noteListedFiles();
    void noteMade(const fs::path& file);
    void removeMade();
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
    std::vector<fs::path> m_made;
};

ExportOutcome ExportRun::run() {
    // Settings that cannot give a result are refused before anything happens.
    if (m_settings.exportLayout == kLayoutMovie || m_settings.exportFileType == kFileJpeg)
        m_settings.exportTransparent = 0;
    std::string problem =
        checkExportSettings(m_settings, m_state.frameCount, m_state.effectiveFps());
    if (problem.empty() && m_settings.exportLayout == kLayoutSheet)
        problem = checkSheetOptions(m_settings.sheet, m_state.projectWidth, m_state.projectHeight);
    if (!problem.empty()) {
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
    // A run that did not complete leaves no result of its own behind.
    if (!ok || m_aborted) removeMade();
    cleanUp();
    if (m_aborted) return ExportOutcome::Aborted;
    return ok ? ExportOutcome::Completed : ExportOutcome::Failed;
}

bool ExportRun::renderFrames() {
    ExportInteraction& ui = m_context.interaction;
    ui.progressStart(writtenFrameCount(m_settings));
    m_state.frameLoopSuspended = 1;
    bool ok = true;
    try {
        render::ExportFrameRenderer frames(m_state, m_project.materials.textures(),
                                           m_settings.drawThreads);
        EmitterNode& root = m_project.tree.root();
        // Only the several-files layout hands the frames themselves to the user.
        const render::PngUse framesUse = m_settings.exportLayout == kLayoutFiles
                                             ? render::PngUse::Kept
                                             : render::PngUse::Scratch;
        // The same animation the preview shows after a restart: frames 1 …
        // frameCount + 1 are simulated, and the loop does not wrap meanwhile.
        // The simulation stops after the last frame the run writes.
        const int32_t frameTotal =
            std::min(simulatedFrames(m_state.frameCount), lastWrittenFrame(m_settings));
        int32_t simulated = 0;
        // After each frame, before the next one is simulated, the user may abort.
        auto nextFrame = [&] {
            if (++simulated >= frameTotal) return true;
            m_aborted = ui.abortRequested();
            return !m_aborted;
        };
        auto writeFrame = [&](int32_t f) {
            if (!isFrameWritten(m_settings, f)) return nextFrame();
            const render::Texture& target = frames.render(root, m_settings.exportTransparent != 0);
            const fs::path file = m_render / frameFileName(m_written, m_settings.exportFileType);
            ++m_written;  // counted before saving, so that a half-written file is cleaned up too
            if (!render::saveTexture(target, file, framePictureFormat(m_settings.exportFileType), 0,
                                     0, framesUse)) {
                fail(formatMessage(kFrameNotWrittenText, file.string()));
                ok = false;
                return false;
            }
            ui.progressStep();
            return nextFrame();
        };
        if (ui.abortRequested()) {
            m_aborted = true;
        } else {
            m_context.simulation.replay(root, frameTotal, writeFrame);
        }
    } catch (const std::bad_alloc&) {
        fail(render::kDeviceFailedText);
        ok = false;
    }
    ui.progressEnd();
    m_state.frameLoopSuspended = 0;
    return ok;
}

bool ExportRun::handOver() {
    using namespace exchange;
    IniFile ini(m_render / kSettingsFile);
    ini.load();
    const std::string info(kInfoSection);
    ini.set(info, std::string(kLastFrameKey), m_written - 1);
    ini.set(info, std::string(kFpsKey), m_state.effectiveFps());
    ini.set(info, std::string(kExtensionKey), frameExtension(m_settings.exportFileType));
    ini.set(std::string(kSizeSection), std::string(kWidthKey), m_state.projectWidth);
    ini.set(std::string(kSizeSection), std::string(kHeightKey), m_state.projectHeight);
    ini.set(std::string(kResultSection), std::string(kResultNameKey), m_result.string());
    if (!ini.save()) {
        fail(kSettingsNotWrittenText);
        return false;
    }
    if (!runProgram(kCropProgram)) return false;

    switch (m_settings.exportLayout) {
        case kLayoutSheet: {
            int columns = static_cast<int>(std::sqrt(static_cast<float>(m_written)));
            int rows = 0;
            int division = 1;
            if (!m_context.interaction.chooseSheetLayout(m_written, columns, rows, division))
                return true;
            ini.set(info, std::string(kColumnsKey), columns);
            ini.set(info, std::string(kRowsKey), rows);
            ini.set(info, std::string(kDivisionKey), division);
            writeSheetOptions(ini);
            if (!ini.save()) {
                fail(kSettingsNotWrittenText);
                return false;
            }
            std::error_code ec;
            fs::remove(m_render / kMadeListFile, ec);
            if (!runProgram(kSheetProgram)) return false;
            if (noteListedFiles()) return true;
            const int sheets = sheetCount(m_written, columns, rows);
            for (int k = 0; k < sheets; ++k) {
                const std::string stem = sheetStem(m_result.string(), k, sheets);
                noteMade(stem + frameExtension(m_settings.exportFileType));
                noteMade(stem + std::string(kAtlasExtension));
            }
            return true;
        }
        case kLayoutFiles:
            return copyFrames();
        case kLayoutMovie:
            if (!runProgram(kMovieProgram)) return false;
            noteMade(m_result.string() + std::string(kMovieExtension));
            return true;
        case kLayoutGif:
        case kLayoutApng:
        case kLayoutWebp: {
            const AnimationFormat format = animationFormat(m_settings.exportLayout);
            const std::string section(kAnimationSection);
            ini.set(section, std::string(kAnimationFormatKey),
                    std::string(animationFormatName(format)));
            ini.set(section, std::string(kQualityKey), m_settings.exportQuality);
            if (!ini.save()) {
                fail(kSettingsNotWrittenText);
                return false;
            }
            if (!runProgram(kMovieProgram)) return false;
            noteMade(m_result.string() + std::string(animationExtension(format)));
            return true;
        }
        default:
            return true;
    }
}

void ExportRun::writeSheetOptions(IniFile& ini) const {
    using namespace exchange;
    const SheetOptions& o = m_settings.sheet;
    const std::string section(kSheetSection);
    ini.set(section, std::string(kTrimKey), std::string(trimName(o.trim)));
    ini.set(section, std::string(kPaddingKey), o.padding);
    ini.set(section, std::string(kExtrudeKey), o.extrude);
    ini.set(section, std::string(kPowerOfTwoKey), o.powerOfTwo ? 1 : 0);
    ini.set(section, std::string(kMaxSizeKey), o.maxSize);
    ini.set(section, std::string(kJsonKey), std::string(atlasLayoutName(o.json)));
    ini.set(section, std::string(kAlphaKey), std::string(alphaModeName(o.alpha)));
}

// The sheet program's own list of what it made; false when it left none.
bool ExportRun::noteListedFiles() {
    QFile list(QString::fromStdString((m_render / exchange::kMadeListFile).string()));
    if (!list.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : list.readAll().split('\n'))
        if (!line.isEmpty()) noteMade(fs::path(line.toStdString()));
    return true;
}

// Read from the pictures' headers, so that they hold whatever the sheet program decided.
std::vector<SheetSize> ExportRun::sheetSizes() const {
    std::vector<SheetSize> sizes;
    if (m_settings.exportLayout != kLayoutSheet) return sizes;
    const std::string extension = frameExtension(m_settings.exportFileType);
    for (const fs::path& file : m_made) {
        if (file.extension() != extension) continue;
        const QSize size = QImageReader(QString::fromStdString(file.string())).size();
        if (size.isValid()) sizes.push_back({size.width(), size.height()});
    }
    return sizes;
}

// A file the programs reported as written; listed only when it is really there.
void ExportRun::noteMade(const fs::path& file) {
    std::error_code ec;
    if (fs::is_regular_file(file, ec)) m_made.push_back(file);
}

bool ExportRun::runProgram(std::string_view programName) {
    const std::string name(programName);
    const fs::path program = m_render / toolFileName(name);
    const ToolRun run = runTool(program, m_project.workspace().root(),
                                [this] { return m_context.interaction.abortRequested(); });
    if (run.stopped) {
        m_aborted = true;
        return false;
    }
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

// The several-files layout: the frames as they are, named after the result. Each
// copy is written beside its place and renamed into it when complete, so that no
// reader sees half a picture and the last complete run wins.
bool ExportRun::copyFrames() {
    const std::string partialSuffix = ".part-" + std::to_string(QCoreApplication::applicationPid());
    for (int32_t k = 0; k < m_written; ++k) {
        if (m_context.interaction.abortRequested()) {
            m_aborted = true;
            return false;
        }
        const std::string frame = frameFileName(k, m_settings.exportFileType);
        const fs::path target = m_result.string() + frame;
        const fs::path partial = target.string() + partialSuffix;
        std::error_code ec;
        fs::copy_file(m_render / frame, partial, fs::copy_options::overwrite_existing, ec);
        if (!ec) fs::rename(partial, target, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(partial, ignored);
            fail(formatMessage(kCopyNotWrittenText, target.string()));
            return false;
        }
        m_made.push_back(target);
    }
    return true;
}

void ExportRun::removeMade() {
    for (const fs::path& file : m_made) {
        std::error_code ec;
        fs::remove(file, ec);
    }
    m_made.clear();
}

// Deletes the numbered frames of this run and runs the device cycle, whatever
// happened before.
void ExportRun::cleanUp() {
    for (int32_t k = 0; k < m_written; ++k) {
        std::error_code ec;
        fs::remove(m_render / frameFileName(k, m_settings.exportFileType), ec);
    }
    std::error_code ec;
    fs::remove(m_render / exchange::kMadeListFile, ec);
    m_context.owner.cycleGraphics();
}

}  // namespace

ExportResult runExport(ExportContext& context, ExportSettings settings) {
    ExportRun run(context, settings);
    ExportResult result;
    result.outcome = run.run();
    if (result.outcome == ExportOutcome::Completed) result.sheetSizes = run.sheetSizes();
    result.files = run.takeWrittenFiles();
    return result;
}

}  // namespace sp
