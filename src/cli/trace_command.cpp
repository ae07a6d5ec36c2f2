#include "cli/trace_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/interrupts.h"
#include "document/ui_language.h"

namespace sp::cli {
namespace {

constexpr const char* kUsage =
    QT_TRANSLATE_NOOP("Sparkplume", "使い方: sparkplume trace FILE [--frames N] [--particles]\n");

struct TraceOptions {
    std::string file;
    std::optional<int> frames;
    bool particles = false;
};

// Returns an error text, or "" when the options were understood.
std::string parse(const std::vector<std::string>& args, TraceOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--particles") {
            options.particles = true;
        } else if (a == "--frames") {
            if (i + 1 >= args.size() || !(options.frames = parseCount(args[i + 1], 0)))
                return cliText(kWholeNumberFromText, {a, "0"});
            ++i;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return cliText(kUnknownOptionText, {a});
        } else if (options.file.empty()) {
            options.file = a;
        } else {
            return cliText(kOneFileText);
        }
    }
    if (options.file.empty()) return cliText(kFileMissingText);
    return checkPaths({&options.file});
}

void appendFixed3(std::string& line, float v) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v),
                                   std::chars_format::fixed, 3);
    line.append(buffer, ec == std::errc() ? end : buffer);
}

void collectPreOrder(const EmitterNode& node, std::vector<const EmitterNode*>& out) {
    std::vector<const EmitterNode*> work;
    for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
        work.push_back(it->get());
    while (!work.empty()) {
        const EmitterNode* n = work.back();
        work.pop_back();
        out.push_back(n);
        for (auto it = n->children.rbegin(); it != n->children.rend(); ++it)
            work.push_back(it->get());
    }
}

}  // namespace

int runTrace(const std::vector<std::string>& args, const CommandLimits& limits, std::ostream& out,
             std::ostream& err) {
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << cliText(kUsage);
        return 0;
    }
    TraceOptions options;
    if (std::string error = parse(args, options); !error.empty()) {
        err << error << '\n' << cliText(kUsage);
        return 1;
    }

    HeadlessSession session(err, limits);
    if (!session.open(options.file)) return 2;
    const Project& project = session.project();

    std::vector<const EmitterNode*> nodes;
    collectPreOrder(project.tree.root(), nodes);

    // From the first frame with the project's seed, wrapping as the preview does.
    const int frames = options.frames.value_or(project.state.frameCount);
    std::string line;
    bool limitReached = false;
    session.playback().replay(
        frames,
        [&](int32_t frame) {
            std::size_t live = 0;
            for (const EmitterNode* node : nodes) live += node->particles.size();
            out << "frame " << frame << " live " << live << '\n';
            if (interrupted()) return false;
            const Simulation& simulation = session.playback().simulation();
            limitReached |= simulation.particleLimitReached() || simulation.trailLimitReached();
            if (!options.particles) return true;
            for (std::size_t k = 0; k < nodes.size(); ++k) {
                for (const Particle& p : nodes[k]->particles) {
                    line = "p " + std::to_string(k + 1) + ' ';
                    appendFixed3(line, p.position.x);
                    line += ' ';
                    appendFixed3(line, p.position.y);
                    line += ' ' + std::to_string(p.age) + ' ' + std::to_string(p.lifetime) + '\n';
                    out << line;
                }
            }
            return true;
        },
        Simulation::LoopEnd::Wraps);
    out.flush();
    if (limitReached) err << trText(kLimitWarning).toStdString() << '\n';
    if (interrupted()) return interruptedStatus();
    return 0;
}

}  // namespace sp::cli
