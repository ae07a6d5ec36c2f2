#include "cli/render_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/interrupts.h"
#include "document/ui_language.h"
#include "render/export_frame.h"
#include "render/graphics.h"

namespace sp::cli {
namespace {

constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "Sparkplume", "使い方: sparkplume render FILE --frame N --out OUT.png [--transparent]\n");

struct RenderOptions {
    std::string file;
    int frame = 0;
    std::string out;
    bool transparent = false;
};

std::string parse(const std::vector<std::string>& args, RenderOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--transparent") {
            options.transparent = true;
        } else if (a == "--frame") {
            std::optional<int> frame;
            if (i + 1 >= args.size() || !(frame = parseCount(args[i + 1], 1)))
                return cliText(kWholeNumberFromText, {a, "1"});
            options.frame = *frame;
            ++i;
        } else if (a == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return cliText(QT_TRANSLATE_NOOP("Sparkplume",
                                                 "--out には書き出すファイルを指定してください。"));
            options.out = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return cliText(kUnknownOptionText, {a});
        } else if (options.file.empty()) {
            options.file = a;
        } else {
            return cliText(kOneFileText);
        }
    }
    if (options.file.empty()) return cliText(kFileMissingText);
    if (options.frame == 0) return cliText(kOptionMissingText, {"--frame"});
    if (options.out.empty()) return cliText(kOptionMissingText, {"--out"});
    return checkPaths({&options.file, &options.out});
}

render::PictureFormat formatOf(const std::filesystem::path& out) {
    std::string e = out.extension().string();
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (e == ".bmp") return render::PictureFormat::Bmp;
    if (e == ".jpg" || e == ".jpeg") return render::PictureFormat::Jpeg;
    return render::PictureFormat::Png;
}

}  // namespace

int runRender(const std::vector<std::string>& args, const CommandLimits& limits, std::ostream& out,
              std::ostream& err) {
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << cliText(kUsage);
        return 0;
    }
    RenderOptions options;
    if (std::string error = parse(args, options); !error.empty()) {
        err << error << '\n' << cliText(kUsage);
        return 1;
    }
    HeadlessSession session(err, limits);
    if (!session.open(options.file) || !session.picturesComplete()) return 2;
    Project& project = session.project();
    const ProjectState& state = project.state;
    const EmitterNode& root = project.tree.root();
    // The export simulates frames 1 … frameCount + 1; nothing beyond is a frame of the effect.
    const int64_t lastFrame = std::max<int64_t>(int64_t{state.frameCount} + 1, 1);
    if (options.frame > lastFrame) {
        err << cliText(
                   QT_TRANSLATE_NOOP("Sparkplume", "%1 には1から%2までの整数を指定してください。"),
                   {"--frame", std::to_string(lastFrame)})
            << '\n'
            << cliText(kUsage);
        return 1;
    }
    session.playback().replay(options.frame, [](int32_t) { return !interrupted(); });
    if (interrupted()) return interruptedStatus();
    const Simulation& simulation = session.playback().simulation();
    if (simulation.particleLimitReached() || simulation.trailLimitReached())
        err << trText(kLimitWarning).toStdString() << '\n';

    try {
        render::ExportFrameRenderer frames(state, project.materials.textures(),
                                           static_cast<int>(limits.drawThreads));
        const render::Texture& target = frames.render(root, options.transparent);
        const std::filesystem::path file = std::filesystem::absolute(options.out);
        if (!render::saveTexture(target, file, formatOf(file), state.projectWidth,
                                 state.projectHeight)) {
            session.prompts().showMessage(formatMessage(kSaveFailedText, file.string()),
                                          kErrorCaption);
            return 2;
        }
        out << file.string() << '\n';
    } catch (const std::bad_alloc&) {
        session.prompts().showMessage(render::kDeviceFailedText, kErrorCaption);
        return 2;
    }
    return 0;
}

}  // namespace sp::cli
